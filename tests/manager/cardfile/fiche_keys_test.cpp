// The navigation keys of the card-file window, wherever the focus is on a card.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include "manager/cardfile/fiche.h"
#include "platform/widgets/stringgrid.h"

namespace {

using Action = void (TFiche::*)();

struct KeyCase {
    const char* what;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    Action action;   // null: the key passes to the control
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.what;
}

const KeyCase kCases[] = {
    {"PgDn", Qt::Key_PageDown, Qt::NoModifier, &TFiche::Suivant},
    {"PgUp", Qt::Key_PageUp, Qt::NoModifier, &TFiche::Precedent},
    {"CtrlHome", Qt::Key_Home, Qt::ControlModifier, &TFiche::Premier},
    {"CtrlEnd", Qt::Key_End, Qt::ControlModifier, &TFiche::Dernier},
    {"F2", Qt::Key_F2, Qt::NoModifier, &TFiche::Liste},
    {"ShiftPgDn", Qt::Key_PageDown, Qt::ShiftModifier, &TFiche::Suivant},
    {"CtrlShiftHome", Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier, nullptr},
    {"CtrlAltEnd", Qt::Key_End, Qt::ControlModifier | Qt::AltModifier, nullptr},
    {"Home", Qt::Key_Home, Qt::NoModifier, nullptr},
    {"End", Qt::Key_End, Qt::NoModifier, nullptr},
    {"Letter", Qt::Key_A, Qt::NoModifier, nullptr},
};

struct Window {
    TFiche fiche;
    std::vector<Action> ran;

    Window()
    {
        fiche.NavigationSpy = [this](Action a) { ran.push_back(a); };
        fiche.resize(900, 600);
        fiche.show();
        QApplication::setActiveWindow(&fiche);
    }
    std::vector<Action> Expected(const KeyCase& c) const
    {
        return c.action ? std::vector<Action>{c.action} : std::vector<Action>{};
    }
};

}  // namespace

class Keys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Keys, FromAnEdit)
{
    const KeyCase& c = GetParam();
    Window w;
    QLineEdit* edit = w.fiche.Edit2;
    edit->setFocus();
    edit->setText(QStringLiteral("Dupont"));
    edit->setCursorPosition(3);
    QTest::keyClick(edit, c.key, c.mods);
    // One run, so the key went no further up the card either.
    EXPECT_EQ(w.ran, w.Expected(c));
    if (c.key == Qt::Key_Home && !c.action) {
        EXPECT_EQ(edit->cursorPosition(), c.mods == Qt::NoModifier ? 0 : 3);
    }
}

TEST_P(Keys, FromAGrid)
{
    const KeyCase& c = GetParam();
    Window w;
    TStringGrid* grid = w.fiche.StringGrid1;   // the customer history: moves its row on these keys
    grid->setFocus();
    grid->SetRow(20);
    QTest::keyClick(grid, c.key, c.mods);
    EXPECT_EQ(w.ran, w.Expected(c));
    if (c.action) {
        EXPECT_EQ(grid->Row(), 20);
    }
}

TEST_P(Keys, FromAGridCellEditor)
{
    const KeyCase& c = GetParam();
    Window w;
    w.fiche.PageControl1->setCurrentWidget(w.fiche.TabSheet2);
    TStringGrid* grid = w.fiche.StringGrid2;   // the invoice lines: their editor is always open
    grid->setFocus();
    grid->SetRow(5);
    grid->SetCol(1);
    QWidget* editor = grid->CellEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, c.key, c.mods);
    EXPECT_EQ(w.ran, w.Expected(c));
    if (c.action) {
        EXPECT_EQ(grid->Row(), 5);
        EXPECT_EQ(grid->CellEditor(), editor);
    }
}

TEST_P(Keys, FromAnEditCreatedLater)
{
    const KeyCase& c = GetParam();
    Window w;
    TStringGrid* grid = w.fiche.StringGrid6;   // the stamp grid: an editor only while typing
    grid->setFocus();
    grid->SetRow(1);
    QTest::keyClick(grid, Qt::Key_1);
    QWidget* editor = grid->CellEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, c.key, c.mods);
    EXPECT_EQ(w.ran, w.Expected(c));
}

INSTANTIATE_TEST_SUITE_P(Cases, Keys, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(KeysElsewhere, TheRoomViewDoesNotNavigate)
{
    Window w;
    w.fiche.PageControl1->setCurrentWidget(w.fiche.TabSheet6);
    w.fiche.ListView1->setFocus();
    QTest::keyClick(w.fiche.ListView1, Qt::Key_PageDown);
    EXPECT_TRUE(w.ran.empty());
}

TEST(KeysElsewhere, AUsedKeyBecomesClear)
{
    TFiche fiche;
    fiche.NavigationSpy = [](Action) {};
    int key = Qt::Key_F2;
    fiche.FormKeyDown(key, Qt::NoModifier);
    EXPECT_EQ(key, Qt::Key_Clear);
    key = Qt::Key_Home;
    fiche.FormKeyDown(key, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(key, Qt::Key_Home);
}

struct ControlCase {
    const char* name;
    int page;     // 1 to 5
    bool bound;
};

void PrintTo(const ControlCase& c, std::ostream* os)
{
    *os << c.name;
}

class Controls : public ::testing::TestWithParam<ControlCase> {};

// Edits, check boxes, combo boxes, memos, date pickers and grids navigate; the machine card's
// system combo, buttons and labels do not.
TEST_P(Controls, NavigateWhereTheCardsInputIs)
{
    const ControlCase& c = GetParam();
    Window w;
    w.fiche.PageControl1->setCurrentIndex(c.page - 1);
    auto* control = w.fiche.findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(control, nullptr);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_F2);
    EXPECT_EQ(w.ran.size(), c.bound ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, Controls,
                         ::testing::Values(ControlCase{"Edit1", 1, true}, ControlCase{"CheckBox1", 1, true},
                                           ControlCase{"MaskEdit1", 1, true}, ControlCase{"DateTimePicker2", 1, true},
                                           ControlCase{"Memo1", 1, true}, ControlCase{"StringGrid6", 1, true},
                                           ControlCase{"ComboBox3", 2, true}, ControlCase{"Memo2", 2, true},
                                           ControlCase{"ComboBox9", 3, true}, ControlCase{"Edit17", 4, true},
                                           ControlCase{"CheckBox14", 4, true}, ControlCase{"Memo3", 4, true},
                                           ControlCase{"ComboBox1", 4, false}, ControlCase{"SpeedButton2", 4, false},
                                           ControlCase{"Button5", 5, false}, ControlCase{"MaskEdit7", 5, true}),
                         [](const auto& info) { return std::string(info.param.name); });
