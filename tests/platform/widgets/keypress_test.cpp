// The character hook that the cards' amount fields and filters use on any control.
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include "platform/widgets/keypress.h"

namespace {

// Digits and ',' pass, '.' becomes ',', control characters pass, the rest is dropped.
void AmountFilter(QChar& key)
{
    if (key.unicode() < 32)
        return;
    if (key == QLatin1Char('.'))
        key = QLatin1Char(',');
    if (!key.isDigit() && key != QLatin1Char(','))
        key = QChar(0);
}

}  // namespace

struct TypedCase {
    QString typed, result;
};

void PrintTo(const TypedCase& c, std::ostream* os)
{
    *os << '"' << c.typed.toStdString() << '"';
}

class AmountField : public ::testing::TestWithParam<TypedCase> {};

TEST_P(AmountField, KeepsWhatTheFilterLetsThrough)
{
    QLineEdit edit;
    OnKeyPress(&edit, AmountFilter);
    QTest::keyClicks(&edit, GetParam().typed);
    EXPECT_EQ(edit.text(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Cases, AmountField,
                         ::testing::Values(TypedCase{"12.5", "12,5"}, TypedCase{"1a2b", "12"},
                                           TypedCase{"7,25", "7,25"}, TypedCase{"-3 %", "3"}, TypedCase{"", ""}));

TEST(KeyPressHook, ControlCharactersReachTheControl)
{
    QLineEdit edit;
    OnKeyPress(&edit, AmountFilter);
    QTest::keyClicks(&edit, QStringLiteral("123"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
}

TEST(KeyPressHook, KeysWithoutACharacterAreNotShown)
{
    QLineEdit edit;
    QString seen;
    OnKeyPress(&edit, [&](QChar& key) { seen += key; });
    edit.setText(QStringLiteral("ab"));
    QTest::keyClick(&edit, Qt::Key_Left);
    QTest::keyClick(&edit, Qt::Key_F5);
    QTest::keyClick(&edit, Qt::Key_X);
    EXPECT_EQ(seen, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), QStringLiteral("axb"));
}

TEST(KeyPressHook, ANewHookReplacesTheOldOne)
{
    QPlainTextEdit memo;
    int first = 0, second = 0;
    OnKeyPress(&memo, [&](QChar&) { ++first; });
    OnKeyPress(&memo, [&](QChar& key) {
        ++second;
        key = key.toUpper();
    });
    QTest::keyClicks(&memo, QStringLiteral("ok"));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("OK"));
    OnKeyPress(&memo, nullptr);
    QTest::keyClicks(&memo, QStringLiteral("k"));
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("OKk"));
}
