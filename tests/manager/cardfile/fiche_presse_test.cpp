// Copy and paste of customer, machine and ticket cards through the card file's own clipboard.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include "platform/widgets/maskedit.h"
#include "support/card_fixture.h"
#include "support/mainform_fixture.h"

using namespace cards;

// The pasted customer is the copied one under a code of its own, one above the highest in the
// list, whatever code the copied card had; its account is not copied.
TEST_F(CardFixture, PastedCustomerGetsAFreshCode)
{
    QStringList fields = CustomerFields("10003", "DUPONT", "dupont");
    fields[5] = "Bât. B";
    fields[8] = "Belgique";
    fields[11] = "d@exemple.fr";
    Set(TFiche::KClient, Join({Block(0, fields), Block(1, CustomerFields("10007", "AUTRE"))}));
    ShowPage(TFiche::KClient);
    fiche->LitFiche();
    fiche->Copier();

    fiche->Ajout();
    ASSERT_EQ(fiche->IndexClient, 2);
    fiche->Coller();
    EXPECT_EQ(fiche->Edit1->text(), "10008");
    EXPECT_TRUE(fiche->ModifClient);
    fiche->EcritFiche();
    QStringList pasted = CustomerFields("10008", "DUPONT");
    for (int line : {13, 14})  // login and password are not copied
        pasted[line - 1] = "";
    pasted[5] = "Bât. B";
    pasted[8] = "Belgique";
    pasted[11] = "d@exemple.fr";
    EXPECT_EQ(fiche->ListeClients.ToStringList().mid(52), Block(2, pasted));
}

// Pasting onto a customer that is in the list keeps its code: its tickets and invoices name it,
// and the card must not turn into a new customer. Onto itself, the card comes back unchanged.
TEST_F(CardFixture, PastingOntoAnExistingCustomerKeepsItsCode)
{
    const QStringList list =
        Join({Block(0, CustomerFields("10001", "DUPONT")), Block(1, CustomerFields("10002", "MARTIN")),
              Block(2, CustomerFields("10003", "LEROY"))});
    const struct {
        int copied, pasted;
        QString code;
    } cases[] = {{0, 0, "10001"}, {0, 2, "10003"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pasted);
        Set(TFiche::KClient, list, c.copied);
        ShowPage(TFiche::KClient);
        fiche->LitFiche();
        fiche->Copier();
        fiche->IndexClient = c.pasted;
        fiche->LitFiche();
        fiche->Coller();
        EXPECT_EQ(fiche->Edit1->text(), c.code);
        EXPECT_EQ(fiche->Edit2->text(), "DUPONT");
        EXPECT_TRUE(fiche->ModifClient);
        fiche->EcritFiche();
        EXPECT_EQ(Lines(TFiche::KClient).mid(26 * c.pasted, 26), Block(c.pasted, CustomerFields(c.code, "DUPONT")));
    }
}

// A machine's check boxes come back ticked for "Y" only; its number stays.
TEST_F(CardFixture, PastedMachineKeepsItsOwnNumber)
{
    QStringList source = MachineFields("10001", "POSTE1");
    source[7] = "Y";
    source[6] = "192.0.2.9";
    Set(TFiche::KPoste, Join({Block(0, source), Block(1, MachineFields("10002", "POSTE2"))}));
    fiche->Machines();
    fiche->Copier();
    fiche->IndexPoste = 1;
    fiche->LitPoste();
    for (QCheckBox* box : {fiche->CheckBox5, fiche->CheckBox6, fiche->CheckBox9})
        box->setChecked(!box->isChecked());
    fiche->ModifPoste = false;
    fiche->Coller();
    EXPECT_TRUE(fiche->ModifPoste);
    fiche->EcritPoste();
    QStringList expected = source;
    expected[0] = "10002";
    EXPECT_EQ(fiche->ListePostes.ToStringList().mid(20), Block(1, expected));
}

TEST_F(CardFixture, PastedTicketKeepsItsOwnNumber)
{
    QStringList source = TicketFields("202403001", "10004", "MARTIN");
    source[5] = "15/03/2024";
    source[6] = "09:05";
    source[7] = "15/03/2024";
    source[8] = "09:50";
    source[9] = "45";
    source[10] = fiche->Rset("3,00", 80);
    source[13] = "Y";
    Set(TFiche::KTicket, Block(0, source, 5));
    fiche->TarifTroisQuarts = 3;
    fiche->Caisse();
    ASSERT_EQ(fiche->Edit37->text(), fiche->Rset("3,00", 80));
    fiche->Copier();
    fiche->Ajout();
    fiche->Coller();
    EXPECT_EQ(fiche->Edit28->text(), "202403002");
    EXPECT_EQ(fiche->Edit33->text(), "MARTIN");
    EXPECT_EQ(fiche->MaskEdit5->Text(), "09:05");
    EXPECT_EQ(fiche->MaskEdit7->Text(), "09:50");
    EXPECT_EQ(fiche->Edit36->text(), "45");
    EXPECT_EQ(fiche->Edit37->text(), fiche->Rset("3,00", 80));
    // The paid flag is not copied.
    EXPECT_FALSE(fiche->CheckBox3->isChecked());
    EXPECT_TRUE(fiche->ModifTicket);
}

// With nothing copied for the page's kind, pasting leaves the card as it is, unmodified; a copy
// of another kind does not count.
TEST_F(CardFixture, PastingWithNothingCopiedChangesNothing)
{
    Set(TFiche::KPoste, Block(0, MachineFields("10001", "POSTE1")));
    Set(TFiche::KClient, Block(0, CustomerFields("10001", "DUPONT")));
    fiche->Machines();
    fiche->Copier();
    ShowPage(TFiche::KClient);
    fiche->LitFiche();
    fiche->Coller();
    EXPECT_EQ(fiche->Edit2->text(), "DUPONT");
    EXPECT_EQ(fiche->Edit1->text(), "10001");
    EXPECT_FALSE(fiche->ModifClient);
}

// The room and history pages copy and paste nothing.
TEST_F(CardFixture, CopyAndPasteElsewhereDoNothing)
{
    for (QWidget* page : {fiche->TabSheet6, fiche->TabSheet7}) {
        fiche->PageControl1->setCurrentWidget(page);
        fiche->Copier();
        fiche->Coller();
    }
    EXPECT_TRUE(fiche->PressePapiers.Client.isEmpty());
    EXPECT_TRUE(fiche->PressePapiers.Article.isEmpty());
    EXPECT_TRUE(fiche->PressePapiers.Facture.isEmpty());
    EXPECT_FALSE(fiche->ModifArticle || fiche->ModifFacture);
}

// ---- from the main window -----------------------------------------------------------------------

class MainWindowCommands : public MainFormTest {};

// The copy and paste commands and the password button reach the customer card.
TEST_F(MainWindowCommands, CopyPasteAndPasswordReachTheCard)
{
    Show();
    form->Valide();
    form->Valide1();
    fiche->LitFiche();
    fiche->Edit2->setText("DUPONT");
    fiche->Edit6->setText("LYON");
    form->Command("CopyBtn")->trigger();
    fiche->Ajout();
    ASSERT_EQ(fiche->Edit2->text(), "");
    form->Command("Coller1")->trigger();
    EXPECT_EQ(fiche->Edit2->text(), "DUPONT");
    EXPECT_EQ(fiche->Edit6->text(), "LYON");
    EXPECT_EQ(fiche->Edit1->text(), "10002");

    fiche->Edit12->setText("ancien");
    form->Command("SpeedButton16")->trigger();
    EXPECT_NE(fiche->Edit12->text(), "ancien");
    EXPECT_LE(fiche->Edit12->text().size(), 8);
}
