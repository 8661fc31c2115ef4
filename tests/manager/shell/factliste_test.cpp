// The ordered lists: invoices (TFactListe) and cash tickets (TTicketListe).
#include <gtest/gtest.h>
#include <QListWidget>
#include "manager/shell/factliste.h"
#include "manager/shell/ticketliste.h"
#include "record_blocks.h"
#include "support/dialog_driver.h"

namespace {

const QStringList Invoices = Invoice(0, "202401001", "10001") + Invoice(1, "202401002", "10002", "Devis     ")
                             + Invoice(2, "202401003", "10001", "Avoir     ", "Bar des Sports");

TEST(TFactListe, OneItemPerInvoice)
{
    TFactListe dialog(nullptr);
    dialog.Init(List(Invoices));
    EXPECT_EQ(dialog.windowTitle(), "Liste des factures");
    EXPECT_EQ(dialog.Button1->text(), "Fermer");
    // Number, date, customer code, type (as the type combo shows it, trailing blanks included)
    // and first address line, joined by two blanks.
    const auto item = [](const QStringList& fields) { return fields.join("  "); };
    EXPECT_EQ(Items(dialog.ListBox1), QStringList({
                                          item({"202401001", "05/01/2024", "10001", "Facture   ", "Cyber Étoile"}),
                                          item({"202401002", "05/01/2024", "10002", "Devis     ", "Cyber Étoile"}),
                                          item({"202401003", "05/01/2024", "10001", "Avoir     ", "Bar des Sports"}),
                                      }));
}

TEST(TTicketListe, OneItemPerTicket)
{
    TTicketListe dialog(nullptr);
    dialog.Init(List(
        Ticket(0, "202401001", "10001", "Dupont") + Ticket(1, "202401002", "00000", "invité", "POSTE2", "16:40"), 5));
    EXPECT_EQ(dialog.windowTitle(), "Liste des tickets");
    EXPECT_EQ(Items(dialog.ListBox1), QStringList({
                                          "202401001  10001  05/01/2024  14:05  POSTE1  Dupont",
                                          "202401002  00000  05/01/2024  16:40  POSTE2  invité",
                                      }));
}

TEST(TFactListe, ItemsGoByBlockNumberFromZeroToTheFirstGap)
{
    struct Case {
        const char* name;
        QStringList lines;
        QStringList numbers;  // the invoice numbers listed, in order
    };
    const Case cases[] = {
        // A rewritten invoice moves to the end of its list; the list still shows block order.
        {"blocks out of list order",
         Invoice(2, "000000003", "1") + Invoice(0, "000000001", "1") + Invoice(1, "000000002", "1"),
         {"000000001", "000000002", "000000003"}},
        {"a gap in the numbering ends the list",
         Invoice(0, "000000001", "1") + Invoice(1, "000000002", "1") + Invoice(3, "000000004", "1"),
         {"000000001", "000000002"}},
        {"no block 0, no item", Invoice(1, "000000002", "1"), {}},
        {"the first of two equal start tags counts",
         Invoice(0, "000000001", "1") + Invoice(0, "000000009", "1"),
         {"000000001"}},
        // Only a tag of exactly four digits is block n's start line.
        {"a malformed tag is no block",
         Invoice(0, "000000001", "1") + QStringList{"<BLOC001>", "NUMF000000002"},
         {"000000001"}},
        {"stray lines between blocks are passed",
         QStringList{"stray"} + Invoice(0, "000000001", "1") + QStringList{"", "x"} + Invoice(1, "000000002", "1"),
         {"000000001", "000000002"}},
        {"empty list", {}, {}},
    };
    for (const Case& c : cases) {
        TFactListe dialog(nullptr);
        dialog.Init(List(c.lines));
        QStringList numbers;
        for (const QString& item : Items(dialog.ListBox1))
            numbers << item.left(9);
        EXPECT_EQ(numbers, c.numbers) << c.name;
    }
}

TEST(TFactListe, ABlockCutShortShowsEmptyFields)
{
    TFactListe dialog(nullptr);
    dialog.Init(List(Invoice(0, "000000001", "1") + QStringList{"<BLOC0001>", "NUMF000000002", "06/01/2024"}));
    ASSERT_EQ(dialog.ListBox1->count(), 2);
    EXPECT_EQ(dialog.ListBox1->item(1)->text(), "000000002  06/01/2024      ");
}

TEST(TFactListe, TheChoiceIsTheSelectionHoweverTheListCloses)
{
    enum How { Enter, DoubleClick, Fermer, TitleBar, Escape };
    struct Case {
        How how;
        const char* name;
        int block;
    };
    const Case cases[] = {
        {Enter, "Enter", 1},        {DoubleClick, "double click", 1},       {Fermer, "Fermer", 1},
        {TitleBar, "title bar", 1}, {Escape, "Esc empties the choice", -1},
    };
    for (const Case& c : cases) {
        TFactListe dialog(nullptr);
        dialog.Init(List(Invoices));
        const int block = Answer<TFactListe>(dialog, [&](TFactListe& d) {
            ClickItem(d.ListBox1, 1);
            switch (c.how) {
            case Enter:
                QTest::keyClick(d.ListBox1, Qt::Key_Return);
                break;
            case DoubleClick:
                DoubleClickItem(d.ListBox1, 1);
                break;
            case Fermer:
                d.Button1->click();
                break;
            case TitleBar:
                d.close();
                break;
            case Escape:
                QTest::keyClick(d.ListBox1, Qt::Key_Escape);
                break;
            }
            EXPECT_FALSE(d.isVisible()) << c.name;
        });
        EXPECT_EQ(block, c.block) << c.name;
    }
}

TEST(TFactListe, NothingSelectedGivesMinusOne)
{
    TFactListe dialog(nullptr);
    dialog.Init(List(Invoices));
    EXPECT_EQ(Answer<TFactListe>(dialog, [](TFactListe& d) { d.Button1->click(); }), -1);
}

// The chosen invoice is its block, not what stands at fixed places of the item's text: an
// invoice whose customer code is not five characters long shifts the type letter away from the
// 31st character, and is chosen all the same.
TEST(TFactListe, AnInvoiceWithAnUnusualCustomerCodeIsChosen)
{
    for (const QString& code : {QString("7"), QString("CLIENT-000123"), QString("")}) {
        const QStringList lines = Invoice(0, "202401001", "10001") + Invoice(1, "202401001", code, "Devis     ")
                                  + Invoice(2, "202401001", "10002", "Avoir     ");
        TFactListe dialog(nullptr);
        dialog.Init(List(lines));
        const int block = Answer<TFactListe>(dialog, [](TFactListe& d) {
            ClickItem(d.ListBox1, 1);
            QTest::keyClick(d.ListBox1, Qt::Key_Return);
        });
        EXPECT_EQ(block, 1) << code.toStdString();
    }
}

TEST(TTicketListe, ChoosingATicketGivesItsBlock)
{
    QStringList lines;
    for (int n = 0; n < 40; ++n)
        lines += Ticket(n, QString("2024010%1").arg(n, 2, 10, QLatin1Char('0')), "10001", "Dupont");
    TTicketListe dialog(nullptr);
    dialog.Init(List(lines, 5));
    const int block = Answer<TTicketListe>(dialog, [](TTicketListe& d) { DoubleClickItem(d.ListBox1, 37); });
    EXPECT_EQ(block, 37);
}

TEST(TFactListe, MovingItems)
{
    struct Case {
        const char* name;
        int selected;       // -1: none
        QList<char> moves;  // 'u' up, 'd' down
        QStringList order;  // invoice numbers after the moves
        int chosen;         // the block handed back
    };
    const Case cases[] = {
        {"up", 2, {'u'}, {"001", "003", "002"}, 2},
        {"down", 0, {'d'}, {"002", "001", "003"}, 0},
        {"up twice", 2, {'u', 'u'}, {"003", "001", "002"}, 2},
        {"up on the first item does nothing", 0, {'u'}, {"001", "002", "003"}, 0},
        {"down on the last item does nothing", 2, {'d'}, {"001", "002", "003"}, 2},
        {"with nothing selected nothing moves", -1, {'u', 'd'}, {"001", "002", "003"}, -1},
    };
    const QStringList lines =
        Invoice(0, "202401001", "1") + Invoice(1, "202401002", "1") + Invoice(2, "202401003", "1");
    for (const Case& c : cases) {
        TFactListe dialog(nullptr);
        dialog.Init(List(lines));
        const int block = Answer<TFactListe>(dialog, [&](TFactListe& d) {
            if (c.selected >= 0)
                ClickItem(d.ListBox1, c.selected);
            for (char m : c.moves)
                (m == 'u' ? d.SpeedButton1 : d.SpeedButton2)->click();
            QStringList order;
            for (const QString& item : Items(d.ListBox1))
                order << item.mid(6, 3);
            EXPECT_EQ(order, c.order) << c.name;
            d.Button1->click();
        });
        EXPECT_EQ(block, c.chosen) << c.name;
    }
}

}  // namespace
