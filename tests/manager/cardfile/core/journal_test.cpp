// The accounting journal from the invoice blocks: an invoice and a credit note worked by hand, the
// documents that are not posted, and the blocks that are not there.
#include <gtest/gtest.h>
#include <ostream>
#include "manager/cardfile/core/journal.h"

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QStringList Invoice(int n, const QString& number, const QString& date, const QString& type, const QString& mode,
                    const QStringList& lines, const QString& validated = "N")
{
    const QString tag = QString::number(n).rightJustified(4, QLatin1Char('0'));
    QStringList block = {"<BLOC" + tag + ">", "NUM" + type.left(1) + number, date, "10001", "Espèces", type,
                         "DUPONT", "1 rue Haute", "", "69001 LYON", mode, validated};
    for (const QString& l : lines)
        block << "FACT" + l;
    block << "MEMOMerci" << "</BLOC" + tag + ">";
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
