// The card-file window: its pages, grids, layout, activation and the two text routines.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include "manager/cardfile/fiche.h"
#include "platform/widgets/stringgrid.h"

// ---- ExtraitChamp -------------------------------------------------------------------------------

struct FieldCase {
    QString text, field, rest;
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << c.text.left(20).toStdString();
}

class ExtraitChampCases : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ExtraitChampCases, TakesTheTextBeforeTheFirstTab)
{
    QString s = GetParam().text;
    EXPECT_EQ(ExtraitChamp(s), GetParam().field);
    EXPECT_EQ(s, GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtraitChampCases,
    ::testing::Values(FieldCase{"a\tb\tc", "a", "b\tc"}, FieldCase{"abc", "abc", ""}, FieldCase{"\tx", "", "x"},
                      FieldCase{"a\t", "a", ""}, FieldCase{"", "", ""},
                      FieldCase{"a\t" + QString(300, 'x'), "a", QString(255, 'x')},
                      FieldCase{"a\t" + QString(254, 'x') + "\tyz", "a", QString(254, 'x') + "\t"}));

// ---- Rset ---------------------------------------------------------------------------------------

struct RsetCase {
    QString text;
    int width;
};

void PrintTo(const RsetCase& c, std::ostream* os)
{
    *os << '"' << c.text.toStdString() << "\" " << c.width;
}

class RsetCases : public ::testing::TestWithParam<RsetCase> {};

// The fewest blanks that make the text wider than width - 10, measured with the window's font.
TEST_P(RsetCases, PadsJustPastTheColumnWidth)
{
    TFiche fiche;
    const QFontMetrics metrics(fiche.font());
    const RsetCase& c = GetParam();
    const QString out = fiche.Rset(c.text, c.width);
    const QString trimmed = c.text.trimmed();
    ASSERT_TRUE(out.endsWith(trimmed));
    const int blanks = int(out.size() - trimmed.size());
    EXPECT_EQ(out.left(blanks), QString(blanks, ' '));
    if (metrics.horizontalAdvance(trimmed) > c.width - 10) {
        EXPECT_EQ(out, trimmed);
    } else {
        EXPECT_GT(metrics.horizontalAdvance(out), c.width - 10);
        EXPECT_LE(metrics.horizontalAdvance(out.mid(1)), c.width - 10);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RsetCases,
                         ::testing::Values(RsetCase{"12,50", 95}, RsetCase{"  1 234,00  ", 107},
                                           RsetCase{"Montant", 90}, RsetCase{"0,00", 80},
                                           RsetCase{"un texte bien plus large que la colonne", 60},
                                           RsetCase{"x", 10}, RsetCase{"x", 0}));

TEST(Rset, BlankTextGivesTheEmptyText)
{
    TFiche fiche;
    EXPECT_EQ(fiche.Rset(QString(), 95), QString());
    EXPECT_EQ(fiche.Rset(QStringLiteral("    "), 95), QString());
}

TEST(Rset, EndsWhenABlankHasNoWidth)
{
    TFiche fiche;
    QFont narrow = fiche.font();
    narrow.setLetterSpacing(QFont::AbsoluteSpacing, -QFontMetricsF(narrow).horizontalAdvance(QLatin1Char(' ')));
    fiche.setFont(narrow);
    const QFontMetrics metrics(narrow);
    ASSERT_EQ(metrics.horizontalAdvance(QStringLiteral("     12,50")), metrics.horizontalAdvance(QStringLiteral("12,50")))
        << "the font must have blanks of no width";
    EXPECT_EQ(fiche.Rset(QStringLiteral(" 12,50"), 95), QStringLiteral("12,50"));
}

// ---- pages and grids ----------------------------------------------------------------------------

TEST(FicheWindow, SevenPagesWithoutTabsAndTheCustomerPageFirst)
{
    TFiche fiche;
    EXPECT_EQ(fiche.PageControl1->count(), 7);
    EXPECT_FALSE(fiche.PageControl1->tabBar()->isVisibleTo(&fiche));
    EXPECT_EQ(fiche.PageControl1->currentWidget(), fiche.TabSheet1);
    const QStringList names{"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6", "TabSheet7"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(fiche.PageControl1->widget(i)->objectName(), names[i]);
    EXPECT_TRUE(fiche.Memo7->isReadOnly());
    EXPECT_EQ(fiche.ListView1->iconSize(), QSize(32, 32));
    EXPECT_EQ(fiche.ListView1->selectionMode(), QAbstractItemView::ExtendedSelection);
    ASSERT_EQ(fiche.PopupMenu1->actions().size(), 1);
    EXPECT_EQ(fiche.PopupMenu1->actions().front()->objectName(), QStringLiteral("Historique1"));
    EXPECT_EQ(fiche.PopupMenu1->actions().front()->text(), QStringLiteral("Historique"));
}

struct GridCase {
    const char* name;
    int rows;
    QStringList heads;   // row 0; empty when the grid has no fixed row
    QList<int> widths;   // empty when the window's width decides
    bool editable, rowSelect, alwaysEditor, tabs;
};

void PrintTo(const GridCase& c, std::ostream* os)
{
    *os << c.name;
}

class Grids : public ::testing::TestWithParam<GridCase> {};

TEST_P(Grids, HaveTheirHeadersWidthsAndOptions)
{
    TFiche fiche;
    const GridCase& c = GetParam();
    auto* grid = fiche.findChild<TStringGrid*>(QString::fromLatin1(c.name));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->RowCount(), c.rows);
    EXPECT_EQ(grid->FixedRows(), c.heads.isEmpty() ? 0 : 1);
    for (int col = 0; col < c.heads.size(); ++col)
        if (c.heads[col] != QLatin1String("*")) {
            EXPECT_EQ(grid->Cells(col, 0), c.heads[col]) << col;
        }
    if (!c.widths.isEmpty()) {
        ASSERT_EQ(grid->ColCount(), c.widths.size());
        for (int col = 0; col < c.widths.size(); ++col)
            EXPECT_EQ(grid->ColWidths(col), c.widths[col]) << col;
    }
    EXPECT_EQ(grid->Editing(), c.editable);
    EXPECT_EQ(grid->RowSelect(), c.rowSelect);
    EXPECT_EQ(grid->AlwaysShowEditor(), c.alwaysEditor);
    EXPECT_EQ(grid->Tabs(), c.tabs);
    for (int row = c.heads.isEmpty() ? 0 : 1; row < c.rows; ++row)
        EXPECT_EQ(grid->Cells(0, row), QString());
}

const QString Montant = QStringLiteral("Montant");

INSTANTIATE_TEST_SUITE_P(
    Cases, Grids,
    ::testing::Values(GridCase{"StringGrid1", 64, {"Date", "Libellé", "*"}, {94, 178, 97}, false, true, false, false},
                      GridCase{"StringGrid3", 64, {"Date", "Libellé", "*"}, {94, 178, 97}, false, true, false, false},
                      GridCase{"StringGrid4", 64, {"Date", "Libellé", "*"}, {94, 178, 97}, false, true, false, false},
                      GridCase{"StringGrid6", 5, {}, {56, 56, 56, 56, 56, 56}, true, false, false, true},
                      GridCase{"StringGrid2", 64,
                               {"Réf", "Désignation", "Quantité", "Prix Unitaire", "R (%)", "Montant H.T.", "T"},
                               {}, true, false, true, true},
                      GridCase{"StringGrid5", 16, {"Désignation", "Qté", "P.U", "Montant"}, {165, 43, 59, 76},
                               true, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// "*" in a heading above stands for "Montant" right-justified to 90 pixels.
TEST(FicheWindow, HistoryAmountHeadingIsRightJustified)
{
    TFiche fiche;
    for (TStringGrid* grid : {fiche.StringGrid1, fiche.StringGrid3, fiche.StringGrid4}) {
        const QString head = grid->Cells(2, 0);
        EXPECT_EQ(head, fiche.Rset(Montant, 90));
        EXPECT_TRUE(head.startsWith(QLatin1Char(' ')));
        EXPECT_EQ(head.trimmed(), Montant);
    }
    EXPECT_EQ(fiche.StringGrid1->height(), 126);
    EXPECT_EQ(fiche.StringGrid6->DefaultRowHeight(), 20);
}

// The heading is padded for the window's font, so the header must show it in that font to fit.
TEST(FicheWindow, HeadingsShowInTheWindowsFontAndFitTheirColumns)
{
    TFiche fiche;
    for (TStringGrid* grid : {fiche.StringGrid1, fiche.StringGrid3, fiche.StringGrid4, fiche.StringGrid5}) {
        const QFontMetrics shown(grid->horizontalHeader()->font());
        for (int col = 0; col < grid->ColCount(); ++col)
            EXPECT_LT(shown.horizontalAdvance(grid->Cells(col, 0)), grid->columnWidth(col))
                << grid->objectName().toStdString() << " column " << col;
    }
}

// ---- layout -------------------------------------------------------------------------------------

class Resize : public ::testing::TestWithParam<QSize> {};

TEST_P(Resize, LaysTheInvoicePageOutByTheWindowsSize)
{
    TFiche fiche;
    fiche.PageControl1->setCurrentWidget(fiche.TabSheet2);
    fiche.show();
    fiche.resize(GetParam());
    QApplication::processEvents();
    const int W = GetParam().width(), H = GetParam().height();
    EXPECT_EQ(fiche.Panel3->x(), W - 314);
    EXPECT_EQ(fiche.Panel4->height(), H - 190);
    EXPECT_EQ(fiche.Panel4->geometry().bottom(), fiche.TabSheet2->height() - 1);
    EXPECT_EQ(fiche.Panel7->x(), W - 400);
    const int widths[] = {80, W - 528, 100, 120, 40, 120, 20};
    for (int col = 0; col < 7; ++col)
        EXPECT_EQ(fiche.StringGrid2->ColWidths(col), widths[col]) << col;
    EXPECT_EQ(fiche.Memo2->width(), W - 436);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Resize, ::testing::Values(QSize(740, 455), QSize(1024, 700), QSize(1280, 960)));

TEST(FicheWindow, ArticlesShowsTheArticlePageWithTheFocusOnTheDesignation)
{
    TFiche fiche;
    fiche.show();
    QApplication::setActiveWindow(&fiche);
    fiche.Articles();
    EXPECT_EQ(fiche.PageControl1->currentWidget(), fiche.TabSheet3);
    EXPECT_EQ(QApplication::focusWidget(), fiche.Edit48);
}

// ---- activation ---------------------------------------------------------------------------------

// The card file is the frame's MDI child; it loads its settings when it becomes the active child,
// not each time the frame comes back to the front.
TEST(FicheActivation, RunsWhenTheWindowBecomesTheActiveChildOnly)
{
    QMdiArea area;
    auto* fiche = new TFiche;
    QMdiSubWindow* sub = area.addSubWindow(fiche, Qt::FramelessWindowHint);
    area.show();
    sub->showMaximized();
    area.setActiveSubWindow(sub);
    QApplication::processEvents();
    EXPECT_EQ(fiche->ActivationCount, 1);

    // Another application, or a modal dialog, takes the front and gives it back.
    area.setActiveSubWindow(nullptr);
    area.setActiveSubWindow(sub);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(&area);
    QApplication::processEvents();
    EXPECT_EQ(fiche->ActivationCount, 1);

    // Another child was active in between: coming back counts.
    QMdiSubWindow* second = area.addSubWindow(new QWidget);
    second->show();
    area.setActiveSubWindow(second);
    area.setActiveSubWindow(sub);
    QApplication::processEvents();
    EXPECT_EQ(fiche->ActivationCount, 2);
}
