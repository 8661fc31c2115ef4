// Searching the active page's records and sorting the customers, through the card file's window.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include "manager/shell/tri.h"
#include "manager/shell/tri3.h"
#include "support/card_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

using namespace cards;
using platform::mrOk;

// A customer with the lines the searches and the sort read: code, name, postal code, town,
// telephone and login.
QStringList Customer(int n, const QString& code, const QString& name, const QString& town = "LYON",
                     const QString& tel = "0478000001", const QString& login = {})
{
    QStringList f = CustomerFields(code, name, login);
    f[7] = town;
    f[9] = tel;
    return Block(n, f);
}

class Recherche : public CardFixture {
protected:
    void SetUp() override
    {
        CardFixture::SetUp();
        Load();
    }
    void Load()
    {
        Set(TFiche::KClient, Join({Customer(0, "10025", "Dupuis", "Rouen", "0478111111", "dup"),
                                   Customer(1, "1002", "DUPONT", "paris", "0478222222", "alpha"),
                                   Customer(2, "10030", "martin", "Lyon", "0145000000", "Beta")}));
        ShowPage(TFiche::KClient);
        fiche->LitFiche();
        fiche->DoitSauver = false;
    }
    // Runs a search answered `answer` and gives the customer shown afterwards.
    int SearchWith(void (TFiche::*op)(), const QString& caption, const QString& answer)
    {
        ScriptedDialogs dialogs;
        dialogs.input(caption, answer);
        (fiche.get()->*op)();
        return fiche->IndexClient;
    }
};

TEST_F(Recherche, EachCustomerSearchFindsTheFirstBlockBeginningWithTheAnswer)
{
    const struct {
        void (TFiche::*op)();
        const char* caption;
        const char* answer;
        int found;
        const char* name;
    } cases[] = {
        {&TFiche::RechNom, "Rechercher nom", "dup", 0, "Dupuis"},  // whichever comes first
        {&TFiche::RechNom, "Rechercher nom", "dupo", 1, "DUPONT"},
        {&TFiche::RechNom, "Rechercher nom", "MAR", 2, "martin"},
        {&TFiche::RechNum, "Rechercher numéro", "1002", 0, "Dupuis"},  // 1002 is a prefix of 10025
        {&TFiche::RechNum, "Rechercher numéro", "1003", 2, "martin"},
        {&TFiche::RechTel, "Rechercher téléphone", "0145", 2, "martin"},
        {&TFiche::RechLogin, "Rechercher nom", "be", 2, "martin"},
        {&TFiche::RechLogin, "Rechercher nom", "ALP", 1, "DUPONT"},
    };
    for (const auto& c : cases) {
        fiche->IndexClient = 1;
        fiche->LitFiche();
        EXPECT_EQ(SearchWith(c.op, QString::fromUtf8(c.caption), c.answer), c.found) << c.answer;
        EXPECT_EQ(fiche->Edit2->text(), c.name) << c.answer;
    }
}

TEST_F(Recherche, NothingFoundSaysSoAndLeavesTheCard)
{
    fiche->IndexClient = 1;
    fiche->LitFiche();
    {
        ScriptedDialogs dialogs;
        dialogs.input("Rechercher nom", "xyz").message("Fiche XYZ non trouvée");
        fiche->RechNom();
    }
    // The telephone search keeps the answer as typed: letters never match the upper-cased line.
    {
        ScriptedDialogs dialogs;
        dialogs.input("Rechercher téléphone", "abc").message("Fiche abc non trouvée");
        fiche->RechTel();
    }
    EXPECT_EQ(fiche->IndexClient, 1);
    EXPECT_EQ(fiche->Edit2->text(), "DUPONT");
}

TEST_F(Recherche, ACancelledBoxSearchesTheCardsValueAnEmptyAnswerNothing)
{
    fiche->IndexClient = 2;
    fiche->LitFiche();
    {
        ScriptedDialogs dialogs;
        dialogs.inputCancel("Rechercher nom");  // answers "martin": the card's own name
        fiche->RechNom();
    }
    EXPECT_EQ(fiche->IndexClient, 2);
    {
        ScriptedDialogs dialogs;
        dialogs.input("Rechercher nom", "");
        fiche->RechNom();
    }
    EXPECT_EQ(fiche->IndexClient, 2);
    EXPECT_EQ(fiche->Edit2->text(), "martin");
}

TEST_F(Recherche, TheCardIsWrittenBackBeforeTheSearch)
{
    fiche->IndexClient = 2;
    fiche->LitFiche();
    Type(fiche->Edit2, "Z");
    const QString typed = fiche->Edit2->text();
    EXPECT_EQ(SearchWith(&TFiche::RechNom, "Rechercher nom", typed), 2);
    EXPECT_EQ(Lines(TFiche::KClient)[Lines(TFiche::KClient).indexOf("<BLOC0002>") + 4], typed);
}

TEST_F(Recherche, MachinesAreFoundByComputerNameOtherPagesAreLeftAlone)
{
    Set(TFiche::KPoste,
        Join({Block(0, MachineFields("10001", "Poste-A")), Block(1, MachineFields("10002", "poste-b"))}));
    ShowPage(TFiche::KPoste);
    fiche->LitPoste();
    {
        ScriptedDialogs dialogs;
        dialogs.input("Rechercher machine", "POSTE-B");
        fiche->RechNom();
    }
    EXPECT_EQ(fiche->IndexPoste, 1);
    EXPECT_EQ(fiche->Edit17->text(), "poste-b");
    // No number, telephone, login search nor sort for machines: no box is shown (the scripted
    // responder fails on any).
    ScriptedDialogs none;
    fiche->RechNum();
    fiche->RechTel();
    fiche->RechLogin();
    fiche->Trier();
    ShowPage(TFiche::KTicket);
    fiche->RechNom();
    EXPECT_EQ(fiche->IndexPoste, 1);
}

// The sort dialog's key `item` chosen and OK clicked.
std::function<void(QDialog*)> ChooseKey(int item)
{
    return [item](QDialog* d) {
        auto* tri = qobject_cast<TTri*>(d);
        ASSERT_NE(tri, nullptr);
        tri->RadioGroup1->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)[item]->click();
        tri->OKBtn->click();
    };
}

// The names of the customer blocks in list order, and whether the tags count 0, 1, 2...
QStringList NamesInOrder(const QStringList& lines, bool* contiguous)
{
    QStringList names;
    *contiguous = true;
    int n = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith("<BLOC"))
            continue;
        *contiguous = *contiguous && lines[i] == Tag(n, 4) && lines.indexOf(Tag(n, 4, true)) > i;
        names << lines[i + 4];
        ++n;
    }
    return names;
}

TEST_F(Recherche, SortingByEachKeyRenumbersTheBlocksInOrder)
{
    const struct {
        int item;
        QStringList names;
    } cases[] = {
        {0, {"DUPONT", "Dupuis", "martin"}},
        {1, {"DUPONT", "Dupuis", "martin"}},  // codes as text: 1002, 10025, 10030
        {3, {"martin", "DUPONT", "Dupuis"}},  // Lyon, paris, Rouen
    };
    for (const auto& c : cases) {
        Load();
        ScriptedDialogs dialogs;
        dialogs.dialog("TTri", ChooseKey(c.item));
        fiche->Trier();
        bool contiguous = false;
        EXPECT_EQ(NamesInOrder(Lines(TFiche::KClient), &contiguous), c.names) << c.item;
        EXPECT_TRUE(contiguous) << c.item;
        EXPECT_EQ(fiche->NbClients, 3);
        EXPECT_TRUE(fiche->DoitSauver);
    }
}

TEST_F(Recherche, AfterASortTheCardShowsTheRecordNowAtTheCurrentNumber)
{
    fiche->IndexClient = 0;
    fiche->LitFiche();
    Type(fiche->Edit5, "7");  // an edit on the card reaches its block before the sort
    ScriptedDialogs dialogs;
    dialogs.dialog("TTri", ChooseKey(3));
    fiche->Trier();
    EXPECT_EQ(fiche->IndexClient, 0);
    EXPECT_EQ(fiche->Edit2->text(), "martin");
    EXPECT_FALSE(fiche->ModifClient);
    const QStringList lines = Lines(TFiche::KClient);
    EXPECT_EQ(lines[lines.indexOf("<BLOC0002>") + 4], "Dupuis");
    EXPECT_TRUE(lines[lines.indexOf("<BLOC0002>") + 7].contains("7"));
}

TEST_F(Recherche, ACancelledSortChangesNothing)
{
    const QStringList before = Lines(TFiche::KClient);
    fiche->DoitSauver = false;
    ScriptedDialogs dialogs;
    dialogs.dialog("TTri", [](QDialog* d) { qobject_cast<TTri*>(d)->CancelBtn->click(); });
    fiche->Trier();
    EXPECT_EQ(Lines(TFiche::KClient), before);
    EXPECT_FALSE(fiche->DoitSauver);
}

// An article block: code, family, designation, price, VAT code, account, supplier, a memo line.
QStringList Article(int n, const QString& code, const QString& designation, const QString& supplier)
{
    return Block(n, {code, "Boissons", designation, "   1,50", "1", "707000", supplier, "MEM6x"});
}

TEST_F(Recherche, ArticlesAreFoundByDesignationAndCodeAndSortedByTheKeyChosen)
{
    Set(TFiche::KArticle, Join({Article(0, "10003", "Thé", "Zèbre"), Article(1, "10001", "café crème", "Alpha"),
                                Article(2, "10002", "Café", "moka")}));
    ShowPage(TFiche::KArticle);
    {
        ScriptedDialogs dialogs;
        dialogs.input("Rechercher article", "CAF").input("Rechercher numéro", "10002");
        fiche->RechNom();
        EXPECT_EQ(fiche->IndexArticle, 1);
        fiche->RechNum();
        EXPECT_EQ(fiche->IndexArticle, 2);
    }
    // Key 2, "Référence", reads the supplier's line (+7): Alpha, moka, Zèbre.
    ScriptedDialogs dialogs;
    dialogs.dialog("TTri3", [](QDialog* d) {
        auto* tri = qobject_cast<TTri3*>(d);
        ASSERT_NE(tri, nullptr);
        tri->RadioGroup1->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)[2]->click();
        tri->OKBtn->click();
    });
    fiche->Trier();
    EXPECT_EQ(Lines(TFiche::KArticle),
              Join({Article(0, "10001", "café crème", "Alpha"), Article(1, "10002", "Café", "moka"),
                    Article(2, "10003", "Thé", "Zèbre")}));
    EXPECT_EQ(fiche->IndexArticle, 2);
    EXPECT_TRUE(fiche->DoitSauver);
}

}  // namespace
