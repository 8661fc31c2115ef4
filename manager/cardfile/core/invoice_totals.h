#pragma once
// An invoice's arithmetic without its card: each line's amount after its discount, the sums per
// VAT code, the VAT, the totals without and with tax and the total in francs. The invoice card,
// the accounting journal and the invoice printout all count with this one function, so that they
// never disagree by a cent.
//
// Nothing is rounded here: amounts are rounded only when they are formatted for display or for
// the block (FormatFloat with the amount format), and every total comes from the unrounded line
// amounts. "Total H.T." and "Total TVA" shown rounded may therefore be one cent off "TOTAL TTC".
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>
#include "manager/cardfile/core/number_memo.h"
#include "manager/cardfile/core/settings.h"

namespace invoice {

// The fixed rate of the second total; not the currency converter's configurable rate.
constexpr double FrancsParEuro = 6.55957;
// The grid's columns and its rows of lines (row 0 holds the headings).
enum Column { ColRef = 0, ColDesignation, ColQuantity, ColPrice, ColDiscount, ColAmount, ColVat, ColumnCount };
constexpr int GridLines = 63;

// Whether the prices of the lines are without tax ("Facture H.T.") or with tax ("Facture TTC").
enum class PriceMode { WithoutTax, WithTax };

// What the computation reads of one line: the cells as the grid or a "FACT" line holds them.
struct LineText {
    QString quantity, price, discount, vatCode;
    // The price as it was typed, when the price cell now shows it rounded (with the "#" format
    // 1,50 shows as "2"): the amount comes from this, never from the rounded text.
    std::optional<double> exactPrice;
};
// Columns 0 to 6 of a grid row or of a "FACT" line split at its TABs; missing cells are empty.
LineText FromCells(const QStringList& cells);

// The cells of a line as views into the text that holds them: a "FACT" line read in place.
struct LineCells {
    QStringView quantity, price, discount, vatCode;
};

struct Line {
    bool counted = false;  // the quantity is not blank: the line takes part
    // Every value of the line read. A line that does not read still shows an amount that its
    // total holds, but an invoice holding one cannot be validated until it is mended.
    bool readable = true;
    double quantity = 0, price = 0, discount = 0;
    bool priceRead = false;     // the price cell is to show the price in the amount format
    bool vatDefaulted = false;  // the VAT cell was empty and is to show "1"
    int vatCode = 0;            // 1 to 3: the sum the amount joins; 0: none (the line did not read)
    double amount = 0;
};
// One line: the quantity is the trimmed text up to its first blank ("2 h" is 2); the values are
// read in the order quantity, price, VAT code, discount. A quantity or price that does not read
// leaves the line at 0 in no sum; a VAT code that does not read counts the line under code 1
// with no discount; a discount that does not read counts no discount. A code below 1 or above 3
// counts as 1 (and stays as typed in its cell).
Line ReadLine(const LineText& text);
// The same from cells read in place (no price typed more exactly than it shows); `memo`, when
// given, converts them, and the line reads the same with it or without.
Line ReadLine(const LineCells& cells, numbers::Memo* memo = nullptr);

struct Totals {
    std::vector<Line> lines;     // one per line given, in order
    double sums[3] = {0, 0, 0};  // the line amounts per VAT code
    double vat[3] = {0, 0, 0};   // the VAT per code
    double totalHT = 0, totalTVA = 0, totalTTC = 0;
    double francs = 0;     // TOTAL TTC in francs (shown only in the euro currency mode)
    bool readable = true;  // every line that takes part read whole
};
// The invoice from its lines, at the three VAT rates (percent) of `rates`. A rate that would make
// the computation divide by zero (-100 % with prices with tax) counts as 0 %.
Totals Compute(const std::vector<LineText>& lines, PriceMode mode, const settings::InvoiceSettings& rates);

// Compute's counting one line at a time, for a reader that keeps no lines (the journal's walk):
// the totals it closes on are Compute's for the same lines in the same order, `lines` left
// empty.
class Tally {
public:
    void Add(const Line& line);
    Totals Close(PriceMode mode, const settings::InvoiceSettings& rates);

private:
    Totals totals_;
};

}  // namespace invoice
