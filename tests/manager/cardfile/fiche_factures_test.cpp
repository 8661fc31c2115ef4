// The invoice card: its block written and read back, the monthly number, new invoices, the
// totals on the card in both price modes, and "Valider" posting onto the customer's history.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include "fiche_cartes_fixture.h"
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"
#include "support/scripted_dialogs.h"

using namespace cards;
using rtl::Trim;

namespace {

// Lines +1 to +11 of an invoice of customer `customer`, then its lines and note.
QStringList InvoiceFields(const QString& num, const QString& customer = "1000", const QString& type = "Facture",
                          const QString& ttc = "TTCN", const QString& valid = "N")
{
    return {"NUM" + type.left(1) + num, "14/03/2024", customer, "Chèque", type, "DUPONT", "1 rue Haute", "",
            "69001 LYON", ttc, valid};
}

class Invoices : public CardFixture {
protected:
    void SetUp() override
    {
        CardFixture::SetUp();
        fiche->TauxTVA1 = 19.6;
        fiche->TauxTVA2 = 5.5;
        fiche->TauxTVA3 = 2.1;
        // Customer 10001 first: a code that merely begins with the invoice's must not take it.
        Set(TFiche::KClient, Join({Block(0, CustomerFields("10001", "AUTRE")), Block(1, CustomerFields("1000", "DUPONT"))}));
        ShowPage(TFiche::KFacture);
    }
    void Line(int r, const QString& ref, const QString& qty, const QString& price, const QString& discount = "",
              const QString& vat = "")
    {
        const QString cells[] = {ref, "Article " + ref, qty, price, discount, "", vat};
        for (int c = 0; c < 7; ++c)
            fiche->StringGrid2->SetCells(c, r, cells[c]);
        fiche->NbLignesFacture = std::max(fiche->NbLignesFacture, r);
        fiche->ModifFacture = true;
    }
    // Enter at the end of row r, as the operator presses it.
    void Enter(int r)
    {
        fiche->StringGrid2->setCurrentCell(r - 1, 6);
        QChar key(13);
        fiche->StringGrid2KeyPress(key);
    }
    // The two lines worked by hand: 1 x 2,67 less 10 % at 19,6 % and 1 x 8,60 at 5,5 %.
    void TwoLines()
    {
        Line(1, "R1", "1", "2,67", "10", "1");
        Line(2, "R2", "1", "8,60", "", "2");
    }
    QStringList History(int customer) const
    {
        const RecordList& list = fiche->ListeClients;
        QStringList found;
        for (int i = list.FindBlock(customer); i >= 0 && i < list.Count(); ++i) {
            if (list[i].startsWith("DATA"))
                found << list[i].mid(4);
            if (list[i] == list.EndTag(customer))
                break;
        }
        return found;
    }
    QStringList Totals() const
    {
        return {fiche->Label32->text(), fiche->Label33->text(), fiche->Label28->text(), fiche->Label29->text()};
    }
};

TEST_F(Invoices, NumberingCountsThisMonthsInvoicesOnly)
{
    struct Case {
        QStringList numbers;   // "NUM" lines, type letter included
        int next;
    };
    const Case cases[] = {
        {{}, 202403001},
        {{"NUMF202403007", "NUMF202402090"}, 202403008},
        {{"NUMF202403007", "NUMD202403050", "NUMA202403060"}, 202403008},
        {{"NUMF20240300x", "NUMF202403002"}, 202403003},
    };
    for (const Case& c : cases) {
        QStringList lines;
        for (int i = 0; i < c.numbers.size(); ++i)
            lines << Block(i, QStringList{c.numbers[i]} + InvoiceFields("").mid(1));
        Set(TFiche::KFacture, lines);
        EXPECT_EQ(fiche->Numerof(), c.next) << c.numbers.join(',').toStdString();
    }
}

TEST_F(Invoices, AnInvoiceIsWrittenAtTheEndAndReadBackWhole)
{
    Set(TFiche::KFacture, Join({Block(0, InvoiceFields("202403001")), Block(1, InvoiceFields("202403002"))}));
    fiche->LitFact();
    EXPECT_EQ(fiche->MaskEdit3->Text(), "202403001");
    fiche->ComboBox4->setEditText("Devis    ");
    fiche->RadioButton2->setChecked(true);
    fiche->Edit24->setText("2 rue Basse");
    fiche->Memo2->setPlainText("Merci\nA bientôt");
    fiche->StringGrid2->SetCells(0, 1, "R1");   // a 9-character line: written and read back
    fiche->StringGrid2->SetCells(6, 1, "1");
    Line(3, "R3", "2", "1,50", "", "1");
    fiche->StringGrid2->SetCells(1, 3, "Stylo\tbleu");
    fiche->ModifFacture = true;
    fiche->EcritFact();

    const QStringList lines = Lines(TFiche::KFacture);
    const QStringList block = lines.mid(lines.indexOf("<BLOC0000>"));
    // The rewritten block goes to the end of its list.
    EXPECT_EQ(lines.indexOf("<BLOC0000>"), Block(1, InvoiceFields("")).size());
    ASSERT_EQ(block.size(), 17);
    EXPECT_EQ(block.mid(1, 11), QStringList({"NUMD202403001", "14/03/2024", "1000", "Chèque", "Devis    ", "DUPONT",
                                             "2 rue Basse", "", "69001 LYON", "TTCY", "N"}));
    EXPECT_EQ(block[12], "FACTR1\t\t\t\t\t\t1");
    EXPECT_EQ(block[13], "FACTR3\tStylo bleu\t2\t1,50\t\t\t1");
    EXPECT_EQ(block.mid(14), QStringList({"MEMOMerci", "MEMOA bientôt", "</BLOC0000>"}));

    fiche->IndexFacture = 1;
    fiche->LitFact();
    EXPECT_TRUE(fiche->RadioButton1->isChecked());
    fiche->IndexFacture = 0;
    fiche->LitFact();
    EXPECT_EQ(fiche->MaskEdit3->Text(), "202403001");
    EXPECT_EQ(fiche->DateTimePicker1->date(), QDate(2024, 3, 14));
    EXPECT_EQ(fiche->ComboBox4->currentText(), "Devis    ");
    EXPECT_EQ(fiche->ComboBox3->currentText(), "Chèque");
    EXPECT_TRUE(fiche->RadioButton2->isChecked());
    EXPECT_EQ(fiche->Edit24->text(), "2 rue Basse");
    EXPECT_EQ(fiche->Memo2->toPlainText(), "Merci\nA bientôt");
    EXPECT_EQ(fiche->StringGrid2->Cells(0, 1), "R1");
    EXPECT_EQ(fiche->StringGrid2->Cells(0, 2), "R3");
    EXPECT_EQ(Trim(fiche->StringGrid2->Cells(5, 2)), "3,00");
    EXPECT_EQ(fiche->NbLignesFacture, 3);
    EXPECT_EQ(fiche->StaticText1->text(), "Facture non validée");
    EXPECT_FALSE(fiche->ModifFacture);
}

TEST_F(Invoices, MoreLinesThanTheGridHoldsStayInTheBlock)
{
    QStringList fields = InvoiceFields("202403001");
    for (int i = 1; i <= 65; ++i)
        fields << QString("FACTR%1\tx\t1\t1,00\t\t\t1").arg(i);
    Set(TFiche::KFacture, Block(0, fields));
    fiche->LitFact();
    EXPECT_EQ(fiche->StringGrid2->Cells(0, 63), "R63");
    fiche->Edit23->setText("MARTIN");
    fiche->EcritFact();
    const QStringList lines = Lines(TFiche::KFacture);
    EXPECT_TRUE(lines.contains("FACTR64\tx\t1\t1,00\t\t\t1"));
    EXPECT_TRUE(lines.contains("FACTR65\tx\t1\t1,00\t\t\t1"));
}

TEST_F(Invoices, TotalsInBothModesFromUnroundedAmounts)
{
    Set(TFiche::KFacture, {});
    fiche->LitFact();
    fiche->Edit22->setText("1000");
    TwoLines();
    fiche->RadioButton1->setChecked(true);
    Enter(2);
    Enter(2);   // a second computation counts nothing twice
    EXPECT_EQ(Totals(), QStringList({"11,00", "0,94", "11,95", "78,37"}));
    EXPECT_EQ(fiche->StringGrid2->Cells(5, 0), "Montant H.T.");
    EXPECT_EQ(Trim(fiche->StringGrid2->Cells(5, 1)), "2,40");
    EXPECT_EQ(Trim(fiche->StringGrid2->Cells(3, 2)), "8,60");

    fiche->RadioButton2->setChecked(true);
    fiche->Calculef();
    EXPECT_EQ(Totals(), QStringList({"10,16", "0,84", "11,00", "72,17"}));
    EXPECT_EQ(fiche->StringGrid2->Cells(5, 0), "Montant TTC");

    // The chosen currency alone.
    fiche->ModeDevise = 1;
    fiche->Calculef();
    EXPECT_EQ(fiche->Label29->text(), "");
}

TEST_F(Invoices, EnterFillsTheVatCodeAndMovesOn)
{
    Set(TFiche::KFacture, {});
    fiche->LitFact();
    Line(1, "R1", "2 h", "10", "", "");
    Enter(1);
    EXPECT_EQ(fiche->StringGrid2->Cells(6, 1), "1");
    EXPECT_EQ(fiche->StringGrid2->Row(), 2);
    EXPECT_EQ(fiche->StringGrid2->Col(), 0);
    EXPECT_EQ(Trim(fiche->StringGrid2->Cells(5, 1)), "20,00");
}

TEST_F(Invoices, ATypedPriceKeepsItsPrecisionUnderTheWholeNumberFormat)
{
    Set(TFiche::KFacture, {});
    fiche->LitFact();
    fiche->FormatMontant = "#";
    fiche->TauxTVA1 = 0;
    Line(1, "R1", "2", "1,50", "", "1");
    Enter(1);
    EXPECT_EQ(Trim(fiche->StringGrid2->Cells(3, 1)), "2");
    Enter(1);
    EXPECT_EQ(fiche->Label28->text(), "3");
    // Stored as typed: read again, the invoice counts the same.
    fiche->Edit22->setText("1000");
    fiche->EcritFact();
    fiche->LitFact();
    EXPECT_EQ(fiche->Label28->text(), "3");
    // A price typed over the rounded one is the new price.
    fiche->StringGrid2->SetCells(3, 1, "4");
    fiche->Calculef();
    EXPECT_EQ(fiche->Label28->text(), "8");
}

TEST_F(Invoices, DeletingALineRecomputesWhatIsLeft)
{
    Set(TFiche::KFacture, {});
    fiche->LitFact();
    TwoLines();
    fiche->RadioButton1->setChecked(true);
    fiche->Calculef();
    fiche->GrilleFactureActive = true;
    fiche->StringGrid2->setCurrentCell(0, 0);
    fiche->SupLigne1();
    EXPECT_EQ(fiche->StringGrid2->Cells(0, 1), "R2");
    EXPECT_TRUE(fiche->StringGrid2->Cells(0, 2).isEmpty());
    EXPECT_EQ(fiche->NbLignesFacture, 1);
    EXPECT_EQ(fiche->Label32->text(), "8,60");
}

TEST_F(Invoices, ValidationWritesTheMarkThenExactlyOneHistoryLine)
{
    Set(TFiche::KFacture, Block(0, QStringList(InvoiceFields("202403004")) +
                                       QStringList({"FACTR1\tx\t1\t2,67\t10\t\t1", "FACTR2\ty\t1\t8,60\t\t\t2"})));
    fiche->LitFact();
    EXPECT_EQ(fiche->Label28->text(), "11,95");
    {
        ScriptedDialogs dialogs;
        dialogs.message("Facture validée");
        fiche->Button3Click();
        fiche->Button3Click();   // already validated: nothing
    }
    ASSERT_EQ(History(1), QStringList({"15/03/2024\tFacture 202403004\t" + fiche->Rset("11,95", 95)}));
    EXPECT_TRUE(History(0).isEmpty());
    const QStringList lines = Lines(TFiche::KFacture);
    EXPECT_EQ(lines[11], "Y");
    // Read again, it stays validated and locked; a paste changes none of what was posted.
    fiche->LitFact();
    EXPECT_EQ(fiche->FactureValidee, "Y");
    EXPECT_FALSE(fiche->Button3->isEnabled());
    EXPECT_TRUE(fiche->Edit22->isReadOnly());
    fiche->PressePapiers.Facture = {"999999999", "01/01/2020", "10001", "Espèces", "Avoir     ", "MARTIN", "", "",
                                    ""};
    fiche->Coller();
    EXPECT_EQ(fiche->MaskEdit3->Text(), "202403004");
    EXPECT_EQ(fiche->Edit22->text(), "1000");
    EXPECT_EQ(fiche->ComboBox4->currentText(), "Facture");
    EXPECT_EQ(fiche->DateTimePicker1->date(), QDate(2024, 3, 14));
    EXPECT_EQ(fiche->Edit23->text(), "MARTIN");
    EXPECT_EQ(fiche->ComboBox3->currentText(), "Espèces");
    {
        ScriptedDialogs dialogs;
        fiche->Button3Click();
    }
    EXPECT_EQ(History(1).size(), 1);
    // A fresh invoice starts unvalidated.
    fiche->Button2Click();
    EXPECT_EQ(fiche->FactureValidee, "N");
    EXPECT_TRUE(fiche->Button3->isEnabled());
    EXPECT_FALSE(fiche->Edit22->isReadOnly());
}

TEST_F(Invoices, WhatCannotBePostedLeavesTheInvoiceUnvalidated)
{
    struct Case {
        QString customer, line, message;
        QString type = "Facture";
    };
    const Case cases[] = {
        {"1234", "FACTR1\tx\t1\t2\t\t\t1", "Client inconnu : 1234"},
        {"100", "FACTR1\tx\t1\t2\t\t\t1", "Client inconnu : 100"},
        {"1000", "FACTR1\tx\t1\t2\tdix\t\t1", "Une ligne de la facture n'est pas lisible"},
        {"1000", "FACTR1\tx\t1\t2\t\t\tz", "Une ligne de la facture n'est pas lisible"},
        {"1000", "FACT\tx\t1\t2\t\t\t1", "Facture incomplète : code client, numéro et une ligne avec référence"},
        {"1000", "FACTR1\tx\t1\t2\t\t\t1", "", "Devis    "},
    };
    for (const Case& c : cases) {
        Set(TFiche::KFacture, Block(0, QStringList(InvoiceFields("202403004", c.customer, c.type)) +
                                           QStringList({c.line})));
        fiche->LitFact();
        {
            ScriptedDialogs dialogs;
            if (!c.message.isEmpty())
                dialogs.message(c.message);
            fiche->Button3Click();
        }
        EXPECT_EQ(fiche->FactureValidee, "N") << c.message.toStdString();
        EXPECT_TRUE(fiche->Button3->isEnabled());
        EXPECT_EQ(Lines(TFiche::KFacture)[11], "N");
        EXPECT_TRUE(History(0).isEmpty());
        EXPECT_TRUE(History(1).isEmpty());
    }
}

TEST_F(Invoices, ANewInvoiceNeverTakesTheNumberOfABlock)
{
    Set(TFiche::KFacture, Join({Block(0, InvoiceFields("202403001")), Block(1, InvoiceFields("202403002"))}));
    fiche->NbFactures = 1;   // a count behind its list
    fiche->LitFact();
    fiche->Button2Click();
    EXPECT_EQ(fiche->IndexFacture, 2);
    EXPECT_EQ(fiche->MaskEdit3->Text(), "202403003");
    // The blank card not yet written is the one the next "Créer" shows again.
    fiche->Button2Click();
    EXPECT_EQ(fiche->IndexFacture, 2);
    EXPECT_EQ(fiche->NbFactures, 3);

    QStringList full;
    for (int i = 0; i < 9999; ++i)
        full << Block(i, {"NUMF202403001"});
    Set(TFiche::KFacture, full);
    ScriptedDialogs dialogs;
    dialogs.message("Le fichier est plein");
    fiche->Button2Click();
    EXPECT_EQ(fiche->NbFactures, 9999);
    EXPECT_EQ(fiche->IndexFacture, 0);
}

TEST_F(Invoices, ANewInvoiceFromTheCustomerCard)
{
    Set(TFiche::KFacture, {});
    ShowPage(TFiche::KClient);
    fiche->IndexClient = 1;
    fiche->LitFiche();
    fiche->NouvFact();
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet2);
    EXPECT_EQ(fiche->Edit22->text(), "1000");
    EXPECT_EQ(fiche->Edit23->text(), "DUPONT");
    EXPECT_EQ(fiche->Edit24->text(), "1 rue Haute");
    EXPECT_EQ(fiche->Edit26->text(), "69001 LYON");
    EXPECT_EQ(fiche->MaskEdit3->Text(), "202403001");
}

TEST_F(Invoices, SearchByNumberFindsTheBlockWhereverItMoved)
{
    const QStringList line{"FACTR1\tx\t1\t2\t\t\t1"};
    Set(TFiche::KFacture, Join({Block(0, InvoiceFields("202403001") + line), Block(1, InvoiceFields("202403002") + line)}));
    fiche->LitFact();
    // Written by the search itself: the block goes to the end, and is looked up again there.
    fiche->Edit23->setText("MOVED");
    ScriptedDialogs dialogs;
    dialogs.input("Chercher facture", "F202403001").input("Chercher facture", "F202409999");
    fiche->ChercheFact();
    EXPECT_EQ(Lines(TFiche::KFacture).indexOf("<BLOC0000>"), 14);
    EXPECT_EQ(fiche->IndexFacture, 0);
    EXPECT_EQ(fiche->Edit23->text(), "MOVED");
    fiche->ChercheFact();
    EXPECT_EQ(fiche->IndexFacture, 0);
    EXPECT_EQ(fiche->MaskEdit3->Text(), "202403001");
}

TEST_F(Invoices, AClickOnAFilledDesignationKeepsTheReference)
{
    Set(TFiche::KArticle, Block(0, {"10001", "", "Stylo", "   1,50", "1", "707000", ""}));
    Set(TFiche::KFacture, {});
    fiche->LitFact();
    fiche->StringGrid2->SetCells(0, 1, "R9");
    fiche->StringGrid2->SetCells(1, 1, "Gomme");
    fiche->StringGrid2->setCurrentCell(0, 1);
    fiche->StringGrid2Click();
    EXPECT_EQ(fiche->StringGrid2->Cells(0, 1), "R9");
    EXPECT_EQ(fiche->StringGrid2->Cells(1, 1), "Gomme");
    // A designation that is an article's code takes the article.
    fiche->StringGrid2->SetCells(1, 2, "10001");
    fiche->StringGrid2->setCurrentCell(1, 1);
    fiche->StringGrid2Click();
    EXPECT_EQ(fiche->StringGrid2->Cells(0, 2), "10001");
    EXPECT_EQ(fiche->StringGrid2->Cells(1, 2), "Stylo");
    EXPECT_EQ(fiche->StringGrid2->Cells(3, 2), "1,50");
    EXPECT_EQ(fiche->StringGrid2->Col(), 2);
}

}  // namespace
