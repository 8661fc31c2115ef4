// "Valider" books a ticket onto its customer's account: history line, last visit, minutes left,
// subscription stamps, and the ticket marked booked.
#include <gtest/gtest.h>
#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include "manager/cardfile/fiche.h"
#include "platform/widgets/stringgrid.h"
#include "support/blocks.h"
#include "support/card_fixture.h"
#include "support/clock.h"
#include "support/dialog_driver.h"
#include "support/scripted_dialogs.h"

using namespace cards;
using rtl::Trim;

namespace {

struct ClientTest {
    QString code;
    QString nom;
    QString minutesDispo;
    QString abonnementDu = "  /  /    ";
    QString abonnementAu = "  /  /    ";
    QStringList tampons = {};  // GRID lines, without the prefix
};

// A customer block with its stamp lines.
QStringList BlocClient(int n, const ClientTest& c)
{
    QStringList tampons;
    for (const QString& t : c.tampons)
        tampons << "GRID" + t;
    return Block(n, CustomerRecord{.code = c.code,
                                   .name = c.nom,
                                   .address = "1 rue Basse",
                                   .postalCode = "69001",
                                   .town = "LYON",
                                   .country = "France",
                                   .phone = "04 78 00 00 00",
                                   .login = "login" + c.code,
                                   .password = "pw",
                                   .minutes = "600",
                                   .minutesLeft = c.minutesDispo,
                                   .subscribedFrom = c.abonnementDu,
                                   .subscribedTo = c.abonnementAu,
                                   .more = tampons});
}

QStringList Prefixed(const QStringList& block, const QString& prefix)
{
    QStringList found;
    for (const QString& line : block)
        if (line.startsWith(prefix))
            found << line.mid(prefix.size());
    return found;
}

class Validation : public ::testing::Test {
protected:
    Validation()
    {
        // A code that merely begins with the ticket's comes first.
        Clients({{"100030", "AVANT", "300", "01/01/2024", "31/12/2024"},
                 {"10001", "DUPONT", "60"},
                 {"10003", "LEROY", "120", "01/03/2024", "31/03/2024"}});
        f.PageControl1->setCurrentWidget(f.TabSheet5);
        f.LitCaisse();
        Ticket("10003", "LEROY", "25", "   2,50");
    }
    void Clients(const std::vector<ClientTest>& clients)
    {
        QStringList lines;
        for (int n = 0; n < int(clients.size()); ++n)
            lines += BlocClient(n, clients[n]);
        f.ListeClients = lines;
        f.NbClients = int(clients.size());
        f.IndexClient = 0;
        f.LitFiche();
    }
    // A fresh ticket card, then the ticket typed on it.
    void NouveauTicket(const QString& code, const QString& nom, const QString& minutes, const QString& prix)
    {
        f.ListeTickets.Clear();
        f.NbTickets = f.IndexTicket = 0;
        f.LitCaisse();
        Ticket(code, nom, minutes, prix);
    }
    void Ticket(const QString& code, const QString& nom, const QString& minutes, const QString& prix)
    {
        f.Edit28->setText("202403001");
        f.Edit32->setText(code);
        f.Edit33->setText(nom);
        f.Edit36->setText(minutes);
        f.Edit37->setText(prix);
    }
    QStringList Client(int n) const { return BlockOf(f.ListeClients, n); }
    QStringList TicketBloc() const { return BlockOf(f.ListeTickets, 0); }
    bool Reserve() const { return TicketBloc().value(16) == "Y"; }

    // The day of the bookings, which the last visits, histories and subscription stamps show.
    ScopedClock clock{QDateTime(QDate(2024, 3, 5), QTime(14, 7, 30))};
    ScriptedDialogs dialogs;
    TFiche f;
};

TEST_F(Validation, BooksTheTicketOntoItsCustomer)
{
    const QStringList autre = Client(0);
    f.Button5->click();

    EXPECT_TRUE(Reserve());
    EXPECT_EQ(f.TicketValide, "Y");
    EXPECT_FALSE(f.Button5->isEnabled());
    EXPECT_FALSE(f.StringGrid5->isEnabled());
    // What was booked takes no typing from now on; the comment does.
    for (QLineEdit* booked : {f.Edit32, f.Edit33, f.Edit36, f.Edit37, f.Edit42})
        EXPECT_TRUE(booked->isReadOnly()) << booked->objectName().toStdString();
    EXPECT_FALSE(f.SpeedButton7->isEnabled());
    EXPECT_FALSE(f.Memo4->isReadOnly());
    EXPECT_TRUE(f.DoitSauver);

    const QStringList client = Client(2);
    ASSERT_FALSE(client.isEmpty());
    EXPECT_EQ(client[16], "95");          // minutes left
    EXPECT_EQ(client[18], "05/03/2024");  // last visit
    EXPECT_EQ(client[19], "14:07");
    const QStringList historique = Prefixed(client, "DATA");
    ASSERT_EQ(historique.size(), 1);
    const QStringList h = historique[0].split('\t');
    ASSERT_EQ(h.size(), 3);
    EXPECT_EQ(h[0], "05/03/2024");
    EXPECT_EQ(h[1], "Ticket 202403001");
    EXPECT_EQ(Trim(h[2]), "2,50");
    EXPECT_EQ(Prefixed(client, "GRID"), QStringList{"05/03\t05/03\t05/03\t\t\t"});
    EXPECT_EQ(f.IndexClient, 2);

    EXPECT_EQ(Client(0), autre);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// The booked mark reaches the ticket's block at once, also when the ticket was only read.
TEST_F(Validation, TheBookedMarkIsWrittenAtOnce)
{
    f.ListeTickets =
        QStringList{"<BLOC00000>", "NUMT202403007", "10003", "LEROY",   "1", "POSTE1", "05/03/2024", "13:00",
                    "05/03/2024",  "13:25",         "25",    "   2,20", "",  "",       "N",          "N",
                    "N",           "</BLOC00000>"};
    f.NbTickets = 1;
    f.IndexTicket = 0;
    f.LitCaisse();
    ASSERT_FALSE(f.ModifTicket);
    f.Button5->click();
    EXPECT_EQ(TicketBloc().value(16), "Y");
    EXPECT_EQ(TicketBloc().value(1), "NUMT202403007");
    EXPECT_EQ(Prefixed(Client(2), "DATA").value(0).section('\t', 1, 1), "Ticket 202403007");
}

TEST_F(Validation, OneStampPerTenMinutes)
{
    const struct {
        const char* minutes;
        QStringList grid;
    } cases[] = {
        {"4", {}},
        {"5", {"05/03\t\t\t\t\t"}},
        {"14", {"05/03\t\t\t\t\t"}},
        {"15", {"05/03\t05/03\t\t\t\t"}},
        {"65", {"05/03\t05/03\t05/03\t05/03\t05/03\t05/03", "05/03\t\t\t\t\t"}},
    };
    for (const auto& c : cases) {
        Clients({{"10003", "LEROY", "120", "01/03/2024", "31/03/2024"}});
        NouveauTicket("10003", "LEROY", c.minutes, "   1,00");
        f.Button5->click();
        EXPECT_EQ(Prefixed(Client(0), "GRID"), c.grid) << c.minutes;
    }
}

TEST_F(Validation, StampsFillTheFreeCellsAndThoseBeyondAreLost)
{
    const QString plein = "01/03\t01/03\t01/03\t01/03\t01/03\t01/03";
    Clients({{"10003",
              "LEROY",
              "120",
              "01/03/2024",
              "31/03/2024",
              {plein, "01/03\t\t01/03\t01/03\t01/03\t01/03", plein, plein, plein}}});
    f.Button5->click();  // 25 minutes: three stamps, one free cell
    const QStringList grid = Prefixed(Client(0), "GRID");
    ASSERT_EQ(grid.size(), 5);
    EXPECT_EQ(grid[1], "01/03\t05/03\t01/03\t01/03\t01/03\t01/03");
    EXPECT_EQ(Client(0)[16], "95");
}

TEST_F(Validation, TheSubscriptionMustCoverToday)
{
    const struct {
        const char* du;
        const char* au;
        bool tampons;
    } cases[] = {
        {"05/03/2024", "05/03/2024", true},  {"01/02/2024", "04/03/2024", false}, {"06/03/2024", "31/12/2024", false},
        {"  /  /    ", "  /  /    ", false}, {"01/12/2023", "31/01/2025", true},
    };
    for (const auto& c : cases) {
        Clients({{"10003", "LEROY", "120", c.du, c.au}});
        NouveauTicket("10003", "LEROY", "25", "   2,50");
        f.Button5->click();
        EXPECT_EQ(!Prefixed(Client(0), "GRID").isEmpty(), c.tampons) << c.du << " " << c.au;
        EXPECT_EQ(Client(0)[18], "05/03/2024") << "the customer is written anyway";
        EXPECT_EQ(Client(0)[16], "95");
    }
}

TEST_F(Validation, TicketsThatAreNotBooked)
{
    const struct {
        const char* nom;
        const char* code;
        const char* client;
        const char* valide;
    } cases[] = {
        {"already booked", "10003", "LEROY", "Y"},   {"no customer", "00000", "LEROY", "N"},
        {"no such customer", "99999", "LEROY", "N"}, {"no customer code", "", "LEROY", "N"},
        {"anonymous login", "10003", "Vimor", "N"},  {"anonymous login", "10003", "VIMOR", "N"},
    };
    for (const auto& c : cases) {
        const QStringList avant = f.ListeClients;
        NouveauTicket(c.code, c.client, "25", "   2,50");
        f.TicketValide = c.valide;
        f.ModifTicket = f.DoitSauver = false;
        f.Button5->click();
        EXPECT_EQ(QStringList(f.ListeClients), avant) << c.nom;
        EXPECT_EQ(f.ListeTickets.Count(), 0) << c.nom;
        EXPECT_FALSE(f.ModifTicket) << c.nom;
        EXPECT_FALSE(f.DoitSauver) << c.nom;
    }
}

TEST_F(Validation, ATicketOfNoCustomerCanBeBookedOnceOneIsPicked)
{
    Ticket("00000", "vimor", "25", "   2,50");
    f.Button5->click();
    EXPECT_TRUE(f.Button5->isEnabled());
    EXPECT_EQ(f.TicketValide, "N");
    Ticket("10003", "LEROY", "25", "   2,50");
    f.Button5->click();
    EXPECT_TRUE(Reserve());
    EXPECT_EQ(Client(2)[16], "95");
}

// The code must be the customer's whole code; an empty one is nobody's. A ticket whose code is
// nobody's stays unbooked, to be booked once its customer is picked.
TEST_F(Validation, TheCustomersCodeMustEqualTheTickets)
{
    const struct {
        const char* code;
        int client;  // the block booked onto, or -1
    } cases[] = {{"1000", -1}, {"10003", 2}, {" 10003 ", 2}, {"", -1}, {"   ", -1}, {"1000300", -1}};
    for (const auto& c : cases) {
        Clients({{"100030", "AVANT", "300", "01/01/2024", "31/12/2024"},
                 {"10001", "DUPONT", "60"},
                 {"10003 ", "LEROY", "120"},
                 {"", "SANS CODE", "90"}});
        RecordList avant(4);
        avant = QStringList(f.ListeClients);
        NouveauTicket(c.code, "LEROY", "25", "   2,50");
        f.Button5->click();
        EXPECT_EQ(Reserve(), c.client >= 0) << c.code;
        EXPECT_EQ(f.Button5->isEnabled(), c.client < 0) << c.code;
        for (int n = 0; n < 4; ++n) {
            if (n == c.client)
                EXPECT_EQ(Client(n)[16], "95") << c.code;
            else
                EXPECT_EQ(Client(n), BlockOf(avant, n)) << c.code << " customer " << n;
        }
    }
}

TEST_F(Validation, ASubscribersTicketAddsNoHistoryLine)
{
    Ticket("10003", "LEROY", "25", "");
    f.Button5->click();
    const QStringList client = Client(2);
    EXPECT_TRUE(Prefixed(client, "DATA").isEmpty());
    EXPECT_EQ(client[22], "Ticket 202403001");  // left in the history entry
    EXPECT_EQ(client[16], "95");
    EXPECT_EQ(Prefixed(client, "GRID").size(), 1);
}

TEST_F(Validation, ACustomerWithoutMinutesLeftKeepsNone)
{
    Clients({{"10003", "LEROY", ""}});
    f.Button5->click();
    EXPECT_EQ(Client(0)[16], "");
    EXPECT_EQ(Client(0)[18], "05/03/2024");
    EXPECT_EQ(Prefixed(Client(0), "DATA").size(), 1);
}

TEST_F(Validation, MinutesLeftMayGoBelowNothing)
{
    Clients({{"10003", "LEROY", "10"}});
    f.Button5->click();
    EXPECT_EQ(Client(0)[16], "-15");
}

// A number that does not convert stops the booking before anything changed: the ticket can be
// corrected and booked.
TEST_F(Validation, ANumberThatDoesNotConvertBooksNothing)
{
    const struct {
        const char* minutes;
        const char* prix;
        const char* dispo;
        const char* message;
    } cases[] = {
        {"2x", "   2,50", "120", "'2x' is not a valid integer value"},
        {"25", "2,5,0", "120", "'2,5,0' is not a valid floating point value"},
        {"25", "   2,50", "1h", "'1h' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        Clients({{"10003", "LEROY", c.dispo, "01/03/2024", "31/03/2024"}});
        const QStringList avant = f.ListeClients;
        NouveauTicket("10003", "LEROY", c.minutes, c.prix);
        dialogs.message(c.message);
        f.Button5->click();
        EXPECT_EQ(f.TicketValide, "N") << c.message;
        EXPECT_TRUE(f.Button5->isEnabled()) << c.message;
        EXPECT_EQ(QStringList(f.ListeClients), avant) << c.message;
        EXPECT_TRUE(dialogs.done());
    }
}

// Only the numbers the booking uses are checked: minutes left are not read for a ticket without
// minutes, and the ticket's minutes not for a customer with neither minutes left nor a
// subscription covering today.
TEST_F(Validation, ANumberTheBookingDoesNotUseDoesNotStopIt)
{
    const struct {
        const char* minutes;
        const char* dispo;
        const char* du;
        const char* au;
    } cases[] = {
        {"", "1h", "01/03/2024", "31/03/2024"},
        {"2x", "", "01/02/2024", "04/03/2024"},
        {"2x", "", "  /  /    ", "  /  /    "},
    };
    for (const auto& c : cases) {
        Clients({{"10003", "LEROY", c.dispo, c.du, c.au}});
        NouveauTicket("10003", "LEROY", c.minutes, "   2,50");
        f.Button5->click();
        EXPECT_TRUE(Reserve()) << c.minutes << " " << c.dispo;
        const QStringList client = Client(0);
        EXPECT_EQ(client.value(16), c.dispo) << c.minutes << " " << c.dispo;
        EXPECT_EQ(client.value(18), "05/03/2024") << c.minutes << " " << c.dispo;
        EXPECT_EQ(Prefixed(client, "DATA").size(), 1) << c.minutes << " " << c.dispo;
        EXPECT_TRUE(Prefixed(client, "GRID").isEmpty()) << c.minutes << " " << c.dispo;
        EXPECT_TRUE(dialogs.shown.isEmpty()) << c.minutes << " " << c.dispo;
    }
}

TEST_F(Validation, TheCustomerCardShownIsWrittenBeforeTheBooking)
{
    f.IndexClient = 1;
    f.LitFiche();
    f.Edit8->setText("06 00 00 00 00");
    ASSERT_TRUE(f.ModifClient);
    f.Button5->click();
    EXPECT_EQ(Client(1)[10], "06 00 00 00 00");
    EXPECT_EQ(Client(2)[16], "95");
}

// ---- a ticket from the counter to the customer's account and back from disk ----------------

void Tarifs(TFiche& f)
{
    SetTariffs(f, {.TarifQuartHeure = 1.10,
                   .TarifDemiHeure = 2.20,
                   .TarifTroisQuarts = 3.30,
                   .TarifHeure = 4.40,
                   .TarifQuartSup = 0.75});
    f.CodeBouton1 = "20001";
}

TEST(CounterTicket, TypedPricedBookedSavedAndReadBack)
{
    // The counter's day, the same as the bookings above; the session starts and ends on seconds.
    ScopedClock clock{QDateTime(QDate(2024, 3, 5), QTime(14, 0, 20))};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString set = dir.filePath("cafe.vtr");
    ScriptedDialogs dialogs;
    QStringList clientReserve;
    {
        TFiche f;
        Tarifs(f);
        f.ListeClients = BlocClient(0, {"10001", "DUPONT", "120", "01/03/2024", "31/03/2024"})
                         + BlocClient(1, {"10002", "MARTIN", "60"});
        // This customer has bought no minutes: the ticket is priced by the tariff table.
        f.ListeClients.Put(15, "");
        f.NbClients = 2;
        f.ListePostes =
            QStringList{"<BLOC0000>", "1", "POSTE-A", "</BLOC0000>", "<BLOC0001>", "2", "POSTE-B", "</BLOC0001>"};
        f.NbPostes = 2;
        f.ListeArticles = QStringList{"<BLOC0000>", "20001",  "SERVICES", "Impression A4", "   0,20",
                                      "1",          "706000", "",         "</BLOC0000>"};
        f.NbArticles = 1;
        f.resize(800, 500);
        ASSERT_TRUE(ShowActive(f));
        f.Caisse();
        EXPECT_EQ(f.Edit28->text(), "202403001");

        dialogs.dialog("TListeCli", ChooseRow(0));
        f.SpeedButton4->click();
        dialogs.dialog("TListePst", ChooseRow(1));
        f.SpeedButton5->click();
        EXPECT_EQ(f.Edit33->text(), "DUPONT");
        EXPECT_EQ(f.Edit35->text(), "POSTE-B");
        EXPECT_FALSE(f.CheckBox15->isChecked());

        f.SpeedButton6->click();
        clock.Set(QDateTime(QDate(2024, 3, 5), QTime(14, 25, 5)));
        f.SpeedButton7->click();
        EXPECT_EQ(f.Edit36->text(), "25");
        EXPECT_EQ(Trim(f.Edit37->text()), "2,20");

        f.StringGrid5->setFocus();
        f.StringGrid5->setCurrentCell(0, 0);
        f.SpeedButton8->click();
        QWidget* editeur = f.StringGrid5->CellEditor();
        ASSERT_NE(editeur, nullptr);
        QTest::keyClicks(editeur, "3");
        QTest::keyClick(editeur, Qt::Key_Return);
        EXPECT_EQ(f.StringGrid5->Cells(0, 1), "Impression A4");
        EXPECT_EQ(Trim(f.StringGrid5->Cells(3, 1)), "0,60");
        EXPECT_EQ(f.Label63->text(), "0,60");
        EXPECT_EQ(Trim(f.Edit37->text()), "2,80");  // the tariff's half hour and the details

        f.Button5->click();
        EXPECT_FALSE(f.Button5->isEnabled());
        clientReserve = BlockOf(f.ListeClients, 0);
        ASSERT_FALSE(clientReserve.isEmpty());
        EXPECT_EQ(clientReserve[16], "95");
        EXPECT_EQ(clientReserve[18], "05/03/2024");
        EXPECT_EQ(clientReserve[19], "14:25");
        const QStringList historique = Prefixed(clientReserve, "DATA");
        ASSERT_EQ(historique.size(), 1);
        EXPECT_EQ(historique[0].section('\t', 0, 1), "05/03/2024\tTicket 202403001");
        EXPECT_EQ(Trim(historique[0].section('\t', 2)), "2,80");
        EXPECT_EQ(Prefixed(clientReserve, "GRID"), QStringList{"05/03\t05/03\t05/03\t\t\t"});

        ASSERT_TRUE(f.Sauve(set));
    }

    TFiche g;
    Tarifs(g);
    g.Charge(set);
    EXPECT_EQ(BlockOf(g.ListeClients, 0), clientReserve);
    g.IndexTicket = 0;
    g.Caisse();
    EXPECT_EQ(g.Edit28->text(), "202403001");
    EXPECT_EQ(g.Edit32->text(), "10001");
    EXPECT_EQ(g.Edit35->text(), "POSTE-B");
    EXPECT_EQ(g.MaskEdit5->Text(), "14:00");
    EXPECT_EQ(g.MaskEdit7->Text(), "14:25");
    EXPECT_EQ(g.Edit36->text(), "25");
    EXPECT_EQ(Trim(g.Edit37->text()), "2,80");
    EXPECT_EQ(g.Label63->text(), "0,60");
    EXPECT_EQ(g.TicketValide, "Y");
    EXPECT_FALSE(g.Button5->isEnabled());
    EXPECT_FALSE(g.StringGrid5->isEnabled());
    EXPECT_EQ(BlockOf(g.ListeTickets, 0).value(16), "Y");
    EXPECT_FALSE(g.ModifTicket);
}

}  // namespace
