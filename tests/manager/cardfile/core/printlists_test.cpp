// Which records a printed list covers after its print dialog, and the lines a row takes from a
// block.
#include <gtest/gtest.h>
#include "manager/cardfile/core/printlists.h"

namespace {

using printlists::BlockFields;
using printlists::RecordRange;

TEST(RecordRange, FromTheDialogsPagesToRecordNumbers)
{
    const struct {
        const char* what;
        int from, to, count, first, last;
    } cases[] = {
        {"every page as Qt reports it: every record", 0, 0, 5, 0, 4},
        {"pages 1 to N: every record", 1, 5, 5, 0, 4},
        {"a range: its records", 2, 3, 5, 1, 2},
        {"a range past the end stops at the last record", 4, 9, 5, 3, 4},
        {"no record at all: nothing", 0, 0, 0, 0, -1},
        {"pages 1 to 0 of an empty list: nothing", 1, 0, 0, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const printlists::Range r = RecordRange(c.from, c.to, c.count);
        EXPECT_EQ(r.first, c.first);
        EXPECT_EQ(r.last, c.last);
    }
}

TEST(BlockFields, TheLinesOfABlockByTheirOffset)
{
    RecordList list(4);
    list = QStringList{"<BLOC0000>", "a1", "a2", "a3", "</BLOC0000>",
                       "<BLOC0001>", "b1", "</BLOC0001>",   // a short, hand-edited block
                       "<BLOC0003>", "d1", "d2"};          // the last block lost its end tag
    EXPECT_EQ(BlockFields(list, 0, {3, 1}), (QStringList{"a3", "a1"}));
    // Past its last line a block has blanks, never its end tag or the next block's lines.
    EXPECT_EQ(BlockFields(list, 1, {1, 2, 3}), (QStringList{"b1", "", ""}));
    EXPECT_EQ(BlockFields(list, 3, {2, 3, 9}), (QStringList{"d2", "", ""}));
    EXPECT_EQ(BlockFields(list, 2, {1}), std::nullopt);
    EXPECT_EQ(BlockFields(list, 7, {1}), std::nullopt);
}

}  // namespace
