// Import lines into customer blocks and blocks into export lines, without the card.
#include <gtest/gtest.h>
#include "manager/cardfile/core/exchange.h"
#include "platform/textfile.h"

namespace {

// The lines of a customer block as an import makes it.
QStringList ImportedBlock(int number, int code, const QStringList& fields)
{
    RecordList list(4);
    QStringList lines{list.StartTag(number), QString::number(code), "N", "N"};
    lines << fields;
    for (int i = 0; i < 25; ++i)
        lines << QString();
    lines << list.EndTag(number);
    return lines;
}

TEST(SplitFields, TakesTheTextBetweenSeparatorsUnchanged)
{
    const struct {
        const char* line;
        char separator;
        QStringList fields;
    } cases[] = {
        {"DUPONT;1 rue Haute;;69001;LYON", ';', {"DUPONT", "1 rue Haute", "", "69001", "LYON"}},
        {"DUPONT\t 2 rue \t", '\t', {"DUPONT", " 2 rue ", ""}},
        {"seul", ';', {"seul"}},
        {"", ';', {""}},
        {";", ';', {"", ""}},
        // The other form's separator is plain text.
        {"A;B\tC", '\t', {"A;B", "C"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exchange::SplitFields(QString::fromUtf8(c.line), QLatin1Char(c.separator)), c.fields) << c.line;
}

TEST(SplitFields, KeepsAtMost1024CharactersAfterEachSeparator)
{
    const QString first(1500, 'a');
    // After the first ';' the rest is cut to 1024 characters: "b"*1000 ";" and 23 of the c's.
    const QString line = first + ';' + QString(1000, 'b') + ';' + QString(100, 'c');
    const QStringList fields = exchange::SplitFields(line, ';');
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields[0], first);
    EXPECT_EQ(fields[1], QString(1000, 'b'));
    EXPECT_EQ(fields[2], QString(23, 'c'));
}

TEST(AsBlockLine, AFieldThatLooksLikeATagGetsALeadingBlank)
{
    EXPECT_EQ(exchange::AsBlockLine("<BLOC0003>"), " <BLOC0003>");
    EXPECT_EQ(exchange::AsBlockLine("</BLOC"), " </BLOC");
    EXPECT_EQ(exchange::AsBlockLine("<bloc0003>"), "<bloc0003>");
    EXPECT_EQ(exchange::AsBlockLine(" <BLOC0003>"), " <BLOC0003>");
    EXPECT_EQ(exchange::AsBlockLine("DUPONT <BLOC"), "DUPONT <BLOC");
}

TEST(ImportCustomers, EachLineBecomesAWholeBlockWithAFreshCode)
{
    RecordList list(4);
    list = ImportedBlock(0, 10001, {"EXISTANT"});
    int count = 1, next = 10002;
    const exchange::Imported done =
        exchange::ImportCustomers(list, {"DUPONT;1 rue Haute;;69001;LYON", "", "<BLOC0000>;x"}, ';', count, next);
    EXPECT_EQ(done.blocks, 3);
    EXPECT_FALSE(done.truncated);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(next, 10005);
    QStringList expected = ImportedBlock(0, 10001, {"EXISTANT"});
    expected << ImportedBlock(1, 10002, {"DUPONT", "1 rue Haute", "", "69001", "LYON"}) << ImportedBlock(2, 10003, {""})
             << ImportedBlock(3, 10004, {" <BLOC0000>", "x"});
    EXPECT_EQ(list.ToStringList(), expected);
    // The tag-like name is no block of its own.
    EXPECT_EQ(list.StartLineCount(), 4);
}

TEST(ImportCustomers, ManyLinesGiveTheSameBlocksIntoAnEmptyListOrAfterOthers)
{
    // Enough lines for the blocks to join the list in several goes.
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("NOM %1;%1 rue;;7500%2").arg(i).arg(i % 10);
    for (const int before : {0, 1}) {
        RecordList list(4);
        QStringList expected;
        for (int b = 0; b < before; ++b)
            expected << ImportedBlock(b, 10001 + b, {"EXISTANT"});
        list = expected;
        int count = before, next = 10001 + before;
        EXPECT_EQ(exchange::ImportCustomers(list, lines, ';', count, next).blocks, 40);
        for (int i = 0; i < 40; ++i)
            expected << ImportedBlock(before + i, 10001 + before + i,
                                      {QStringLiteral("NOM %1").arg(i), QStringLiteral("%1 rue").arg(i), "",
                                       QStringLiteral("7500%1").arg(i % 10)});
        EXPECT_EQ(list.ToStringList(), expected) << before;
        EXPECT_EQ(list.FindBlock(before + 39), list.Count() - 34) << before;
        EXPECT_EQ(count, before + 40);
        EXPECT_EQ(next, 10041 + before);
    }
}

TEST(ImportCustomers, StopsAt9998CustomersWhateverTheCountItStartsFrom)
{
    for (const int start : {9996, 9998, 9999}) {
        RecordList list(4);
        int count = start, next = 20000;
        const exchange::Imported done = exchange::ImportCustomers(list, {"a", "b", "c"}, ';', count, next);
        const int room = std::max(0, 9998 - start);
        EXPECT_EQ(done.blocks, room) << start;
        EXPECT_TRUE(done.truncated) << start;
        EXPECT_EQ(count, std::max(start, 9998)) << start;
        EXPECT_EQ(next, 20000 + room) << start;
        // Never a number of five digits.
        for (const QString& line : list.ToStringList())
            EXPECT_FALSE(line.startsWith("<BLOC") && line.size() != 10) << line.toStdString();
    }
}

TEST(ImportCustomers, ReachingTheLimitWithTheLastLineIsNoTruncation)
{
    RecordList list(4);
    int count = 9996, next = 1;
    EXPECT_FALSE(exchange::ImportCustomers(list, {"a", "b"}, ';', count, next).truncated);
    EXPECT_EQ(count, 9998);
}

TEST(ExportLines, TheChosenFieldsOfEachBlockJoinedBySeparator)
{
    RecordList list(4);
    list = QStringList{"<BLOC0000>", "10001", "N", "N", "DUPONT",      "1 rue", "</BLOC0000>", "stray",
                       "<BLOC0001>", "10002", "N", "N", "MARTIN;Paul", "2 rue", "MEMOx",       "</BLOC0001>"};
    const int fields[] = {4, 5, 1};
    EXPECT_EQ(exchange::ExportLines(list, fields, ';'), QStringList({"DUPONT;1 rue;10001", "MARTIN;Paul;2 rue;10002"}));
    EXPECT_EQ(exchange::ExportLines(list, fields, '\t'),
              QStringList({"DUPONT\t1 rue\t10001", "MARTIN;Paul\t2 rue\t10002"}));
}

TEST(ExportLines, ABlockCutShortGivesEmptyFieldsNeverItsNeighboursLines)
{
    RecordList list(4);
    // Block 0 lacks its end tag and stops at block 1; block 1 stops at the list's end.
    list = QStringList{"<BLOC0000>", "10001", "N", "<BLOC0001>", "10002", "N", "N", "MARTIN"};
    const int fields[] = {1, 4, 5};
    EXPECT_EQ(exchange::ExportLines(list, fields, ';'), QStringList({"10001;;", "10002;MARTIN;"}));
}

TEST(ExportFile, TheExportedLinesAsTheTextFileHoldsThem)
{
    RecordList list(4);
    const int fields[] = {4, 5, 1};
    const QStringList cases[] = {
        {},
        {"stray"},
        {"<BLOC0000>", "10001", "N", "N", "DUPONT", "1 rue", "</BLOC0000>", "stray", "<BLOC0001>", "10002", "N", "N",
         "MARTIN;Paul", "2 rue", "MEMOx", "</BLOC0001>"},
        // Cut short, a tag written by hand, characters outside the code page.
        {"<BLOC0000>", "10001", "N", "<BLOC0001>", "10002", "N", "N", "LEFÈVRE 5 €", "<BLOCxx>", "1", "2", "3",
         QString::fromUtf8("\xF0\x9F\x98\x80\u4E2D"), "</BLOC0001>"},
        // The list ends inside a block, on a field outside the code page or on a start tag.
        {"<BLOC0000>", "10001", "N", "N", QString::fromUtf8("\u03A9 \u2713")},
        {"<BLOC0000>", "10001", "<BLOC0001>"},
    };
    for (const QStringList& lines : cases) {
        list = lines;
        for (const QChar separator : {QLatin1Char(';'), QLatin1Char('\t')})
            EXPECT_EQ(exchange::ExportFile(list, fields, separator),
                      textfile::JoinLines(exchange::ExportLines(list, fields, separator)))
                << lines.join('|').toStdString();
    }
    list = cases[3];
    EXPECT_EQ(exchange::ExportFile(list, fields, ';'), QByteArray(";;10001\r\nLEF\xC8VRE 5 \x80;;10002\r\n??;;1\r\n"));
    list = cases[4];
    EXPECT_EQ(exchange::ExportFile(list, fields, ';'), QByteArray("? ?;;10001\r\n"));
    list = cases[5];
    EXPECT_EQ(exchange::ExportFile(list, fields, ';'), QByteArray(";;10001\r\n;;\r\n"));
}

}  // namespace
