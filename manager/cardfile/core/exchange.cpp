#include "manager/cardfile/core/exchange.h"

#include <algorithm>
#include "manager/cardfile/core/blocks.h"
#include "platform/textfile.h"

namespace exchange {

namespace {

// Lines +1 .. +3 of a customer block come from the import itself; the fields follow, then the
// empty lines every imported customer gets.
constexpr int EmptyLinesAfterFields = 25;

// A list that already holds lines takes the imported blocks a few at a time: each run small
// enough to stay in the cache while the list files its lines, large enough that the runs cost
// nothing next to the lines.
constexpr int LinesPerRun = 512;
// The lines of an imported block, its fields guessed at eight: the room an import into an empty
// list takes at once.
constexpr int LinesPerBlock = 2 + 3 + EmptyLinesAfterFields + 8;

// Calls take(field) for each field of the line, in order (see SplitFields).
template <class Take>
void ForEachField(const QString& line, QChar separator, Take&& take)
{
    QStringView rest(line);
    for (;;) {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0) {
            take(rest);
            return;
        }
        take(rest.left(at));
        rest = rest.mid(at + 1).left(RestLimit);
    }
}

// Only a field opening with '<' can look like a tag: the others are taken as they are, without
// asking the blocks' rule.
QString BlockLineOf(QStringView field)
{
    QString line = field.toString();
    if (field.startsWith(QLatin1Char('<')))
        return AsBlockLine(line);
    return line;
}

void AppendCustomerLines(QStringList& out, int code, const QString& importLine, QChar separator)
{
    out << QString::number(code) << QStringLiteral("N") << QStringLiteral("N");
    ForEachField(importLine, separator, [&](QStringView field) { out << BlockLineOf(field); });
    for (int i = 0; i < EmptyLinesAfterFields; ++i)
        out << QString();
}

// What a tag test of the lists asks, without calling out for every line: a line read by the
// exporter is far more often a field than a tag.
bool IsTag(const QString& line)
{
    return line.size() >= 5 && line.front() == QLatin1Char('<') && blocks::IsTag(line);
}

bool IsStartTag(const QString& line)
{
    return line.size() >= 5 && line.front() == QLatin1Char('<') && line.startsWith(QLatin1String("<BLOC"));
}

// The number a start tag's digits give, for skipping its block: any number will do for that,
// since a block's length never runs past the next start tag; -1 when they are not all digits.
int SkipNumber(const QString& tag, int width)
{
    if (tag.size() < 5 + width)
        return -1;
    int n = 0;
    for (int i = 5; i < 5 + width; ++i) {
        const char16_t c = tag[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// Calls take(own, have) for each block of the list, in list order, with its field lines +1 ..
// +have: as many as the deepest of the fields asks, fewer when a tag or the list's end comes
// first. Only those lines are read: the rest of a block is stepped over by its length, which the
// list knows without making a string of each line. The list's lines are many, and each string
// made is one more fetched from memory.
template <class Take>
void ForEachBlock(const RecordList& list, std::span<const int> fields, Take&& take)
{
    const int deepest = fields.empty() ? 0 : std::max(0, *std::max_element(fields.begin(), fields.end()));
    std::vector<QString> own(deepest);
    const int n = list.Count();
    for (int i = 0; i < n;) {
        const QString tag = list[i];
        if (!IsStartTag(tag)) {
            ++i;
            continue;
        }
        int have = 0;
        for (int k = i + 1; have < deepest && k < n; ++k) {
            QString line = list[k];
            if (IsTag(line))
                break;
            own[have++] = std::move(line);
        }
        take(own.data(), have);
        i += list.BlockLength(i, SkipNumber(tag, list.Width()));
    }
}

}  // namespace

QStringList SplitFields(const QString& line, QChar separator)
{
    QStringList fields;
    ForEachField(line, separator, [&](QStringView field) { fields << field.toString(); });
    return fields;
}

QString AsBlockLine(const QString& field)
{
    return blocks::SafeField(field);
}

QStringList CustomerLines(int code, const QStringList& fields)
{
    QStringList lines;
    lines.reserve(3 + fields.size() + EmptyLinesAfterFields);
    lines << QString::number(code) << QStringLiteral("N") << QStringLiteral("N");
    for (const QString& field : fields)
        lines << AsBlockLine(field);
    for (int i = 0; i < EmptyLinesAfterFields; ++i)
        lines << QString();
    return lines;
}

Imported ImportCustomers(RecordList& list, const QStringList& lines, QChar separator, int& count, int& nextCode)
{
    Imported result;
    // Each block is gathered whole before it joins the list, so the list never holds half a
    // customer. An empty list takes them all at once, as it takes a loaded file, which costs it
    // far less than adding lines; any other takes them by runs.
    const bool whole = list.IsEmpty();
    QStringList run;
    if (whole)
        run.reserve(std::clamp<qsizetype>(MaxCustomers - count, 0, lines.size()) * LinesPerBlock);
    else
        run.reserve(LinesPerRun + 64);
    for (const QString& line : lines) {
        if (count >= MaxCustomers) {
            result.truncated = true;
            break;
        }
        const int number = count;
        run << list.StartTag(number);
        AppendCustomerLines(run, nextCode, line, separator);
        run << list.EndTag(number);
        ++count;
        ++nextCode;
        ++result.blocks;
        if (!whole && run.size() >= LinesPerRun) {
            list.Add(run);
            run.clear();
        }
    }
    if (whole)
        list.Assign(run);
    else if (!run.isEmpty())
        list.Add(run);
    return result;
}

QStringList ExportLines(const RecordList& list, std::span<const int> fields, QChar separator)
{
    QStringList out;
    out.reserve(list.StartLineCount());
    ForEachBlock(list, fields, [&](const QString* own, int have) {
        qsizetype size = qsizetype(fields.size()) - 1;
        for (const int f : fields)
            if (f >= 1 && f <= have)
                size += own[f - 1].size();
        QString line;
        line.reserve(std::max<qsizetype>(size, 0));
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f > 0)
                line += separator;
            if (fields[f] >= 1 && fields[f] <= have)
                line += own[fields[f] - 1];
        }
        out << line;
    });
    return out;
}

QByteArray ExportFile(const RecordList& list, std::span<const int> fields, QChar separator)
{
    QByteArray bytes;
    // A line's pieces are its fields and the separators between them, encoded where they stand.
    const QStringView between(&separator, 1);
    std::vector<QStringView> pieces;
    pieces.reserve(2 * fields.size());
    ForEachBlock(list, fields, [&](const QString* own, int have) {
        pieces.clear();
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f > 0)
                pieces.push_back(between);
            if (fields[f] >= 1 && fields[f] <= have)
                pieces.push_back(own[fields[f] - 1]);
        }
        textfile::AppendLine(bytes, pieces);
    });
    return bytes;
}

}  // namespace exchange
