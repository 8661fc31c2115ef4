// The currency converter against worked examples, its keys, and the rates and choices it hands
// back.
#include <gtest/gtest.h>
#include <QTest>
#include "manager/shell/devise.h"
#include "support/dialog_driver.h"

namespace {

struct Settings {
    int direction = 0, currency = 0;
    double rates[5] = {6.55957, 1.1466, 0.7156, 134.76, 1.6049};
};

void In(TDevisef& w, const Settings& s)
{
    w.SetIni(s.direction, s.currency, s.rates[0], s.rates[1], s.rates[2], s.rates[3], s.rates[4]);
}

Settings Out(const TDevisef& w)
{
    Settings s;
    w.GetIni(s.rates[0], s.rates[1], s.rates[2], s.rates[3], s.rates[4], s.direction, s.currency);
    return s;
}

// Types keys as the operator does, on the focused "=" button.
void Keys(TDevisef& w, const QString& keys)
{
    for (QChar c : keys)
        QTest::keyClick(w.Button11, char(c.unicode()));
}

TEST(TDevisef, WorkedExamples)
{
    const struct {
        int currency, direction;
        const char* entry;
        const char* result;
    } cases[] = {
        {0, 0, "100", "15,24"},   // 100 francs are 15,24 euros
        {0, 1, "100", "655,96"},  // 100 euros are 655,96 francs
        {1, 0, "100", "87,21"},  {2, 1, "10", "7,16"},    {3, 1, "1,5", "202,14"},
        {4, 0, "0", "0,00"},     {0, 0, "0,005", "0,00"}, {3, 1, "12345678", "1663703567,28"},
    };
    for (const auto& c : cases) {
        TDevisef w(nullptr);
        Settings s;
        s.currency = c.currency;
        s.direction = c.direction;
        In(w, s);
        Keys(w, QString::fromUtf8(c.entry));
        QTest::keyClick(w.Button11, Qt::Key_Return);
        EXPECT_EQ(w.Label2->text(), c.result) << c.currency << " " << c.direction << " " << c.entry;
    }
}

TEST(TDevisef, TheKeypadAndTheKeyboardTypeTheSameEntry)
{
    TDevisef w(nullptr);
    In(w, {});
    w.Button1->click();
    w.Button12->click();
    w.Button5->click();
    EXPECT_EQ(w.Label1->text(), "1,5");
    w.Button11->click();
    EXPECT_EQ(w.Label2->text(), "0,23");
    // After a result any key starts afresh: a digit with itself, a letter with nothing.
    Keys(w, QStringLiteral("1.5"));
    EXPECT_EQ(w.Label1->text(), "1,5");
    EXPECT_TRUE(w.Label2->text().isEmpty());
    QTest::keyClick(w.Button11, Qt::Key_Enter);
    Keys(w, QStringLiteral("a"));
    EXPECT_TRUE(w.Label1->text().isEmpty());
    EXPECT_TRUE(w.Label2->text().isEmpty());
    Keys(w, QStringLiteral("2a-7"));
    EXPECT_EQ(w.Label1->text(), "27");
    // The keypad after a result empties both displays too.
    w.Button11->click();
    w.Button9->click();
    EXPECT_EQ(w.Label1->text(), "9");
    EXPECT_TRUE(w.Label2->text().isEmpty());
}

TEST(TDevisef, AnEntryThatIsNoNumberShowsNothing)
{
    for (const char* entry : {"", ",", "1,,2", "1,2,"}) {
        TDevisef w(nullptr);
        In(w, {});
        Keys(w, QString::fromUtf8(entry));
        QTest::keyClick(w.Button10, Qt::Key_Return);  // Enter converts from "Fermer" too
        EXPECT_TRUE(w.Label2->text().isEmpty()) << entry;
        Keys(w, QStringLiteral("4"));
        EXPECT_EQ(w.Label1->text(), "4") << entry;
    }
}

TEST(TDevisef, RatesBelowATenthTakeTheirDefaultAndGoBackSo)
{
    TDevisef w(nullptr);
    Settings s;
    s.rates[0] = 0.05;
    s.rates[1] = 0;
    s.rates[2] = 0.1;  // the smallest kept
    s.rates[3] = 150;
    s.rates[4] = -3;
    In(w, s);
    const Settings back = Out(w);
    EXPECT_DOUBLE_EQ(back.rates[0], 6.55957);
    EXPECT_DOUBLE_EQ(back.rates[1], 1.1466);
    EXPECT_DOUBLE_EQ(back.rates[2], 0.1);
    EXPECT_DOUBLE_EQ(back.rates[3], 150);
    EXPECT_DOUBLE_EQ(back.rates[4], 1.6049);
}

TEST(TDevisef, ChoicesOutOfRangeShowTheFirstCurrencyAndDirection)
{
    const struct {
        int direction, currency;
    } cases[] = {{2, 5}, {-1, -1}, {7, 99}};
    for (const auto& c : cases) {
        TDevisef w(nullptr);
        Settings s;
        s.direction = c.direction;
        s.currency = c.currency;
        In(w, s);
        EXPECT_TRUE(w.RadioButton1->isChecked());
        EXPECT_TRUE(w.RadioButton6->isChecked());
        EXPECT_EQ(w.Label3->text(), "Francs");
        EXPECT_EQ(Out(w).direction, 0);
        EXPECT_EQ(Out(w).currency, 0);
    }
}

TEST(TDevisef, CaptionsAndUnitLabelsFollowTheChoices)
{
    TDevisef w(nullptr);
    EXPECT_EQ(w.windowTitle(), "Convertisseur de devises");
    const QList<QRadioButton*> items = {w.RadioButton1, w.RadioButton2, w.RadioButton3, w.RadioButton4, w.RadioButton5};
    const QStringList captions = {"Franc", "US Dollar", "GB Livre sterling", "Yen Japonais", "Dollar Cananadien "};
    const QStringList units = {"Francs", "Dollars", "Livres", "Yen", "Can Dollar"};
    EXPECT_EQ(w.RadioButton6->text(), "D > Euro");
    EXPECT_EQ(w.RadioButton7->text(), "Euro > D");
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TDevisef"), [&](QDialog*) {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(items[i]->text(), captions[i]);
            Tick(items[i]);
            EXPECT_EQ(w.Label3->text(), units[i]);
            EXPECT_EQ(w.Label4->text(), "Euro");
        }
        // Switching the direction swaps the units without converting again.
        Keys(w, QStringLiteral("100"));
        w.Button11->click();
        const QString result = w.Label2->text();
        Tick(w.RadioButton7);
        EXPECT_EQ(w.Label3->text(), "Euro");
        EXPECT_EQ(w.Label4->text(), "Can Dollar");
        EXPECT_EQ(w.Label2->text(), result);
        QTest::keyClick(w.Button11, Qt::Key_Escape);
    });
    platform::Dialogs().exec(&w);
    EXPECT_EQ(Out(w).currency, 4);
    EXPECT_EQ(Out(w).direction, 1);
}

TEST(TDevisef, OnlyEqualsAndFermerTakeTheFocus)
{
    TDevisef w(nullptr);
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
        const bool focusable = b == w.Button11 || b == w.Button10;
        EXPECT_EQ(b->focusPolicy() != Qt::NoFocus, focusable) << b->objectName().toStdString();
    }
}

}  // namespace
