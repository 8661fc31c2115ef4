#include "manager/cardfile/core/exchange.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include "manager/cardfile/core/blocks.h"
#include "platform/textfile.h"

namespace exchange {

namespace {

// Lines +1 .. +3 of a customer block come from the import itself; the fields follow, then the
// empty lines every imported customer gets.
constexpr int EmptyLinesAfterFields = 25;

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

// A line's units, text or bytes, compared with ASCII prefixes.
char16_t Unit(QStringView line, qsizetype i)
{
    return line[i].unicode();
}

char16_t Unit(QByteArrayView line, qsizetype i)
{
    return static_cast<unsigned char>(line[i]);
}

template <class View>
bool Begins(View line, QLatin1String prefix)
{
    if (line.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (Unit(line, i) != char16_t(prefix[i].unicode()))
            return false;
    return true;
}

// A line read by the exporter is far more often a field than a tag: the first unit tells.
template <class View>
bool IsStartTag(View line)
{
    return line.size() >= 5 && Unit(line, 0) == u'<' && Begins(line, QLatin1String("<BLOC"));
}

template <class View>
bool IsTag(View line)
{
    return IsStartTag(line) || (line.size() >= 6 && Unit(line, 0) == u'<' && Begins(line, QLatin1String("</BLOC")));
}

// The field lines kept of the block being read, as text: strings that keep their room from one
// block to the next.
struct KeptText {
    std::vector<QString> lines;
    int have = 0;

    void Clear() { have = 0; }
    void Keep(QStringView line)
    {
        if (have == int(lines.size()))
            lines.emplace_back();
        QString& kept = lines[have++];
        kept.resize(line.size());
        if (!line.isEmpty())
            std::memcpy(kept.data(), line.data(), line.size() * sizeof(QChar));
    }
    QStringView operator[](int k) const { return lines[k]; }
};

// The same as bytes: the walk's views, which last as long as the walk for the lines kept (never
// tags).
struct KeptBytes {
    QVarLengthArray<QByteArrayView, 16> lines;
    int have = 0;

    void Clear()
    {
        lines.clear();
        have = 0;
    }
    void Keep(QByteArrayView line)
    {
        lines.append(line);
        ++have;
    }
    QByteArrayView operator[](int k) const { return lines[k]; }
};

// Calls take(kept) for each block of the lines the walk hands out, in list order, with its field
// lines +1 .. +kept.have: as many as the deepest of the fields asks, fewer when a tag or the list's
// end comes first. Every line beginning with "<BLOC" opens a block, and lines after a block's
// fields up to the next one are no block's. The lines are read in one walk, without a string each.
template <class Kept, class Walk, class Take>
void ForEachBlock(Walk&& walk, int count, std::span<const int> fields, Take&& take)
{
    const int deepest = fields.empty() ? 0 : std::max(0, *std::max_element(fields.begin(), fields.end()));
    Kept kept;
    bool reading = false;
    walk([&](int index, auto line) {
        // Most lines are fields, and their first unit tells.
        const bool tagLike = line.size() >= 5 && Unit(line, 0) == u'<';
        if (tagLike && IsStartTag(line)) {
            if (reading)
                take(kept);
            kept.Clear();
            reading = deepest > 0 && index < count - 1;
            if (!reading)
                take(kept);
            return;
        }
        if (!reading)
            return;
        if (tagLike && IsTag(line)) {
            take(kept);
            reading = false;
            return;
        }
        kept.Keep(line);
        // The last block is taken at the list's last line, while the walk's views still hold.
        if (kept.have == deepest || index == count - 1) {
            take(kept);
            reading = false;
        }
    });
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

Imported ImportCustomers(RecordList& list, const QByteArray& file, QChar separator, int& count, int& nextCode)
{
    // The file's lines, split as textfile splits them.
    std::vector<QByteArrayView> lines;
    for (const char *p = file.data(), *end = p + file.size(); p < end;) {
        const char* q = textfile::LineEnd(p, end);
        lines.emplace_back(p, q - p);
        p = textfile::NextLine(q, end);
    }
    Imported result;
    result.blocks = std::clamp<qsizetype>(MaxCustomers - count, 0, qsizetype(lines.size()));
    result.truncated = result.blocks < qsizetype(lines.size());

    // The blocks' lines are written from the file's own bytes (one a character in the code page)
    // laid end to end, and join the list in one go: the list never holds half a customer. A field
    // that would begin like a tag gets its blank, as blocks::SafeField gives it, so that no
    // imported text is taken for a tag.
    const int sep = textfile::Cp1252Byte(separator.unicode());
    const int width = list.Width();
    qsizetype room = 0;
    for (int i = 0; i < result.blocks; ++i)
        room += 2 * lines[i].size() + 2 * width + 64;
    QByteArray text(room, Qt::Uninitialized);
    std::vector<qsizetype> ends;
    ends.reserve(std::size_t(result.blocks) * (3 + 8 + EmptyLinesAfterFields + 2));
    char* const base = text.data();
    char* out = base;
    const auto lineEnd = [&] { ends.push_back(out - base); };
    const auto put = [&](const char* bytes, qsizetype n) {
        if (n > 0)
            std::memcpy(out, bytes, n);
        out += n;
    };
    const auto tag = [&](bool end, int n) {
        out = list.WriteTagBytes(out, end, n);
        lineEnd();
    };
    for (int i = 0; i < result.blocks; ++i) {
        tag(false, count + i);
        out = std::to_chars(out, out + 24, qint64(nextCode) + i).ptr;
        lineEnd();
        for (int k = 0; k < 2; ++k) {
            *out++ = 'N';
            lineEnd();
        }
        QByteArrayView rest = lines[i];
        for (bool last = false; !last;) {
            const qsizetype at = sep < 0 ? -1 : rest.indexOf(char(sep));
            last = at < 0;
            const QByteArrayView field = last ? rest : rest.first(at);
            if (!field.isEmpty() && field.front() == '<' && (field.startsWith("<BLOC") || field.startsWith("</BLOC")))
                *out++ = ' ';
            put(field.data(), field.size());
            lineEnd();
            if (!last)
                rest = rest.sliced(at + 1).first(std::min<qsizetype>(RestLimit, rest.size() - at - 1));
        }
        ends.insert(ends.end(), EmptyLinesAfterFields, out - base);
        tag(true, count + i);
    }
    list.AppendPacked(QByteArrayView(base, out - base), ends);
    count += result.blocks;
    nextCode += result.blocks;
    return result;
}

Imported ImportCustomers(RecordList& list, const QStringList& lines, QChar separator, int& count, int& nextCode)
{
    return ImportCustomers(list, textfile::JoinLines(lines), separator, count, nextCode);
}

QStringList ExportLines(const RecordList& list, std::span<const int> fields, QChar separator)
{
    QStringList out;
    out.reserve(list.StartLineCount());
    const auto walk = [&](auto&& visit) { list.ForEachLine(visit); };
    ForEachBlock<KeptText>(walk, list.Count(), fields, [&](const KeptText& kept) {
        qsizetype size = qsizetype(fields.size()) - 1;
        for (const int f : fields)
            if (f >= 1 && f <= kept.have)
                size += kept[f - 1].size();
        QString line;
        line.reserve(std::max<qsizetype>(size, 0));
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f > 0)
                line += separator;
            if (fields[f] >= 1 && fields[f] <= kept.have)
                line += kept[fields[f] - 1];
        }
        out << line;
    });
    return out;
}

QByteArray ExportFile(const RecordList& list, std::span<const int> fields, QChar separator)
{
    // The list's lines are read as the file holds them, so a field's bytes go out as they are.
    const int code = textfile::Cp1252Byte(separator.unicode());
    const char between = code < 0 ? '?' : char(code);
    QByteArray bytes;
    qsizetype used = 0;  // the bytes written; the rest is room
    const auto walk = [&](auto&& visit) { list.ForEachLineBytes(visit); };
    ForEachBlock<KeptBytes>(walk, list.Count(), fields, [&](const KeptBytes& kept) {
        // Room for the line at most: every kept field, each as often as it is asked for.
        qsizetype room = qsizetype(fields.size()) + 2;
        for (const int f : fields)
            if (f >= 1 && f <= kept.have)
                room += kept[f - 1].size();
        if (bytes.size() < used + room)
            bytes.resize(std::max(2 * bytes.size(), used + room));
        char* out = bytes.data() + used;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f > 0)
                *out++ = between;
            if (fields[f] >= 1 && fields[f] <= kept.have) {
                const QByteArrayView field = kept[fields[f] - 1];
                if (!field.isEmpty())
                    std::memcpy(out, field.data(), field.size());
                out += field.size();
            }
        }
        *out++ = '\r';
        *out++ = '\n';
        used = out - bytes.constData();
    });
    bytes.truncate(used);
    return bytes;
}

}  // namespace exchange
