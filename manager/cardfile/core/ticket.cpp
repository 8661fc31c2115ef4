#include "manager/cardfile/core/ticket.h"

#include <cmath>
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
