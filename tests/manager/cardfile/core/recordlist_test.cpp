// RecordList must give, for every edit, exactly what a plain list of strings gives; the model here
// is a QStringList edited the plain way, with block rules written out line by line.
#include <gtest/gtest.h>
#include <QStringList>
#include <random>
#include "manager/cardfile/core/recordlist.h"
#include "platform/exception.h"
#include "platform/rtl.h"
#include "platform/textfile.h"

namespace {

// The chunk size the list works with, lowered for one test and restored after it.
class ChunkLimitGuard {
public:
    explicit ChunkLimitGuard(int limit) : saved_(RecordList::ChunkLimit) { RecordList::ChunkLimit = limit; }
    ~ChunkLimitGuard() { RecordList::ChunkLimit = saved_; }

private:
    int saved_;
};

QString Pad(int n, int width)
{
    return QString::number(n).rightJustified(width, QLatin1Char('0'));
}

// The number after "<BLOC" / "</BLOC", read as the runtime reads whole numbers.
bool ModelNumber(const QString& line, int width, int& n)
{
    const int prefix = line.startsWith(QLatin1String("<BLOC")) ? 5 : line.startsWith(QLatin1String("</BLOC")) ? 6 : 0;
    if (prefix == 0)
        return false;
    try {
        n = rtl::StrToInt(line.mid(prefix, width));
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

void ModelRenumber(QStringList& lines, int width, int i)
{
    for (QString& line : lines) {
        int n;
        if (!ModelNumber(line, width, n) || n <= i)
            continue;
        line = (line.startsWith(QLatin1String("<BLOC")) ? QStringLiteral("<BLOC") : QStringLiteral("</BLOC"))
               + Pad(n - 1, width) + QLatin1Char('>');
    }
}

// Deleting a block from its start tag: up to its end tag, or to the line before the next start
// line when the end tag is missing.
int ModelBlockLength(const QStringList& lines, int width, int pos, int n)
{
    const QString endTag = QStringLiteral("</BLOC") + Pad(n, width) + QLatin1Char('>');
    int length = 0;
    for (int j = pos; j < lines.size(); ++j) {
        if (length > 0 && lines[j].startsWith(QLatin1String("<BLOC")))
            break;
        ++length;
        if (lines[j] == endTag)
            break;
    }
    return length;
}

bool ModelCountStarts(const QStringList& lines, int width, int limit, std::vector<int>& counts)
{
    counts.assign(limit, 0);
    for (const QString& line : lines) {
        if (!line.startsWith(QLatin1String("<BLOC")))
            continue;
        int n;
        if (!ModelNumber(line, width, n))
            return false;
        if (n >= 0 && n < limit)
            ++counts[n];
    }
    return true;
}

// A tag written exactly in the list's form: "<BLOC" or "</BLOC", `width` digits, ">".
bool IsListTag(const QString& line, int width)
{
    const int prefix = line.startsWith(QLatin1String("<BLOC")) ? 5 : line.startsWith(QLatin1String("</BLOC")) ? 6 : 0;
    if (prefix == 0 || line.size() != prefix + width + 1 || !line.endsWith(QLatin1Char('>')))
        return false;
    for (int i = prefix; i < prefix + width; ++i)
        if (line[i] < QLatin1Char('0') || line[i] > QLatin1Char('9'))
            return false;
    return true;
}

// Lines a card file can hold: its own tags, tags of other forms, field lines.
QStringList Alphabet(int width)
{
    QStringList a;
    for (int n = 0; n < 7; ++n) {
        a << QStringLiteral("<BLOC") + Pad(n, width) + QLatin1Char('>');
        a << QStringLiteral("</BLOC") + Pad(n, width) + QLatin1Char('>');
    }
    a << QStringLiteral("<BLOC") + Pad(3, width + 1) + QLatin1Char('>')  // one digit too many
      << QStringLiteral("<BLOC") + Pad(2, width) + QStringLiteral(">x")  // trailing text
      << QStringLiteral("</BLOC") + Pad(4, width) + QStringLiteral(">>") << QStringLiteral("<BLOCab12>")
      << QStringLiteral("</BLOC 003>") << QStringLiteral("<BLOC12>") << QStringLiteral("<BLOC")
      << QStringLiteral("<BLOC 5") << QStringLiteral("<BLOC-001>") << QStringLiteral("NUMT202401001")
      << QStringLiteral("MEMO") << QString() << QStringLiteral("10001") << QStringLiteral("Y")
      << QStringLiteral("DATA01/01/2024\tx\t 1,00") << QStringLiteral("Café — 5 €")  // the code page's 0x80-0x9F
      << QStringLiteral("Ω ✓ Ł");                                                    // characters it has no place for
    return a;
}

class Checker {
public:
    explicit Checker(int width) : width_(width), list_(width), alphabet_(Alphabet(width)) {}

    void Same(const char* after)
    {
        SCOPED_TRACE(after);
        ASSERT_EQ(list_.Count(), model_.size());
        ASSERT_EQ(list_.ToStringList(), model_);
        int starts = 0, ends = 0;
        for (const QString& l : model_) {
            starts += l.startsWith(QLatin1String("<BLOC"));
            ends += l.startsWith(QLatin1String("</BLOC"));
        }
        EXPECT_EQ(list_.StartLineCount(), starts);
        EXPECT_EQ(list_.EndLineCount(), ends);
        for (const QString& probe : alphabet_)
            ASSERT_EQ(list_.IndexOf(probe), model_.indexOf(probe)) << qPrintable(probe);
        for (int n = 0; n < 9; ++n)
            ASSERT_EQ(list_.FindBlock(n), model_.indexOf(list_.StartTag(n))) << n;
        for (int j = 0; j < model_.size(); ++j)
            ASSERT_EQ(list_[j], model_[j]) << j;
        // Lines read together, at positions in any order, some more than once.
        std::vector<int> picked;
        QStringList pickedLines;
        for (int k = model_.isEmpty() ? 0 : Pick(40); k > 0; --k) {
            picked.push_back(Pick(model_.size()));
            pickedLines << model_[picked.back()];
        }
        ASSERT_EQ(list_.Strings(picked), pickedLines);
        ASSERT_EQ(list_.ToFileBytes(), textfile::JoinLines(model_));
        // The walks, over the whole list and over a part of it.
        const int from = Pick(model_.size() + 1);
        const int to = from + Pick(model_.size() - from + 1);
        QStringList text, bytes;
        list_.ForEachLine(from, to, [&](int, QStringView line) { text << line.toString(); });
        QList<QByteArrayView> views;
        std::vector<int> lineOf;
        list_.ForEachLineBytes(from, to, [&](int j, QByteArrayView line) {
            ASSERT_EQ(line, textfile::EncodeCp1252(model_[j])) << j;
            // A line other than a tag is still there at the walk's last line.
            if (!IsListTag(model_[j], width_)) {
                views << line;
                lineOf.push_back(j);
            }
            if (j == to - 1) {
                for (qsizetype k = 0; k < views.size(); ++k)
                    ASSERT_EQ(views[k], textfile::EncodeCp1252(model_[lineOf[k]])) << lineOf[k];
            }
        });
        ASSERT_EQ(text, model_.mid(from, to - from));
        std::vector<std::pair<int, bool>> tags, wanted;
        list_.ForEachTagLine([&](int j, bool end) { tags.emplace_back(j, end); });
        for (int j = 0; j < model_.size(); ++j)
            if (model_[j].startsWith(QLatin1String("<BLOC")) || model_[j].startsWith(QLatin1String("</BLOC")))
                wanted.emplace_back(j, model_[j].startsWith(QLatin1String("</BLOC")));
        ASSERT_EQ(tags, wanted);
    }

    QString Line() { return alphabet_[Pick(alphabet_.size())]; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    void Step()
    {
        const int size = int(model_.size());
        switch (Pick(15)) {
        case 0: {
            const QString l = Line();
            list_.Add(l);
            model_.append(l);
            break;
        }
        case 1: {
            const int at = Pick(size + 1);
            const QString l = Line();
            list_.Insert(at, l);
            model_.insert(at, l);
            break;
        }
        case 2: {
            const int at = Pick(size + 1);
            QStringList run;
            for (int k = Pick(12); k > 0; --k)
                run << Line();
            list_.Insert(at, run);
            for (int k = 0; k < run.size(); ++k)
                model_.insert(at + k, run[k]);
            break;
        }
        case 3:
        case 4:
            if (size > 0) {
                const int at = Pick(size);
                list_.Delete(at);
                model_.removeAt(at);
            }
            break;
        case 5:
            if (size > 0) {
                const int at = Pick(size);
                const int n = 1 + Pick(std::min(size - at, 15));
                list_.Delete(at, n);
                model_.remove(at, n);
            }
            break;
        case 6:
            if (size > 0) {
                const int at = Pick(size);
                const QString l = Line();
                list_.Put(at, l);
                model_[at] = l;
            }
            break;
        case 7:
        case 8: {
            const int i = Pick(8);
            list_.Renumber(i);
            ModelRenumber(model_, width_, i);
            break;
        }
        case 9: {
            // Delete a block the way the card file does.
            const int n = Pick(7);
            const int pos = list_.FindBlock(n);
            ASSERT_EQ(pos, model_.indexOf(list_.StartTag(n)));
            if (pos >= 0) {
                const int len = list_.BlockLength(pos, n);
                ASSERT_EQ(len, ModelBlockLength(model_, width_, pos, n));
                list_.Delete(pos, len);
                model_.remove(pos, len);
            }
            break;
        }
        case 10: {
            std::vector<int> got, want;
            const bool ok = list_.CountStartTags(7, got);
            ASSERT_EQ(ok, ModelCountStarts(model_, width_, 7, want));
            if (ok) {
                ASSERT_EQ(got, want);
            }
            break;
        }
        case 11:
            if (Pick(20) == 0) {
                QStringList fresh;
                for (int k = Pick(60); k > 0; --k)
                    fresh << Line();
                list_ = fresh;
                model_ = fresh;
            }
            break;
        case 12: {
            // A file's bytes, with every kind of line end, appended or loaded whole.
            QByteArray bytes;
            const char* const ends[] = {"\r\n", "\r", "\n"};
            for (int k = Pick(12); k > 0; --k)
                bytes += textfile::EncodeCp1252(Line()) + ends[Pick(3)];
            if (Pick(2))
                bytes += textfile::EncodeCp1252(Line());
            const QStringList lines = textfile::SplitLines(textfile::DecodeCp1252(bytes));
            if (Pick(6) == 0) {
                list_.AssignFileBytes(bytes);
                model_ = lines;
            } else {
                list_.AppendFileBytes(bytes);
                model_ << lines;
            }
            break;
        }
        case 13: {
            QByteArray text;
            std::vector<qsizetype> ends;
            for (int k = Pick(12); k > 0; --k) {
                const QByteArray line = textfile::EncodeCp1252(Line());
                text += line;
                ends.push_back(text.size());
                model_ << textfile::DecodeCp1252(line);
            }
            list_.AppendPacked(text, ends);
            break;
        }
        case 14: {
            // The list made again of runs of its lines, some empty, some overlapping.
            std::vector<RecordList::Range> blocks;
            QStringList arranged;
            for (int k = Pick(8); k > 0; --k) {
                const int from = Pick(size + 1);
                const int to = from + Pick(std::min(size - from, 12) + 1);
                const int j = int(blocks.size());
                blocks.push_back({from, to});
                arranged << list_.StartTag(j) << model_.mid(from, to - from) << list_.EndTag(j);
            }
            list_.ArrangeBlocks(blocks);
            model_ = arranged;
            break;
        }
        }
    }

    void Seed(unsigned seed) { rng_.seed(seed); }

private:
    int width_;
    RecordList list_;
    QStringList model_;
    QStringList alphabet_;
    std::mt19937 rng_;
};

}  // namespace

struct RandomEditCase {
    int width;
    int chunkLimit;
    unsigned seed;
};

class RecordListRandomEdits : public ::testing::TestWithParam<RandomEditCase> {};

TEST_P(RecordListRandomEdits, BehavesAsAPlainStringList)
{
    const RandomEditCase c = GetParam();
    ChunkLimitGuard chunks(c.chunkLimit);
    Checker check(c.width);
    check.Seed(c.seed);
    for (int step = 0; step < 1500; ++step) {
        check.Step();
        if (HasFatalFailure())
            FAIL() << "step " << step;
        check.Same("step");
        if (HasFatalFailure())
            FAIL() << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RecordListRandomEdits,
                         ::testing::Values(RandomEditCase{4, 4, 1}, RandomEditCase{4, 4, 2}, RandomEditCase{4, 6, 3},
                                           RandomEditCase{5, 4, 4}, RandomEditCase{5, 5, 5}, RandomEditCase{4, 256, 6},
                                           RandomEditCase{5, 256, 7}, RandomEditCase{4, 2, 8}));

TEST(RecordList, LoadsAndSavesLinesUnchanged)
{
    ChunkLimitGuard chunks(4);
    const QStringList file{QStringLiteral("titre"),       QStringLiteral(""),
                           QStringLiteral("<BLOC0000>"),  QStringLiteral("10001"),
                           QStringLiteral("</BLOC0000>"), QStringLiteral("<BLOC0000>"),
                           QStringLiteral("<BLOC00001>"), QStringLiteral("</BLOC0001>"),
                           QStringLiteral("<BLOC12>"),    QStringLiteral("x")};
    RecordList list(4);
    list = file;
    EXPECT_EQ(list.ToStringList(), file);
    EXPECT_EQ(QStringList(list), file);
    const RecordList copy = list;
    EXPECT_EQ(copy.ToStringList(), file);
    EXPECT_EQ(list.IndexOf(QStringLiteral("<BLOC0000>")), 2);
    EXPECT_EQ(list.IndexOf(QStringLiteral("<BLOC00001>")), 6);
    EXPECT_EQ(list.IndexOf(QStringLiteral("<BLOC0001>")), -1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("")), 1);
}

TEST(RecordList, NullAndEmptyLinesReadAsEmpty)
{
    RecordList list;
    list.Add(QString());
    list.Add(QStringLiteral(""));
    EXPECT_EQ(list[0], QString());
    EXPECT_EQ(list.IndexOf(QStringLiteral("")), 0);
}

TEST(RecordList, OutOfRangeAccessIsAnErrorNotACrash)
{
    RecordList list;
    list.Add(QStringLiteral("a"));
    EXPECT_THROW(list[1], Exception);
    EXPECT_THROW(list[-1], Exception);
    EXPECT_THROW(list.Put(1, QStringLiteral("b")), Exception);
    EXPECT_THROW(list.Delete(1), Exception);
    EXPECT_THROW(list.Delete(0, 2), Exception);
    EXPECT_THROW(list.Insert(2, QStringLiteral("b")), Exception);
    EXPECT_THROW(list.Strings(std::vector<int>{0, 1}), Exception);
    EXPECT_EQ(list.ToStringList(), QStringList{QStringLiteral("a")});
}

TEST(RecordList, TagsCarryTheKindsWidth)
{
    EXPECT_EQ(RecordList(4).StartTag(7), QStringLiteral("<BLOC0007>"));
    EXPECT_EQ(RecordList(4).EndTag(7), QStringLiteral("</BLOC0007>"));
    EXPECT_EQ(RecordList(5).StartTag(7), QStringLiteral("<BLOC00007>"));
    EXPECT_EQ(RecordList(5).EndTag(98998), QStringLiteral("</BLOC98998>"));
}

TEST(RecordList, RenumberingLeavesTagsWithoutAWholeNumberAlone)
{
    RecordList list(4);
    list = QStringList{QStringLiteral("<BLOCab12>"), QStringLiteral("</BLOC12>"), QStringLiteral("<BLOC0005>"),
                       QStringLiteral("<BLOC0003>junk"), QStringLiteral("</BLOC 003>")};
    list.Renumber(1);
    EXPECT_EQ(list.ToStringList(),
              (QStringList{QStringLiteral("<BLOCab12>"), QStringLiteral("</BLOC12>"), QStringLiteral("<BLOC0004>"),
                           QStringLiteral("<BLOC0002>"), QStringLiteral("</BLOC0002>")}));
}

TEST(RecordList, NumbersThatMeetAfterRenumberingStayOneNumber)
{
    // Block 1 is missing but its end tag was left behind; block 2 comes down onto number 1.
    RecordList list(4);
    list = QStringList{QStringLiteral("</BLOC0001>"), QStringLiteral("<BLOC0002>"), QStringLiteral("</BLOC0002>")};
    list.Renumber(1);
    EXPECT_EQ(list.FindBlock(1), 1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("</BLOC0001>")), 0);
    list.Renumber(0);
    EXPECT_EQ(list.ToStringList(), (QStringList{QStringLiteral("</BLOC0000>"), QStringLiteral("<BLOC0000>"),
                                                QStringLiteral("</BLOC0000>")}));
    list.Delete(0);
    EXPECT_EQ(list.IndexOf(QStringLiteral("</BLOC0000>")), 1);
}

TEST(RecordList, ArrangedBlocksPastTheFormsDigitsGetTheirNumberInFull)
{
    ChunkLimitGuard chunks(4);
    RecordList list(1);
    QStringList lines, want;
    std::vector<RecordList::Range> blocks;
    for (int i = 0; i < 12; ++i) {
        lines << QString(QChar(u'a' + i));
        blocks.push_back({11 - i, 12 - i});
    }
    list = lines;
    list.ArrangeBlocks(blocks);
    for (int j = 0; j < 12; ++j)
        want << QStringLiteral("<BLOC%1>").arg(j) << lines[11 - j] << QStringLiteral("</BLOC%1>").arg(j);
    EXPECT_EQ(list.ToStringList(), want);
    EXPECT_EQ(list.ToFileBytes(), textfile::JoinLines(want));
    EXPECT_EQ(list.StartLineCount(), 12);
    EXPECT_EQ(list.EndLineCount(), 12);
    EXPECT_EQ(list.FindBlock(3), 9);
    EXPECT_EQ(list.IndexOf(QStringLiteral("<BLOC10>")), 30);
    EXPECT_THROW(list.ArrangeBlocks(std::vector<RecordList::Range>{{0, 37}}), Exception);
    EXPECT_EQ(list.ToStringList(), want);
}

TEST(RecordList, PackedLinesWithEndsOutOfOrderAreRefusedWhole)
{
    RecordList list(4);
    list.Add(QStringLiteral("x"));
    const std::vector<qsizetype> backwards{2, 1}, beyond{1, 9};
    EXPECT_THROW(list.AppendPacked("abc", backwards), Exception);
    EXPECT_THROW(list.AppendPacked("abc", beyond), Exception);
    EXPECT_EQ(list.ToStringList(), QStringList{QStringLiteral("x")});
}
