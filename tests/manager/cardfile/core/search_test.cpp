// Finding a block by the beginning of a field line, and sorting blocks by one, without the card.
#include <gtest/gtest.h>
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/core/search.h"

namespace {

// Blocks of the given field lines, numbered 0, 1, ... in order.
RecordList Blocks(const QList<QStringList>& blocks)
{
    RecordList list(4);
    QStringList lines;
    for (int i = 0; i < blocks.size(); ++i)
        lines << list.StartTag(i) << blocks[i] << list.EndTag(i);
    list = lines;
    return list;
}

TEST(FindByPrefix, TheFirstBlockInListOrderWhoseLineBeginsWithTheText)
{
    const RecordList list = Blocks({{"10025", "Dupuis"}, {"1002", "DUPONT"}, {"10030", "martin"}});
    const struct {
        int line;
        const char* wanted;
        int found;
    } cases[] = {
        {2, "DUP", 0},     // DUPONT or Dupuis, whichever comes first
        {2, "DUPO", 1},
        {2, "MARTIN", 2},  // the line is upper-cased
        {2, "martin", -1}, // the text is compared as given
        {2, "XYZ", -1},
        {1, "1002", 0},    // a prefix: 1002 finds 10025, which comes first
        {1, "10030", 2},
        {3, "A", -1},      // a line no block has
    };
    for (const auto& c : cases)
        EXPECT_EQ(search::FindByPrefix(list, c.line, QString::fromUtf8(c.wanted)), c.found) << c.wanted;
}

TEST(FindByPrefix, ABlockCutShortNeverMatchesOnItsNeighboursLines)
{
    RecordList list(4);
    // Block 0 has no end tag and only its code: its second line would be block 1's start tag.
    list = QStringList{"<BLOC0000>", "10001", "<BLOC0001>", "<BLOC", "DUPONT", "</BLOC0001>"};
    EXPECT_EQ(search::FindByPrefix(list, 2, "<BLOC"), -1);
    EXPECT_EQ(search::FindByPrefix(list, 2, ""), 0);
}

TEST(FieldLine, NoLineBeforeTheFirst)
{
    RecordList list(4);
    list = QStringList{"<BLOC0000>", "10001", "</BLOC0000>"};
    EXPECT_EQ(blocks::FieldLine(list, 0, 1), "10001");
    EXPECT_EQ(blocks::FieldLine(list, 0, 0), QString());
    EXPECT_EQ(blocks::FieldLine(list, 0, 2), QString());
}

TEST(SortCollator, FrenchCaseInsensitiveNumbersAsText)
{
    const QCollator c = search::SortCollator();
    EXPECT_LT(c.compare("Lyon", "paris"), 0);
    EXPECT_LT(c.compare("paris", "Rouen"), 0);
    EXPECT_EQ(c.compare("PARIS", "paris"), 0);
    EXPECT_LT(c.compare("Écully", "Fréjus"), 0);   // an accented capital sorts with its letter
    EXPECT_LT(c.compare("10", "9"), 0);
}

TEST(SortBlocks, ByKeyThenByTheBlocksLinesRenumberedInOrder)
{
    RecordList list = Blocks({
        {"10003", "C", "Rouen"},
        {"10001", "A", "paris"},
        {"10004", "D", "Lyon"},
        {"10002", "B", "PARIS", "DATA01/01/2024\tx\t1,00", "MEMOnote"},
    });
    EXPECT_EQ(search::SortBlocks(list, 3), 4);
    // Lyon, then the two Paris in the order of their following lines (codes first), then Rouen.
    EXPECT_EQ(list.ToStringList(), Blocks({
                                        {"10004", "D", "Lyon"},
                                        {"10001", "A", "paris"},
                                        {"10002", "B", "PARIS", "DATA01/01/2024\tx\t1,00", "MEMOnote"},
                                        {"10003", "C", "Rouen"},
                                    })
                                        .ToStringList());
}

TEST(SortBlocks, BlocksEqualInEveryLineKeepTheirOrderAndShorterComesFirst)
{
    RecordList list = Blocks({{"X", "same", "b"}, {"X", "same"}, {"x", "SAME"}, {"X", "same"}});
    search::SortBlocks(list, 1);
    // "X same" and "x SAME" compare equal: the three keep their order, and the longer block goes
    // after them.
    EXPECT_EQ(list.ToStringList(), Blocks({{"X", "same"}, {"x", "SAME"}, {"X", "same"}, {"X", "same", "b"}}).ToStringList());
}

TEST(SortBlocks, CodesSortAsText)
{
    RecordList list = Blocks({{"9"}, {"10"}, {"100"}});
    search::SortBlocks(list, 1);
    EXPECT_EQ(list.ToStringList(), Blocks({{"10"}, {"100"}, {"9"}}).ToStringList());
}

TEST(SortBlocks, LosesNoLineOfABlockWithoutItsEndTag)
{
    RecordList list(4);
    list = QStringList{"stray before",  "<BLOC0000>", "10002", "ZOLA", "MEMOa",   // no end tag
                       "<BLOC0001>",   "10001",      "",      // key line missing: an empty key
                       "</BLOC0001>",   "between",  "<BLOC0002>", "10003", "ABEL", "</BLOC0002>"};
    EXPECT_EQ(search::SortBlocks(list, 2), 3);
    EXPECT_EQ(list.ToStringList(),
              QStringList({"<BLOC0000>", "10001", "", "</BLOC0000>", "<BLOC0001>", "10003", "ABEL", "</BLOC0001>",
                           "<BLOC0002>", "10002", "ZOLA", "MEMOa", "</BLOC0002>"}));
}

TEST(SortBlocks, AShortBlockSortsOnAnEmptyKey)
{
    RecordList list = Blocks({{"10001", "B"}, {"10002"}});
    search::SortBlocks(list, 2);
    EXPECT_EQ(list.ToStringList(), Blocks({{"10002"}, {"10001", "B"}}).ToStringList());
}

}  // namespace
