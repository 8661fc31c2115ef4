// The statistics windows (captions, headings, sorting, right-justified amounts, growing grid),
// their bar chart, and the grid printout on a recording canvas.
#include <gtest/gtest.h>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QToolButton>
#include "support/dialog_driver.h"
#include "manager/shell/graph.h"
#include "manager/shell/printgrid.h"
#include "manager/shell/rset.h"
#include "manager/shell/statistiques.h"
#include "platform/rtl.h"
#include "platform/widgets/stringgrid.h"
#include "support/scripted_dialogs.h"

namespace {

class StatsWindows : public ::testing::Test {
protected:
    void SetUp() override { rtl::SetClock([] { return QDateTime(QDate(2024, 3, 15), QTime(10, 30)); }); }
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
    EXPECT_EQ(image.pixelColor(490, 25), QColor(Qt::blue));  // the last, the tallest, up to y = 20
    EXPECT_NE(image.pixelColor(500, 250), QColor(Qt::blue)); // nothing past x = 495
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

struct Recording : GridCanvas {
    int width = 2100, height = 2970;
    QStringList calls;
    int PageWidth() const override { return width; }
    int PageHeight() const override { return height; }
    bool BeginDoc(const QString& name) override { calls << "begin " + name; return true; }
    void NewPage() override { calls << "page"; }
    void EndDoc() override { calls << "end"; }
    void SetFont(const QFont& f) override { calls << QStringLiteral("font %1").arg(f.bold() ? "bold" : "regular"); }
    int TextWidth(const QString& text) const override { return 10 * int(text.size()); }
    int TextHeight(const QString&) const override { return 40; }
    void TextOut(int x, int y, const QString& text) override { calls << QStringLiteral("text %1 %2 %3").arg(x).arg(y).arg(text); }
    void FillRect(int l, int t, int r, int b, const QColor& c) override
    {
        calls << QStringLiteral("fill %1 %2 %3 %4 %5").arg(l).arg(t).arg(r).arg(b).arg(c.name());
    }
    void Line(int x1, int y1, int x2, int y2) override { calls << QStringLiteral("line %1 %2 %3 %4").arg(x1).arg(y1).arg(x2).arg(y2); }
    int Count(const QString& prefix) const
    {
        return int(std::count_if(calls.begin(), calls.end(), [&](const QString& c) { return c.startsWith(prefix); }));
    }
};

// A page 2100 wide and 2970 high: margins 84 and 118, lines 60 high; the grid 536 wide prints at
// three times its size.
TEST_F(StatsWindows, PrintingLaysTheGridOutOnThePage)
{
    QStringList lines = {"1\tA\t1,00", "2\tB\t2,00"};
    TStatsC c(nullptr);
    c.Init(lines);
    Recording canvas;
    PrintGrid(canvas, c.StringGrid1, c.JobName(), "", c.Rows());
    const int scale = 2100 / c.StringGrid1->width();
    const QStringList expectedHead = {
        "begin Statistiques clients au 15/03/2024",
        "font bold",
        "text 84 118 ",
        QStringLiteral("text %1 118 Imprimé le 15/03/2024").arg(2016 - 10 * 21),
        "fill 84 178 2016 238 #c0c0c0",
        "line 84 178 2016 178",
        "text 94 188 ",
        QStringLiteral("text %1 188 Code").arg(84 + 64 * scale + 10),
    };
    EXPECT_EQ(canvas.calls.mid(1, expectedHead.size()), expectedHead) << canvas.calls.join('\n').toStdString();
    EXPECT_TRUE(canvas.calls.contains("text 94 248 1"));
    EXPECT_TRUE(canvas.calls.contains("line 84 358 2016 358"));   // under the second row
    EXPECT_TRUE(canvas.calls.contains("line 2016 178 2016 358"));  // the right edge
    EXPECT_EQ(canvas.Count("page"), 0);
    EXPECT_EQ(canvas.calls.back(), "end");
}

TEST_F(StatsWindows, PagesBreakBeforeTheNextRowOnly)
{
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QStringLiteral("%1\tN\t1,00").arg(1000 + i);
    TStatsC c(nullptr);
    c.Init(lines);
    // Page 2970 high: rows end at 238 + 60 n; the bottom margin is at 2852: 44 rows a page.
    Recording canvas;
    PrintGrid(canvas, c.StringGrid1, c.JobName(), "", 100);
    EXPECT_EQ(canvas.Count("page"), 2);
    EXPECT_EQ(canvas.Count("fill"), 3);   // the grey band on every page
    // 88 rows exactly fill two pages: no empty third page.
    Recording exact;
    PrintGrid(exact, c.StringGrid1, c.JobName(), "", 88);
    EXPECT_EQ(exact.Count("page"), 1);
    EXPECT_EQ(exact.Count("fill"), 2);
}

TEST_F(StatsWindows, APageNarrowerThanTheGridPrintsAtTheGridsSize)
{
    QStringList lines = {"1\tA\t1,00"};
    TStatsC c(nullptr);
    c.Init(lines);
    Recording canvas;
    canvas.width = 300;
    PrintGrid(canvas, c.StringGrid1, c.JobName(), "", 1);
    EXPECT_TRUE(canvas.calls.contains(QStringLiteral("text %1 %2 Code").arg(12 + 64 + 10).arg(118 + 60 + 10)))
        << canvas.calls.join('\n').toStdString();
}

}  // namespace
