// Printing the customers: the card as shown, the list with its header on every page, one
// envelope and the batch; the print dialog before lists, and the jobs that cannot start or fail.
#include <gmock/gmock.h>
#include <QPlainTextEdit>
#include <algorithm>
#include "platform/application.h"
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"
#include "print_fixture.h"

using namespace cards;
using platform::Orientation;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

namespace {

const TFiche::Kind C = TFiche::KClient;

class CustomerPrint : public PrintFixture {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        for (int i = 0; i < 4; ++i)
            fiche->LignesSociete[i] = QStringLiteral("Société ligne %1").arg(i + 1);
    }
    // Every row's first column of a list job, page by page.
    QList<QStringList> Pages(int job = 0) const
    {
        QList<QStringList> pages;
        for (int p = 0; p < canvas.jobs[job].pages; ++p)
            pages << Drawn(job, p);
        return pages;
    }
};

TEST_F(CustomerPrint, TheCardPrintsEachLabelBesideItsValueAsTheCardShowsThem)
{
    Set(C, Customer(0, "DUPONT"));
    fiche->LitFiche();
    // Typed but not yet written to the record: the card prints what it shows.
    fiche->Edit2->setText("DUPONT & FILS");
    fiche->Edit14->setText("45");
    fiche->MaskEdit1->SetText("14/03/2024");
    fiche->ImpFiche1();

    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Portrait);
    EXPECT_EQ(canvas.jobs[0].pages, 1);
    EXPECT_TRUE(canvas.jobs[0].ended);
    const QStringList drawn = Drawn();
    for (const char* expected :
         {"5 5 Code client", "35 5 10001", "5 10 Nom / Société", "35 10 DUPONT & FILS", "5 15 Adresse",
          "35 15 1 rue Haute", "5 20 Adresse", "5 25 Code postal", "35 25 69001", "5 30 Ville", "35 30 LYON",
          "5 35 Pays", "35 35 France", "5 40 Téléphone", "35 40 0478000001", "5 45 Fax", "35 45 0478000009",
          "5 50 E.mail", "110 5 Login", "110 10 Mot de passe", "135 10 pw", "110 15 Total minutes",
          "110 20 Minustes dispo.", "135 20 45", "110 25 cumul CA", "110 30 Dern. passage",
          "135 30 14/03/2024", "110 35 Heure", "135 35   :  "})
        EXPECT_THAT(drawn, Contains(QString::fromUtf8(expected)));
    for (const auto& t : canvas.texts) {
        EXPECT_EQ(t.family, "Arial");
        EXPECT_EQ(t.size, 10);
        EXPECT_FALSE(t.bold);
    }
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
}

TEST_F(CustomerPrint, TheHistoryStopsAtItsFirstRowWithoutDateAndTheMemoStandsBeside)
{
    Set(C, Customer(0, "DUPONT"));
    fiche->LitFiche();
    TStringGrid* grid = fiche->StringGrid1;
    grid->SetRowCount(6);
    const QStringList rows[] = {{"01/03/2024", "Ticket 1", "  3,00"},
                                {"02/03/2024", "Ticket 2", "  4,00"},
                                {"", "sans date", "  9,00"},
                                {"04/03/2024", "après le trou", "  1,00"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            grid->SetCells(c, r + 1, rows[r][c]);
    fiche->Memo1->setPlainText("bon client\npaie comptant");
    fiche->ImpFiche1();

    QStringList below;
    for (const QString& d : Drawn())
        if (d.section(' ', 1, 1).toInt() >= 70)
            below << d;
    EXPECT_THAT(below, ElementsAre("5 70 Date", "35 70 Libellé", "60 70 " + grid->Cells(2, 0), "5 75 01/03/2024",
                                   "35 75 Ticket 1", "60 75   3,00", "5 80 02/03/2024", "35 80 Ticket 2",
                                   "60 80   4,00", "120 70 bon client", "120 75 paie comptant"));
}

// A history longer than the page is cut at the page's bottom: no second page, nothing drawn
// below the page.
TEST_F(CustomerPrint, ALongHistoryIsCutAtTheBottomOfItsOnePage)
{
    Set(C, Customer(0, "DUPONT"));
    fiche->LitFiche();
    fiche->StringGrid1->SetRowCount(80);
    for (int r = 1; r < 80; ++r)
        fiche->StringGrid1->SetCells(0, r, "01/03/2024");
    fiche->ImpFiche1();

    EXPECT_EQ(canvas.jobs[0].pages, 1);
    int last = 0;
    for (const auto& t : canvas.texts) {
        EXPECT_LT(t.y, canvas.PageHeight()) << t.text.toStdString();
        last = std::max(last, t.y);
    }
    // Rows at 70 + 5r: the last whose top lies on the 7016-pixel page is at 300 mm.
    EXPECT_EQ(last, Py(300));
}

TEST_F(CustomerPrint, TheListHasItsHeaderRuleAndOneRowPerCustomerInLandscape)
{
    Set(C, Join({Customer(0, "DUPONT", "LYON"), Customer(1, "MARTIN", "PARIS"), Customer(2, "DURAND")}));
    dialogs.print(true, [](platform::PrintRange& r) {
        EXPECT_EQ(r.fromPage, 1);
        EXPECT_EQ(r.toPage, 3);
        EXPECT_EQ(r.maxPage, 3);
        EXPECT_FALSE(r.pageEntry);
    });
    fiche->ImpCli();

    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Landscape);
    EXPECT_EQ(canvas.jobs[0].pages, 1);
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
    const QStringList drawn = Drawn();
    EXPECT_EQ(drawn.mid(0, 7), (QStringList{"5 0 Nom/Société", "55 0 Adresse", "105 0 Adresse", "155 0 C.P.",
                                            "175 0 Ville", "225 0 Téléphone", "255 0 Fax"}));
    EXPECT_EQ(drawn.mid(7, 7), (QStringList{"5 10 DUPONT", "55 10 1 rue Haute", "105 10 Bât. 0", "155 10 69001",
                                            "175 10 LYON", "225 10 0478000001", "255 10 0478000009"}));
    EXPECT_THAT(drawn, Contains("175 15 PARIS"));
    EXPECT_THAT(drawn, Contains("5 20 DURAND"));
    EXPECT_EQ(drawn.size(), 7 * 4);
    ASSERT_EQ(canvas.rules.size(), 1);
    const auto& rule = canvas.rules[0];
    EXPECT_EQ(QString("%1 %2 %3 %4").arg(rule.x1).arg(rule.y1).arg(rule.x2).arg(rule.y2),
              QString("%1 %2 %3 %4").arg(Px(5)).arg(Py(5)).arg(Px(300)).arg(Py(5)));
}

// Landscape A4 at 23 pixels a millimetre: rows from 10 mm to 185 mm, 36 a page; the page turns
// only when another row follows.
TEST_F(CustomerPrint, TheListTurnsItsPageOnlyForARowThatFollowsWithTheHeaderOnEach)
{
    const struct {
        int customers, pages, rowsOnLast;
    } cases[] = {{36, 1, 36}, {37, 2, 1}, {72, 2, 36}, {73, 3, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.customers);
        canvas.jobs.clear();
        canvas.texts.clear();
        Set(C, Customers(c.customers));
        dialogs.print(true);
        fiche->ImpCli();
        ASSERT_EQ(canvas.jobs.size(), 1);
        ASSERT_EQ(canvas.jobs[0].pages, c.pages);
        for (int p = 0; p < c.pages; ++p) {
            const QStringList page = Drawn(0, p);
            EXPECT_EQ(page.value(0), "5 0 Nom/Société");
            EXPECT_EQ(page.value(7).section(' ', 0, 1), "5 10");
        }
        const QStringList last = Drawn(0, c.pages - 1);
        EXPECT_EQ(last.size(), 7 + 7 * c.rowsOnLast);
        EXPECT_EQ(last.value(last.size() - 7).section(' ', 1),
                  QString("%1 CLIENT %2").arg(10 + 5 * (c.rowsOnLast - 1)).arg(c.customers - 1, 3, 10, QChar('0')));
    }
}

TEST_F(CustomerPrint, AnEmptyListPrintsItsHeaderPageFromADialogOfOnePage)
{
    dialogs.print(true, [](platform::PrintRange& r) {
        EXPECT_EQ(r.maxPage, 0);
        EXPECT_FALSE(r.pageEntry);
    });
    fiche->ImpCli();
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].pages, 1);
    EXPECT_EQ(Drawn().size(), 7);
    EXPECT_EQ(canvas.rules.size(), 1);
}

TEST_F(CustomerPrint, ARangeFromTheDialogAndAMissingBlockPrintOnlyWhatIsFound)
{
    // Block 1 is missing: its number uses no row.
    Set(C, Join({Customer(0, "DUPONT"), Customer(2, "DURAND"), Customer(3, "PETIT")}));
    fiche->NbClients = 4;
    dialogs.print(true);
    fiche->ImpCli();
    EXPECT_THAT(Drawn(), Contains("5 10 DUPONT"));
    EXPECT_THAT(Drawn(), Contains("5 15 DURAND"));
    EXPECT_THAT(Drawn(), Contains("5 20 PETIT"));

    dialogs.print(true, [](platform::PrintRange& r) {
        r.fromPage = 3;
        r.toPage = 3;
    });
    fiche->ImpCli();
    const QStringList second = Drawn(1);
    EXPECT_EQ(second.size(), 14);
    EXPECT_THAT(second, Contains("5 10 DURAND"));
}

TEST_F(CustomerPrint, ACancelledDialogStartsNothingAndLeavesTheOrientation)
{
    Set(C, Customers(3));
    canvas.SetOrientation(Orientation::Landscape);
    dialogs.print(false).print(false);
    fiche->ImpCli();
    fiche->Enveloppes();
    EXPECT_TRUE(canvas.jobs.isEmpty());
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Landscape);
}

TEST_F(CustomerPrint, OneEnvelopeFollowsItsOrientationAndGuideSettings)
{
    const struct {
        int orientation, shift;
        Orientation expected;
    } cases[] = {{0, 0, Orientation::Portrait}, {1, 0, Orientation::Landscape}, {0, 100, Orientation::Portrait}};
    Set(C, Customer(0, "DUPONT"));
    fiche->LitFiche();
    fiche->Edit6->setText("VILLEURBANNE");   // shown, not yet written
    int job = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shift);
        fiche->OrientationEnveloppe = c.orientation;
        fiche->DecalageEnveloppe = c.shift;
        dialogs.message("Insérez une enveloppe dans l'imprimante");
        fiche->ImpEnv();
        ASSERT_EQ(canvas.jobs.size(), job + 1);
        EXPECT_EQ(canvas.jobs[job].orientation, c.expected);
        const int d = c.shift;
        EXPECT_THAT(Drawn(job), ElementsAre(QString("5 %1 Société ligne 1").arg(d + 5),
                                            QString("5 %1 Société ligne 2").arg(d + 10),
                                            QString("5 %1 Société ligne 3").arg(d + 15),
                                            QString("5 %1 Société ligne 4").arg(d + 20),
                                            QString("110 %1 DUPONT").arg(d + 50),
                                            QString("110 %1 1 rue Haute").arg(d + 55),
                                            QString("110 %1 Bât. 0").arg(d + 60),
                                            QString("110 %1 69001 VILLEURBANNE").arg(d + 65)));
        EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
        ++job;
    }
}

TEST_F(CustomerPrint, OneEnvelopeOnlyFromTheCustomerPage)
{
    Set(TFiche::KPoste, Block(0, MachineFields("10001", "POSTE1")));
    ShowPage(TFiche::KPoste);
    fiche->ImpEnv();
    EXPECT_TRUE(canvas.jobs.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(CustomerPrint, TheBatchPrintsOneLandscapeEnvelopeAPageWithNoBlankPageAfter)
{
    fiche->OrientationEnveloppe = 0;
    fiche->DecalageEnveloppe = 100;
    Set(C, Join({Customer(0, "DUPONT"), Customer(1, "MARTIN", "PARIS"), Customer(2, "DURAND")}));
    dialogs.print(true);
    fiche->Enveloppes();
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Landscape);
    ASSERT_EQ(canvas.jobs[0].pages, 3);
    EXPECT_EQ(Drawn(0, 1).value(0), "5 105 Société ligne 1");
    EXPECT_EQ(Drawn(0, 1).mid(4), (QStringList{"110 150 MARTIN", "110 155 1 rue Haute", "110 160 Bât. 1",
                                               "110 165 69001 PARIS"}));
    EXPECT_EQ(Drawn(0, 2).value(4), "110 150 DURAND");
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
}

TEST_F(CustomerPrint, TheBatchWithoutCustomersStartsNoJob)
{
    dialogs.print(true);
    fiche->Enveloppes();
    EXPECT_TRUE(canvas.jobs.isEmpty());
    EXPECT_EQ(canvas.refused, 0);
}

TEST_F(CustomerPrint, AJobThePrinterRefusesIsReportedAndTheNextOnePrints)
{
    Set(C, Customer(0, "DUPONT"));
    fiche->LitFiche();
    canvas.refuseWith = "L'impression n'a pas pu commencer.";
    dialogs.message("L'impression n'a pas pu commencer.");
    fiche->ImpFiche1();
    EXPECT_TRUE(canvas.jobs.isEmpty());
    EXPECT_EQ(canvas.refused, 1);
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
    fiche->ImpFiche1();
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_THAT(Drawn(), Contains("35 10 DUPONT"));
}

TEST_F(CustomerPrint, APrinterOfUnknownSizePrintsNothingAndSaysSo)
{
    canvas.page = {4960, 7016, 0, 0};
    Set(C, Customers(2));
    dialogs.message("L'imprimante ne donne pas la taille de sa page : rien n'a été imprimé.")
        .print(true)
        .message("L'imprimante ne donne pas la taille de sa page : rien n'a été imprimé.");
    fiche->ImpFiche1();
    fiche->ImpCli();
    EXPECT_TRUE(canvas.jobs.isEmpty());
    EXPECT_EQ(canvas.refused, 0);
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
}

// The printer fails to turn the first page: the error reaches the operator, the job is ended and
// the page is upright again for the next one.
TEST_F(CustomerPrint, AJobThatFailsHalfWayIsEndedReportedAndTheOrientationRestored)
{
    Set(C, Customers(40));
    canvas.failAtNewPage = 1;
    dialogs.print(true).message("L'impression a échoué : la page suivante n'a pas pu commencer.");
    platform::Guarded([&] { fiche->ImpCli(); });
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_TRUE(canvas.jobs[0].ended);
    EXPECT_EQ(canvas.jobs[0].pages, 1);
    EXPECT_FALSE(canvas.Printing());
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
}

}  // namespace
