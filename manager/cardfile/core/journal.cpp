#include "manager/cardfile/core/journal.h"

#include <vector>
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/core/invoice_totals.h"

using namespace rtl;

namespace journal {

const QString TvaCollectee = QStringLiteral("445700");
const QString TvaDeductible = QStringLiteral("445660");

void Comptes(QString& clients, QString& fournisseurs, QString& achats, QString& ventes)
{
    const std::pair<QString*, const char*> accounts[] = {
        {&clients, "411000"}, {&fournisseurs, "401000"}, {&achats, "607000"}, {&ventes, "707000"}};
    for (const auto& [account, fallback] : accounts)
        if (account->isEmpty())
            *account = QLatin1String(fallback);
}

namespace {

// The invoice block as its card reads it: 11 field lines, then the lines of the grid ("FACT",
// seven cells, 63 rows) and of the note ("MEMO").
enum : int { NumberLine = 1, DateLine, TypeLine = 5, ModeLine = 10, FieldLines = 11 };
const blocks::RepeatLayout Repeats[] = {
    {QLatin1String("FACT"), true, invoice::ColumnCount, invoice::GridLines},
    {QLatin1String("MEMO")},
};
const blocks::BlockLayout Layout{FieldLines, Repeats, FieldLines + 1};

}  // namespace

Invoice ReadInvoice(const RecordList& invoices, int n, const settings::InvoiceSettings& rates, const QString& format,
                    TDateTime today)
{
    const blocks::BlockContent block = blocks::ReadBlock(invoices, n, Layout);
    Invoice inv;
    inv.found = block.found;
    if (!block.found)
        return inv;
    auto field = [&](int line) { return block.fields[line - 1].value_or(QString()); };
    inv.number = Trim(field(NumberLine).mid(4));
    inv.date = today;
    try {
        inv.date = StrToDate(field(DateLine));
    } catch (const EConvertError&) {
    }
    inv.type = field(TypeLine);
    if (inv.type.isEmpty())
        inv.type = QStringLiteral("Facture");
    const QString mode = field(ModeLine);
    const bool withTax = mode.left(3) == QLatin1String("TTC") && mode.mid(3, 1) == QLatin1String("Y");

    std::vector<invoice::LineText> lines;
    for (const QStringList& cells : block.repeats[0].rows)
        lines.push_back(invoice::FromCells(cells));
    const invoice::Totals totals =
        invoice::Compute(lines, withTax ? invoice::PriceMode::WithTax : invoice::PriceMode::WithoutTax, rates);
    inv.totalHT = FormatFloat(format, totals.totalHT);
    inv.totalTVA = FormatFloat(format, totals.totalTVA);
    inv.totalTTC = FormatFloat(format, totals.totalTTC);
    return inv;
}

Result Journal(const RecordList& invoices, int count, const settings::InvoiceSettings& rates, const QString& format,
               TDateTime today, const stats::Progress& progress)
{
    QString clients, fournisseurs, achats, ventes;
    Comptes(clients, fournisseurs, achats, ventes);
    const QChar tab = QLatin1Char('\t');
    Result result;
    for (int i = 0; i < count; ++i) {
        if (progress && i % stats::ProgressStep == 0)
            progress(i);
        const Invoice inv = ReadInvoice(invoices, i, rates, format, today);
        if (!inv.found)
            continue;
        ++result.invoices;
        QString code, sales, vat;
        if (inv.type.startsWith(QLatin1Char('F'))) {
            code = QStringLiteral("V1");
            sales = ventes;
            vat = TvaCollectee;
        } else if (inv.type.startsWith(QLatin1Char('A'))) {
            code = QStringLiteral("A1");
            sales = achats;
            vat = TvaDeductible;
        } else {
            continue;
        }
        const QString head = FormatDateTime(QStringLiteral("yyyymmdd"), inv.date) + tab + code + tab
                             + FormatDateTime(QStringLiteral("dd/mm/yyyy"), inv.date) + tab;
        const QString label = inv.type + QLatin1Char(' ') + inv.number;
        result.lines << head + clients + tab + label + tab + inv.totalTTC;
        result.lines << head + sales + tab + label + tab + tab + inv.totalHT;
        result.lines << head + vat + tab + label + tab + tab + inv.totalTVA;
    }
    return result;
}

}  // namespace journal
