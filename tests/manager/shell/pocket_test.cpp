// The pocket calculator: worked examples typed as an operator types them, its errors, and that
// it never shows a wrong number.
#include <gtest/gtest.h>
#include <QTest>
#include "manager/shell/pocket.h"
#include "support/dialog_driver.h"

namespace {

// A calculator as it is after being shown: the state reset, the focus on "=".
class PocketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TPocket::State = {};
        calc.Button18Click();
    }
    // Each character typed on the focused "=" button.
    void Keys(const QString& keys)
    {
        for (QChar c : keys)
            QTest::keyClick(calc.Button11, char(c.unicode()));
    }
    QString Display() const { return calc.Label1->text(); }
    TPocket calc{nullptr};
};

TEST_F(PocketTest, WorkedExamples)
{
    const struct {
        const char* keys;
        const char* display;
    } cases[] = {
        {"7+5=", "12"},
        {"7+5==", "24"},  // "=" again adds the displayed 12
        {"2+3==", "10"},
        {"2+3*4=", "20"},  // no precedence
        {"7++", "14"},     // a repeated operator doubles
        {"007+1=", "8"},
        {"10/4=", "2,5"},
        {"1,5*2=", "3"},
        {"1.5*2=", "3"},  // '.' is the comma
        {"5-8=", "-3"},
        {"9s", "3"},
        {"9sC", ""},
        {"4x", "0,25"},
        {"5=,5", ",5"},  // after a result "," starts a new number
        {"5+,5=", "5,5"},
        {"1/3=", "0,3333333333333"},                    // shortened to 15 characters
        {"0,0000001*0,0000001/3=", "3,333333333E-15"},  // the exponent is kept
        {"123456789*1000000000=", "1,23456789E17"},
    };
    for (const auto& c : cases) {
        SetUp();
        Keys(QString::fromUtf8(c.keys));
        EXPECT_EQ(Display(), c.display) << c.keys;
    }
}

TEST_F(PocketTest, KeysPressTheirButtonsExceptOnOneOverXAndSqr)
{
    Keys(QStringLiteral("16"));
    QTest::keyClick(calc.Button16, 's');  // typed on "sqr"'s neighbour "1/x": nothing
    QTest::keyClick(calc.Button17, 'x');
    EXPECT_EQ(Display(), "16");
    QTest::keyClick(calc.Button7, 'S');  // any other button passes it on
    EXPECT_EQ(Display(), "4");
    QTest::keyClick(&calc, 'X');  // so does the window itself
    EXPECT_EQ(Display(), "0,25");
    QTest::keyClick(calc.Button3, 'c');
    EXPECT_EQ(Display(), "");
    Keys(QStringLiteral("2a?b3"));  // other keys do nothing
    EXPECT_EQ(Display(), "23");
}

TEST_F(PocketTest, TheFirstValueThatIsNoNumberEmptiesTheDisplaySilently)
{
    Keys(QStringLiteral(",="));
    EXPECT_EQ(Display(), "");
    EXPECT_FALSE(TPocket::State.AccumulateurPose);
    Keys(QStringLiteral("6*2="));
    EXPECT_EQ(Display(), "12");
}

TEST_F(PocketTest, ErrorsShowTheRuntimesMessageAndChangeNothing)
{
    const struct {
        const char* before;
        const char* key;
        const char* message;
        const char* shown;
    } cases[] = {
        {"5/0", "=", "Floating point division by zero", "0"},
        {"0/0", "=", "Invalid floating point operation", "0"},
        {"0", "x", "Floating point division by zero", "0"},
        {"0-4=", "s", "Invalid floating point operation", "-4"},
        {"5+,", "=", "',' is not a valid floating point value", ","},
    };
    for (const auto& c : cases) {
        SetUp();
        Keys(QString::fromUtf8(c.before));
        const TPocket::Etat before = TPocket::State;
        ScriptedDialogs responder;
        responder.message(QString::fromUtf8(c.message));
        Keys(QString::fromUtf8(c.key));
        EXPECT_TRUE(responder.done()) << c.before << c.key;
        EXPECT_EQ(Display(), QString::fromUtf8(c.shown)) << c.before << c.key;
        EXPECT_EQ(TPocket::State.Accumulateur, before.Accumulateur) << c.before;
        EXPECT_EQ(TPocket::State.Operateur, before.Operateur) << c.before;
        EXPECT_EQ(TPocket::State.AccumulateurPose, before.AccumulateurPose) << c.before;
    }
    // After the refused division the chain goes on from where it was.
    SetUp();
    Keys(QStringLiteral("5/0"));
    {
        ScriptedDialogs responder;
        responder.message(QStringLiteral("Floating point division by zero"));
        Keys(QStringLiteral("="));
    }
    Keys(QStringLiteral("2="));
    EXPECT_EQ(Display(), "2,5");  // 5 / 02
}

TEST_F(PocketTest, AnOverflowIsAnErrorNotAnInfinity)
{
    const QString big = QStringLiteral("1") + QString(160, u'0');
    Keys(big + QStringLiteral("*"));
    ScriptedDialogs responder;
    responder.message(QStringLiteral("Floating point overflow"));
    Keys(QStringLiteral("="));
    EXPECT_EQ(Display(), big);
    EXPECT_EQ(TPocket::State.Accumulateur, 1e160);
}

TEST(PocketDisplay, LongResultsLoseMantissaDigitsNeverTheirExponent)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1.0 / 3, "0,3333333333333"},
        {-1.0 / 3, "-0,333333333333"},
        {1.0 / 3e20, "3,333333333E-21"},
        {-2.0 / 3e100, "-6,6666667E-101"},
        {123456789012345.0, "123456789012345"},  // no comma: shown whole
        {-123456789012345.0, "-123456789012345"},
        {1e20, "1E20"},
        {2.5, "2,5"},
    };
    for (const auto& c : cases) {
        const QString text = TPocket::Affichage(c.value);
        EXPECT_EQ(text, c.text) << c.value;
        if (text.contains(u',')) {
            EXPECT_LE(text.size(), 15) << c.value;
        }
    }
}

TEST_F(PocketTest, ShowingTheWindowResetsAllButTheNewEntryFlag)
{
    Keys(QStringLiteral("7+5="));
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TPocket"), [](QDialog* d) {
        auto& w = *static_cast<TPocket*>(d);
        EXPECT_EQ(w.windowTitle(), "Calculatrice");
        EXPECT_EQ(w.Label1->text(), "");
        EXPECT_FALSE(TPocket::State.AccumulateurPose);
        EXPECT_TRUE(TPocket::State.Operateur.isNull());
        EXPECT_TRUE(TPocket::State.NouvelleSaisie);
        QTest::keyClick(w.Button11, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    });
    TPocket again(nullptr);
    platform::Dialogs().exec(&again);
}

}  // namespace
