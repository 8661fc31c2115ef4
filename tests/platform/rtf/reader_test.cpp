// The reader survives any file: nesting beyond its limit, unbalanced and cut-off files, numbers
// out of range, and damaged letters, which read as far as they make sense.
#include <gtest/gtest.h>
#include <QRandomGenerator>
#include <QTextDocument>
#include "letter.h"
#include "platform/rtf/rtf.h"

namespace {

QString TextOf(const QByteArray& bytes)
{
    QTextDocument doc;
    rtf::Read(bytes, doc);
    return doc.toPlainText();
}

TEST(RtfReader, NestingBeyondTheLimitIsReadAsTheDeepestGroupKept)
{
    const int depth = 200000;
    const QByteArray bytes = "{\\rtf1 " + QByteArray(depth, '{') + "\\b profond" + QByteArray(depth, '}') + " dehors}";
    QTextDocument doc;
    rtf::Read(bytes, doc);
    QFont plain = doc.defaultFont();
    plain.setPointSize(12);
    QFont bold = plain;
    bold.setBold(true);
    EXPECT_EQ(Describe(doc),
              QStringList{QStringLiteral("left: [%1]profond [%2] dehors").arg(DescribeFont(bold), DescribeFont(plain))});
}

TEST(RtfReader, DamagedFilesReadAsFarAsTheyGo)
{
    const struct { QByteArray bytes; QString text; } cases[] = {
        {"{\\rtf1 abc}}}} def", "abc def"},                   // braces too many
        {"{\\rtf1 abc", "abc"},                               // never closed
        {"{\\rtf1 abc\\", "abc"},                             // cut in a control
        {"{\\rtf1 a\\'4", "a"},                               // cut in a hex byte
        {"{\\rtf1 a\\'4z}", "az"},
        {"{\\rtf1 a\\'zz b}", "azz b"},                       // not hex
        {"{\\rtf1 a\\u", "a"},
        {"{\\rtf1 a\\bin999999999 xyz}", "a"},                // binary longer than the file
        {"{\\rtf1 a\\fs-5\\fs99999999999999999999 b}", "ab"},
        {"{\\rtf1 \\li-99999999\\fi99999999999 x\\par}", "x"},
        {"{\\rtf1\\uc99 \\u233 abcdefghij}", "éij"},          // at most 8 stand-ins
        {"{\\rtf1\\u-1 x}", QString(QChar(0xFFFF))},
        {QByteArray("{\\rtf1 a\0b\x01}", 10), "ab"},
        {"{\\rtf1 {\\fonttbl{\\f0 A", ""},                    // cut in the font table
        {"{\\rtf1 \\" + QByteArray(100000, 'a') + "1 z}", "z"},   // a word that never ends
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextOf(c.bytes), c.text) << c.bytes.left(60).toStdString();
}

// Damaged copies of a letter, cut, with bytes changed and braces and backslashes thrown in:
// each reads, and what it read writes and reads back the same.
TEST(RtfReader, DamagedLettersReadAndWriteBackStably)
{
    QTextDocument letter;
    Fill(letter, SampleLetter());
    const QByteArray original = rtf::Write(letter);
    QRandomGenerator random(20240611);
    const char specials[] = {'{', '}', '\\', '\'', ';', ' ', '-', '9', 'u', '*'};
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = original;
        const int changes = 1 + random.bounded(12);
        for (int i = 0; i < changes && !bytes.isEmpty(); ++i) {
            const int at = random.bounded(int(bytes.size()));
            switch (random.bounded(4)) {
            case 0: bytes[at] = char(random.bounded(256)); break;
            case 1: bytes.insert(at, specials[random.bounded(int(sizeof specials))]); break;
            case 2: bytes.remove(at, random.bounded(20)); break;
            case 3: bytes.truncate(at); break;
            }
        }
        QTextDocument once;
        rtf::Read(bytes, once);
        const QByteArray rewritten = rtf::Write(once);
        QTextDocument twice;
        rtf::Read(rewritten, twice);
        ASSERT_EQ(Describe(twice), Describe(once)) << "round " << round << "\n" << bytes.toStdString();
        ASSERT_EQ(rtf::Write(twice), rewritten) << "round " << round;
    }
}

}  // namespace
