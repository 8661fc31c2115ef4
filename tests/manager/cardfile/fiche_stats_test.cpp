// The statistics and the journal from the main window's menu: the windows they open with their
// lines, the progress in the status bar, where the card is left, and a ticket that stops them.
// The ticket fields the statistics take from the blocks are those the card shows.
#include <QLabel>
#include <QLineEdit>
#include "support/card_fixture.h"
#include "manager/cardfile/core/ticket.h"
#include "manager/shell/compta.h"
#include "support/mainform_fixture.h"
#include "manager/shell/statistiques.h"
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"
#include "support/scripted_dialogs.h"

using namespace cards;

namespace {

const TFiche::Kind T = TFiche::KTicket;

QStringList Ticket(int n, const QString& customer, const QString& end, const QString& minutes, const QString& price,
                   bool subscriber = false, bool booked = false, const QStringList& more = {})
{
    QStringList f = TicketFields(QStringLiteral("2024030%1").arg(n, 2, 10, QLatin1Char('0')), customer, "NOM " + customer);
    f[7] = end;
    f[9] = minutes;
    f[10] = price;
    f[14] = subscriber ? "Y" : "N";
    f[15] = booked ? "Y" : "N";
    return Block(n, f + more, 5);
}

// Tickets of every kind the pricing tells apart, read onto the card one after the other.
TEST_F(CardFixture, TheStatisticsReadEachTicketAsItsCardShowsIt)
{
    fiche->TarifQuartHeure = 1.25;
    fiche->TarifDemiHeure = 2.5;
    fiche->TarifTroisQuarts = 3.333;
    fiche->TarifHeure = 4;
    fiche->TarifQuartSup = 0.755;
    const QStringList details = {"DATAImpr.\t2\t0,155", "DATADisk\t1 x\t1,5", "DATA\t\t", "DATAScan\tabc\t2"};
    const QStringList lines = Join({
        Ticket(0, "1", "01/03/2024", "45", ""),
        Ticket(1, "2", NoDate, "75", "  9,99", false, false, details),
        Ticket(2, "3", "02/03/2024", "20", "", true, false, details),
        Ticket(3, "4", "03/03/2024", "", "   7,50"),
        Ticket(4, "5", "03/03/2024", "", "   7,50", false, false, details),
        Ticket(5, "6", "04/03/2024", "90", "   3,50", false, true, details),
        Ticket(6, "7", "", "", ""),
        Ticket(7, "8", "05/03/2024", "10", "", true),
    });
    Set(T, lines);
    for (const QString& format : {QStringLiteral("0.00"), QStringLiteral("#"), QStringLiteral("0.0")}) {
        fiche->FormatMontant = format;
        for (int i = 0; i < fiche->NbTickets; ++i) {
            fiche->IndexTicket = i;
            fiche->LitCaisse();
            const ticket::Shown shown = ticket::ReadShown(fiche->ListeTickets, i, *fiche, format);
            const QString at = QStringLiteral("ticket %1, format %2").arg(i).arg(format);
            EXPECT_TRUE(shown.found);
            EXPECT_EQ(shown.price, rtl::Trim(fiche->Edit37->text())) << at.toStdString();
            EXPECT_EQ(shown.customer, fiche->Edit32->text()) << at.toStdString();
            EXPECT_EQ(shown.customerName, fiche->Edit33->text()) << at.toStdString();
            EXPECT_EQ(shown.machine, fiche->Edit34->text()) << at.toStdString();
            EXPECT_EQ(shown.machineName, fiche->Edit35->text()) << at.toStdString();
            EXPECT_EQ(shown.endDate, fiche->MaskEdit6->Text()) << at.toStdString();
        }
    }
}

class StatsCommands : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        rtl::SetClock([] { return QDateTime(QDate(2024, 3, 15), QTime(10, 30)); });
        fiche->TarifTroisQuarts = 3;
        fiche->TarifHeure = 4;
        fiche->TauxTVA1 = 20;
        fiche->AfficheEtat = [this](const QString& text) {
            status << text;
            form->StatusPanel[0]->setText(text);
        };
    }
    void TearDown() override
    {
        rtl::SetClock({});
        MainFormTest::TearDown();
    }
    void SetTickets(const QStringList& lines)
    {
        fiche->ListeTickets = lines;
        fiche->NbTickets = fiche->ListeTickets.StartLineCount();
        fiche->IndexTicket = 0;
    }
    static QStringList GridLines(QDialog* d, int columns)
    {
        auto* grid = d->findChild<TStringGrid*>("StringGrid1");
        QStringList rows;
        for (int r = 1; r < grid->RowCount() && !grid->Cells(0, r).isEmpty(); ++r) {
            QStringList cells;
            for (int c = 1; c < columns; ++c)
                cells << rtl::Trim(grid->Cells(c, r));
            rows << cells.join('|');
        }
        return rows;
    }
    ScriptedDialogs dialogs;
    QStringList status;
};

TEST_F(StatsCommands, EachStatisticsOpensItsWindowAndLeavesTheLastTicketOnTheCard)
{
    SetTickets(Join({Ticket(0, "10002", "29/02/2024", "45", ""), Ticket(1, "10001", "01/03/2024", "60", ""),
                     Ticket(2, "10002", "01/03/2024", "45", "")}));
    const struct {
        const char* command;
        const char* window;
        QStringList rows;
    } cases[] = {
        {"Statistiquesclients1", "TStatsC", {"10001|NOM 10001|4,00", "10002|NOM 10002|6,00"}},
        {"Statistiquesarticles1", "TStatsP", {"10001|POSTE1|10,00"}},
        {"Statistiquesventes1", "TStatsV", {"Février 2024|2,50|3,00", "Mars 2024|5,83|7,00"}},
        {"Statscaisse1", "TStatsJ", {"29 février 2024|2,50|3,00", "01 mars 2024|5,83|7,00"}},
    };
    for (const auto& c : cases) {
        status.clear();
        QStringList shown;
        dialogs.dialog(c.window, [&](QDialog* d) { shown = GridLines(d, 4); });
        Run(c.command);
        EXPECT_TRUE(dialogs.done()) << c.command;
        EXPECT_EQ(shown, c.rows) << c.command;
        EXPECT_EQ(fiche->IndexTicket, 2) << c.command;
        EXPECT_EQ(fiche->Edit28->text(), "202403002") << c.command;
        EXPECT_EQ(status, (QStringList{"Ticket 0", ""})) << c.command;
    }
}

TEST_F(StatsCommands, MinutesThatDoNotReadStopOnTheirTicketsCard)
{
    SetTickets(Join({Ticket(0, "1", "01/03/2024", "45", ""), Ticket(1, "2", "01/03/2024", "4 5", ""),
                     Ticket(2, "3", "01/03/2024", "45", "")}));
    dialogs.message("'4 5' is not a valid integer value");
    Run("Statistiquesclients1");
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(fiche->IndexTicket, 1);
    EXPECT_EQ(fiche->Edit32->text(), "2");
    EXPECT_EQ(form->StatusPanel[0]->text(), "");
}

TEST_F(StatsCommands, APriceThatDoesNotReadStopsTheMonthsOnItsTicket)
{
    SetTickets(Join({Ticket(0, "1", "01/03/2024", "45", ""), Ticket(1, "2", "01/03/2024", "", "3,x", false, true),
                     Ticket(2, "3", "01/03/2024", "45", "")}));
    dialogs.message("'3,x' is not a valid floating point value");
    Run("Statistiquesventes1");
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(fiche->IndexTicket, 1);
    EXPECT_EQ(fiche->Edit32->text(), "2");
}

TEST_F(StatsCommands, NoTicketOpensAnEmptyWindow)
{
    dialogs.dialog("TStatsJ", [](QDialog* d) { EXPECT_EQ(static_cast<TStats*>(d)->Rows(), 0); });
    Run("Statscaisse1");
    EXPECT_TRUE(dialogs.done());
}

TEST_F(StatsCommands, TheJournalWithoutInvoiceSaysSo)
{
    dialogs.message("Aucune facture à comptabiliser");
    Run("Journalcomptable1");
    EXPECT_TRUE(dialogs.done());
}

TEST_F(StatsCommands, TheJournalOpensOnItsLines)
{
    fiche->ListeFactures = Join({Block(0, {"NUMF202403001", "12/03/2024", "10001", "", "Facture", "", "", "", "",
                                           "TTCY", "N", "FACTA1\tCafé\t1\t2,40\t\t\t1"}),
                                 Block(1, {"NUMD202403002", "13/03/2024", "10001", "", "Devis    ", "", "", "", "",
                                           "TTCY", "N", "FACTA1\tCafé\t1\t2,40\t\t\t1"})});
    fiche->NbFactures = 2;
    QStringList shown;
    dialogs.dialog("TCompta", [&](QDialog* d) { shown = GridLines(d, 7); });
    Run("Journalcomptable1");
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(shown, (QStringList{"V1|12/03/2024|411000|Facture 202403001|2,40|",
                                  "V1|12/03/2024|707000|Facture 202403001||2,00",
                                  "V1|12/03/2024|445700|Facture 202403001||0,40"}));
    EXPECT_EQ(fiche->IndexFacture, 1);
    EXPECT_EQ(status, (QStringList{"Facture 0", ""}));
}

}  // namespace
