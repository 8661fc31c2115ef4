#include "manager/cardfile/core/exchange.h"

#include <algorithm>
#include "manager/cardfile/core/blocks.h"

namespace exchange {

namespace {

// Lines +1 .. +3 of a customer block come from the import itself; the fields follow, then the
// empty lines every imported customer gets.
constexpr int EmptyLinesAfterFields = 25;

}  // namespace

QStringList SplitFields(const QString& line, QChar separator)
{
    QStringList fields;
    QStringView rest(line);
    for (;;) {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0) {
            fields << rest.toString();
            return fields;
        }
        fields << rest.left(at).toString();
        rest = rest.mid(at + 1).left(RestLimit);
    }
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
    // The blocks are gathered first and join the list together: the list never holds half a
    // customer, and adding them in one go spares the list a growth per line.
    QStringList added;
    for (const QString& line : lines) {
        if (count >= MaxCustomers) {
            result.truncated = true;
            break;
        }
        const int number = count;
        QStringList block;
        block << list.StartTag(number) << CustomerLines(nextCode, SplitFields(line, separator))
              << list.EndTag(number);
        added << block;
        ++count;
        ++nextCode;
        ++result.blocks;
    }
    list.Add(added);
    return result;
}

QStringList ExportLines(const RecordList& list, std::span<const int> fields, QChar separator)
{
    const int deepest = fields.empty() ? 0 : *std::max_element(fields.begin(), fields.end());
    QStringList out;
    const int n = list.Count();
    for (int i = 0; i < n; ++i) {
        if (!list[i].startsWith(QLatin1String("<BLOC")))
            continue;
        const QStringList own = blocks::FieldLines(list, i, deepest);
        QString line;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f > 0)
                line += separator;
            line += own.value(fields[f] - 1);
        }
        out << line;
    }
    return out;
}

}  // namespace exchange
