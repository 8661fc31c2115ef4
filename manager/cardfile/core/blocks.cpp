#include "manager/cardfile/core/blocks.h"

#include <QVarLengthArray>
#include <algorithm>
#include <limits>
#include "platform/rtl.h"

namespace blocks {

namespace {

const QLatin1String StartPrefix("<BLOC");

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

int RepeatOf(const BlockLayout& layout, int k, const QString& line)
{
    if (k < layout.scanFrom || k > LastLineRead)
        return -1;
    for (int i = 0; i < int(layout.repeats.size()); ++i) {
        const QLatin1String prefix = layout.repeats[i].prefix;
        // The first letter first: most lines open with no prefix at all.
        if (!prefix.isEmpty() && (line.isEmpty() || line.front() != QChar(prefix.front())))
            continue;
        if (line.startsWith(prefix))
            return i;
    }
    return -1;
}

// A line the writer could not give back as it is (no TAB, or shorter than a row that ends the
// lines) is no row.
bool RowCells(QStringView line, const RepeatLayout& r, std::span<QStringView> cells)
{
    const QStringView rest = line.sliced(std::min<qsizetype>(4, line.size()));
    if (!rest.contains(QLatin1Char('\t')) || rest.size() < r.shortest)
        return false;
    std::fill(cells.begin(), cells.end(), QStringView());
    qsizetype from = 0;
    for (int col = 0; col < int(cells.size()); ++col) {
        const qsizetype tab = rest.indexOf(QLatin1Char('\t'), from);
        if (col == int(cells.size()) - 1 || tab < 0) {
            cells[col] = rest.sliced(from);
            break;
        }
        cells[col] = rest.sliced(from, tab - from);
        from = tab + 1;
    }
    return true;
}

BlockContent ReadBlock(const RecordList& list, int index, const BlockLayout& layout)
{
    BlockContent content;
    content.fields.resize(layout.fields);
    content.repeats.resize(layout.repeats.size());
    content.found = VisitBlock(list, index, [&](int n, const QString& line) {
        const int rep = RepeatOf(layout, n, line);
        if (n <= layout.fields && rep < 0) {
            content.fields[n - 1] = line;
            return;
        }
        bool placed = false;
        if (rep >= 0 && !layout.repeats[rep].rows) {
            content.repeats[rep].memo << line.mid(4);
            placed = true;
        } else if (rep >= 0) {
            const RepeatLayout& r = layout.repeats[rep];
            QList<QStringList>& rows = content.repeats[rep].rows;
            QVarLengthArray<QStringView, 8> cells(r.cells);
            placed = (r.room < 0 || rows.size() < r.room) && RowCells(line, r, cells);
            if (placed) {
                QStringList row;
                row.reserve(r.cells);
                for (QStringView cell : cells)
                    row << cell.toString();
                rows << row;
            }
        }
        if (!placed)
            content.kept << line;
    });
    return content;
}

QStringList BlockLines(const QStringList& fields, const BlockLayout& layout, const std::vector<RepeatContent>& repeats,
                       const QStringList& kept)
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

bool IsTag(const QString& line)
{
    return line.startsWith(StartPrefix) || line.startsWith(QLatin1String("</BLOC"));
}

QStringList FieldLines(const RecordList& list, int start, int count)
{
    QStringList lines;
    const int last = std::min(start + count, list.Count() - 1);
    for (int i = start + 1; i <= last; ++i) {
        QString line = list[i];
        if (IsTag(line))
            break;
        lines << std::move(line);
    }
    return lines;
}

QString FieldLine(const RecordList& list, int start, int k)
{
    if (k < 1)
        return {};
    const QStringList lines = FieldLines(list, start, k);
    return lines.size() == k ? lines.constLast() : QString();
}

}  // namespace blocks
