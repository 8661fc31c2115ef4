// Text files on disk: Windows-1252, CR LF, and saves that never leave a file half-written.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "platform/textfile.h"
#include "support/file_bytes.h"

using namespace textfile;

namespace {

TEST(Cp1252, EveryByteSurvivesADecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = DecodeCp1252(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeCp1252(text), all);
}

TEST(Cp1252, TheHighControlRangeHoldsTheWindowsCharacters)
{
    const struct {
        unsigned char byte;
        char16_t code;
    } cases[] = {
        {0x80, u'€'},
        {0x82, u'‚'},
        {0x83, u'ƒ'},
        {0x84, u'„'},
        {0x85, u'…'},
        {0x86, u'†'},
        {0x87, u'‡'},
        {0x88, u'ˆ'},
        {0x89, u'‰'},
        {0x8A, u'Š'},
        {0x8B, u'‹'},
        {0x8C, u'Œ'},
        {0x8E, u'Ž'},
        {0x91, u'‘'},
        {0x92, u'’'},
        {0x93, u'“'},
        {0x94, u'”'},
        {0x95, u'•'},
        {0x96, u'–'},
        {0x97, u'—'},
        {0x98, u'˜'},
        {0x99, u'™'},
        {0x9A, u'š'},
        {0x9B, u'›'},
        {0x9C, u'œ'},
        {0x9E, u'ž'},
        {0x9F, u'Ÿ'},
        // unassigned in the code page: kept as the control of the same number
        {0x81, 0x81},
        {0x8D, 0x8D},
        {0x8F, 0x8F},
        {0x90, 0x90},
        {0x9D, 0x9D},
    };
    for (const auto& c : cases) {
        const QByteArray byte(1, char(c.byte));
        EXPECT_EQ(DecodeCp1252(byte), QString(QChar(c.code))) << int(c.byte);
        EXPECT_EQ(EncodeCp1252(QString(QChar(c.code))), byte) << int(c.byte);
    }
}

TEST(Cp1252, DiffersFromLatin1WhereFrenchNeedsIt)
{
    EXPECT_EQ(EncodeCp1252(QStringLiteral("œuvre Œil 5 €")), QByteArray("\x9C"
                                                                        "uvre \x8C"
                                                                        "il 5 \x80"));
    EXPECT_NE(EncodeCp1252(QStringLiteral("€")), QStringLiteral("€").toLatin1());
    EXPECT_EQ(EncodeCp1252(QStringLiteral("éàçù ÿ")), QByteArray("\xE9\xE0\xE7\xF9 \xFF"));
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(EncodeCp1252(QStringLiteral("a\u0100b\u4E2Dc")), QByteArray("a?b?c"));
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));  // one emoji
    // C1 controls that the code page uses for other characters have no byte of their own.
    EXPECT_EQ(EncodeCp1252(QString(QChar(0x80))), QByteArray("?"));
    EXPECT_EQ(EncodeCp1252(QString(QChar(0x9C))), QByteArray("?"));
}

TEST(SplitLines, EveryKindOfLineEnd)
{
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"x\ty ;z\r\n\r\n", {"x\ty ;z", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(QString::fromUtf8(c.text)), c.lines) << c.text;
}

TEST(JoinLines, EveryLineEndsWithCrLf)
{
    EXPECT_EQ(JoinLines({}), QByteArray());
    EXPECT_EQ(JoinLines({"a", "", "€"}), QByteArray("a\r\n\r\n\x80\r\n"));
}

TEST(JoinLines, IsEachLineAppendedWholeThenItsLineEnd)
{
    // An emoji's two halves give one byte, and the bytes after it stand where they belong.
    const QStringList lines = {"Crème 5 €", QString::fromUtf8("x\xF0\x9F\x98\x80y\u4E2Dz"), "", "Œ;œ"};
    QByteArray bytes = "avant";
    for (const QString& line : lines) {
        const QStringView whole(line);
        AppendLine(bytes, {&whole, 1});
    }
    EXPECT_EQ(bytes, "avant" + JoinLines(lines));
    EXPECT_EQ(bytes, QByteArray("avantCr\xE8me 5 \x80\r\nx?y?z\r\n\r\n\x8C;\x9C\r\n"));
}

TEST(AppendLine, ThePiecesOneAfterTheOther)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QStringView pieces[] = {u"Crème", u";", emoji, u"", u";", u"5 €"};
    QByteArray bytes;
    AppendLine(bytes, pieces);
    AppendLine(bytes, {});
    EXPECT_EQ(bytes, QByteArray("Cr\xE8me;?;5 \x80\r\n\r\n"));
}

TEST(Files, SaveThenLoadGivesTheSameLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    const QStringList lines = {"Crème brûlée 5 €", "", "  blancs  ", "Œ;œ;Ÿ"};
    ASSERT_TRUE(SaveToFile(path, lines));
    EXPECT_EQ(ReadBytes(path), JoinLines(lines));
    QStringList back = {"stale"};
    ASSERT_TRUE(LoadFromFile(path, back));
    EXPECT_EQ(back, lines);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"notes.txt"});
}

TEST(Files, LoadingAMissingFileFailsWithNoLines)
{
    QTemporaryDir dir;
    QStringList lines = {"stale"};
    EXPECT_FALSE(LoadFromFile(dir.filePath(QStringLiteral("absent.txt")), lines));
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_FALSE(LoadFromFile(dir.path(), lines));  // a folder is no text file
}

TEST(Files, SaveReplacesAndKeepsThePermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    WriteBytes(path, "old\r\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(SaveToFile(path, {"new"}));
    EXPECT_EQ(ReadBytes(path), QByteArray("new\r\n"));
    const auto ownerGroupOther = QFile::Permissions::fromInt(0x7077);  // the "user" bits mirror the owner's
    EXPECT_EQ(QFile::permissions(path) & ownerGroupOther, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

TEST(Files, SaveIntoAMissingFolderFailsWithAReason)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(SaveToFile(dir.filePath(QStringLiteral("no/such/a.txt")), {"x"}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("a.txt"))) << error.toStdString();
}

// The set of five files of a saved card file: every target replaced, or none.
class FileSetTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList folder() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    void SetUp() override
    {
        WriteBytes(path("a.vtr"), "old a\r\n");
        WriteBytes(path("a.art"), "old art\r\n");
    }
};

TEST_F(FileSetTest, CommitReplacesEveryFileAndCreatesNewOnes)
{
    FileSet set;
    set.add(path("a.vtr"), QStringList{"new a"});
    set.add(path("a.art"), QByteArray("raw\r\n"));
    set.add(path("a.fac"), QStringList{"f1", "f2"});
    QString error;
    ASSERT_TRUE(set.commit(&error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(path("a.vtr")), QByteArray("new a\r\n"));
    EXPECT_EQ(ReadBytes(path("a.art")), QByteArray("raw\r\n"));
    EXPECT_EQ(ReadBytes(path("a.fac")), QByteArray("f1\r\nf2\r\n"));
    EXPECT_EQ(folder(), (QStringList{"a.art", "a.fac", "a.vtr"}));
}

TEST_F(FileSetTest, AFileThatCannotBeWrittenLeavesEveryTargetUntouched)
{
    FileSet set;
    set.add(path("a.vtr"), QStringList{"new a"});
    set.add(path("missing/a.pst"), QStringList{"x"});
    set.add(path("a.art"), QStringList{"new art"});
    QString error;
    EXPECT_FALSE(set.commit(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path("a.vtr")), QByteArray("old a\r\n"));
    EXPECT_EQ(ReadBytes(path("a.art")), QByteArray("old art\r\n"));
    EXPECT_EQ(folder(), (QStringList{"a.art", "a.vtr"}));  // no temporary left behind
}

TEST_F(FileSetTest, ARenameFailingHalfWayPutsTheOldFilesBack)
{
    // A folder where a file should go: its temporary file is written, but cannot replace it.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("a.cai")));
    FileSet set;
    set.add(path("a.vtr"), QStringList{"new a"});
    set.add(path("a.tck"), QStringList{"brand new"});
    set.add(path("a.cai"), QStringList{"x"});
    set.add(path("a.art"), QStringList{"new art"});
    QString error;
    EXPECT_FALSE(set.commit(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("a.cai"))) << error.toStdString();
    EXPECT_EQ(ReadBytes(path("a.vtr")), QByteArray("old a\r\n"));
    EXPECT_EQ(ReadBytes(path("a.art")), QByteArray("old art\r\n"));
    EXPECT_EQ(folder(), (QStringList{"a.art", "a.cai", "a.vtr"}));  // a.tck did not exist before
}

}  // namespace
