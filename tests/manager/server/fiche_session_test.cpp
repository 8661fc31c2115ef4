// Sessions on loopback: "connect" opens a cash ticket through the card file's own operations,
// "time" answers its minutes and warns before its end, "quit" closes and prices it; the ticket
// survives a save and a reload. A session's ticket is found by its number and closed once.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include "platform/textfile.h"
#include "server_fixture.h"

using namespace serveur_test;

namespace {

const QString Ouvert = NoTime;

TEST_F(Serveur, ASessionEndsInAPricedTicketThatSurvivesASaveAndAReload)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    ASSERT_EQ(fiche->NbTickets, 2);
    QStringList opened = Ticket(1);
    EXPECT_EQ(opened.mid(0, 9),
              QStringList({"NUMT202403002", "10001", "DUPONT", "10001", "PC1", "15/03/2024", "10:30", NoDate, NoTime}));
    // The card shows the session's ticket, and the machine is busy in the room.
    EXPECT_EQ(fiche->IndexTicket, 1);
    EXPECT_EQ(fiche->Edit28->text(), "202403002");
    EXPECT_EQ(fiche->Occupation[0], 1);
    ASSERT_EQ(fiche->ListView1->count(), 3);
    EXPECT_EQ(fiche->ListView1->item(0)->text(), "PC1");
    EXPECT_EQ(fiche->ListView1->item(0)->data(Qt::UserRole).toInt(), 1);
    EXPECT_EQ(fiche->ListView1->item(1)->data(Qt::UserRole).toInt(), 0);

    EXPECT_EQ(poste->Demande("config"), "Config YYNNYNNNYN");
    clock.Advance(25 * 60);
    EXPECT_EQ(poste->Demande("time"), "Time 25");
    EXPECT_EQ(poste->Demande("quit"), "DUPONT bye ");

    const QStringList closed = Ticket(1);
    ASSERT_EQ(closed.size(), 16);
    EXPECT_EQ(closed.mid(5, 5), QStringList({"15/03/2024", "10:30", "15/03/2024", "10:55", "25"}));
    EXPECT_EQ(closed[10].trimmed(), "2,00");  // 16 to 30 minutes
    EXPECT_EQ(closed[15], "N");               // not booked: the operator does that
    EXPECT_EQ(fiche->Occupation[0], 0);
    EXPECT_EQ(fiche->ListView1->item(0)->data(Qt::UserRole).toInt(), 0);
    EXPECT_TRUE(fiche->DoitSauver);

    QTemporaryDir folder;
    const QString path = folder.filePath("cafe.vtr");
    ASSERT_TRUE(fiche->Sauve(path));
    TFiche reloaded;
    ASSERT_TRUE(reloaded.Charge(path));
    EXPECT_EQ(reloaded.NbTickets, 2);
    EXPECT_EQ(reloaded.ListeTickets.ToStringList(), fiche->ListeTickets.ToStringList());
}

TEST_F(Serveur, ASubscriberSessionHasNoTimePrice)
{
    auto poste = Connecte();
    Session(*poste, "martin", "secret", "pc10");
    EXPECT_EQ(Ticket(1).mid(1, 4), QStringList({"10002", "MARTIN", "10002", "PC10"}));
    EXPECT_EQ(Ticket(1)[14], "Y");
    clock.Advance(50 * 60);
    EXPECT_EQ(poste->Demande("quit"), "MARTIN bye ");
    EXPECT_EQ(Ticket(1)[9], "50");
    EXPECT_EQ(Ticket(1)[10], "");
}

// The anonymous login opens a ticket of no customer, under the anonymous word, even though a
// customer has no login.
TEST_F(Serveur, TheAnonymousSessionBelongsToNoCustomer)
{
    auto poste = Connecte();
    EXPECT_EQ(poste->Demande("login"), "vimor OK ");
    EXPECT_EQ(poste->Demande("passw"), "Passw OK");
    EXPECT_EQ(poste->Demande("hostn pc2"), "Host OK");
    EXPECT_EQ(poste->Demande("connect"), "Connect OK ");
    EXPECT_EQ(Ticket(1).mid(1, 4), QStringList({"00000", "vimor", "10003", "pc2"}));
    EXPECT_EQ(fiche->Occupation[2], 1);
}

// No ticket, no busy machine, no closing without a granted login; the replies keep the pairing.
TEST_F(Serveur, NoSessionWithoutAGrantedLogin)
{
    struct Case {
        const char* name;
        QList<QByteArray> before;  // requests whose replies do not matter here
    } cases[] = {
        {"no login", {"hostn PC1"}},
        {"unknown login", {"login nobody", "passw pw", "hostn PC1"}},
        {"wrong password", {"login jdupont", "passw nope", "hostn PC1"}},
        {"the anonymous word typed", {"login vimor", "passw", "hostn PC1"}},
        {"granted, then a wrong password", {"login jdupont", "passw pw", "passw nope", "hostn PC1"}},
        {"granted, then another login", {"login jdupont", "passw pw", "login martin", "hostn PC1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto poste = Connecte();
        for (const QByteArray& request : c.before)
            poste->Conn().SendAll(request + "\r\n");
        poste->Conn().SendAll("connect\r\nverif\r\n");
        QByteArray line;
        do
            line = poste->Ligne();
        while (line != "Connect OK " && line != "<nothing>");
        EXPECT_EQ(line, "Connect OK ");
        EXPECT_TRUE(poste->Ligne().startsWith("127.0.0.1\t"));
        EXPECT_EQ(fiche->NbTickets, 1);
        EXPECT_EQ(fiche->Occupation[0], 0);
        fiche->Occupation[0] = 1;  // a machine busy for someone else stays busy
        EXPECT_EQ(poste->Demande("quit"), fiche->Edit33->text().toLatin1() + " bye ");
        EXPECT_EQ(fiche->Occupation[0], 1);
        EXPECT_EQ(Ticket(0)[8], NoTime);
        fiche->Occupation[0] = 0;
        poste->Ferme();
        ASSERT_TRUE(PumpUntil([&] { return fiche->ListeConnexions.isEmpty(); }));
    }
}

TEST_F(Serveur, TwoWorkstationsHaveTheirOwnSessions)
{
    // One address is a prefix of the other.
    auto a = Connecte("127.0.0.2");
    auto b = Connecte("127.0.0.20");
    Session(*a, "jdupont", "pw", "PC1");
    Session(*b, "martin", "Secret", "PC10");
    EXPECT_EQ(fiche->ListeConnexions.size(), 2);
    EXPECT_EQ(Ticket(1)[4], "PC1");
    EXPECT_EQ(Ticket(2)[4], "PC10");
    EXPECT_EQ(fiche->Occupation.left(3), QByteArray("\1\1\0", 3));
    clock.Advance(10 * 60);
    EXPECT_EQ(a->Demande("quit"), "DUPONT bye ");
    EXPECT_EQ(Ticket(1)[8], "10:40");
    EXPECT_EQ(Ticket(2)[8], NoTime);
    EXPECT_EQ(fiche->Occupation.left(3), QByteArray("\0\1\0", 3));
    EXPECT_EQ(b->Demande("time"), "Time 10");
}

TEST_F(Serveur, ADisconnectWithoutQuitLeavesTheTicketOpenAndTheMachineBusy)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    clock.Advance(5 * 60);
    poste->Ferme();
    ASSERT_TRUE(PumpUntil([&] { return fiche->SrvSocket->CountClients() == 0; }));
    EXPECT_TRUE(fiche->ListeConnexions.isEmpty());
    EXPECT_EQ(Ticket(1)[8], NoTime);
    EXPECT_EQ(fiche->Occupation[0], 1);
    const QStringList log = Log();
    EXPECT_EQ(log.mid(log.size() - 2),
              QStringList({"Client déconnecté: 127.0.0.1 Durée: 00:05:00", "Actuellement 0 clients connectés."}));
}

// The entry belongs to the address: the next connection from it starts afresh.
TEST_F(Serveur, AConnectionAfterADisconnectStartsAfresh)
{
    auto first = Connecte();
    Session(*first, "jdupont", "pw", "PC1");
    first->Ferme();
    ASSERT_TRUE(PumpUntil([&] { return fiche->ListeConnexions.isEmpty(); }));
    auto second = Connecte();
    EXPECT_EQ(second->Demande("time"), "Time 0");
    EXPECT_EQ(second->Demande("verif"), "127.0.0.1");
}

TEST_F(Serveur, ElapsedMinutesCountAcrossMidnight)
{
    clock.Set(QDateTime(QDate(2024, 3, 15), QTime(23, 50)));
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    clock.Set(QDateTime(QDate(2024, 3, 16), QTime(0, 10)));
    EXPECT_EQ(poste->Demande("time"), "Time 20");
    // Whole minutes, the nearest.
    clock.Set(QDateTime(QDate(2024, 3, 16), QTime(0, 10, 20)));
    EXPECT_EQ(poste->Demande("time"), "Time 20");
    clock.Set(QDateTime(QDate(2024, 3, 16), QTime(0, 10, 40)));
    EXPECT_EQ(poste->Demande("time"), "Time 21");
}

// The operator gives the ticket an end: fewer than two minutes before it the workstation is
// warned at each poll, and once it has passed it is told to close as well.
TEST_F(Serveur, TheEndOfATicketIsWarnedAndThenClosed)
{
    struct Case {
        const char* name;
        QDateTime start;
        QString endDate, endTime;
        QDateTime poll;
        QList<QByteArray> lines;  // after the "Time" reply
    };
    const QByteArray warning = textfile::EncodeCp1252("Msg PC1 Attention bientôt déconnecté");
    const QDate day(2024, 3, 15), next(2024, 3, 16);
    const Case cases[] = {
        {"far", {day, {10, 0}}, "15/03/2024", "11:00", {day, {10, 30}}, {}},
        {"one minute ahead", {day, {10, 0}}, "15/03/2024", "10:31", {day, {10, 30}}, {warning}},
        {"passed by less than half a minute", {day, {10, 0}}, "15/03/2024", "10:30", {day, {10, 30, 20}}, {warning}},
        {"passed", {day, {10, 0}}, "15/03/2024", "10:30", {day, {10, 30, 40}}, {warning, "Close PC1"}},
        {"after midnight, not near", {day, {23, 50}}, "16/03/2024", "00:05", {day, {23, 58}}, {}},
        {"after midnight, passed", {day, {23, 50}}, "16/03/2024", "00:05", {next, {0, 10}}, {warning, "Close PC1"}},
        {"no date: the time of day", {day, {10, 0}}, NoDate, "10:31", {day, {10, 30}}, {warning}},
        {"no end", {day, {10, 0}}, NoDate, NoTime, {day, {10, 30}}, {}},
        {"unreadable end", {day, {10, 0}}, "15/03/2024", "1x:3y", {day, {10, 30}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.Set(c.start);
        auto poste = Connecte();
        Session(*poste, "jdupont", "pw", "PC1");
        const int pos = fiche->ListeTickets.FindBlock(fiche->NbTickets - 1);
        fiche->ListeTickets.Put(pos + 8, c.endDate);
        fiche->ListeTickets.Put(pos + 9, c.endTime);
        clock.Set(c.poll);
        for (int poll = 0; poll < 2; ++poll) {
            EXPECT_TRUE(poste->Demande("time").startsWith("Time "));
            for (const QByteArray& line : c.lines)
                EXPECT_EQ(poste->Ligne(), line);
            EXPECT_EQ(poste->Demande("verif").left(10), "127.0.0.1\t");
        }
        poste->Ferme();
        ASSERT_TRUE(PumpUntil([&] { return fiche->ListeConnexions.isEmpty(); }));
    }
}

// A stored start time that does not read neither stops the poll nor raises a box; the session
// still closes, with its end and without minutes.
TEST_F(Serveur, AnUnreadableStartTimeCountsAsNone)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    const int pos = fiche->ListeTickets.FindBlock(1);
    fiche->ListeTickets.Put(pos + 7, "2x:99");
    EXPECT_EQ(poste->Demande("time"), "Time 0");
    EXPECT_EQ(poste->Demande("quit"), "DUPONT bye ");
    EXPECT_EQ(Ticket(1).mid(7, 4), QStringList({"15/03/2024", "10:30", "", ""}));
    EXPECT_EQ(poste->Demande("time"), "Time 0");
}

TEST_F(Serveur, ATicketIsClosedOnce)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    // A second "connect" while the ticket is open opens nothing.
    EXPECT_EQ(poste->Demande("connect"), "Connect OK ");
    EXPECT_EQ(fiche->NbTickets, 2);
    clock.Advance(20 * 60);
    EXPECT_EQ(poste->Demande("quit"), "DUPONT bye ");
    const QStringList closed = Ticket(1);
    clock.Advance(40 * 60);
    EXPECT_EQ(poste->Demande("quit"), "DUPONT bye ");
    EXPECT_EQ(Ticket(1), closed);
    EXPECT_EQ(fiche->ListeTickets.StartLineCount(), 2);
    // Once closed, the next "connect" is a new session with a new ticket.
    EXPECT_EQ(poste->Demande("connect"), "Connect OK ");
    EXPECT_EQ(Ticket(2)[0], "NUMT202403003");
}

TEST_F(Serveur, ABookedTicketIsNotClosedAgain)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    const int pos = fiche->ListeTickets.FindBlock(1);
    fiche->ListeTickets.Put(pos + 16, "Y");
    const QStringList booked = Ticket(1);
    clock.Advance(20 * 60);
    poste->Demande("quit");
    EXPECT_EQ(Ticket(1), booked);
}

// Deleting an earlier ticket renumbers the session's: it is found by its number and closed there.
// Deleting the session's own ticket leaves nothing to close, and no block is made for it.
TEST_F(Serveur, TheSessionsTicketIsFoundByItsNumber)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    fiche->PageControl1->setCurrentWidget(fiche->TabSheet5);
    fiche->IndexTicket = 0;
    fiche->LitCaisse();
    fiche->Supprime();
    ASSERT_EQ(fiche->NbTickets, 1);
    ASSERT_EQ(Ticket(0)[0], "NUMT202403002");
    clock.Advance(16 * 60);
    EXPECT_EQ(poste->Demande("time"), "Time 16");
    EXPECT_EQ(poste->Demande("verif"), "127.0.0.1\tjdupont\t\tPC1\t0");
    EXPECT_EQ(poste->Demande("quit"), "DUPONT bye ");
    EXPECT_EQ(Ticket(0)[8], "10:46");
    EXPECT_EQ(fiche->ListeTickets.StartLineCount(), 1);

    EXPECT_EQ(poste->Demande("connect"), "Connect OK ");
    ASSERT_EQ(fiche->NbTickets, 2);
    fiche->IndexTicket = 1;
    fiche->LitCaisse();
    fiche->Supprime();
    const QStringList lines = fiche->ListeTickets.ToStringList();
    EXPECT_EQ(poste->Demande("time"), "Time 0");
    poste->Demande("quit");
    EXPECT_EQ(fiche->ListeTickets.ToStringList(), lines);
    EXPECT_EQ(fiche->NbTickets, 1);
    EXPECT_EQ(fiche->Occupation[0], 0);
}

// The operator's new ticket, still blank, takes the session: its number gets its block, and the
// next new ticket follows it.
TEST_F(Serveur, ABlankNewTicketTakesTheSession)
{
    fiche->PageControl1->setCurrentWidget(fiche->TabSheet5);
    fiche->Ajout();
    ASSERT_EQ(fiche->NbTickets, 2);
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    EXPECT_EQ(fiche->NbTickets, 2);
    EXPECT_EQ(Ticket(1)[0], "NUMT202403002");
    fiche->Ajout();
    EXPECT_EQ(fiche->NbTickets, 3);
    EXPECT_EQ(fiche->Edit28->text(), "202403003");
}

// A session keeps the machine it opened on: another host name is not taken, and gets no reply.
TEST_F(Serveur, ASessionKeepsItsMachine)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC1");
    EXPECT_EQ(poste->SansReponse("hostn PC10"), "Time 0");
    EXPECT_EQ(poste->Demande("verif"), "127.0.0.1\tjdupont\t\tPC1\t1");
    EXPECT_EQ(poste->Demande("quit"), "DUPONT bye ");
    EXPECT_EQ(fiche->Occupation.left(2), QByteArray("\0\0", 2));
}

// A granted session that opened no ticket frees its machine at "quit" (one left busy by a
// workstation that went away without "quit"), and closes nothing.
TEST_F(Serveur, AQuitWithoutTicketFreesTheSessionsMachine)
{
    fiche->Occupation[0] = 1;
    auto poste = Connecte();
    EXPECT_EQ(poste->Demande("login jdupont"), "Login OK");
    EXPECT_EQ(poste->Demande("passw pw"), "Passw OK");
    EXPECT_EQ(poste->Demande("hostn pc1"), "Host OK");
    const QStringList lines = fiche->ListeTickets.ToStringList();
    EXPECT_TRUE(poste->Demande("quit").endsWith(" bye "));
    EXPECT_EQ(fiche->Occupation[0], 0);
    EXPECT_EQ(fiche->ListeTickets.ToStringList(), lines);
    EXPECT_EQ(fiche->NbTickets, 1);
}

// An unknown host gives a ticket without a machine and marks nothing; an empty host is nobody's.
TEST_F(Serveur, AnUnknownMachineIsNotMarked)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC");
    EXPECT_EQ(Ticket(1).mid(3, 2), QStringList({"", ""}));
    EXPECT_EQ(fiche->Occupation.count('\1'), 0);
    auto other = Connecte("127.0.0.3");
    EXPECT_EQ(other->Demande("login jdupont"), "Login OK");
    EXPECT_EQ(other->Demande("passw pw"), "Passw OK");
    EXPECT_EQ(other->Demande("connect"), "Connect OK ");
    EXPECT_EQ(Ticket(2).mid(3, 2), QStringList({"", ""}));
    EXPECT_EQ(fiche->Occupation.count('\1'), 0);
    EXPECT_EQ(other->Demande("config"), "Config NAK ");
}

// A full ticket list is told to the operator once, whoever asks meanwhile; the box lets the other
// workstations' requests run, and no "connect" is answered.
class PumpingDialogs : public platform::DialogService {
public:
    std::function<void()> whileShown;
    QStringList shown;
    int messageDlg(const QString& text, platform::MsgDlgType, int) override { return fail(text); }
    void showMessage(const QString& text) override
    {
        shown << text;
        if (whileShown)
            whileShown();
    }
    QString inputBox(const QString& caption, const QString&, const QString&) override
    {
        return fail(caption), QString();
    }
    QString openFile(const QString&, const QString&, const QString&) override { return fail("open"), QString(); }
    QString saveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return fail("save"), QString();
    }
    bool printerSetup() override { return fail("printer"); }
    int exec(QDialog*) override { return fail("dialog"); }

private:
    int fail(const QString& what)
    {
        ADD_FAILURE() << "unexpected dialog " << what.toStdString();
        return 0;
    }
};

TEST_F(Serveur, AFullTicketListIsToldOnceAtATime)
{
    Set(TFiche::KTicket, Block(98998, cards::TicketFields("202403001"), 5));
    fiche->NbTickets = 98999;
    auto a = Connecte("127.0.0.2");
    auto b = Connecte("127.0.0.3");
    for (Poste* poste : {a.get(), b.get()}) {
        EXPECT_EQ(poste->Demande("login jdupont"), "Login OK");
        EXPECT_EQ(poste->Demande("passw pw"), "Passw OK");
        EXPECT_EQ(poste->Demande("hostn PC1"), "Host OK");
    }
    PumpingDialogs boxes;
    boxes.whileShown = [&] {
        // While the box is up, the other workstation asks too and is served.
        EXPECT_EQ(b->SansReponse("connect"), "Time 0");
    };
    platform::SetDialogs(&boxes);
    EXPECT_EQ(a->SansReponse("connect"), "Time 0");
    platform::SetDialogs(&dialogs);
    EXPECT_EQ(boxes.shown, QStringList({"Le fichier est plein"}));
    EXPECT_EQ(fiche->NbTickets, 98999);
    EXPECT_EQ(fiche->ListeTickets.StartLineCount(), 1);
    EXPECT_EQ(fiche->Occupation.count('\1'), 0);
}

}  // namespace
