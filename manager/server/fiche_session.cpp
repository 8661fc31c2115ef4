// A workstation's session on its cash ticket: "connect" opens the ticket, "time" answers the
// minutes since it opened (and warns when its end time comes), "quit" closes and prices it.
//
// The session's ticket is the one the ticket card's own operations open and close; it is found
// again by its "NUMT" number whenever its block number no longer leads to it (a ticket deleted
// before it, another set opened), and nothing is closed once it is gone.
#include <cmath>
#include "manager/cardfile/fiche.h"
#include "manager/server/blocs.h"
#include "platform/dialogs.h"
#include "platform/widgets/maskedit.h"

using namespace rtl;
using serveur::ChampsDuBloc;
using serveur::HeureLue;

namespace {

constexpr int MinutesParJour = 1440;
// Block numbers have five digits: 98,999 tickets at most.
constexpr int DernierTicket = 98998;

// The start tag's position of the session's ticket, or -1 when it is gone; the entry follows the
// ticket to its new block number. A ticket looked for in vain is looked for again only once the
// list has changed size.
int TicketDeSession(TFiche& f, TFiche::EntreeConnexion& entree)
{
    if (entree.NumeroTicket.isEmpty())
        return -1;
    const RecordList& list = f.ListeTickets;
    const QString numero = QStringLiteral("NUMT") + entree.NumeroTicket;
    if (entree.Ticket >= 0) {
        const int pos = list.FindBlock(entree.Ticket);
        if (pos >= 0 && ChampsDuBloc(list, pos, 1).value(0) == numero)
            return pos;
    }
    if (entree.TicketCherche == list.Count())
        return -1;
    int found = -1;
    serveur::PourChaqueBloc(list, 1, [&](int pos, const QStringList& fields) {
        int n = -1;
        if (fields.value(0) != numero || !list.TagNumber(list.Strings(pos), n))
            return false;
        found = pos;
        entree.Ticket = n;
        return true;
    });
    entree.TicketCherche = found < 0 ? list.Count() : -1;
    if (found < 0)
        entree.Ticket = -1;
    return found;
}

// Open: no end time yet and not booked onto the customer's account.
bool Ouvert(const TFiche& f, int pos)
{
    const QStringList fields = ChampsDuBloc(f.ListeTickets, pos, 16);
    TDateTime end;
    return !HeureLue(fields.value(8), end) && fields.value(15) != QLatin1String("Y");
}

bool Valide(const TFiche::EntreeConnexion& entree)
{
    return entree.LoginValide && entree.Accorde;
}

// A stored value that does not convert leaves the ticket as far as it got, without a box: a
// workstation's request never stops on an error the operator would have to answer.
template <class F>
void SansErreur(F&& f)
{
    try {
        f();
    } catch (const EConvertError&) {
    }
}

}  // namespace

void TFiche::ProcessCnx(const QString& ip, TWSocketClient* client)
{
    EntreeConnexion* entree = EntreeDe(ip);
    const QString ok = QStringLiteral("Connect OK ");
    // Without a granted login there is no session: the reply keeps the client's pairing.
    if (!entree || !Valide(*entree)) {
        Envoie(client, ok);
        return;
    }
    EcritCaisse();
    const int current = TicketDeSession(*this, *entree);
    if (current >= 0 && Ouvert(*this, current)) {
        Envoie(client, ok);
        return;
    }
    // A blank new card at the end of the list (the operator's new ticket, not written yet) takes
    // the session: its number never stays without a block.
    const bool blankLast = NbTickets > 0 && ListeTickets.FindBlock(NbTickets - 1) < 0;
    if (!blankLast) {
        if (NbTickets > DernierTicket) {
            // Shown once at a time; the box lets other requests run, and entries may go meanwhile.
            if (!PleinAffiche) {
                PleinAffiche = true;
                try {
                    platform::ShowMessage(QStringLiteral("Le fichier est plein"));
                } catch (...) {
                    PleinAffiche = false;
                    throw;
                }
                PleinAffiche = false;
            }
            return;
        }
        ++NbTickets;
    }
    const QString login = entree->Login;
    const QString host = entree->Poste;
    IndexTicket = NbTickets - 1;
    // The card shows the empty ticket with its number.
    LitCaisse();
    entree->Ticket = IndexTicket;
    entree->NumeroTicket = Trim(Edit28->text());
    entree->TicketCherche = -1;

    Edit32->setText(QStringLiteral("00000"));
    Edit33->setText(login);
    QStringList customer;
    const QString wanted = LowerCase(login);
    serveur::PourChaqueBloc(ListeClients, 15, [&](int, const QStringList& fields) {
        if (fields.size() < 13 || LowerCase(fields[12]) != wanted)
            return false;
        Edit32->setText(fields.value(0));
        Edit33->setText(fields.value(3));
        CheckBox15->setChecked(!fields.value(14).isEmpty());
        return true;
    });
    serveur::Machine machine;
    if (serveur::TrouveMachine(ListePostes, host, machine)) {
        Edit34->setText(machine.champs.value(0));
        Edit35->setText(machine.champs.value(1));
    }
    const TDateTime now = Now();
    MaskEdit4->SetText(FormatDateTime(QStringLiteral("dd/mm/yyyy"), now));
    MaskEdit5->SetText(FormatDateTime(QStringLiteral("hh:nn"), now));
    ModifTicket = true;
    EcritCaisse();
    // The card now is its block: nothing is left to write back at the next request.
    ModifTicket = false;
    Marque(host, 1);
    Remplit();
    Envoie(client, ok);
}

void TFiche::ProcessTime(const QString& ip, TWSocketClient* client)
{
    qint64 elapsed = 0;
    QString host;
    QStringList ticket;
    if (EntreeConnexion* entree = EntreeDe(ip)) {
        EcritCaisse();
        host = entree->Poste;
        const int pos = TicketDeSession(*this, *entree);
        if (pos >= 0)
            ticket = ChampsDuBloc(ListeTickets, pos, 9);
    }
    const TDateTime now = Now();
    TDateTime start = 0, end = 0;
    if (HeureLue(ticket.value(6), start))
        elapsed = Round(Frac(now - start) * MinutesParJour);
    Envoie(client, QStringLiteral("Time ") + IntToStr(elapsed));
    if (!HeureLue(ticket.value(8), end))
        return;
    // With its date the end is a moment, and the minutes left count across midnight.
    TDateTime until = end - (now - std::floor(now));
    try {
        until = StrToDate(ticket.value(7)) + end - now;
    } catch (const EConvertError&) {
    }
    const qint64 left = Round(until * MinutesParJour);
    if (left < 2)
        Envoie(client, QStringLiteral("Msg ") + host + QStringLiteral(" Attention bientôt déconnecté"));
    if (left < 0)
        Envoie(client, QStringLiteral("Close ") + host);
}

// A ticket is closed once: one that has its end time, or is booked, stays as it is. Only a
// granted session closes anything and frees its machine.
void TFiche::ProcessQuit(const QString& ip, TWSocketClient* client)
{
    if (EntreeConnexion* entree = EntreeDe(ip)) {
        EcritCaisse();
        if (Valide(*entree)) {
            const QString host = entree->Poste;
            const int pos = TicketDeSession(*this, *entree);
            if (pos >= 0 && Ouvert(*this, pos)) {
                IndexTicket = entree->Ticket;
                SansErreur([this] { LitCaisse(); });
                const TDateTime now = Now();
                MaskEdit6->SetText(FormatDateTime(QStringLiteral("dd/mm/yyyy"), now));
                MaskEdit7->SetText(FormatDateTime(QStringLiteral("hh:nn"), now));
                SansErreur([this] {
                    Temp();
                    Calcule();
                });
                ModifTicket = true;
                EcritCaisse();
                ModifTicket = false;
            }
            Marque(host, 0);
        }
    }
    Remplit();
    Envoie(client, Edit33->text() + QStringLiteral(" bye "));
}
