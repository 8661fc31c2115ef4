// libFuzzer target: any bytes from any of three workstations, mixed with connections coming and
// going, the clock moving and the operator deleting, adding and ending tickets, over a card file
// holding a small set. Nothing may crash, trip a sanitizer, or raise a box other than
// "Le fichier est plein".
//
// An input is a run of operations; each starts with one byte: its low four bits say what, the
// next bits which workstation.
//   0-9  data: a length byte, then that many bytes, as one read of the workstation's connection
//   10   the workstation connects        11  it disconnects
//   12   the clock moves by a byte's worth of 37 seconds (midnight comes within the first input)
//   13   the operator deletes the ticket a byte names (13 to 15: four times an input at most)
//   14   the operator adds a blank ticket, or gives a ticket an end (a byte picks which)
//   15   the operator edits the ticket card shown, which the next request writes back
// The first byte of the input picks the set: 255, a ticket list that is full.
#include <QApplication>
#include <QByteArray>
#include <QDateTime>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include "manager/cardfile/fiche.h"
#include "manager/server/clientposte.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

namespace {

class NoBoxes : public platform::DialogService {
public:
    int messageDlg(const QString& text, platform::MsgDlgType, int) override { return Abort(text); }
    void showMessage(const QString& text) override
    {
        if (text != QLatin1String("Le fichier est plein"))
            Abort(text);
    }
    QString inputBox(const QString& caption, const QString&, const QString&) override
    {
        Abort(caption);
        return {};
    }
    QString openFile(const QString&, const QString&, const QString&) override { return Abort("open"), QString(); }
    QString saveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return Abort("save"), QString();
    }
    bool printerSetup() override { return Abort("printer"); }
    int exec(QDialog*) override { return Abort("dialog"); }

private:
    static int Abort(const QString& what)
    {
        std::fprintf(stderr, "a box was raised by network input: %s\n", qPrintable(what));
        std::abort();
    }
};

QString Tag(int n, int width, bool end = false)
{
    return QStringLiteral("<%1BLOC%2>").arg(end ? "/" : "").arg(n, width, 10, QLatin1Char('0'));
}

void AddBlock(QStringList& list, int n, int width, const QStringList& fields)
{
    list << Tag(n, width) << fields << Tag(n, width, true);
}

const QString NoDate = QStringLiteral("  /  /    ");
const QString NoTime = QStringLiteral("  :  ");

struct Set {
    QStringList clients, postes, tickets, fullTickets;
};

const Set& Small()
{
    static const Set set = [] {
        Set s;
        const char* logins[] = {"jdupont", "", "vimor", "MARTIN", "a b"};
        for (int i = 0; i < 5; ++i)
            AddBlock(s.clients, i, 4,
                     {QString::number(10001 + i), "N", "N", QStringLiteral("CLIENT%1").arg(i), "", "", "", "", "", "",
                      "", "", QLatin1String(logins[i]), i == 3 ? "" : "pw", i == 1 ? "600" : "", "", "", NoDate,
                      NoTime, NoDate, NoDate, "", "", ""});
        // A short block: its +2 is missing.
        AddBlock(s.clients, 5, 4, {"10006"});
        const char* hosts[] = {"PC1", "PC10", "pc2", ""};
        for (int i = 0; i < 4; ++i)
            AddBlock(s.postes, i, 4,
                     {QString::number(10001 + i), QLatin1String(hosts[i]), "PC", "", "", "WinXP", "", "N", "Y", "N", "Y",
                      "N", "Y", "N", "Y", "N", "Y", "N"});
        AddBlock(s.postes, 4, 4, {"10005", "PC5", "PC"});
        AddBlock(s.tickets, 0, 5,
                 {"NUMT202403001", "10001", "CLIENT0", "10001", "PC1", "15/03/2024", "09:00", NoDate, NoTime, "", "", "",
                  "", "N", "N", "N"});
        AddBlock(s.tickets, 1, 5,
                 {"NUMT202403002", "10002", "CLIENT1", "10002", "PC10", "15/03/2024", "23:59", "16/03/2024", "00:02", "3",
                  "   1,00", "", "", "N", "N", "Y"});
        AddBlock(s.fullTickets, 98998, 5, {"NUMT202403999"});
        return s;
    }();
    return set;
}

const QString Ends[] = {NoTime, "10:31", "00:00", "23:59", "2x:99", "", "24:00", "10:30:15"};
const QString EndDates[] = {NoDate, "15/03/2024", "16/03/2024", "31/02/2024", "", "xx"};

QDateTime Clock;
TFiche* Fiche = nullptr;
TClientPoste* Clients[3];
const QString Ips[3] = {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.10"), QStringLiteral("10.0.0.1")};

void Reset(bool full)
{
    const Set& set = Small();
    TFiche& f = *Fiche;
    f.ListeClients = set.clients;
    f.ListePostes = set.postes;
    f.ListeTickets = full ? set.fullTickets : set.tickets;
    f.NbClients = 6;
    f.NbPostes = 5;
    f.NbTickets = full ? 98999 : 2;
    f.IndexClient = f.IndexPoste = f.IndexTicket = 0;
    f.ListeConnexions.clear();
    f.Occupation.fill('\0', 256);
    f.PostesOccupes.clear();
    f.PleinAffiche = false;
    f.Memo7->clear();
    f.PageControl1->setCurrentWidget(f.TabSheet1);
    // Nothing here edits the customer and machine cards; the ticket card is read anew by every
    // request that uses it.
    f.ModifClient = f.ModifPoste = f.ModifTicket = false;
    Clock = QDateTime(QDate(2024, 3, 15), QTime(10, 30));
    for (int i = 0; i < 3; ++i) {
        Clients[i]->Trame = TrameLignes();
        Clients[i]->Attente.clear();
        Clients[i]->EnService = false;
        Clients[i]->Relire = false;
    }
}

// An operator's command may stop on a conversion error, shown in a box by the event dispatch.
template <class F>
void Operator(F&& f)
{
    try {
        f();
    } catch (const EConvertError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char name[] = "server_fuzz";
    static char* qtArgv[] = {name, nullptr};
    new QApplication(qtArgc, qtArgv);
    platform::SetDialogs(new NoBoxes);
    Clock = QDateTime(QDate(2024, 3, 15), QTime(10, 30));
    rtl::SetClock([] { return Clock; });
    TFiche::PortParDefaut = 0;
    Fiche = new TFiche;
    for (TClientPoste*& c : Clients)
        c = new TClientPoste;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    TFiche& f = *Fiche;
    const bool full = data[0] == 0xff;
    Reset(full);
    size_t at = 1;
    auto next = [&]() -> int { return at < size ? data[at++] : 0; };
    // The operator's commands redraw whole cards: a few per input are enough to move tickets
    // under the sessions, and the fuzzer's time goes to the requests.
    int operatorCommands = 0;
    auto operatorMay = [&] { return ++operatorCommands <= 4; };
    while (at < size) {
        const int op = data[at] & 15;
        const int who = (data[at] >> 4) % 3;
        ++at;
        switch (op) {
        default: {
            const size_t n = std::min<size_t>(size_t(next()), size - at);
            f.Recoit(Clients[who], Ips[who], QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(n)));
            at += n;
            break;
        }
        case 10:
            f.AddCli(Ips[who]);
            break;
        case 11:
            f.SupCli(Ips[who]);
            break;
        case 12:
            Clock = Clock.addSecs(37 * next());
            break;
        case 13:
            // Renumbering a full list is the card file's cost, paid elsewhere: not here.
            if (f.NbTickets > 0 && !full && operatorMay()) {
                f.PageControl1->setCurrentWidget(f.TabSheet5);
                f.IndexTicket = next() % f.NbTickets;
                Operator([&] { f.Supprime(); });
            }
            break;
        case 14: {
            const int pick = next();
            if (!operatorMay())
                break;
            if (pick & 1) {
                f.PageControl1->setCurrentWidget(f.TabSheet5);
                Operator([&] { f.Ajout(); });
            } else if (f.NbTickets > 0) {
                const int pos = f.ListeTickets.FindBlock((pick >> 1) % f.NbTickets);
                // Within the block: a line of another block or a tag is not the operator's.
                const bool inside = pos >= 0 && pos + 10 < f.ListeTickets.Count() &&
                                    !f.ListeTickets[pos + 8].startsWith('<') && !f.ListeTickets[pos + 9].startsWith('<') &&
                                    !f.ListeTickets[pos + 10].startsWith("<BLOC");
                if (inside) {
                    f.ListeTickets.Put(pos + 8, EndDates[(pick >> 4) % std::size(EndDates)]);
                    f.ListeTickets.Put(pos + 9, Ends[(pick >> 1) % std::size(Ends)]);
                }
            }
            break;
        }
        case 15: {
            const int pick = next();
            if (!operatorMay())
                break;
            QLineEdit* edits[] = {f.Edit33, f.Edit36, f.Edit37};
            f.PageControl1->setCurrentWidget(f.TabSheet5);
            edits[pick % 3]->setText(Ends[(pick >> 2) % std::size(Ends)]);
            break;
        }
        }
        // What the server keeps per connection stays bounded.
        for (TClientPoste* c : Clients)
            if (c->Trame.Retenus() > TrameLignes::LongueurMax || !c->Attente.empty())
                std::abort();
    }
    if (f.Occupation.size() != 256)
        std::abort();
    // What the widgets posted (layouts, repaints) is handled, as the program's event loop does.
    QCoreApplication::sendPostedEvents();
    return 0;
}
