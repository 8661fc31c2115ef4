// The numbers of a walk over a list: each text reads as the runtime's conversion reads it, the
// first time and every time after, and a text that does not read stays unread.
#include <gtest/gtest.h>
#include <optional>
#include "manager/cardfile/core/number_memo.h"
#include "support/print.h"

namespace {

template <class T>
std::optional<T> Converted(T (*convert)(const QString&), const QString& text)
{
    try {
        return convert(text);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

TEST(NumberMemo, ReadsAsTheRuntimeTheFirstTimeAndAfter)
{
    const QString texts[] = {"1",    " 2 ", "2 x", "abc", "",   "1,5", "1.5",     "-3",     "10",
                             "0,15", "1e2", "  ",  "7",   "x1", "0",   "3,33333", "  3,50", "+4"};
    numbers::Memo memo;
    for (int pass = 0; pass < 2; ++pass)
        for (const QString& text : texts) {
            EXPECT_EQ(memo.Float(text), Converted(&rtl::StrToFloat, text)) << pass << " " << text.toStdString();
            EXPECT_EQ(memo.Int(text), Converted(&rtl::StrToInt, text)) << pass << " " << text.toStdString();
        }
    // A view of part of a line is looked up by its text, not by where it stands.
    const QString line = "A\t1,80\t2";
    EXPECT_EQ(memo.Float(QStringView(line).sliced(2, 4)), 1.8);
    EXPECT_EQ(memo.Int(QStringView(line).sliced(7)), 2);
}

TEST(NumberMemo, TrimmedAsTheRuntimeTrims)
{
    for (const QString& text : QStringList{"", " ", "\t a b \r\n", "abc", "  x", "y  ", QString(QChar(0x1f)) + "z"})
        EXPECT_EQ(numbers::Trimmed(text).toString(), rtl::Trim(text)) << text.toStdString();
}

}  // namespace
