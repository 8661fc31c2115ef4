// Masked date and time fields read and written in the stored forms "dd/mm/yyyy", "  /  /    ",
// "hh:mm" and "  :  ".
#include <gtest/gtest.h>
#include <QTest>
#include "platform/widgets/maskedit.h"

namespace {

const QString Date = QStringLiteral("!99/99/0000;1;_");
const QString Time = QStringLiteral("!90:00;1;_");

}  // namespace

struct MaskCase {
    QString mask, set, text;
};

void PrintTo(const MaskCase& c, std::ostream* os)
{
    *os << c.mask.toStdString() << " \"" << c.set.toStdString() << '"';
}

class MaskedText : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskedText, ReadsBackInTheStoredForm)
{
    TMaskEdit edit;
    edit.SetEditMask(GetParam().mask);
    edit.SetText(GetParam().set);
    EXPECT_EQ(edit.Text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, MaskedText,
                         ::testing::Values(MaskCase{Date, "12/05/2023", "12/05/2023"},
                                           MaskCase{Date, "", "  /  /    "},
                                           MaskCase{Date, "  /  /    ", "  /  /    "},
                                           MaskCase{Date, "01/  /    ", "01/  /    "},
                                           MaskCase{Time, "09:30", "09:30"}, MaskCase{Time, "", "  :  "},
                                           MaskCase{Time, "  :  ", "  :  "}));

TEST(MaskEdit, AFreshFieldIsBlank)
{
    TMaskEdit date, time;
    date.SetEditMask(Date);
    time.SetEditMask(Time);
    EXPECT_EQ(date.Text(), QStringLiteral("  /  /    "));
    EXPECT_EQ(time.Text(), QStringLiteral("  :  "));
    EXPECT_EQ(date.BlankText(), QStringLiteral("  /  /    "));
    EXPECT_EQ(time.BlankText(), QStringLiteral("  :  "));
}

TEST(MaskEdit, TypedDigitsFillThePositionsAroundTheSeparators)
{
    TMaskEdit date;
    date.SetEditMask(Date);
    date.setCursorPosition(0);
    QTest::keyClicks(&date, QStringLiteral("24122024"));
    EXPECT_EQ(date.Text(), QStringLiteral("24/12/2024"));
    TMaskEdit time;
    time.SetEditMask(Time);
    time.setCursorPosition(0);
    QTest::keyClicks(&time, QStringLiteral("07x45"));
    EXPECT_EQ(time.Text(), QStringLiteral("07:45"));
}

TEST(MaskEdit, BlankPositionsShowTheMasksBlankCharacter)
{
    TMaskEdit date;
    date.SetEditMask(Date);
    date.SetText(QStringLiteral("3"));
    EXPECT_EQ(date.displayText(), QStringLiteral("3_/__/____"));
    EXPECT_EQ(date.Text(), QStringLiteral("3 /  /    "));
}

TEST(MaskEdit, WithoutAMaskItIsAPlainEdit)
{
    TMaskEdit edit;
    edit.SetText(QStringLiteral(" libre "));
    EXPECT_EQ(edit.Text(), QStringLiteral(" libre "));
}
