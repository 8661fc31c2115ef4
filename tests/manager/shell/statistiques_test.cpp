// The statistics windows (captions, headings, sorting, right-justified amounts, growing grid),
// their bar chart, and the grid printout on a recording canvas.
#include <gtest/gtest.h>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <ostream>
#include <vector>
#include "manager/shell/graph.h"
#include "manager/shell/printgrid.h"
#include "manager/shell/rset.h"
#include "manager/shell/statistiques.h"
#include "platform/print/recording.h"
#include "platform/rtl.h"
#include "platform/widgets/stringgrid.h"
#include "support/dialog_driver.h"
#include "support/scripted_dialogs.h"

namespace {

class StatsWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        rtl::SetClock([] { return QDateTime(QDate(2024, 3, 15), QTime(10, 30)); });
    }
    void TearDown() override { rtl::SetClock({}); }
};

QStringList Widths(const TStringGrid* grid)
{
    QStringList widths;
    for (int c = 0; c < grid->ColCount(); ++c)
        widths << QString::number(grid->columnWidth(c));
    return widths;
}

TEST_F(StatsWindows, EachWindowItsCaptionColumnsAndHeadings)
{
    TStatsC c(nullptr);
    TStatsP p(nullptr);
    TStatsV v(nullptr);
    TStatsJ j(nullptr);
    QStringList none;
    for (TStats* w : std::initializer_list<TStats*>{&c, &p, &v, &j})
        w->Init(none);
    EXPECT_EQ(c.windowTitle(), "Statistiques sur les clients");
    EXPECT_EQ(p.windowTitle(), "Statistiques sur les postes");
    EXPECT_EQ(v.windowTitle(), "Statistiques sur les ventes");
    EXPECT_EQ(j.windowTitle(), "Statistiques ventes en caisse");
    EXPECT_EQ(c.size(), QSize(536, 343));
    EXPECT_EQ(Widths(c.StringGrid1), (QStringList{"64", "63", "294", "85"}));
    EXPECT_EQ(Widths(v.StringGrid1), (QStringList{"64", "188", "126", "126"}));
    EXPECT_EQ(c.StringGrid1->RowCount(), 64);
    EXPECT_EQ(j.StringGrid1->RowCount(), 192);
    EXPECT_EQ(c.StringGrid1->Cells(1, 0), "Code");
    EXPECT_EQ(c.StringGrid1->Cells(2, 0), "Nom");
    EXPECT_EQ(c.StringGrid1->Cells(3, 0), Rset(c.fontMetrics(), "C.A. HT", 80));
    EXPECT_EQ(v.StringGrid1->Cells(1, 0), "Mois");
    EXPECT_EQ(v.StringGrid1->Cells(2, 0), Rset(v.fontMetrics(), "C.A. H.T.", 120));
    EXPECT_EQ(j.StringGrid1->Cells(1, 0), "Jour");
    EXPECT_EQ(j.StringGrid1->Cells(3, 0), Rset(j.fontMetrics(), "C.A. TTC", 120));
    // The machines' printout keeps the customers' title.
    EXPECT_EQ(p.JobName(), "Statistiques clients au 15/03/2024");
    EXPECT_EQ(j.JobName(), "Statistiques ventes au 15/03/2024");
}

TEST_F(StatsWindows, CustomersAreSortedByCodeTextMonthsKeepTheirOrder)
{
    QStringList customers = {"9999\tZOE\t1,00", "10001\tabel\t2,50", "10001\tAbel\t3,00", "b12\tX\t4,00"};
    TStatsC c(nullptr);
    c.Init(customers);
    EXPECT_EQ(customers, (QStringList{"10001\tabel\t2,50", "10001\tAbel\t3,00", "9999\tZOE\t1,00", "b12\tX\t4,00"}));
    EXPECT_EQ(c.Rows(), 4);
    EXPECT_EQ(c.StringGrid1->Cells(0, 3), "3");
    EXPECT_EQ(c.StringGrid1->Cells(1, 3), "9999");
    EXPECT_EQ(c.StringGrid1->Cells(2, 3), "ZOE");
    EXPECT_EQ(c.StringGrid1->Cells(3, 3), Rset(c.fontMetrics(), "1,00", 80));

    QStringList months = {"Mars 2024\t1,00\t1,20", "Février 2024\t2,00\t2,40"};
    TStatsV v(nullptr);
    v.Init(months);
    EXPECT_EQ(v.StringGrid1->Cells(1, 1), "Mars 2024");
    EXPECT_EQ(v.StringGrid1->Cells(2, 2), Rset(v.fontMetrics(), "2,00", 120));
    EXPECT_EQ(v.ChartAmounts(), (QStringList{Rset(v.fontMetrics(), "1,20", 120), Rset(v.fontMetrics(), "2,40", 120)}));
}

TEST_F(StatsWindows, TheGridGrowsForEveryLine)
{
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QStringLiteral("%1\tN\t1,00").arg(1000 + i);
    TStatsP p(nullptr);
    p.Init(lines);
    EXPECT_EQ(p.Rows(), 100);
    EXPECT_EQ(p.StringGrid1->RowCount(), 101);
    EXPECT_EQ(p.StringGrid1->Cells(1, 100), "1099");
}

TEST_F(StatsWindows, ButtonsOpenTheChartAndThePrinter)
{
    QStringList lines = {"1\tA\t1,00"};
    TStatsC c(nullptr);
    c.Init(lines);
    ScriptedDialogs dialogs;
    dialogs.dialog("TGraph", [](QDialog* d) {
        EXPECT_EQ(static_cast<TGraph*>(d)->Values(), (std::vector<qint64>{1}));
        QTest::mouseClick(static_cast<TGraph*>(d)->Button1, Qt::LeftButton);
    });
    dialogs.print(false);
    c.SpeedButton2->click();
    c.SpeedButton1->click();
    EXPECT_TRUE(dialogs.done());
}

// ---- the bar chart ------------------------------------------------------------------------------

QImage Chart(TGraph& graph)
{
    QImage image(559, 321, QImage::Format_RGB32);
    QPainter painter(&image);
    graph.Draw(painter);
    return image;
}

int BluePixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == QColor(Qt::blue);
    return n;
}

TEST(Graph, TheLast32AmountsFrom20To495)
{
    QStringList amounts;
    for (int i = 1; i <= 40; ++i)
        amounts << QStringLiteral("  %1,50").arg(i);
    TGraph graph(nullptr);
    EXPECT_EQ(graph.windowTitle(), "Graphique");
    graph.Init(amounts);
    ASSERT_EQ(graph.Values().size(), 32u);
    // Halves go to the even neighbour: 9,50 is 10, 40,50 is 40.
    EXPECT_EQ(graph.Values().front(), 10);
    EXPECT_EQ(graph.Values().back(), 40);
    const QImage image = Chart(graph);
    // The first bar, 10 of 40: 70 pixels high.
    EXPECT_NE(image.pixelColor(25, 220), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(25, 250), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(490, 25), QColor(Qt::blue));   // the last, the tallest, up to y = 20
    EXPECT_NE(image.pixelColor(500, 250), QColor(Qt::blue));  // nothing past x = 495
}

TEST(Graph, NoBarWithoutAPositiveAmount)
{
    QStringList zeros = {"0,00", "0,00"};
    TGraph graph(nullptr);
    graph.Init(zeros);
    EXPECT_EQ(BluePixels(Chart(graph)), 0);
    QStringList huge = {"90000000000000000", "-1"};
    graph.Init(huge);
    const QImage image = Chart(graph);
    EXPECT_EQ(image.pixelColor(25, 25), QColor(Qt::blue));
    QStringList wrong = {"1,0x"};
    EXPECT_THROW(graph.Init(wrong), EConvertError);
}

// ---- printing a grid ----------------------------------------------------------------------------

using platform::RecordingCanvas;

// A page 2100 wide and 2970 high, 10 pixels a millimetre: margins 84 and 118; the grid's font of
// 12 points stands 42 pixels high, so lines are 63 high; the grid 536 wide prints at three times
// its size.
const RecordingCanvas::Page Sheet{2100, 2970, 210, 297};

void GridFont(TStats& window)
{
    window.Grid()->setFont(QFont("Courier New", 12));
}

// Customers 1000, 1001, ... of 1,00 each, in the sheet's font.
void ShowCustomers(TStats& window, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1\tN\t1,00").arg(1000 + i);
    window.Init(lines);
    GridFont(window);
}

struct Drawn {
    int x, y;
    QString text;
    bool bold;
    bool operator==(const Drawn&) const = default;
};
void PrintTo(const Drawn& d, std::ostream* os)
{
    *os << d.x << "," << d.y << " \"" << d.text.toStdString() << "\"" << (d.bold ? " bold" : "");
}
std::vector<Drawn> TextsOf(const RecordingCanvas& canvas, int page)
{
    std::vector<Drawn> out;
    for (const RecordingCanvas::Text& t : canvas.TextsOn(0, page))
        out.push_back({t.x, t.y, t.text, t.bold});
    return out;
}
bool Ruled(const RecordingCanvas& canvas, int x1, int y1, int x2, int y2)
{
    return std::any_of(canvas.rules.begin(), canvas.rules.end(), [&](const RecordingCanvas::Rule& r) {
        return !r.frame && r.x1 == x1 && r.y1 == y1 && r.x2 == x2 && r.y2 == y2;
    });
}

TEST_F(StatsWindows, PrintingLaysTheGridOutOnThePage)
{
    QStringList lines = {"1\tA\t1,00", "2\tB\t2,00"};
    TStatsC c(nullptr);
    c.Init(lines);
    GridFont(c);
    RecordingCanvas canvas(Sheet);
    PrintGrid(canvas, c.StringGrid1, c.JobName(), "", c.Rows());
    const int scale = 2100 / c.StringGrid1->width();
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].name, "Statistiques clients au 15/03/2024");
    EXPECT_EQ(canvas.jobs[0].pages, 1);
    EXPECT_TRUE(canvas.jobs[0].ended);
    // The heading and the date (21 characters, 444 pixels bold) on the top line, the column
    // headings inside the band, bold; the rows below it in the grid's regular font.
    const std::vector<Drawn> texts = TextsOf(canvas, 0);
    const std::vector<Drawn> head = {
        {84, 118, "", true},
        {2016 - 444, 118, "Imprimé le 15/03/2024", true},
        {94, 191, "", true},
        {84 + 64 * scale + 10, 191, "Code", true},
    };
    ASSERT_EQ(texts.size(), 14u);  // the heading and the date, then three rows of four cells
    EXPECT_EQ(std::vector<Drawn>(texts.begin(), texts.begin() + head.size()), head);
    EXPECT_EQ(texts[6], (Drawn{94, 254, "1", false}));
    EXPECT_EQ(texts[10], (Drawn{94, 317, "2", false}));
    for (const RecordingCanvas::Text& t : canvas.texts) {
        EXPECT_EQ(t.family, "Courier New");
        EXPECT_EQ(t.size, 12);
    }
    // The grey band, ruled along its top, and each row ruled under it.
    ASSERT_EQ(canvas.fills.size(), 1);
    const RecordingCanvas::Fill& band = canvas.fills[0];
    EXPECT_EQ(QList<int>({band.x1, band.y1, band.x2, band.y2}), QList<int>({84, 181, 2016, 244}));
    EXPECT_EQ(band.color, QColor(192, 192, 192));
    ASSERT_GE(canvas.rules.size(), 2);
    EXPECT_EQ(QList<int>({canvas.rules[0].x1, canvas.rules[0].y1, canvas.rules[0].x2, canvas.rules[0].y2}),
              QList<int>({84, 181, 2016, 181}));
    EXPECT_TRUE(Ruled(canvas, 84, 244, 2016, 244));    // under the headings
    EXPECT_TRUE(Ruled(canvas, 84, 370, 2016, 370));    // under the second row
    EXPECT_TRUE(Ruled(canvas, 84, 181, 84, 370));      // the first column's line
    EXPECT_TRUE(Ruled(canvas, 2016, 181, 2016, 370));  // the right edge
    EXPECT_FALSE(Ruled(canvas, 84, 433, 2016, 433));   // no third row
}

TEST_F(StatsWindows, PagesBreakBeforeTheNextRowOnly)
{
    TStatsC c(nullptr);
    ShowCustomers(c, 100);
    // Rows end at 244 + 63 n; the bottom margin is at 2852: 42 rows a page.
    RecordingCanvas canvas(Sheet);
    PrintGrid(canvas, c.StringGrid1, c.JobName(), "", 100);
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].pages, 3);
    // The grey band and the headings at the top of every page, then the rows that follow.
    ASSERT_EQ(canvas.fills.size(), 3);
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(canvas.fills[page].page, page);
        EXPECT_EQ(canvas.fills[page].y1, 181);
        const std::vector<Drawn> texts = TextsOf(canvas, page);
        ASSERT_GE(texts.size(), 7u) << page;
        EXPECT_EQ(texts[3].text, "Code") << page;
        EXPECT_EQ(texts[6], (Drawn{94, 254, QString::number(1 + 42 * page), false})) << page;
    }
    EXPECT_EQ(TextsOf(canvas, 2).size(), 2 + 4 * (1 + 100 - 84));
    EXPECT_EQ(canvas.Find("1099")->page, 2);
    // 84 rows exactly fill two pages: no empty third page.
    RecordingCanvas exact(Sheet);
    PrintGrid(exact, c.StringGrid1, c.JobName(), "", 84);
    EXPECT_EQ(exact.jobs[0].pages, 2);
    EXPECT_EQ(exact.fills.size(), 2);
}

TEST_F(StatsWindows, APageNarrowerThanTheGridPrintsAtTheGridsSize)
{
    QStringList lines = {"1\tA\t1,00"};
    TStatsC c(nullptr);
    c.Init(lines);
    GridFont(c);
    RecordingCanvas canvas({300, 2970, 30, 297});
    PrintGrid(canvas, c.StringGrid1, c.JobName(), "", 1);
    const RecordingCanvas::Text* code = canvas.Find("Code");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->x, 12 + 64 + 10);
    EXPECT_EQ(code->y, 118 + 63 + 10);
}

// A printer that refuses the job is reported, and nothing is drawn; one that fails at a new page
// leaves the job ended, ready for the next.
TEST_F(StatsWindows, APrinterThatFailsLeavesNoJobOpen)
{
    TStatsC c(nullptr);
    ShowCustomers(c, 50);
    RecordingCanvas canvas(Sheet);
    canvas.refuseWith = "L'impression n'a pas pu commencer.";
    ScriptedDialogs dialogs;
    dialogs.message("L'impression n'a pas pu commencer.");
    PrintGrid(canvas, c.StringGrid1, c.JobName(), "", c.Rows());
    EXPECT_TRUE(dialogs.done());
    EXPECT_TRUE(canvas.jobs.isEmpty());
    EXPECT_EQ(canvas.drawnOutside, 0);
    canvas.failAtNewPage = 1;
    EXPECT_THROW(PrintGrid(canvas, c.StringGrid1, c.JobName(), "", c.Rows()), EPrinter);
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_TRUE(canvas.jobs[0].ended);
    EXPECT_FALSE(canvas.Printing());
}

// "Imprimer" prints on the process's canvas once the print dialog is confirmed, and not at all
// when it is cancelled.
TEST_F(StatsWindows, ImprimerPrintsOnThePrinterAfterItsDialog)
{
    QStringList lines = {"1\tA\t1,00", "2\tB\t2,00"};
    TStatsV v(nullptr);
    v.Init(lines);
    RecordingCanvas canvas(Sheet);
    canvas.Install();
    ScriptedDialogs dialogs;
    dialogs.print(false).print(true);
    v.SpeedButton1->click();
    EXPECT_TRUE(canvas.jobs.isEmpty());
    v.SpeedButton1->click();
    EXPECT_TRUE(dialogs.done());
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].name, "Statistiques ventes au 15/03/2024");
    EXPECT_NE(canvas.Find("Mois"), nullptr);
    EXPECT_EQ(canvas.texts.size(), 2 + 4 * 3);
}

}  // namespace
