// The invoice's arithmetic against amounts worked by hand, in both price modes.
#include <gtest/gtest.h>
#include "manager/cardfile/core/invoice_totals.h"
#include "platform/rtl.h"

namespace {

using invoice::LineText;
using invoice::PriceMode;
using rtl::FormatFloat;

settings::InvoiceSettings Rates(double r1, double r2, double r3)
{
    settings::InvoiceSettings s;
    s.TauxTVA1 = r1;
    s.TauxTVA2 = r2;
    s.TauxTVA3 = r3;
    return s;
}

LineText Text(const char* quantity, const char* price, const char* discount, const char* vat)
{
    return {quantity, price, discount, vat, std::nullopt};
}

QString Money(double v)
{
    return FormatFloat(QStringLiteral("0.00"), v);
}

// 1 x 2,67 less 10 % at 19,6 % and 1 x 8,60 at 5,5 %: H.T. 2,403 + 8,60 = 11,003, TVA
// 0,470988 + 0,473 = 0,943988, TTC 11,946988. Rounding each line first would give 11,94.
TEST(InvoiceTotals, WithoutTaxTotalsComeFromUnroundedAmounts)
{
    const auto t = invoice::Compute({Text("1", "2,67", "10", "1"), Text("1", "8,60", "", "2")}, PriceMode::WithoutTax,
                                    Rates(19.6, 5.5, 0));
    EXPECT_NEAR(t.lines[0].amount, 2.403, 1e-12);
    EXPECT_NEAR(t.sums[0], 2.403, 1e-12);
    EXPECT_NEAR(t.sums[1], 8.6, 1e-12);
    EXPECT_NEAR(t.totalTVA, 0.943988, 1e-12);
    EXPECT_EQ(Money(t.totalHT), "11,00");
    EXPECT_EQ(Money(t.totalTVA), "0,94");
    EXPECT_EQ(Money(t.totalTTC), "11,95");
    EXPECT_EQ(Money(t.francs), "78,37");  // 11,946988 x 6,55957 = 78,367...
    EXPECT_TRUE(t.readable);
}

// The same lines with prices with tax: H.T. per code 2,403 / 1,196 and 8,60 / 1,055, TVA
// 0,393803 + 0,448341 = 0,842144, H.T. 11,003 - 0,842144 = 10,160856.
TEST(InvoiceTotals, WithTaxTakesTheVatOutOfTheSums)
{
    const auto t = invoice::Compute({Text("1", "2,67", "10", "1"), Text("1", "8,60", "", "2")}, PriceMode::WithTax,
                                    Rates(19.6, 5.5, 0));
    EXPECT_NEAR(t.vat[0], 0.3938026756, 1e-9);
    EXPECT_NEAR(t.vat[1], 0.4483412322, 1e-9);
    EXPECT_EQ(Money(t.totalTTC), "11,00");
    EXPECT_EQ(Money(t.totalTVA), "0,84");
    EXPECT_EQ(Money(t.totalHT), "10,16");
}

// "2" x 10,00 less 10 % at 19,6 %: 18,00; without tax TVA 3,528 and TTC 21,528 (141,214... francs);
// with tax 18 / 1,196 = 15,0502 without tax and 2,9498 of VAT.
TEST(InvoiceTotals, OneDiscountedLineInBothModes)
{
    const std::vector<LineText> lines = {Text("2", "10,00", "10", "1")};
    const auto ht = invoice::Compute(lines, PriceMode::WithoutTax, Rates(19.6, 5.5, 0));
    EXPECT_EQ(Money(ht.lines[0].amount), "18,00");
    EXPECT_EQ(Money(ht.totalHT), "18,00");
    EXPECT_EQ(Money(ht.totalTVA), "3,53");
    EXPECT_EQ(Money(ht.totalTTC), "21,53");
    EXPECT_EQ(Money(ht.francs), "141,21");
    const auto ttc = invoice::Compute(lines, PriceMode::WithTax, Rates(19.6, 5.5, 0));
    EXPECT_EQ(Money(ttc.totalTTC), "18,00");
    EXPECT_EQ(Money(ttc.totalHT), "15,05");
    EXPECT_EQ(Money(ttc.totalTVA), "2,95");
    EXPECT_EQ(Money(ttc.francs), "118,07");  // 18 x 6,55957 = 118,072
}

// Three codes at 19,6 %, 5,5 % and 2,1 %, and a code out of range counted under the first:
// S1 = 3 x 1,25 + 1 x 2 = 5,75, S2 = 2 x 4,50 less 50 % = 4,50, S3 = 100; TVA 1,127 + 0,2475 +
// 2,1 = 3,4745; TTC 113,7245.
TEST(InvoiceTotals, ThreeCodesAndACodeOutOfRange)
{
    const auto t = invoice::Compute({Text("3", "1,25", "", "1"), Text("2", "4,50", "50", "2"),
                                     Text(" 1 ", "100", "", "3"), Text("1", "2", "", "7")},
                                    PriceMode::WithoutTax, Rates(19.6, 5.5, 2.1));
    EXPECT_NEAR(t.sums[0], 5.75, 1e-12);
    EXPECT_NEAR(t.sums[1], 4.5, 1e-12);
    EXPECT_NEAR(t.sums[2], 100, 1e-12);
    EXPECT_NEAR(t.vat[0], 1.127, 1e-12);
    EXPECT_NEAR(t.vat[1], 0.2475, 1e-12);
    EXPECT_NEAR(t.vat[2], 2.1, 1e-12);
    EXPECT_EQ(Money(t.totalHT), "110,25");
    EXPECT_EQ(Money(t.totalTVA), "3,47");
    EXPECT_EQ(Money(t.totalTTC), "113,72");
    EXPECT_EQ(Money(t.francs), "745,98");
    EXPECT_EQ(t.lines[3].vatCode, 1);
    EXPECT_FALSE(t.lines[3].vatDefaulted);  // "7" stays in its cell
}

// A rate of -100 % would divide by zero with prices with tax: it counts as 0 %.
TEST(InvoiceTotals, ARateThatWouldDivideByZeroCountsAsNoVat)
{
    const auto t =
        invoice::Compute({Text("1", "10", "", "1"), Text("1", "5", "", "2")}, PriceMode::WithTax, Rates(-100, 10, 0));
    EXPECT_DOUBLE_EQ(t.vat[0], 0);
    EXPECT_NEAR(t.vat[1], 5 - 5 / 1.1, 1e-12);
    EXPECT_EQ(Money(t.totalTTC), "15,00");
    EXPECT_EQ(Money(t.totalHT), "14,55");  // 10 + 4,5454...
}

TEST(InvoiceTotals, LinesWithoutQuantityCountNowhere)
{
    const auto t = invoice::Compute({Text("", "10", "", "1"), Text("   ", "5", "", "2"), Text("2", "3", "", "")},
                                    PriceMode::WithoutTax, Rates(20, 10, 0));
    EXPECT_FALSE(t.lines[0].counted);
    EXPECT_FALSE(t.lines[1].counted);
    EXPECT_FALSE(t.lines[1].vatDefaulted);
    EXPECT_DOUBLE_EQ(t.totalHT, 6);
    EXPECT_DOUBLE_EQ(t.totalTTC, 7.2);
    EXPECT_TRUE(t.readable);
}

// Each way a line reads, and what a value that does not read costs.
TEST(InvoiceLine, ReadsAndWhatDoesNotRead)
{
    struct Case {
        LineText text;
        double quantity, price, discount;
        int vat;
        double amount;
        bool readable, priceRead, defaulted;
    };
    const Case cases[] = {
        {Text("2 h", "1,50", "", "2"), 2, 1.5, 0, 2, 3, true, true, false},
        {Text(" 0,5 kg", "3", "", "3"), 0.5, 3, 0, 3, 1.5, true, true, false},
        {Text("2", "", "", ""), 2, 0, 0, 1, 0, true, true, true},
        {Text("4", " 2,50 ", " 25 ", "0"), 4, 2.5, 25, 1, 7.5, true, true, false},
        {Text("2", "10", "-10", "1"), 2, 10, -10, 1, 22, true, true, false},
        // What does not read: a quantity or a price leaves the line at 0 in no sum ...
        {Text("abc", "10", "", "1"), 0, 0, 0, 0, 0, false, false, false},
        {Text("2", "1.50", "", "1"), 2, 0, 0, 0, 0, false, false, false},
        // ... a VAT code counts it at the first rate, without its discount ...
        {Text("2", "10", "10", "x"), 2, 10, 0, 1, 20, false, true, false},
        // ... a discount counts it without discount.
        {Text("2", "10", "dix", "2"), 2, 10, 0, 2, 20, false, true, false},
    };
    // Read from the text, from cells read in place, and through a walk's memo, which meets every
    // text again on its second pass.
    numbers::Memo memo;
    for (int pass = 0; pass < 2; ++pass)
        for (const Case& c : cases) {
            const invoice::LineCells cells{c.text.quantity, c.text.price, c.text.discount, c.text.vatCode};
            for (const invoice::Line& line :
                 {invoice::ReadLine(c.text), invoice::ReadLine(cells), invoice::ReadLine(cells, &memo)}) {
                const QString what =
                    c.text.quantity + "|" + c.text.price + "|" + c.text.discount + "|" + c.text.vatCode;
                EXPECT_TRUE(line.counted) << what.toStdString();
                EXPECT_DOUBLE_EQ(line.quantity, c.quantity) << what.toStdString();
                EXPECT_DOUBLE_EQ(line.price, c.price) << what.toStdString();
                EXPECT_DOUBLE_EQ(line.discount, c.discount) << what.toStdString();
                EXPECT_EQ(line.vatCode, c.vat) << what.toStdString();
                EXPECT_DOUBLE_EQ(line.amount, c.amount) << what.toStdString();
                EXPECT_EQ(line.readable, c.readable) << what.toStdString();
                EXPECT_EQ(line.priceRead, c.priceRead) << what.toStdString();
                EXPECT_EQ(line.vatDefaulted, c.defaulted) << what.toStdString();
            }
        }
}

// Counting the lines one at a time closes on Compute's totals, to the last bit, in both modes.
TEST(InvoiceTotals, ATallyClosesOnComputesTotals)
{
    const std::vector<LineText> lines = {Text("3", "1,25", "", "1"), Text("2", "4,50", "50", "2"),
                                         Text("1", "100", "", "3"),  Text("abc", "1", "", "1"),
                                         Text("1", "2", "x", "2"),   Text("2", "1", "", "7")};
    for (PriceMode mode : {PriceMode::WithoutTax, PriceMode::WithTax}) {
        const auto t = invoice::Compute(lines, mode, Rates(19.6, 5.5, 2.1));
        invoice::Tally tally;
        for (const LineText& text : lines)
            tally.Add(invoice::ReadLine(text));
        const auto u = tally.Close(mode, Rates(19.6, 5.5, 2.1));
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(u.sums[k], t.sums[k]);
            EXPECT_EQ(u.vat[k], t.vat[k]);
        }
        EXPECT_EQ(u.totalHT, t.totalHT);
        EXPECT_EQ(u.totalTVA, t.totalTVA);
        EXPECT_EQ(u.totalTTC, t.totalTTC);
        EXPECT_EQ(u.francs, t.francs);
        EXPECT_FALSE(u.readable);
        EXPECT_TRUE(u.lines.empty());
    }
}

TEST(InvoiceTotals, AnUnreadableLineMarksTheInvoiceAndCountsWhereItShows)
{
    const auto t =
        invoice::Compute({Text("1", "10", "", "1"), Text("2", "5", "x", "2")}, PriceMode::WithoutTax, Rates(20, 10, 0));
    EXPECT_FALSE(t.readable);
    EXPECT_DOUBLE_EQ(t.sums[1], 10);  // the amount the line shows is in its total
    EXPECT_DOUBLE_EQ(t.totalHT, 20);
}

// With the "#" format a price of 1,50 shows as "2"; the price typed is what counts.
TEST(InvoiceLine, TheTypedPriceCountsOverItsRoundedText)
{
    LineText text = Text("3", "2", "", "1");
    text.exactPrice = 1.5;
    const auto line = invoice::ReadLine(text);
    EXPECT_DOUBLE_EQ(line.amount, 4.5);
    EXPECT_EQ(FormatFloat("#", line.price), "2");
}

TEST(InvoiceLine, CellsOfAGridRowOrAFactLine)
{
    const auto text = invoice::FromCells(QString("R1\tStylo\t   2\t  1,50\t10\t  2,70\t2").split('\t'));
    EXPECT_EQ(text.quantity, "   2");
    EXPECT_EQ(text.price, "  1,50");
    EXPECT_EQ(text.discount, "10");
    EXPECT_EQ(text.vatCode, "2");
    const auto shorter = invoice::FromCells({"R1", "Stylo", "2"});
    EXPECT_EQ(shorter.quantity, "2");
    EXPECT_TRUE(shorter.price.isEmpty());
    EXPECT_TRUE(shorter.vatCode.isEmpty());
}

}  // namespace
