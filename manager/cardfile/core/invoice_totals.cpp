#include "manager/cardfile/core/invoice_totals.h"

#include "platform/exception.h"
#include "platform/rtl.h"

using namespace rtl;

namespace invoice {

LineText FromCells(const QStringList& cells)
{
    const auto cell = [&](int c) { return c < cells.size() ? cells[c] : QString(); };
    LineText text;
    text.quantity = cell(ColQuantity);
    text.price = cell(ColPrice);
    text.discount = cell(ColDiscount);
    text.vatCode = cell(ColVat);
    return text;
}

namespace {

std::optional<double> TryFloat(QStringView text)
{
    try {
        return StrToFloat(text.toString());
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

std::optional<int> TryInt(QStringView text)
{
    try {
        return StrToInt(text.toString());
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

Line Read(QStringView quantityCell, QStringView priceCell, const std::optional<double>& exactPrice,
          QStringView discountCell, QStringView vatCell, numbers::Memo* memo)
{
    const auto toFloat = [memo](QStringView s) { return memo ? memo->Float(s) : TryFloat(s); };
    const auto toInt = [memo](QStringView s) { return memo ? memo->Int(s) : TryInt(s); };
    Line line;
    QStringView quantity = numbers::Trimmed(quantityCell);
    if (quantity.isEmpty())
        return line;
    line.counted = true;
    const qsizetype blank = quantity.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        quantity = quantity.first(blank);
    const std::optional<double> q = toFloat(quantity);
    bool read = q.has_value();
    if (read) {
        line.quantity = *q;
        if (exactPrice) {
            line.price = *exactPrice;
        } else if (!priceCell.isEmpty()) {
            const std::optional<double> price = toFloat(priceCell);
            read = price.has_value();
            if (read)
                line.price = *price;
        }
    }
    if (!read) {
        // Nothing more is read: the line is worth 0 and joins no sum.
        line.price = 0;
        line.readable = false;
        return line;
    }
    line.priceRead = true;
    QStringView code = vatCell;
    if (code.isEmpty()) {
        code = u"1";
        line.vatDefaulted = true;
    }
    if (const std::optional<int> vat = toInt(code)) {
        line.vatCode = *vat < 1 || *vat > 3 ? 1 : *vat;
    } else {
        // Counted at the first rate and without its discount, so that the amount it shows is
        // one that the totals hold.
        line.vatCode = 1;
        line.readable = false;
    }
    if (line.readable && !discountCell.isEmpty()) {
        if (const std::optional<double> discount = toFloat(discountCell))
            line.discount = *discount;
        else
            line.readable = false;
    }
    const double gross = line.quantity * line.price;
    line.amount = gross - gross * line.discount / 100;
    return line;
}

}  // namespace

Line ReadLine(const LineText& text)
{
    return Read(text.quantity, text.price, text.exactPrice, text.discount, text.vatCode, nullptr);
}

Line ReadLine(const LineCells& cells, numbers::Memo* memo)
{
    return Read(cells.quantity, cells.price, std::nullopt, cells.discount, cells.vatCode, memo);
}

void Tally::Add(const Line& line)
{
    if (line.vatCode >= 1)
        totals_.sums[line.vatCode - 1] += line.amount;
    if (line.counted && !line.readable)
        totals_.readable = false;
}

Totals Tally::Close(PriceMode mode, const settings::InvoiceSettings& settings)
{
    Totals t = totals_;
    const double rates[3] = {settings.TauxTVA1, settings.TauxTVA2, settings.TauxTVA3};
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        sum += t.sums[k];
        if (mode == PriceMode::WithoutTax) {
            t.vat[k] = t.sums[k] * rates[k] / 100;
        } else {
            const double divisor = rates[k] / 100 + 1;
            t.vat[k] = divisor == 0 ? 0 : t.sums[k] - t.sums[k] / divisor;
        }
        t.totalTVA += t.vat[k];
    }
    if (mode == PriceMode::WithoutTax) {
        t.totalHT = sum;
        t.totalTTC = sum + t.vat[0] + t.vat[1] + t.vat[2];
    } else {
        t.totalTTC = sum;
        t.totalHT = t.totalTTC - t.totalTVA;
    }
    t.francs = t.totalTTC * FrancsParEuro;
    return t;
}

Totals Compute(const std::vector<LineText>& lines, PriceMode mode, const settings::InvoiceSettings& settings)
{
    Tally tally;
    std::vector<Line> read;
    read.reserve(lines.size());
    for (const LineText& text : lines) {
        read.push_back(ReadLine(text));
        tally.Add(read.back());
    }
    Totals t = tally.Close(mode, settings);
    t.lines = std::move(read);
    return t;
}

}  // namespace invoice
