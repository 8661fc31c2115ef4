// "Valider" on the ticket card: the ticket is booked onto its customer's account, through the
// customer card as an operator would do it: a history line, the last visit, the minutes left and
// the subscription's ten-minute stamps.
#include "manager/cardfile/fiche_cartes.h"

using namespace rtl;

namespace {

// The customer whose code is the ticket's: the number of its block, or -1. Codes are compared
// whole: a ticket of customer 1000 is never booked onto customer 10001.
int ClientDuCode(const RecordList& clients, const QString& code)
{
    const QString cherche = UpperCase(Trim(code));
    if (cherche.isEmpty())
        return -1;
    for (int i = 0; i + 1 < clients.Count(); ++i) {
        int n;
        if (clients.Strings(i).startsWith(QLatin1String("<BLOC")) &&
            UpperCase(Trim(clients.Strings(i + 1))) == cherche && clients.TagNumber(clients.Strings(i), n))
            return n;
    }
    return -1;
}

// A "dd/mm/yyyy" date as "yyyymmdd", which compares as text in date order.
QString DateTriable(const QString& date)
{
    return date.mid(6, 4) + date.mid(3, 2) + date.mid(0, 2);
}

}  // namespace

void TFiche::Button5Click()
{
    // Already booked, no customer, or the workstations' anonymous login.
    if (TicketValide == QLatin1String("Y") || Edit32->text() == QLatin1String("00000") ||
        LowerCase(Edit33->text()) == QLatin1String("vimor"))
        return;

    // A code that is no customer's (mistyped, or empty) books nothing either: marking the ticket
    // booked would leave it on no account for good, with "Valider" gone once the right customer
    // is picked.
    const int client = ClientDuCode(ListeClients, Edit32->text());
    if (client < 0)
        return;
    const TDateTime aujourdhui = Date();
    const QString jour = FormatDateTime(QStringLiteral("yyyymmdd"), aujourdhui);
    // Every number the booking converts is checked before anything changes, so that a wrong one
    // stops it with nothing booked rather than half-way. Only those it converts: a number it
    // has no use for (minutes left, when the ticket has no minutes) does not stop it.
    {
        const int debut = ListeClients.FindBlock(client);
        auto ligne = [&](int n) {
            return debut >= 0 && debut + n < ListeClients.Count() ? ListeClients.Strings(debut + n) : QString();
        };
        const bool minutes = !Trim(Edit36->text()).isEmpty();
        const bool dispo = !Trim(ligne(16)).isEmpty();
        const bool couvert = DateTriable(ligne(20)) <= jour && jour <= DateTriable(ligne(21));
        if (!Trim(Edit37->text()).isEmpty())
            StrToFloat(Edit37->text());
        if (minutes && dispo)
            StrToInt(ligne(16));
        if (minutes && (dispo || couvert))
            StrToInt(Edit36->text());
    }

    // The booked mark goes into the ticket's block at once.
    TicketValide = QStringLiteral("Y");
    ModifTicket = true;
    EcritCaisse();
    cartes::ShowBooked(*this, true);
    DoitSauver = true;

    EcritFiche();
    IndexClient = client;
    LitFiche();

    DateTimePicker2->setDate(ToQDateTime(aujourdhui).date());
    Edit20->setText(QStringLiteral("Ticket ") + Edit28->text());
    Edit21->setText(Edit37->text());
    SpeedButton1Click();

    MaskEdit1->SetText(FormatDateTime(QStringLiteral("dd/mm/yyyy"), aujourdhui));
    MaskEdit2->SetText(FormatDateTime(QStringLiteral("hh:nn"), Now()));
    if (!Trim(Edit14->text()).isEmpty() && !Trim(Edit36->text()).isEmpty())
        Edit14->setText(IntToStr(StrToInt(Edit14->text()) - StrToInt(Edit36->text())));
    ModifClient = true;
    EcritFiche();

    if (DateTriable(MaskEdit8->Text()) > jour || jour > DateTriable(MaskEdit9->Text()))
        return;
    if (!Trim(Edit36->text()).isEmpty()) {
        // One stamp per ten minutes, five minutes making a stamp; stamps that find no free cell
        // are lost.
        int n = (StrToInt(Edit36->text()) + 5) / 10;
        if (n < 1)
            return;
        const QString tampon = FormatDateTime(QStringLiteral("dd/mm"), aujourdhui);
        for (int r = 0; r < StringGrid6->RowCount() && n > 0; ++r)
            for (int c = 0; c < 6 && n > 0; ++c)
                if (StringGrid6->Cells(c, r).isEmpty()) {
                    StringGrid6->SetCells(c, r, tampon);
                    --n;
                }
        ModifClient = true;
    }
    EcritFiche();
}
