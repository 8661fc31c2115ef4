#include "manager/cardfile/core/journal.h"

#include <QStringBuilder>
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
constexpr int GridRepeat = 0;
const blocks::BlockLayout Layout{FieldLines, Repeats, FieldLines + 1};

}  // namespace

// The block is read in place (blocks::VisitBlock) rather than through blocks::ReadBlock, which
// copies every cell of every row: over a whole list, the heap's work for those copies outweighed
// the reading itself.
Invoice ReadInvoice(const RecordList& invoices, int n, const settings::InvoiceSettings& rates, const QString& format,
                    TDateTime today, numbers::Memo* memo)
{
    Invoice inv;
    QString fields[FieldLines];
    invoice::Tally tally;
    int rows = 0;
    inv.found = blocks::VisitBlock(invoices, n, [&](int k, const QString& line) {
        const int rep = blocks::RepeatOf(Layout, k, line);
        if (k <= FieldLines && rep < 0) {
            fields[k - 1] = line;
            return;
        }
        const blocks::RepeatLayout& grid = Repeats[GridRepeat];
        QStringView cells[invoice::ColumnCount];
        if (rep != GridRepeat || rows == grid.room || !blocks::RowCells(line, grid, cells))
            return;
        ++rows;
        tally.Add(invoice::ReadLine({cells[invoice::ColQuantity], cells[invoice::ColPrice], cells[invoice::ColDiscount],
                                     cells[invoice::ColVat]},
                                    memo));
    });
    if (!inv.found)
        return inv;
    inv.number = Trim(fields[NumberLine - 1].mid(4));
    inv.date = today;
    try {
        inv.date = StrToDate(fields[DateLine - 1]);
    } catch (const EConvertError&) {
    }
    inv.type = fields[TypeLine - 1];
    if (inv.type.isEmpty())
        inv.type = QStringLiteral("Facture");
    const bool withTax = fields[ModeLine - 1].startsWith(QLatin1String("TTCY"));
    const invoice::Totals totals =
        tally.Close(withTax ? invoice::PriceMode::WithTax : invoice::PriceMode::WithoutTax, rates);
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
    numbers::Memo memo;
    // Invoices come in runs of one day: the dates of the last one are written once.
    TDateTime datesOf = 0;
    QString sortable, shown;
    bool dated = false;
    for (int i = 0; i < count; ++i) {
        if (progress && i % stats::ProgressStep == 0)
            progress(i);
        const Invoice inv = ReadInvoice(invoices, i, rates, format, today, &memo);
        if (!inv.found)
            continue;
        ++result.invoices;
        QLatin1String code;
        const QString* sales;
        const QString* vat;
        if (inv.type.startsWith(QLatin1Char('F'))) {
            code = QLatin1String("V1");
            sales = &ventes;
            vat = &TvaCollectee;
        } else if (inv.type.startsWith(QLatin1Char('A'))) {
            code = QLatin1String("A1");
            sales = &achats;
            vat = &TvaDeductible;
        } else {
            continue;
        }
        if (!dated || inv.date != datesOf) {
            sortable = FormatDateTime(QStringLiteral("yyyymmdd"), inv.date);
            shown = FormatDateTime(QStringLiteral("dd/mm/yyyy"), inv.date);
            datesOf = inv.date;
            dated = true;
        }
        const QString head = sortable % tab % code % tab % shown % tab;
        const QString label = inv.type % QLatin1Char(' ') % inv.number;
        result.lines << head % clients % tab % label % tab % inv.totalTTC;
        result.lines << head % *sales % tab % label % tab % tab % inv.totalHT;
        result.lines << head % *vat % tab % label % tab % tab % inv.totalTVA;
    }
    return result;
}

}  // namespace journal
