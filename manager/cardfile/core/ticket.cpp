#include "manager/cardfile/core/ticket.h"

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
    d -= std::floor(d);   // an end earlier than the start is on the next day
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
    Detail detail;
    try {
        QString q = quantity;
        const int blank = int(q.indexOf(QLatin1Char(' ')));
        if (blank >= 0)
            q = q.left(blank);
        if (!q.isEmpty())
            detail.quantity = StrToFloat(q);
        if (!unitPrice.isEmpty())
            detail.unitPrice = StrToFloat(unitPrice);
        detail.unitRead = true;
    } catch (const EConvertError&) {
    }
    return detail;
}

void Details::Add(const QString& quantity, const QString& unitPrice)
{
    const QString q = Trim(quantity);
    if (q.isEmpty())
        return;
    Add(ReadDetail(q, unitPrice));
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

// The ticket block as its card reads it: 16 field lines, the comment's "MEMO" lines and the
// detail grid's "DATA" rows (designation, quantity, unit price; 15 rows under the heading),
// recognised from line +14 on.
enum : int {
    CustomerLine = 2, CustomerNameLine, MachineLine, MachineNameLine, EndDateLine = 8,
    MinutesLine = 10, PriceLine, SubscriberLine = 15, BookedLine, FieldLines = BookedLine
};
constexpr int DetailRows = 15;
const blocks::RepeatLayout Repeats[] = {
    {QLatin1String("MEMO")},
    {QLatin1String("DATA"), true, 3, DetailRows},
};
constexpr int DetailRepeat = 1;
const blocks::BlockLayout Layout{FieldLines, Repeats, 14};

}  // namespace

Shown ReadShown(const RecordList& tickets, int n, const settings::Tariffs& tariffs, const QString& format,
                PriceMemo* memo)
{
    const blocks::BlockContent block = blocks::ReadBlock(tickets, n, Layout);
    Shown shown;
    shown.found = block.found;
    if (!block.found)
        return shown;
    auto field = [&](int line) { return block.fields[line - 1].value_or(QString()); };
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
        const QList<QStringList>& rows = block.repeats[DetailRepeat].rows;
        for (int r = 0; r < rows.size() && r < CountedDetailRows; ++r)
            details.Add(rows[r][1], rows[r][2]);
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
        if (const std::optional<QString> price = Price(minutes, subscriber, details, tariffs, format))
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
