#include "manager/cardfile/core/blocks.h"

#include <limits>
#include "platform/rtl.h"

namespace blocks {

namespace {

const QLatin1String StartPrefix("<BLOC");

// The repeat a line belongs to by its first four letters, or -1.
int RepeatOf(const BlockLayout& layout, const QString& line)
{
    for (int i = 0; i < int(layout.repeats.size()); ++i)
        if (line.startsWith(layout.repeats[i].prefix))
            return i;
    return -1;
}

// A row line split into its cells. A line the writer could not give back as it is (no TAB, or
// shorter than a row that ends the lines) is no row.
bool SplitRow(const QString& line, int cells, int shortest, QStringList& row)
{
    QString rest = line.mid(4);
    if (!rest.contains(QLatin1Char('\t')) || rest.size() < shortest)
        return false;
    row.clear();
    for (int col = 0; col < cells; ++col) {
        const int tab = int(rest.indexOf(QLatin1Char('\t')));
        if (col == cells - 1 || tab < 0) {
            row << rest;
            rest.clear();
        } else {
            row << rest.left(tab);
            rest = rest.mid(tab + 1);
        }
    }
    return true;
}

}  // namespace

QString FlagLine(bool set)
{
    return set ? QStringLiteral("Y") : QStringLiteral("N");
}

bool FlagSet(const QString& line)
{
    return line == QLatin1String("Y");
}

QString WithoutPrefix(const QString& line, QLatin1String prefix)
{
    return line.startsWith(prefix) ? line.mid(prefix.size()) : line;
}

QString SafeField(const QString& line)
{
    if (line.startsWith(StartPrefix) || line.startsWith(QLatin1String("</BLOC")))
        return QLatin1Char(' ') + line;
    return line;
}

QString SafeCell(const QString& cell)
{
    QString safe = cell;
    return safe.replace(QLatin1Char('\t'), QLatin1Char(' '));
}

BlockContent ReadBlock(const RecordList& list, int index, const BlockLayout& layout)
{
    BlockContent content;
    content.fields.resize(layout.fields);
    content.repeats.resize(layout.repeats.size());
    const int pos = index >= 0 ? list.FindBlock(index) : -1;
    if (pos < 0)
        return content;
    content.found = true;

    int end = pos + list.BlockLength(pos, index);
    if (end - pos > 1 && list[end - 1] == list.EndTag(index))
        --end;
    for (int n = 1; pos + n < end; ++n) {
        const QString line = list[pos + n];
        const int rep = n >= layout.scanFrom && n <= LastLineRead ? RepeatOf(layout, line) : -1;
        if (n <= layout.fields && rep < 0) {
            content.fields[n - 1] = line;
            continue;
        }
        bool placed = false;
        if (rep >= 0 && !layout.repeats[rep].rows) {
            content.repeats[rep].memo << line.mid(4);
            placed = true;
        } else if (rep >= 0) {
            const RepeatLayout& r = layout.repeats[rep];
            QList<QStringList>& rows = content.repeats[rep].rows;
            QStringList row;
            placed = (r.room < 0 || rows.size() < r.room) && SplitRow(line, r.cells, r.shortest, row);
            if (placed)
                rows << row;
        }
        if (!placed)
            content.kept << line;
    }
    return content;
}

QStringList BlockLines(const QStringList& fields, const BlockLayout& layout,
                       const std::vector<RepeatContent>& repeats, const QStringList& kept)
{
    QStringList lines;
    lines.reserve(fields.size());
    for (const QString& field : fields)
        lines << SafeField(field);
    for (int i = 0; i < int(layout.repeats.size()) && i < int(repeats.size()); ++i) {
        const RepeatLayout& r = layout.repeats[i];
        if (!r.rows) {
            for (const QString& line : repeats[i].memo)
                lines << r.prefix + line;
            continue;
        }
        for (const QStringList& row : repeats[i].rows) {
            QStringList cells;
            for (const QString& cell : row.mid(0, r.cells))
                cells << SafeCell(cell);
            const QString joined = cells.join(QLatin1Char('\t'));
            if (joined.size() < r.shortest) {
                if (r.skipShort)
                    continue;
                break;
            }
            lines << r.prefix + joined;
        }
    }
    return lines + kept;
}

int NextNumber(const RecordList& list, int floor, QLatin1String prefix)
{
    int largest = floor;
    for (int i = 0; i + 1 < list.Count(); ++i) {
        if (!list[i].startsWith(StartPrefix))
            continue;
        QString code = list[i + 1];
        if (!code.startsWith(prefix))
            continue;
        code = rtl::Trim(code.mid(prefix.size()));
        if (code.isEmpty())
            continue;
        try {
            const int n = rtl::StrToInt(code);
            // The largest whole number has no successor: it cannot lead the numbering either.
            if (n > largest && n < std::numeric_limits<int>::max())
                largest = n;
        } catch (const EConvertError&) {
        }
    }
    return largest + 1;
}

int BlockOfCode(const RecordList& list, const QString& code)
{
    for (int i = 0; i + 1 < list.Count(); ++i)
        if (list.Strings(i).startsWith(StartPrefix) && list.Strings(i + 1) == code)
            return i;
    return -1;
}

}  // namespace blocks
