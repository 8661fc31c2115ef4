// Letters written as RTF and read back: everything the editor holds survives, the text is
// encoded as RTF readers expect it, and files of other writers read as they show there.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include "letter.h"
#include "platform/rtf/rtf.h"

namespace {

QStringList ReadBack(const QByteArray& bytes)
{
    QTextDocument doc;
    rtf::Read(bytes, doc);
    return Describe(doc);
}

TEST(Rtf, ALetterReadsBackAsItWasWritten)
{
    QTextDocument doc;
    Fill(doc, SampleLetter());
    const QStringList written = Describe(doc);
    ASSERT_EQ(written.size(), 8);
    EXPECT_EQ(ReadBack(rtf::Write(doc)), written);
}

TEST(Rtf, AnEmptyLetterStaysOneEmptyParagraph)
{
    QTextDocument doc;
    const QStringList read = ReadBack(rtf::Write(doc));
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read, Describe(doc));
}

TEST(Rtf, TextIsEncodedAsRtfReadersExpect)
{
    const struct { QString text; QByteArray rtf; } cases[] = {
        {QStringLiteral("Café"), "Caf\\'e9"},
        {QStringLiteral("15 €"), "15 \\'80"},                     // in the code page's 0x80-0x9F
        {QStringLiteral("cœur"), "c\\'9cur"},
        {QStringLiteral("Жить"), "\\u1046?\\u1080?\\u1090?\\u1100?"},
        {QStringLiteral("😀"), "\\u-10179?\\u-8704?"},             // a surrogate pair, each half signed
        {QStringLiteral("{a}\\b"), "\\{a\\}\\\\b"},
        {QStringLiteral("a\tb"), "a\\tab b"},
        {QStringLiteral("a\u2028b"), "a\\line b"},
    };
    for (const auto& c : cases) {
        QTextDocument doc;
        doc.setPlainText(c.text);
        const QByteArray bytes = rtf::Write(doc);
        EXPECT_TRUE(bytes.contains(c.rtf)) << c.rtf.toStdString() << "\n" << bytes.toStdString();
        for (char b : bytes)
            EXPECT_LT(static_cast<unsigned char>(b), 0x80) << "only ASCII in an RTF file";
        EXPECT_EQ(ReadBack(bytes), Describe(doc)) << c.rtf.toStdString();
    }
}

TEST(Rtf, AFileStartsWithTheHeaderAndTheFontTable)
{
    QTextDocument doc;
    Fill(doc, {{Qt::AlignLeft, 0, 0, 0, true, {{QStringLiteral("x"), QStringLiteral("Liberation Sans"), 11, {}}}}});
    const QByteArray bytes = rtf::Write(doc);
    EXPECT_TRUE(bytes.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("{\\f1\\fnil\\fcharset0 Liberation Sans;}")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("{\\f2\\fnil\\fcharset2 Symbol;}")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'b7}}"))
        << bytes.toStdString();
    EXPECT_TRUE(bytes.endsWith("}\r\n"));
}

// What other programs write: destinations to skip, properties scoped by groups, Unicode with
// more than one stand-in, binary data holding braces.
TEST(Rtf, FilesOfOtherWritersReadAsTheyShow)
{
    const QByteArray file =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
        "{\\f1\\froman{\\*\\panose 02020603050405020304}Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Riched20 10.0;}{\\info{\\title Lettre}}"
        "{\\stylesheet{\\s0 Normal;}}\\viewkind4\\uc1 \r\n"
        "\\pard\\qc\\f0\\fs28 Titre {\\b gras}\\par\r\n"
        "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720\\f1\\fs24 un\\par\r\n"
        "{\\pntext\\f2\\'B7\\tab}deux\\par\r\n"
        "\\pard\\ri1440{\\field{\\*\\fldinst{HYPERLINK \"http://x\"}}{\\fldrslt{\\ul lien}}}"
        "\\uc2 \\u8364 EU fin{\\*\\unknown caché}{\\pict\\pngblip 89504e47}{\\bin4 }{}\\}\\par\r\n"
        "\\pard\\plain\\i\\fs20 dernier\\par\r\n"
        "}";
    EXPECT_EQ(ReadBack(file), (QStringList{
                                  "centre: [Arial 14]Titre  [Arial 14 b]gras",
                                  "left fi=-360 li=720 bullet: [Times New Roman 12]un",
                                  "left fi=-360 li=720 bullet: [Times New Roman 12]deux",
                                  "left ri=1440: [Times New Roman 12 u]lien [Times New Roman 12]€ fin",
                                  "left: [Arial 10 i]dernier",
                              }));
}

TEST(Rtf, AFileWithoutTheHeaderOpensAsPlainText)
{
    const struct { QByteArray bytes; QStringList lines; } cases[] = {
        {"Bonjour\r\nCaf\xc3\xa9 {\\b non}\r\n", {"Bonjour", "Café {\\b non}"}},   // UTF-8
        {"Caf\xe9\r\n\xe0 bient\xf4t", {"Café", "à bientôt"}},                     // Windows-1252
        {"", {""}},
    };
    for (const auto& c : cases) {
        QTextDocument doc;
        rtf::Read(c.bytes, doc);
        QStringList lines;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            lines << b.text();
        EXPECT_EQ(lines, c.lines) << c.bytes.toStdString();
        EXPECT_FALSE(rtf::IsRtf(c.bytes));
    }
    EXPECT_TRUE(rtf::IsRtf("\r\n {\\rtf1 x}"));
}

TEST(Rtf, SavingIsAllOrNothingAndReadingReportsAMissingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lettre.rtf"));
    QTextDocument doc;
    Fill(doc, SampleLetter());
    QString error;
    ASSERT_TRUE(rtf::SaveToFile(path, doc, &error)) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), rtf::Write(doc));

    QTextDocument read;
    ASSERT_TRUE(rtf::LoadFromFile(path, read, &error));
    EXPECT_EQ(Describe(read), Describe(doc));

    EXPECT_FALSE(rtf::SaveToFile(dir.filePath(QStringLiteral("non/lettre.rtf")), doc, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("lettre.rtf"))) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"lettre.rtf"});

    read.setPlainText(QStringLiteral("gardé"));
    error.clear();
    EXPECT_FALSE(rtf::LoadFromFile(dir.filePath(QStringLiteral("absente.rtf")), read, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(read.toPlainText(), QStringLiteral("gardé"));
}

}  // namespace
