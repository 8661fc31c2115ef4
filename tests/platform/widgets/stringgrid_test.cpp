// The string grid as the cards use it: cells by column and row, counts that include the fixed row.
#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include "platform/widgets/stringgrid.h"

TEST(StringGrid, RowZeroIsTheHeaderUnderAFixedRow)
{
    TStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.rowCount(), 3);
    grid.SetCells(1, 0, QStringLiteral("Libellé"));
    grid.SetCells(1, 1, QStringLiteral("premier"));
    grid.SetCells(2, 3, QStringLiteral("dernier"));
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Libellé"));
    EXPECT_EQ(grid.item(0, 1)->text(), QStringLiteral("premier"));
    EXPECT_EQ(grid.Cells(1, 0), QStringLiteral("Libellé"));
    EXPECT_EQ(grid.Cells(2, 3), QStringLiteral("dernier"));
    EXPECT_TRUE(grid.horizontalHeader()->isVisibleTo(&grid));
}

TEST(StringGrid, WithoutAFixedRowRowZeroIsData)
{
    TStringGrid grid;
    grid.SetFixedRows(0);
    grid.SetColCount(2);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.rowCount(), 5);
    grid.SetCells(0, 0, QStringLiteral("12/03"));
    EXPECT_EQ(grid.item(0, 0)->text(), QStringLiteral("12/03"));
    EXPECT_FALSE(grid.horizontalHeader()->isVisibleTo(&grid));
}

TEST(StringGrid, EmptyAndMissingCellsReadAsEmptyText)
{
    TStringGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(3);
    grid.SetCells(0, 1, QString());
    for (const auto& [col, row] : {std::pair{0, 0}, {0, 1}, {1, 2}, {5, 1}, {0, 9}, {-1, 0}}) {
        const QString cell = grid.Cells(col, row);
        EXPECT_TRUE(cell.isEmpty()) << col << "," << row;
        EXPECT_FALSE(cell.isNull()) << col << "," << row;
    }
    grid.SetCells(7, 7, QStringLiteral("ailleurs"));   // nowhere to go, nothing breaks
    EXPECT_EQ(grid.rowCount(), 2);
}

// A form sets its properties in whatever order it lists them.
TEST(StringGrid, FormPropertiesApplyInAnyOrder)
{
    for (bool widthsFirst : {true, false}) {
        TStringGrid grid;
        if (widthsFirst)
            grid.setProperty("ColWidths", QStringLiteral("94,178,97"));
        grid.setProperty("RowCount", 64);
        grid.setProperty("FixedRows", 1);
        grid.setProperty("ColCount", 3);
        if (!widthsFirst)
            grid.setProperty("ColWidths", QStringLiteral("94,178,97"));
        grid.setProperty("Options", QStringLiteral("goEditing,goTabs"));
        EXPECT_EQ(grid.RowCount(), 64);
        EXPECT_EQ(grid.ColCount(), 3);
        EXPECT_EQ(grid.ColWidths(0), 94);
        EXPECT_EQ(grid.ColWidths(1), 178);
        EXPECT_EQ(grid.ColWidths(2), 97);
        EXPECT_TRUE(grid.Editing());
        EXPECT_TRUE(grid.Tabs());
        EXPECT_FALSE(grid.RowSelect());
        EXPECT_EQ(grid.property("Options").toString(), QStringLiteral("goEditing,goTabs"));
    }
}

TEST(StringGrid, FixedRowsKeepsTheRowCount)
{
    TStringGrid grid;
    grid.SetRowCount(6);
    grid.SetFixedRows(0);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.rowCount(), 6);
    grid.SetFixedRows(1);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.rowCount(), 5);
}

TEST(StringGrid, CurrentRowCountsTheFixedRow)
{
    TStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(10);
    grid.SetRow(4);
    grid.SetCol(2);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.currentRow(), 3);
}

namespace {

struct Shown {
    TStringGrid grid;
    Shown(const QString& options)
    {
        grid.SetColCount(3);
        grid.SetRowCount(6);
        grid.SetOptions(options);
        grid.show();
        QApplication::setActiveWindow(&grid);
        grid.setFocus();
    }
};

}  // namespace

TEST(StringGrid, ANonEditableGridOpensNoEditor)
{
    Shown s(QStringLiteral("goRowSelect"));
    s.grid.SetRow(2);
    QTest::keyClick(&s.grid, Qt::Key_A);
    QTest::keyClick(&s.grid, Qt::Key_F2);
    EXPECT_EQ(s.grid.CellEditor(), nullptr);
    EXPECT_EQ(s.grid.Cells(0, 2), QString());
    EXPECT_EQ(s.grid.selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST(StringGrid, TheEditorIsAlwaysOpenOnTheCurrentCell)
{
    Shown s(QStringLiteral("goEditing,goAlwaysShowEditor"));
    s.grid.SetRow(3);
    s.grid.SetCol(1);
    QWidget* editor = s.grid.CellEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Scan"));
    s.grid.SetRow(4);
    EXPECT_EQ(s.grid.Cells(1, 3), QStringLiteral("Scan"));
    EXPECT_NE(s.grid.CellEditor(), nullptr);
    EXPECT_NE(s.grid.CellEditor(), editor);
}

// A card written while the editor is still open (a move by Page Down) must see what was typed.
TEST(StringGrid, WhatIsTypedIsInTheCellWhileTheEditorIsOpen)
{
    Shown s(QStringLiteral("goEditing,goAlwaysShowEditor"));
    s.grid.SetRow(2);
    s.grid.SetCol(0);
    auto* editor = qobject_cast<QLineEdit*>(s.grid.CellEditor());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Disk"));
    EXPECT_EQ(s.grid.Cells(0, 2), QStringLiteral("Disk"));
    // Typing inside the text keeps the caret where it is.
    editor->setCursorPosition(1);
    QTest::keyClicks(editor, QStringLiteral("xy"));
    EXPECT_EQ(s.grid.Cells(0, 2), QStringLiteral("Dxyisk"));
    EXPECT_EQ(editor->cursorPosition(), 3);
    // A cell written by the program shows in the open editor.
    s.grid.SetCells(0, 2, QStringLiteral("Scan"));
    EXPECT_EQ(editor->text(), QStringLiteral("Scan"));
}

TEST(StringGrid, TabMovesBetweenCellsOnlyWithTheOption)
{
    for (bool tabs : {true, false}) {
        Shown s(tabs ? QStringLiteral("goTabs") : QString());
        QLineEdit after;
        after.show();
        s.grid.SetRow(1);
        s.grid.SetCol(0);
        QTest::keyClick(&s.grid, Qt::Key_Tab);
        EXPECT_EQ(s.grid.Col(), tabs ? 1 : 0) << tabs;
    }
}

// The cards' key filters: each character once, whether the grid or its editor has the key.
TEST(StringGrid, TheKeyHookSeesEveryCharacterOnceAndCanChangeIt)
{
    Shown s(QStringLiteral("goEditing"));
    QString seen;
    s.grid.SetOnKeyPress([&](QChar& key) {
        seen += key;
        if (key == QLatin1Char('.'))
            key = QLatin1Char(',');
        else if (key.isLetter())
            key = QChar(0);
    });
    s.grid.SetRow(2);
    s.grid.SetCol(2);
    QTest::keyClick(&s.grid, Qt::Key_1);   // opens the editor with this key
    QWidget* editor = s.grid.CellEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("2.5x0"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();   // the view commits after the key
    EXPECT_EQ(seen, QStringLiteral("12.5x0\r"));
    EXPECT_EQ(s.grid.Cells(2, 2), QStringLiteral("12,50"));
}

TEST(StringGrid, AReplacedFirstKeyStillOpensTheEditor)
{
    Shown s(QStringLiteral("goEditing"));
    int calls = 0;
    s.grid.SetOnKeyPress([&](QChar& key) {
        ++calls;
        if (key == QLatin1Char('.'))
            key = QLatin1Char(',');
    });
    s.grid.SetRow(1);
    QTest::keyClick(&s.grid, Qt::Key_Period, Qt::NoModifier);
    ASSERT_NE(s.grid.CellEditor(), nullptr);
    QTest::keyClick(s.grid.CellEditor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(s.grid.Cells(0, 1), QStringLiteral(","));
    EXPECT_EQ(calls, 2);
}

namespace {

// A grid of five rows under its header and three columns, between two edits in one window.
struct Between {
    QWidget window;
    QLineEdit* before = new QLineEdit(&window);
    TStringGrid* grid = new TStringGrid(&window);
    QLineEdit* after = new QLineEdit(&window);
    explicit Between(const QString& options)
    {
        grid->SetColCount(3);
        grid->SetRowCount(6);
        grid->SetOptions(options);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    bool InGrid() const { return Focus() == grid || grid->isAncestorOf(Focus()); }
};

}  // namespace

// Tab walks the cells where the grid takes Tab, and moves on to the next control from the last
// cell (Shift+Tab to the one before from the first), whether the cell's editor is open or not:
// Tab never goes round inside the grid.
TEST(StringGrid, TabMovesOnFromTheLastCell)
{
    for (const char* options : {"goEditing,goTabs", "goEditing,goTabs,goAlwaysShowEditor", "goEditing,goAlwaysShowEditor"}) {
        for (const bool typing : {false, true}) {
            SCOPED_TRACE(std::string(options) + (typing ? ", typing" : ""));
            Between w{QString::fromLatin1(options)};
            w.grid->setFocus();
            w.grid->setCurrentCell(3, 2);
            if (typing)
                QTest::keyClick(w.Focus(), Qt::Key_7);
            QTest::keyClick(w.Focus(), Qt::Key_Tab);
            EXPECT_TRUE(w.InGrid());
            EXPECT_EQ(w.grid->Row(), 5);
            EXPECT_EQ(w.grid->Col(), 0);
            w.grid->setCurrentCell(4, 2);
            if (typing)
                QTest::keyClick(w.Focus(), Qt::Key_8);
            QTest::keyClick(w.Focus(), Qt::Key_Tab);
            EXPECT_EQ(w.Focus(), w.after);
            w.grid->setFocus();
            w.grid->setCurrentCell(0, 0);
            if (typing)
                QTest::keyClick(w.Focus(), Qt::Key_9);
            QTest::keyClick(w.Focus(), Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_EQ(w.Focus(), w.before);
            EXPECT_EQ(w.grid->Cells(2, 5), typing ? QStringLiteral("8") : QString());
            EXPECT_EQ(w.grid->Cells(0, 1), typing ? QStringLiteral("9") : QString());
        }
    }
}

// The operator's changes to a cell are told, however they reach the editor (keys, the input
// method); what the program writes into a cell is not, nor an editor opened and closed unchanged.
TEST(StringGrid, CellEditedTellsTheOperatorsChangesOnly)
{
    Shown s(QStringLiteral("goEditing"));
    QList<std::pair<int, int>> edited;
    QObject::connect(&s.grid, &TStringGrid::CellEdited, [&](int col, int row) { edited.append({col, row}); });
    s.grid.SetCells(1, 2, QStringLiteral("écrit"));
    s.grid.SetRow(3);
    s.grid.SetCol(1);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("é"));
    QApplication::sendEvent(&s.grid, &composed);   // the first character opens the editor
    ASSERT_NE(s.grid.CellEditor(), nullptr);
    QTest::keyClicks(s.grid.CellEditor(), QStringLiteral("t"));
    QTest::keyClick(s.grid.CellEditor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(s.grid.Cells(1, 3), QStringLiteral("ét"));
    EXPECT_EQ(edited, (QList<std::pair<int, int>>{{1, 3}, {1, 3}}));
    edited.clear();
    s.grid.SetRow(2);
    QTest::keyClick(&s.grid, Qt::Key_F2);   // opens the editor on the cell as it is
    ASSERT_NE(s.grid.CellEditor(), nullptr);
    QTest::keyClick(s.grid.CellEditor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(s.grid.Cells(1, 2), QStringLiteral("écrit"));
    EXPECT_TRUE(edited.isEmpty());
}
