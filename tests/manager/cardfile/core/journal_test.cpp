// The accounting journal from the invoice blocks: an invoice and a credit note worked by hand, the
// documents that are not posted, and the blocks that are not there.
#include <gtest/gtest.h>
#include "manager/cardfile/core/journal.h"
#include "support/print.h"

namespace {

QStringList Invoice(int n, const QString& number, const QString& date, const QString& type, const QString& mode,
                    const QStringList& lines, const QString& validated = "N")
{
    const QString tag = QString::number(n).rightJustified(4, QLatin1Char('0'));
    QStringList block = {"<BLOC" + tag + ">",
                         "NUM" + type.left(1) + number,
                         date,
                         "10001",
                         "Espèces",
                         type,
                         "DUPONT",
                         "1 rue Haute",
                         "",
                         "69001 LYON",
                         mode,
                         validated};
    for (const QString& l : lines)
        block << "FACT" + l;
    block << "MEMOMerci"
          << "</BLOC" + tag + ">";
    return block;
}

settings::InvoiceSettings Rates()
{
    settings::InvoiceSettings rates;
    rates.TauxTVA1 = 20;
    rates.TauxTVA2 = 5.5;
    return rates;
}

const rtl::TDateTime Today = rtl::EncodeDate(2024, 3, 15);

// An invoice without tax: 2 x 10,00 less 10 % = 18,00, VAT 20 % 3,60, 21,60 in all. A credit
// note with tax: 12,00 with tax at 20 % is 10,00 and 2,00 of VAT. A quote and a receipt.
RecordList HandSet()
{
    RecordList list(4);
    list = Invoice(0, "202403001", "10/03/2024", "Facture", "TTCN", {"A1\tCafé\t     2\t10,00\t10\t18,00\t1"})
           + Invoice(1, "202403050", "11/03/2024", "Devis    ", "TTCN", {"A1\tCafé\t1\t10,00\t\t\t1"})
           + Invoice(2, "202402001", "20/02/2024", "Avoir     ", "TTCY", {"A2\tRemboursement\t1\t12,00\t\t\t1"}, "Y")
           + Invoice(3, "202403002", "12/03/2024", "Reçu", "TTCY", {"A1\tCafé\t1\t10,00\t\t\t1"});
    return list;
}

TEST(Journal, AnInvoiceAndACreditNoteWorkedByHand)
{
    const journal::Result r = journal::Journal(HandSet(), 4, Rates(), "0.00", Today);
    EXPECT_EQ(r.invoices, 4);
    EXPECT_EQ(r.lines, (QStringList{
                           "20240310\tV1\t10/03/2024\t411000\tFacture 202403001\t21,60",
                           "20240310\tV1\t10/03/2024\t707000\tFacture 202403001\t\t18,00",
                           "20240310\tV1\t10/03/2024\t445700\tFacture 202403001\t\t3,60",
                           "20240220\tA1\t20/02/2024\t411000\tAvoir      202402001\t12,00",
                           "20240220\tA1\t20/02/2024\t607000\tAvoir      202402001\t\t10,00",
                           "20240220\tA1\t20/02/2024\t445660\tAvoir      202402001\t\t2,00",
                       }));
}

TEST(Journal, OnlyRealBlocksInTagOrder)
{
    RecordList list(4);
    // A rewritten invoice goes to the end of the list; block 2 of 3 was never written.
    list = Invoice(1, "202403002", "02/03/2024", "Facture", "TTCY", {"A1\tCafé\t1\t1,20\t\t\t1"})
           + Invoice(0, "202403001", "01/03/2024", "Facture", "TTCY", {"A1\tCafé\t1\t2,40\t\t\t1"});
    const journal::Result r = journal::Journal(list, 3, Rates(), "0.00", Today);
    EXPECT_EQ(r.invoices, 2);
    ASSERT_EQ(r.lines.size(), 6);
    EXPECT_TRUE(r.lines[0].startsWith("20240301\tV1"));
    EXPECT_TRUE(r.lines[3].startsWith("20240302\tV1"));
    EXPECT_EQ(journal::Journal(RecordList(4), 1, Rates(), "0.00", Today).invoices, 0);
}

TEST(Journal, ADateThatDoesNotReadIsToday)
{
    RecordList list(4);
    list = Invoice(0, "202403001", "31/02/2024", "Facture", "TTCY", {"A1\tCafé\t1\t1,20\t\t\t1"});
    const journal::Result r = journal::Journal(list, 1, Rates(), "0.00", Today);
    ASSERT_EQ(r.lines.size(), 3);
    EXPECT_EQ(r.lines[0], "20240315\tV1\t15/03/2024\t411000\tFacture 202403001\t1,20");
    EXPECT_EQ(r.lines[1], "20240315\tV1\t15/03/2024\t707000\tFacture 202403001\t\t1,00");
}

// The lines a card reads of odd blocks, and no others, at rates 20 % and 5,5 %, without tax:
//   0  2 x 10,00 less 10 % = 18,00 and "3 u" x 1,50 = 4,50 at 5,5 %; a row too short to have been
//      written, a quantity that does not read, and a code with the rest of the line in it (counted
//      at the first rate, 2,00): 20,00 + 4,50, VAT 4,00 + 0,2475, 28,7475 in all
//   1  63 rows of 1,00 fill the grid: a 64th of 100,00 has no room
//   2  one row of 1,00, then a note down to line +200: a row at line +201 is not read
//   3  two field lines and no end tag: block 4 starts where it stops; no date, no type
TEST(ReadInvoice, TheLinesTheCardReadsAndNoOthers)
{
    QStringList more;
    for (int i = 0; i < 63; ++i)
        more << "A\tX\t1\t1,00\t\t\t1";
    more << "A\tX\t1\t100,00\t\t\t1";
    QStringList late = Invoice(2, "202403003", "03/03/2024", "Facture", "TTCN", {"A\tX\t1\t1,00\t\t\t1"});
    late.removeLast();  // its end tag
    while (late.size() < 201)
        late << "MEMO...";
    late << "FACTA\tX\t1\t100,00\t\t\t1"
         << "</BLOC0002>";
    RecordList list(4);
    list = Invoice(0, "202403001", "01/03/2024", "Facture", "TTCN",
                   {"A1\tCafé\t2\t10,00\t10\t18,00\t1", "A2\tThé\t 3 u\t1,50\t\t\t2", "A3\tShort",
                    "A4\tBad\tx\t5,00\t\t\t1", "A5\tOdd code\t1\t2,00\t\t\t1\textra"})
           + Invoice(1, "202403002", "02/03/2024", "Avoir     ", "TTCN", more) + late
           + QStringList{"<BLOC0003>", "NUMF202403004", "NUMF not a date"}
           + Invoice(4, "202403005", "05/03/2024", "Facture", "TTCY", {"A\tX\t1\t7,00\t\t\t1"});
    struct Case {
        int n;
        QString number, type, ht, tva, ttc;
        rtl::TDateTime date;
    };
    const Case cases[] = {
        {0, "202403001", "Facture", "24,50", "4,25", "28,75", rtl::EncodeDate(2024, 3, 1)},
        {1, "202403002", "Avoir     ", "63,00", "12,60", "75,60", rtl::EncodeDate(2024, 3, 2)},
        {2, "202403003", "Facture", "1,00", "0,20", "1,20", rtl::EncodeDate(2024, 3, 3)},
        {3, "202403004", "Facture", "0,00", "0,00", "0,00", Today},
    };
    for (const Case& c : cases) {
        const journal::Invoice inv = journal::ReadInvoice(list, c.n, Rates(), "0.00", Today);
        ASSERT_TRUE(inv.found) << c.n;
        EXPECT_EQ(inv.number, c.number) << c.n;
        EXPECT_EQ(inv.type, c.type) << c.n;
        EXPECT_EQ(inv.totalHT, c.ht) << c.n;
        EXPECT_EQ(inv.totalTVA, c.tva) << c.n;
        EXPECT_EQ(inv.totalTTC, c.ttc) << c.n;
        EXPECT_EQ(inv.date, c.date) << c.n;
    }
    EXPECT_FALSE(journal::ReadInvoice(list, 5, Rates(), "0.00", Today).found);
    // The walk converts each text once: its figures are those of each invoice read on its own.
    const journal::Result r = journal::Journal(list, 5, Rates(), "0.00", Today);
    EXPECT_EQ(r.invoices, 5);
    ASSERT_EQ(r.lines.size(), 15);
    EXPECT_EQ(r.lines[0], "20240301\tV1\t01/03/2024\t411000\tFacture 202403001\t28,75");
    EXPECT_EQ(r.lines[4], "20240302\tA1\t02/03/2024\t607000\tAvoir      202403002\t\t63,00");
    EXPECT_EQ(r.lines[9], "20240315\tV1\t15/03/2024\t411000\tFacture 202403004\t0,00");
    EXPECT_EQ(r.lines[13], "20240305\tV1\t05/03/2024\t707000\tFacture 202403005\t\t5,83");
}

TEST(Comptes, EmptyAccountsTakeTheirDefaults)
{
    QString clients, fournisseurs = "401100", achats, ventes;
    journal::Comptes(clients, fournisseurs, achats, ventes);
    EXPECT_EQ(clients, "411000");
    EXPECT_EQ(fournisseurs, "401100");
    EXPECT_EQ(achats, "607000");
    EXPECT_EQ(ventes, "707000");
}

}  // namespace
