#include "manager/cardfile/core/stats.h"

#include <cmath>
#include "manager/cardfile/core/ticket.h"

using namespace rtl;

namespace stats {

// ---- sums per key -------------------------------------------------------------------------------

Cumuls::Line& Cumuls::LineOf(const QString& key)
{
    const auto found = index_.constFind(key);
    if (found != index_.constEnd())
        return lines_[*found];
    index_.insert(key, int(lines_.size()));
    Line line;
    line.key = key;
    lines_.push_back(line);
    return lines_.back();
}

void Cumuls::Add(Sum& sum, const QString& amount)
{
    auto known = read_.constFind(amount);
    if (known == read_.constEnd()) {
        std::optional<double> value;
        try {
            value = StrToFloat(amount);
        } catch (const EConvertError&) {
        }
        known = read_.insert(amount, value);
    }
    if (*known) {
        sum.value += **known;
        ++sum.read;
    }
}

void Cumuls::CumulCli(const QString& key, const QString& label, const QString& amount)
{
    const QString a = Trim(amount);
    if (a.isEmpty())
        return;
    Line& line = LineOf(key);
    line.labelled = true;
    line.label = label;
    if (line.entries++ == 0)
        line.sums[0].text = a;
    Add(line.sums[0], a);
}

void Cumuls::CumulMois(const QString& key, const QString& withoutTax, const QString& withTax)
{
    const QString a[2] = {Trim(withoutTax), Trim(withTax)};
    if (a[0].isEmpty() || a[1].isEmpty())
        return;
    Line& line = LineOf(key);
    const bool first = line.entries++ == 0;
    for (int i = 0; i < 2; ++i) {
        if (first)
            line.sums[i].text = a[i];
        Add(line.sums[i], a[i]);
    }
}

// A line of one ticket shows its amount as it came; so does a line none of whose amounts read.
QString Cumuls::Text(const Line& line, int i, const QString& format) const
{
    const Sum& sum = line.sums[i];
    if (line.entries == 1 || sum.read == 0)
        return sum.text;
    return FormatFloat(format, sum.value);
}

QStringList Cumuls::Lines(const QString& format) const
{
    const QChar tab = QLatin1Char('\t');
    QStringList lines;
    lines.reserve(int(lines_.size()));
    for (const Line& line : lines_) {
        // By customer and by machine the label comes before the one amount.
        if (line.labelled)
            lines << line.key + tab + line.label + tab + Text(line, 0, format);
        else
            lines << line.key + tab + Text(line, 0, format) + tab + Text(line, 1, format);
    }
    return lines;
}

// ---- the statistics of the tickets --------------------------------------------------------------

QString MonthKey(TDateTime date)
{
    QString key = FormatDateTime(QStringLiteral("mmmm yyyy"), date);
    return UpperCase(key.left(1)) + key.mid(1);
}

QString DayKey(TDateTime date)
{
    return FormatDateTime(QStringLiteral("dd mmmm yyyy"), date);
}

namespace {

// The key of a ticket by month or by day, from its end date as the card shows it: a blank end
// date keeps the date of the ticket before (today for the first one); a date that does not read
// keeps the key of the ticket before (none for the first). Tickets come in runs of one day:
// the last date and key read are kept.
class DatedKeys {
public:
    DatedKeys(By by, TDateTime today) : by_(by), today_(today), working_(today) {}

    // False when the ticket lies outside the daily window.
    bool Next(const QString& endDate)
    {
        try {
            if (!endDate.startsWith(QLatin1Char(' '))) {
                if (endDate != lastText_) {
                    lastDate_ = StrToDate(endDate);
                    lastText_ = endDate;
                }
                working_ = lastDate_;
            }
            if (by_ == By::Day && std::fabs(working_ - today_) >= DayWindow)
                return false;
            if (!keyed_ || working_ != keyDate_) {
                key_ = by_ == By::Month ? MonthKey(working_) : DayKey(working_);
                keyDate_ = working_;
                keyed_ = true;
            }
        } catch (const EConvertError&) {
        }
        return true;
    }
    const QString& Key() const { return key_; }

private:
    By by_;
    TDateTime today_, working_;
    QString lastText_;
    TDateTime lastDate_ = 0;
    QString key_;
    TDateTime keyDate_ = 0;
    bool keyed_ = false;
};

}  // namespace

QStringList Tickets(const RecordList& tickets, int count, By by, const Context& context, const Progress& progress)
{
    Cumuls cumuls;
    DatedKeys keys(by, context.today);
    // A rate that would divide by zero counts as no tax.
    double divisor = context.vatRate / 100 + 1;
    if (divisor == 0)
        divisor = 1;
    ticket::PriceMemo prices;
    // Per price: its value and its amount without tax, written.
    QHash<QString, std::pair<double, QString>> withoutTax;
    for (int i = 0; i < count; ++i) {
        if (progress && i % ProgressStep == 0)
            progress(i);
        ticket::Shown shown;
        try {
            shown = ticket::ReadShown(tickets, i, context.tariffs, context.format, &prices);
        } catch (const EConvertError& e) {
            throw TicketError(e, i);
        }
        if (!shown.found)
            continue;
        if (by == By::Customer) {
            cumuls.CumulCli(shown.customer, shown.customerName, shown.price);
            continue;
        }
        if (by == By::Machine) {
            cumuls.CumulPst(shown.machine, shown.machineName, shown.price);
            continue;
        }
        if (!keys.Next(shown.endDate) || shown.price.isEmpty())
            continue;
        auto known = withoutTax.constFind(shown.price);
        if (known == withoutTax.constEnd()) {
            double price;
            try {
                price = StrToFloat(shown.price);
            } catch (const EConvertError& e) {
                throw TicketError(e, i);
            }
            // Each ticket's amount without tax is rounded as it is written, before it is added.
            known = withoutTax.insert(shown.price, {price, FormatFloat(context.format, price / divisor)});
        }
        cumuls.CumulMois(keys.Key(), known->second, shown.price);
    }
    return cumuls.Lines(context.format);
}

// ---- line fields --------------------------------------------------------------------------------

QStringList Fields(const QString& line, int count)
{
    QStringList fields;
    QString rest = line;
    for (int i = 0; i < count; ++i) {
        const int tab = int(rest.indexOf(QLatin1Char('\t')));
        if (tab < 0) {
            fields << rest;
            rest.clear();
        } else {
            fields << rest.left(tab);
            rest = rest.mid(tab + 1, 255);
        }
    }
    return fields;
}

}  // namespace stats
