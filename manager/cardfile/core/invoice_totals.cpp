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

Line ReadLine(const LineText& text)
{
    Line line;
    QString quantity = Trim(text.quantity);
    if (quantity.isEmpty())
        return line;
    line.counted = true;
    const int blank = int(quantity.indexOf(QLatin1Char(' ')));
    if (blank >= 0)
        quantity = quantity.left(blank);
    try {
        line.quantity = StrToFloat(quantity);
        if (text.exactPrice)
            line.price = *text.exactPrice;
        else if (!text.price.isEmpty())
            line.price = StrToFloat(text.price);
        line.priceRead = true;
    } catch (const EConvertError&) {
        // Nothing more is read: the line is worth 0 and joins no sum.
        line.price = 0;
        line.readable = false;
        return line;
    }
    QString code = text.vatCode;
    if (code.isEmpty()) {
        code = QStringLiteral("1");
        line.vatDefaulted = true;
    }
    try {
        line.vatCode = StrToInt(code);
        if (line.vatCode < 1 || line.vatCode > 3)
            line.vatCode = 1;
    } catch (const EConvertError&) {
        // Counted at the first rate and without its discount, so that the amount it shows is
        // one that the totals hold.
        line.vatCode = 1;
        line.readable = false;
    }
    if (line.readable && !text.discount.isEmpty()) {
        try {
            line.discount = StrToFloat(text.discount);
        } catch (const EConvertError&) {
            line.readable = false;
        }
    }
    const double gross = line.quantity * line.price;
    line.amount = gross - gross * line.discount / 100;
    return line;
}

Totals Compute(const std::vector<LineText>& lines, PriceMode mode, const settings::InvoiceSettings& settings)
{
    Totals t;
    t.lines.reserve(lines.size());
    for (const LineText& text : lines) {
        Line line = ReadLine(text);
        if (line.vatCode >= 1)
            t.sums[line.vatCode - 1] += line.amount;
        if (line.counted && !line.readable)
            t.readable = false;
        t.lines.push_back(line);
    }
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

}  // namespace invoice
