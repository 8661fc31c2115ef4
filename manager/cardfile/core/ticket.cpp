#include "manager/cardfile/core/ticket.h"

#include <QVarLengthArray>
#include <cmath>
#include "manager/cardfile/core/blocks.h"
#include "platform/rtl.h"

using namespace rtl;

namespace ticket {

bool NoTime(const QString& time)
{
    return time.left(2) == QLatin1String("  ");
}

int MinutesBetween(const QString& start, const QString& end)
{
    double d = 0;
    if (!NoTime(start))
        d = StrToTime(end) - StrToTime(start);
    d -= std::floor(d);  // an end earlier than the start is on the next day
    return Round(d * 1440);
}

double TimePrice(int m, const settings::Tariffs& t)
{
    if (m >= 0 && m <= 15)
        return t.TarifQuartHeure;
    if (m >= 16 && m <= 30)
        return t.TarifDemiHeure;
    if (m >= 31 && m <= 45)
        return t.TarifTroisQuarts;
    if (m >= 46 && m <= 60)
        return t.TarifHeure;
    // Beyond the hour each started quarter counts from the 45th minute: 75 makes two.
    return t.TarifHeure + (m / 15 - 3) * t.TarifQuartSup;
}

Detail ReadDetail(const QString& quantity, const QString& unitPrice)
{
    return ReadDetail(QStringView(quantity), QStringView(unitPrice), nullptr);
}

Detail ReadDetail(QStringView quantity, QStringView unitPrice, numbers::Memo* memo)
{
    const auto toFloat = [memo](QStringView text) -> std::optional<double> {
        if (memo)
            return memo->Float(text);
        try {
            return StrToFloat(text.toString());
        } catch (const EConvertError&) {
            return std::nullopt;
        }
    };
    Detail detail;
    QStringView q = quantity;
    const qsizetype blank = q.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        q = q.first(blank);
    if (!q.isEmpty()) {
        const std::optional<double> value = toFloat(q);
        if (!value)
            return detail;
        detail.quantity = *value;
    }
    if (!unitPrice.isEmpty()) {
        const std::optional<double> value = toFloat(unitPrice);
        if (!value)
            return detail;
        detail.unitPrice = *value;
    }
    detail.unitRead = true;
    return detail;
}

void Details::Add(const QString& quantity, const QString& unitPrice)
{
    Add(QStringView(quantity), QStringView(unitPrice), nullptr);
}

void Details::Add(QStringView quantity, QStringView unitPrice, numbers::Memo* memo)
{
    const QStringView q = numbers::Trimmed(quantity);
    if (q.isEmpty())
        return;
    Add(ReadDetail(q, unitPrice, memo));
}

void Details::Add(const Detail& row)
{
    any = true;
    total += row.Amount();
}

std::optional<QString> TimePriceText(const QString& minutes, bool subscriber, const settings::Tariffs& tariffs,
                                     const QString& format)
{
    if (Trim(minutes).isEmpty())
        return std::nullopt;
    const QString price = FormatFloat(format, TimePrice(StrToInt(minutes), tariffs));
    return subscriber ? QString() : price;
}

std::optional<QString> Price(const QString& minutes, bool subscriber, const Details& details,
                             const settings::Tariffs& tariffs, const QString& format)
{
    const std::optional<QString> time = TimePriceText(minutes, subscriber, tariffs, format);
    if (!time) {
        if (details.any)
            return FormatFloat(format, details.total);
        return std::nullopt;
    }
    double total = details.total;
    if (!time->isEmpty()) {
        try {
            total += StrToFloat(*time);
        } catch (const EConvertError&) {
        }
    }
    return FormatFloat(format, total);
}

namespace {

// Price, the time price of the minutes and the text of each sum taken from the walk's memo.
std::optional<QString> MemoPrice(const QString& minutes, bool subscriber, const Details& details,
                                 const settings::Tariffs& tariffs, const QString& format, PriceMemo& memo)
{
    const auto written = [&](double total) {
        if (std::isnan(total))
            return FormatFloat(format, total);
        auto known = memo.formatted.constFind(total);
        if (known == memo.formatted.constEnd())
            known = memo.formatted.insert(total, FormatFloat(format, total));
        return *known;
    };
    if (Trim(minutes).isEmpty()) {
        if (details.any)
            return written(details.total);
        return std::nullopt;
    }
    auto time = memo.timeByMinutes.constFind(minutes);
    if (time == memo.timeByMinutes.constEnd()) {
        // Minutes that do not read throw here, and are never kept.
        const QString text = FormatFloat(format, TimePrice(StrToInt(minutes), tariffs));
        std::optional<double> value;
        try {
            value = StrToFloat(text);
        } catch (const EConvertError&) {
        }
        time = memo.timeByMinutes.insert(minutes, {text, value});
    }
    double total = details.total;
    // A subscriber's time price shows empty: nothing is added.
    if (!subscriber && !time->first.isEmpty() && time->second)
        total += *time->second;
    return written(total);
}

// The ticket block as its card reads it: 16 field lines, the comment's "MEMO" lines and the
// detail grid's "DATA" rows (designation, quantity, unit price; 15 rows under the heading),
// recognised from line +14 on.
enum : int {
    CustomerLine = 2,
    CustomerNameLine,
    MachineLine,
    MachineNameLine,
    EndDateLine = 8,
    MinutesLine = 10,
    PriceLine,
    SubscriberLine = 15,
    BookedLine,
    FieldLines = BookedLine
};
constexpr int DetailRows = 15, DetailCells = 3;
const blocks::RepeatLayout Repeats[] = {
    {QLatin1String("MEMO")},
    {QLatin1String("DATA"), true, DetailCells, DetailRows},
};
constexpr int DetailRepeat = 1;
const blocks::BlockLayout Layout{FieldLines, Repeats, 14};

}  // namespace

Shown ReadShown(const RecordList& tickets, int n, const settings::Tariffs& tariffs, const QString& format,
                PriceMemo* memo)
{
    // Read in place (blocks::VisitBlock): a statistics walk reads every ticket of the list, and
    // copying each block's lines and cells cost more than the reading itself. The detail rows
    // counted are kept whole until the ticket is known not to be booked.
    QString fields[FieldLines];
    QVarLengthArray<QString, CountedDetailRows> detailRows;
    int rows = 0;
    Shown shown;
    shown.found = blocks::VisitBlock(tickets, n, [&](int k, const QString& line) {
        const int rep = blocks::RepeatOf(Layout, k, line);
        if (k <= FieldLines && rep < 0) {
            fields[k - 1] = line;
            return;
        }
        QStringView cells[DetailCells];
        if (rep != DetailRepeat || rows == DetailRows || !blocks::RowCells(line, Repeats[DetailRepeat], cells))
            return;
        if (rows++ < CountedDetailRows)
            detailRows.append(line);
    });
    if (!shown.found)
        return shown;
    auto field = [&](int line) { return fields[line - 1]; };
    shown.customer = field(CustomerLine);
    shown.customerName = field(CustomerNameLine);
    shown.machine = field(MachineLine);
    shown.machineName = field(MachineNameLine);
    shown.endDate = field(EndDateLine);
    if (shown.endDate.isEmpty())
        shown.endDate = QStringLiteral("  /  /    ");
    shown.price = field(PriceLine);
    if (!blocks::FlagSet(field(BookedLine))) {
        Details details;
        for (const QString& row : detailRows) {
            QStringView cells[DetailCells];
            blocks::RowCells(row, Repeats[DetailRepeat], cells);
            details.Add(cells[1], cells[2], memo ? &memo->numbers : nullptr);
        }
        const bool subscriber = blocks::FlagSet(field(SubscriberLine));
        const QString minutes = field(MinutesLine);
        QString* known = nullptr;
        if (memo && !details.any && !Trim(minutes).isEmpty()) {
            known = &memo->byMinutes[subscriber][minutes];
            if (!known->isNull()) {
                shown.price = *known;
                return shown;
            }
        }
        if (const std::optional<QString> price = memo ? MemoPrice(minutes, subscriber, details, tariffs, format, *memo)
                                                      : Price(minutes, subscriber, details, tariffs, format))
            shown.price = *price;
        if (known)
            *known = Trim(shown.price);
    }
    shown.price = Trim(shown.price);
    return shown;
}

QString SortableDate(const QString& date)
{
    return date.mid(6, 4) + date.mid(3, 2) + date.mid(0, 2);
}

bool Covered(const QString& from, const QString& to, const QString& day)
{
    return SortableDate(from) <= day && day <= SortableDate(to);
}

void CheckBooking(const RecordList& customers, int customer, const CustomerLines& lines, const QString& minutes,
                  const QString& price, const QString& day)
{
    const int start = customers.FindBlock(customer);
    auto line = [&](int n) {
        return start >= 0 && start + n < customers.Count() ? customers.Strings(start + n) : QString();
    };
    const bool hasMinutes = !Trim(minutes).isEmpty();
    const bool left = !Trim(line(lines.minutesLeft)).isEmpty();
    const bool covered = Covered(line(lines.subscriptionFrom), line(lines.subscriptionTo), day);
    if (!Trim(price).isEmpty())
        StrToFloat(price);
    if (hasMinutes && left)
        StrToInt(line(lines.minutesLeft));
    if (hasMinutes && (left || covered))
        StrToInt(minutes);
}

int Stamps(int minutes)
{
    return (minutes + 5) / 10;
}

}  // namespace ticket
