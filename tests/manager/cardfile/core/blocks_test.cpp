// Reading and writing a block as a card does, without the card: fields, memo lines, grid rows,
// the lines kept for no place, and the numbering.
#include <gtest/gtest.h>
#include "manager/cardfile/core/blocks.h"
#include "support/blocks.h"

namespace {

using blocks::BlockLayout;
using blocks::RepeatLayout;
using cards::List;

// Three fields, then a memo and a grid of three cells with room for two rows.
const RepeatLayout Repeats[] = {
    {QLatin1String("MEMO"), false},
    {QLatin1String("DATA"), true, 3, 2},
};
const BlockLayout Layout{3, Repeats, 3};

TEST(ReadBlock, FieldsMemoRowsAndKeptLinesInTheirPlaces)
{
    const RecordList list = List({
        "<BLOC0000>",
        "c0",
        "",
        "",
        "</BLOC0000>",
        "<BLOC0001>",
        "10001",
        "Y",
        "MEMO not a memo: a field",
        "MEMOfirst",
        "DATA01/02/2024\tTicket 7\t  3,00",
        "MEMOsecond",
        "DATAshort\tx",
        "DATA02/02/2024\tTicket 8\t  4,00\textra",
        "DATA03/02/2024\tTicket 9\t5",
        "unknown",
        "</BLOC0001>",
    });
    const blocks::BlockContent c = blocks::ReadBlock(list, 1, Layout);
    ASSERT_TRUE(c.found);
    ASSERT_EQ(c.fields.size(), 3u);
    EXPECT_EQ(c.fields[0], QString("10001"));
    EXPECT_EQ(c.fields[1], QString("Y"));
    // From scanFrom on a line that looks like a repeat is one, even where a field stands.
    EXPECT_FALSE(c.fields[2].has_value());
    EXPECT_EQ(c.repeats[0].memo, QStringList({" not a memo: a field", "first", "second"}));
    ASSERT_EQ(c.repeats[1].rows.size(), 2);
    EXPECT_EQ(c.repeats[1].rows[0], QStringList({"01/02/2024", "Ticket 7", "  3,00"}));
    // The last cell takes the rest of the line.
    EXPECT_EQ(c.repeats[1].rows[1], QStringList({"02/02/2024", "Ticket 8", "  4,00\textra"}));
    // A row too short to have been written, a row with no room left, a line of no kind: kept.
    EXPECT_EQ(c.kept, QStringList({"DATAshort\tx", "DATA03/02/2024\tTicket 9\t5", "unknown"}));
}

TEST(ReadBlock, BeforeScanFromEveryLineIsAField)
{
    const BlockLayout late{3, Repeats, 4};
    const RecordList list = List({"<BLOC0000>", "MEMOcode", "DATA1\t2\t3456789", "x", "MEMOm", "</BLOC0000>"});
    const blocks::BlockContent c = blocks::ReadBlock(list, 0, late);
    EXPECT_EQ(c.fields[0], QString("MEMOcode"));
    EXPECT_EQ(c.fields[1], QString("DATA1\t2\t3456789"));
    EXPECT_EQ(c.fields[2], QString("x"));
    EXPECT_EQ(c.repeats[0].memo, QStringList({"m"}));
}

TEST(ReadBlock, AShortBlockLeavesItsLastFieldsAbsent)
{
    const blocks::BlockContent c = blocks::ReadBlock(List({"<BLOC0000>", "c", "</BLOC0000>"}), 0, Layout);
    ASSERT_TRUE(c.found);
    EXPECT_EQ(c.fields[0], QString("c"));
    EXPECT_FALSE(c.fields[1].has_value());
    EXPECT_FALSE(c.fields[2].has_value());
}

TEST(ReadBlock, ABlockWithoutEndTagStopsAtTheNextBlock)
{
    const RecordList list = List({"<BLOC0000>", "a", "b", "<BLOC0001>", "x", "</BLOC0001>"});
    const blocks::BlockContent c = blocks::ReadBlock(list, 0, Layout);
    EXPECT_EQ(c.fields[0], QString("a"));
    EXPECT_EQ(c.fields[1], QString("b"));
    EXPECT_FALSE(c.fields[2].has_value());
    EXPECT_TRUE(c.kept.isEmpty());
}

TEST(ReadBlock, NoBlockOfThatNumber)
{
    const RecordList list = List({"<BLOC0000>", "a", "</BLOC0000>"});
    for (int index : {1, -1}) {
        const blocks::BlockContent c = blocks::ReadBlock(list, index, Layout);
        EXPECT_FALSE(c.found) << index;
        EXPECT_EQ(c.fields.size(), 3u);
        EXPECT_EQ(c.repeats.size(), 2u);
    }
}

// Reading in place visits the lines ReadBlock takes: a block without its end tag stops where the
// next one starts, and another block's end tag inside a block is one of its lines.
TEST(VisitBlock, TheBlocksOwnLinesWithTheirPlaces)
{
    const RecordList list =
        List({"<BLOC0000>", "a", "b", "<BLOC0001>", "c", "</BLOC0000>", "d", "</BLOC0001>", "after"});
    using Seen = std::vector<std::pair<int, QString>>;
    const auto visit = [&](int index, Seen& seen) {
        return blocks::VisitBlock(list, index, [&](int k, const QString& line) { seen.emplace_back(k, line); });
    };
    Seen seen;
    EXPECT_TRUE(visit(0, seen));
    EXPECT_EQ(seen, (Seen{{1, "a"}, {2, "b"}}));
    seen.clear();
    EXPECT_TRUE(visit(1, seen));
    EXPECT_EQ(seen, (Seen{{1, "c"}, {2, "</BLOC0000>"}, {3, "d"}}));
    for (int index : {2, -1}) {
        seen.clear();
        EXPECT_FALSE(visit(index, seen)) << index;
        EXPECT_TRUE(seen.empty()) << index;
    }
}

// A row line's cells as views: the last one takes the rest of the line, the cells past the
// line's end are null, and a line too short to have been written is no row.
TEST(RowCells, TheCellsOfARowAsReadBlockSplitsThem)
{
    const RepeatLayout& grid = Repeats[1];
    QStringView cells[3];
    ASSERT_TRUE(blocks::RowCells(u"DATA02/02/2024\tTicket 8\t  4,00\textra", grid, cells));
    EXPECT_EQ(cells[0], u"02/02/2024");
    EXPECT_EQ(cells[1], u"Ticket 8");
    EXPECT_EQ(cells[2], u"  4,00\textra");
    ASSERT_TRUE(blocks::RowCells(u"DATAfirst cell\t", grid, cells));
    EXPECT_EQ(cells[0], u"first cell");
    EXPECT_TRUE(cells[1].isEmpty());
    EXPECT_FALSE(cells[1].isNull());
    EXPECT_TRUE(cells[2].isNull());
    EXPECT_FALSE(blocks::RowCells(u"DATAshort\tx", grid, cells));
    EXPECT_FALSE(blocks::RowCells(u"DATAa line without any tab", grid, cells));
}

// A line is a repeat's by its whole prefix, from the layout's first scanned line to line +200.
TEST(RepeatOf, ThePrefixWithinTheScannedLines)
{
    struct Case {
        int k;
        QString line;
        int repeat;
    };
    const Case cases[] = {
        {2, "MEMOa field", -1}, {3, "MEMOfirst", 0},   {3, "DATAa\tb\tc", 1},
        {200, "DATA", 1},       {201, "MEMOlate", -1}, {5, "", -1},
        {5, "memo", -1},        {5, "MEM", -1},        {5, "DAT MEMO", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(blocks::RepeatOf(Layout, c.k, c.line), c.repeat) << c.k << " " << c.line.toStdString();
}

TEST(ReadBlock, NoRepeatIsRecognisedPastTheTwoHundredthLine)
{
    const RepeatLayout memo[] = {{QLatin1String("MEMO"), false}};
    const BlockLayout layout{1, memo, 2};
    QStringList lines{"<BLOC0000>", "code"};
    for (int n = 2; n <= 201; ++n)
        lines << QStringLiteral("MEMO%1").arg(n);
    lines << "</BLOC0000>";
    const blocks::BlockContent c = blocks::ReadBlock(List(lines), 0, layout);
    EXPECT_EQ(c.repeats[0].memo.size(), 199);
    EXPECT_EQ(c.kept, QStringList({"MEMO201"}));
}

TEST(BlockLines, FieldsThenRepeatsUpToTheFirstShortRowThenKeptLines)
{
    std::vector<blocks::RepeatContent> repeats(2);
    repeats[0].memo = {"one", ""};
    repeats[1].rows = {{"01/02/2024", "Ticket 7", "  3,00"}, {"", "", ""}, {"03/02/2024", "after", "1"}};
    const QStringList lines = blocks::BlockLines({"c", "N", ""}, Layout, repeats, {"kept"});
    EXPECT_EQ(lines, QStringList({"c", "N", "", "MEMOone", "MEMO", "DATA01/02/2024\tTicket 7\t  3,00", "kept"}));
}

TEST(BlockLines, WhatIsReadIsWrittenBack)
{
    const RecordList list =
        List({"<BLOC0000>", "10001", "Y", "z", "MEMOa", "DATA01/02/2024\tTicket 7\t  3,00", "odd", "</BLOC0000>"});
    const blocks::BlockContent c = blocks::ReadBlock(list, 0, Layout);
    QStringList fields;
    for (const auto& f : c.fields)
        fields << f.value_or(QString());
    EXPECT_EQ(blocks::BlockLines(fields, Layout, c.repeats, c.kept), list.ToStringList().mid(1, list.Count() - 2));
}

TEST(FieldRules, FlagsAndPrefixes)
{
    EXPECT_EQ(blocks::FlagLine(true), "Y");
    EXPECT_EQ(blocks::FlagLine(false), "N");
    EXPECT_TRUE(blocks::FlagSet("Y"));
    for (const char* line : {"y", "Y ", "", "N", "Yes"})
        EXPECT_FALSE(blocks::FlagSet(line)) << line;
    EXPECT_EQ(blocks::WithoutPrefix("NUMT202401007", QLatin1String("NUMT")), "202401007");
    EXPECT_EQ(blocks::WithoutPrefix("202401007", QLatin1String("NUMT")), "202401007");
}

TEST(NextNumber, OneAboveTheLargestCodeAndAtLeastTheFloor)
{
    struct Case {
        QStringList lines;
        int floor;
        const char* prefix;
        int next;
    };
    const Case cases[] = {
        {{}, 10000, "", 10001},
        {{"<BLOC0000>", "10004", "</BLOC0000>", "<BLOC0001>", "10002", "</BLOC0001>"}, 10000, "", 10005},
        {{"<BLOC0000>", "  12 ", "</BLOC0000>"}, 10000, "", 10001},
        // A hand-typed code is passed over; so is the largest whole number, which has no successor.
        {{"<BLOC0000>", "abc", "<BLOC0001>", "2147483647", "<BLOC0002>", "10010"}, 10000, "", 10011},
        // Only a block's first line counts.
        {{"<BLOC0000>", "10001", "99999", "</BLOC0000>"}, 10000, "", 10002},
        {{"stray", "99999"}, 10000, "", 10001},
        {{"<BLOC00000>", "NUMT202401005", "<BLOC00001>", "202401009", "<BLOC00002>", "NUMT"},
         202401000,
         "NUMT",
         202401006},
    };
    for (const Case& c : cases) {
        const RecordList list = List(c.lines, 5);
        EXPECT_EQ(blocks::NextNumber(list, c.floor, QLatin1String(c.prefix)), c.next)
            << c.lines.join('|').toStdString();
    }
}

TEST(BlockOfCode, TheFirstBlockWhoseCodeLineIsTheCode)
{
    const RecordList list = List({"<BLOC0000>", "A1", "</BLOC0000>", "<BLOC0001>", "B2", "</BLOC0001>", "<BLOC0002>",
                                  "B2", "</BLOC0002>", "A1"});
    EXPECT_EQ(blocks::BlockOfCode(list, "B2"), 3);
    EXPECT_EQ(blocks::BlockOfCode(list, "A1"), 0);
    EXPECT_EQ(blocks::BlockOfCode(list, "a1"), -1);
    EXPECT_EQ(blocks::BlockOfCode(list, "C3"), -1);
}

}  // namespace

namespace {

// A TAB in a cell would shift every later cell and a field reading as a tag would cut the block
// in two: neither reaches the list.
TEST(BlockLines, TabsInCellsAndTagsInFieldsCannotBreakTheBlock)
{
    const std::vector<blocks::RepeatContent> content = {
        {{"<BLOC0003> in the memo"}, {}},
        {{}, {{"01/02/2024", "Ticket\t7", "  3,00\tx"}}},
    };
    const QStringList lines = blocks::BlockLines({"<BLOC0002>", "</BLOC0002>", "a <BLOC"}, Layout, content, {});
    EXPECT_EQ(lines, QStringList({" <BLOC0002>", " </BLOC0002>", "a <BLOC", "MEMO<BLOC0003> in the memo",
                                  "DATA01/02/2024\tTicket 7\t  3,00 x"}));
    RecordList list(4);
    list = QStringList{"<BLOC0000>"} + lines + QStringList{"</BLOC0000>"};
    const blocks::BlockContent c = blocks::ReadBlock(list, 0, Layout);
    EXPECT_EQ(c.fields[0], QString(" <BLOC0002>"));
    EXPECT_EQ(c.repeats[1].rows[0], QStringList({"01/02/2024", "Ticket 7", "  3,00 x"}));
}

// A grid whose short rows are passed over, and whose bound is its own: a row of 9 characters is
// written and read back, a shorter one in the middle does not end the rows.
TEST(BlockLines, AGridThatSkipsItsShortRows)
{
    const RepeatLayout lines[] = {{QLatin1String("FACT"), true, 7, 63, 9, true}};
    const BlockLayout layout{1, lines, 2};
    const std::vector<blocks::RepeatContent> content = {
        {{}, {{"R", "", "", "", "", "", "1"}, {"AB", "", "", "", "", "", "1"}, {"R2", "Pen", "1", "", "", "", "2"}}},
    };
    const QStringList written = blocks::BlockLines({"NUMF202401001"}, layout, content, {});
    EXPECT_EQ(written, QStringList({"NUMF202401001", "FACTAB\t\t\t\t\t\t1", "FACTR2\tPen\t1\t\t\t\t2"}));
    RecordList list(4);
    list = QStringList{"<BLOC0000>"} + written + QStringList{"FACTR\t\t\t\t\t\t1", "</BLOC0000>"};
    const blocks::BlockContent c = blocks::ReadBlock(list, 0, layout);
    ASSERT_EQ(c.repeats[0].rows.size(), 2);
    EXPECT_EQ(c.repeats[0].rows[0][0], "AB");
    EXPECT_EQ(c.kept, QStringList({"FACTR\t\t\t\t\t\t1"}));
}

}  // namespace
