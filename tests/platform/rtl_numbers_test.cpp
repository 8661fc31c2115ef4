// Number conversions as the programs' stored texts need them: ',' decimals, exact messages.
#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include "platform/rtl.h"
#include "convert_error.h"

using namespace rtl;

namespace {

TEST(StrToInt, AcceptsSignedDecimalWithBlanksAround)
{
    const struct { const char* text; int value; } cases[] = {
        {"0", 0}, {"42", 42}, {"-17", -17}, {"+8", 8}, {"  12  ", 12}, {"\t7", 7}, {"007", 7},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToInt(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(StrToInt, RejectsWithTheOriginalTextInTheMessage)
{
    const char* cases[] = {"", "   ", "abc", "12a", "1 2", "-", "+", "1,5", "1.5", "$1F", "0x10",
                           "2147483648", "-2147483649", "99999999999999999999", "١٢"};
    for (const char* text : cases)
        EXPECT_EQ(ConvertErrorOf([&] { StrToInt(QString::fromUtf8(text)); }),
                  QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)))
            << text;
}

TEST(StrToFloat, ReadsCommaDecimalsAndExponents)
{
    const struct { const char* text; double value; } cases[] = {
        {"1,5", 1.5}, {"-2", -2}, {"1,5E3", 1500}, {"  3 ", 3}, {"2,5e-2", 0.025}, {"1E+2", 100},
        {"+0,25", 0.25}, {",5", 0.5}, {"19,6", 19.6}, {"0", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(StrToFloat(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(StrToFloat, RejectsWithTheOriginalTextInTheMessage)
{
    const char* cases[] = {"1.5", "", "abc", "1,5,2", "E5", "1E", "1E+", "12 3", "1,5 €", "-", ",", "1E999", "nan", "inf"};
    for (const char* text : cases)
        EXPECT_EQ(ConvertErrorOf([&] { StrToFloat(QString::fromUtf8(text)); }),
                  QStringLiteral("'%1' is not a valid floating point value").arg(QString::fromUtf8(text)))
            << text;
}

TEST(FloatToStr, ShortestTextOfFifteenDigits)
{
    const struct { double value; const char* text; } cases[] = {
        {19.6, "19,6"}, {20, "20"}, {6.55957, "6,55957"}, {0, "0"}, {-0.0, "0"}, {-3.25, "-3,25"},
        {0.1 + 0.2, "0,3"}, {1.0 / 3, "0,333333333333333"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E15"}, {1e20, "1E20"}, {1.5e-5, "1,5E-5"}, {0.0001, "0,0001"}, {0.00001, "1E-5"},
        {-2.5e-7, "-2,5E-7"}, {1.23e100, "1,23E100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(c.value), QString::fromUtf8(c.text)) << c.value;
}

TEST(FloatToStr, FewerDigitsRoundTheMantissaAndKeepTheExponent)
{
    const struct { double value; int digits; const char* text; } cases[] = {
        {1.0 / 3, 5, "0,33333"}, {2.0 / 3, 5, "0,66667"}, {1.23456789e-20, 4, "1,235E-20"},
        {9.99999e20, 3, "1E21"}, {-123.456, 4, "-123,5"}, {123456789012345.0, 3, "1,23E14"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(c.value, c.digits), QString::fromUtf8(c.text)) << c.value << " " << c.digits;
}

TEST(FloatToStr, TextReadsBackToTheSameValue)
{
    for (double v : {19.6, 6.55957, -1234.5678, 0.07, 1e-3})
        EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(v)), v) << v;
}

TEST(FormatFloat, AmountFormatsRoundHalfAwayFromZeroOnTheDecimalText)
{
    const struct { const char* format; double value; const char* text; } cases[] = {
        {"#", 0, ""}, {"#", 0.4, ""}, {"#", 0.5, "1"}, {"#", 2.5, "3"}, {"#", -2.5, "-3"}, {"#", 1234.49, "1234"},
        {"#", -0.4, ""}, {"0", 0, "0"}, {"0", 1.5, "2"}, {"0", -0.2, "0"},
        {"0.0", 0.05, "0,1"}, {"0.0", 0.25, "0,3"}, {"0.0", -0.25, "-0,3"}, {"0.0", 12, "12,0"},
        {"0.0", 0.04, "0,0"}, {"0.0", 9.95, "10,0"},
        {"0.00", 2.675, "2,68"}, {"0.00", 1.005, "1,01"}, {"0.00", 1.115, "1,12"}, {"0.00", -0.001, "0,00"},
        {"0.00", -0.005, "-0,01"}, {"0.00", 19.6, "19,60"}, {"0.00", 0.125, "0,13"}, {"0.00", 99.995, "100,00"},
        {"0.00", 1234567.891, "1234567,89"}, {"0.000", 0.0005, "0,001"}, {"0.000", 6.55957, "6,560"},
        {"0.##", 1.5, "1,5"}, {"0.##", 2, "2"}, {"00", 5, "05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.format), c.value), QString::fromUtf8(c.text))
            << c.format << " " << c.value;
}

TEST(Round, HalfGoesToTheEvenNeighbour)
{
    const struct { double value; qint64 rounded; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3},
        {-0.6, -1}, {0, 0}, {1e12 + 0.5, 1000000000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Round(c.value), c.rounded) << c.value;
}

TEST(FracAndInt, KeepTheSignAndTruncate)
{
    EXPECT_DOUBLE_EQ(Frac(2.75), 0.75);
    EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
    EXPECT_DOUBLE_EQ(Int(2.75), 2);
    EXPECT_DOUBLE_EQ(Int(-2.75), -2);
    EXPECT_DOUBLE_EQ(Frac(5), 0);
}

TEST(FloatChecks, NoInfinityOrNanGetsThrough)
{
    const struct {
        const char* what;
        std::function<double()> op;
        const char* message;
    } failures[] = {
        {"1 / 0", [] { return Divide(1, 0); }, "Floating point division by zero"},
        {"-5 / 0", [] { return Divide(-5, 0); }, "Floating point division by zero"},
        {"0 / 0", [] { return Divide(0, 0); }, "Invalid floating point operation"},
        {"1e308 / 1e-10", [] { return Divide(1e308, 1e-10); }, "Floating point overflow"},
        {"sqrt(-1)", [] { return Sqrt(-1); }, "Invalid floating point operation"},
        {"1e308 * 10", [] { return CheckFloat(1e308 * 10); }, "Floating point overflow"},
        {"-1e308 - 1e308", [] { return CheckFloat(-1e308 - 1e308); }, "Floating point overflow"},
    };
    for (const auto& f : failures) {
        try {
            f.op();
            ADD_FAILURE() << f.what << " gave a number";
        } catch (const EMathError& e) {
            EXPECT_EQ(e.Message, QLatin1String(f.message)) << f.what;
        }
    }
    EXPECT_EQ(Divide(7, 2), 3.5);
    EXPECT_EQ(Divide(0, 3), 0);
    EXPECT_EQ(Sqrt(9), 3);
    EXPECT_EQ(Sqrt(0), 0);
    EXPECT_EQ(CheckFloat(1e-320 / 1e10), 0);   // an underflow is a zero, not an error
}

TEST(Texts, TrimRemovesEverythingUpToTheBlank)
{
    const QString s = QStringLiteral("\t \x01 a b \r\n");
    EXPECT_EQ(Trim(s), QStringLiteral("a b"));
    EXPECT_EQ(TrimLeft(s), QStringLiteral("a b \r\n"));
    EXPECT_EQ(TrimRight(s), QStringLiteral("\t \x01 a b"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
    // A no-break space is not a blank.
    EXPECT_EQ(Trim(QStringLiteral("\u00A0x\u00A0")), QStringLiteral("\u00A0x\u00A0"));
}

TEST(Texts, CaseChangesOnlyTheLettersAToZ)
{
    EXPECT_EQ(UpperCase(QStringLiteral("éléphant zèbre ç 9")), QStringLiteral("éLéPHANT ZèBRE ç 9"));
    EXPECT_EQ(LowerCase(QStringLiteral("ÉCOLE Œuvre ABC")), QStringLiteral("École Œuvre abc"));
}

}  // namespace
