// Command enabling: every cell of the enabling table, each call from an all-enabled and from an
// all-disabled start (so that "left alone" is seen as well as "enabled" and "disabled").
#include <QMenu>
#include <map>
#include <vector>
#include "support/mainform_fixture.h"

namespace {

using Names = std::vector<const char*>;

const Names FileAndEdit = {"SaveItem",
                           "Enregistrersous1",
                           "Exporter1",
                           "Impirmer1",
                           "Copier1",
                           "Coller1",
                           "Prcdent1",
                           "Suivant1",
                           "Premier1",
                           "Dernier1",
                           "Listedesclients1",
                           "Imprimerfiche1",
                           "Statistiquesarticles1",
                           "Statistiquesventes1",
                           "Statistiquesclients1",
                           "Statscaisse1",
                           "SaveBtn",
                           "CopyBtn",
                           "PasteBtn",
                           "SpeedButton2",
                           "SpeedButton3",
                           "SpeedButton4",
                           "SpeedButton5",
                           "SpeedButton8",
                           "SpeedButton13"};
const Names Customers = {"Rechercher1",
                         "RechercherNumroclient1",
                         "Recherchetlphone1",
                         "Login1",
                         "Tier1",
                         "Codeposatal1",
                         "Ville1",
                         "Marques1",
                         "Connectes1",
                         "SpeedButton10",
                         "SpeedButton16"};
const Names Invoices = {"PrcdentPgUo1",     "SuivantPgdn1",       "Premier2",           "Dernier2",
                        "Supprimerfiche2",  "Imprimerfiche2",     "Listedesclients2",   "Supprimerligne1",
                        "Chercherfacture1", "Touteslesfactures1", "Facturescodeclient1"};
const Names Articles = {"Rechercherarticle1", "Recherchernumroarticle1", "Trierarticles1",
                        "Touslesarticles1",   "Famillesarticles1",       "Fournisseur1",
                        "Stockenalerte1"};
const Names Machines = {"Cherchermachine1", "Touteslesmachines1", "Systmedexploitation1", "Horsservice1"};
const Names Tickets = {"Touslestickets1", "Ticketsparclient1", "Ticketspays1"};
const Names Workstations = {"Fermersession1",      "Fermerclient1",           "Envoyermessage1",
                            "Rebootermachine1",    "Arrtermachine1",          "Fermertouslesclients1",
                            "Envoyermessagetous1", "Arrtertouteslesmachines1"};

// Columns: Valide, Valide1 .. Valide7.
struct Row {
    Names commands;
    const char* states;
};
const Row Table[] = {
    {FileAndEdit, "E-------"},
    {{"Supprimerfiche1", "Journalcomptable1"}, "EEEEEEEE"},
    {{"Ficheclient1", "SpeedButton7"}, "-DEEEEEE"},
    {{"Facture1", "SpeedButton9"}, "-EDEEEEE"},
    {{"Articles1"}, "-EEDEEEE"},
    {{"Machines1", "SpeedButton12"}, "-EEEDEEE"},
    {{"Caisse1", "SpeedButton14"}, "-EEEEDEE"},
    {{"Salle1", "SpeedButton15"}, "-EEEEEDE"},
    {{"Historique1"}, "-EEEEEED"},
    {{"Touteslesfiches1", "Nouvellefiche1"}, "EEDDDDDD"},
    {Customers, "-EDDDDDD"},
    {Invoices, "-DEDDDDD"},
    {Articles, "-DDEDDDD"},
    {Machines, "-DDDEDDD"},
    {Tickets, "-DDDDEDD"},
    {Workstations, "-DDDEEED"},
};

void (TMainForm::*const Calls[])() = {&TMainForm::Valide,  &TMainForm::Valide1, &TMainForm::Valide2,
                                      &TMainForm::Valide3, &TMainForm::Valide4, &TMainForm::Valide5,
                                      &TMainForm::Valide6, &TMainForm::Valide7};

class EnablingTest : public MainFormTest {
protected:
    // Every command of the window: the actions of menus and toolbar, and the item that opens the
    // print submenu.
    std::map<QString, QAction*> AllCommands() const
    {
        // The card file has actions of its own (its pop-up menu's "Historique1").
        const QList<QAction*> ficheActions = fiche->findChildren<QAction*>();
        std::map<QString, QAction*> all;
        for (QAction* a : form->findChildren<QAction*>())
            if (!a->objectName().isEmpty() && !ficheActions.contains(a))
                all[a->objectName()] = a;
        all["Impirmer1"] = form->findChild<QMenu*>("Impirmer1")->menuAction();
        return all;
    }

    std::map<QString, char> Expected(int call) const
    {
        std::map<QString, char> expected;
        for (const Row& row : Table)
            for (const char* name : row.commands)
                expected[name] = row.states[call];
        return expected;
    }
};

TEST_F(EnablingTest, EveryCellOfTheTableFromBothStarts)
{
    const auto all = AllCommands();
    for (const Row& row : Table)
        for (const char* name : row.commands)
            ASSERT_TRUE(all.count(name)) << name << " is not in the form";

    for (int call = 0; call < 8; ++call) {
        const auto expected = Expected(call);
        for (const bool start : {true, false}) {
            // A hidden action reads as disabled whatever it was set to: show them all.
            for (const auto& [name, action] : all) {
                action->setVisible(true);
                action->setEnabled(start);
            }
            (form.get()->*Calls[call])();
            for (const auto& [name, action] : all) {
                const auto it = expected.find(name);
                const char state = it == expected.end() ? '-' : it->second;
                const bool want = state == '-' ? start : state == 'E';
                EXPECT_EQ(action->isEnabled(), want)
                    << name.toStdString() << " after call " << call << " from " << (start ? "enabled" : "disabled");
            }
        }
    }
}

TEST_F(EnablingTest, TheFormStartsWithTheTableCommandsOffAndTheOthersOn)
{
    const auto expected = Expected(0);
    for (const auto& [name, action] : AllCommands())
        EXPECT_EQ(action->isEnabled(), !expected.count(name)) << name.toStdString();
    EXPECT_FALSE(Command("Fermersession1")->isVisible());
}

// The print submenu opens once a set is open: its menu, not only the item that leads to it, is
// enabled, and no page's enabling closes it again.
TEST_F(EnablingTest, ThePrintSubmenuOpensOnceASetIsOpen)
{
    QMenu* print = form->findChild<QMenu*>("Impirmer1");
    ASSERT_NE(print, nullptr);
    EXPECT_FALSE(print->isEnabled());
    form->Valide();
    EXPECT_TRUE(print->isEnabled());
    EXPECT_TRUE(print->menuAction()->isEnabled());
    for (int call = 1; call < 8; ++call) {
        (form.get()->*Calls[call])();
        EXPECT_TRUE(print->isEnabled()) << "after call " << call;
    }
}

// The page commands of "&Bases" and their toolbar twins run the enabling of their page (the
// invoice, room and history pages have no card yet).
TEST_F(EnablingTest, PageSwitchesEnableTheirPage)
{
    Show();
    const struct {
        const char* command;
        int page;
    } cases[] = {
        {"Ficheclient1", 1},  {"SpeedButton7", 1}, {"Articles1", 3},     {"Machines1", 4},
        {"SpeedButton12", 4}, {"Caisse1", 5},      {"SpeedButton14", 5},
    };
    for (const auto& c : cases) {
        form->Valide();
        for (const auto& [name, action] : AllCommands()) {
            action->setVisible(true);
            action->setEnabled(true);
        }
        Command(c.command)->trigger();
        for (const auto& [name, state] : Expected(c.page))
            if (state != '-') {
                EXPECT_EQ(Command(name.toLatin1().constData())->isEnabled(), state == 'E')
                    << name.toStdString() << " after " << c.command;
            }
    }
}

// The cases an operator sees: the machines page disables both its switches; the room page opens
// the workstation orders, the history page closes them.
TEST_F(EnablingTest, WhatThePagesShow)
{
    Show();
    Command("Machines1")->setEnabled(true);
    Command("Machines1")->trigger();
    EXPECT_FALSE(Enabled("Machines1"));
    EXPECT_FALSE(Enabled("SpeedButton12"));
    EXPECT_TRUE(Enabled("Rebootermachine1"));

    form->Valide6();
    EXPECT_FALSE(Enabled("Salle1"));
    EXPECT_TRUE(Enabled("Machines1"));
    // "Fermer &session" stays hidden, which Qt shows as disabled.
    EXPECT_FALSE(Command("Fermersession1")->isVisible());
    for (const char* name : Workstations)
        if (QLatin1String(name) != QLatin1String("Fermersession1")) {
            EXPECT_TRUE(Enabled(name)) << name;
        }

    form->Valide7();
    for (const char* name : Workstations)
        EXPECT_FALSE(Enabled(name)) << name;
}

}  // namespace
