// The main window's import, export, search and sort commands reach the card file: an import ends
// on all the customers, the first one shown, with the commands of an open set enabled.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include "manager/shell/tri.h"
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

class ExchangeCommands : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        Show();
    }
};

TEST_F(ExchangeCommands, ImportShowsAllCustomersFromTheFirstAndEnablesTheSetsCommands)
{
    Write("clients.csv", "ZOLA;1 rue\r\nABEL;2 rue\r\nMARTIN;3 rue\r\n");
    EXPECT_FALSE(Enabled("Exporter1"));  // no set open yet
    {
        ScriptedDialogs dialogs;
        dialogs.open(Path("clients.csv"));
        Command("Importer1")->trigger();
    }
    EXPECT_EQ(fiche->NbClients, 3);
    EXPECT_EQ(fiche->IndexClient, 0);
    EXPECT_EQ(fiche->Edit2->text(), "ZOLA");
    EXPECT_TRUE(Command("Touteslesfiches1")->isChecked());
    EXPECT_TRUE(Enabled("Exporter1"));
    EXPECT_TRUE(Enabled("Rechercher1"));
    EXPECT_TRUE(fiche->DoitSauver);
}

TEST_F(ExchangeCommands, SearchSortAndExportCommandsActOnTheCustomers)
{
    Write("clients.txt", "ZOLA\t1 rue\r\nABEL\t2 rue\r\nMARTIN\t3 rue\r\n");
    {
        ScriptedDialogs dialogs;
        dialogs.open(Path("clients.txt"));
        Command("Importer1")->trigger();
    }
    {
        ScriptedDialogs dialogs;
        dialogs.input("Rechercher nom", "mar");
        Command("Rechercher1")->trigger();
    }
    EXPECT_EQ(fiche->Edit2->text(), "MARTIN");
    {
        ScriptedDialogs dialogs;
        dialogs.dialog("TTri", [](QDialog* d) { qobject_cast<TTri*>(d)->OKBtn->click(); });  // by name
        Command("Tier1")->trigger();
    }
    // Block 2 is now the last by name.
    EXPECT_EQ(fiche->IndexClient, 2);
    EXPECT_EQ(fiche->Edit2->text(), "ZOLA");
    {
        ScriptedDialogs dialogs;
        dialogs.save(Path("liste.csv"), 1);
        Command("Exporter1")->trigger();
    }
    EXPECT_EQ(Read(Path("liste.csv")), "ABEL;2 rue;;;;;\r\nMARTIN;3 rue;;;;;\r\nZOLA;1 rue;;;;;\r\n");
}

}  // namespace
