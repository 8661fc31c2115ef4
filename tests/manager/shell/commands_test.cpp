// The command table of the main window: every menu and item with its caption, shortcut and
// place, and the toolbar buttons with their hints, left to right.
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <map>
#include <set>
#include "support/mainform_fixture.h"

namespace {

struct Item {
    const char* menu;
    const char* name;
    const char* caption;
    const char* shortcut = "";
};

// In the order of each menu.
const Item Items[] = {
    {"FileMenu", "Bouveau1", "&Nouveau"},
    {"FileMenu", "OpenItem", "&Ouvrir..."},
    {"FileMenu", "SaveItem", "&Enregistrer"},
    {"FileMenu", "Enregistrersous1", "Enregistrer &sous..."},
    {"FileMenu", "Impirmer1", "&Imprimer"},
    {"FileMenu", "Miseenpage1", "&Mise en page..."},
    {"FileMenu", "Configuerimprimante1", "Configurer imprimante..."},
    {"FileMenu", "Importer1", "I&mporter..."},
    {"FileMenu", "Exporter1", "E&xporter..."},
    {"FileMenu", "ExitItem", "&Quitter", "Alt+X"},
    {"Impirmer1", "Listeclients1", "Liste &clients..."},
    {"Impirmer1", "Listearticles1", "Liste &articles..."},
    {"Impirmer1", "Inventairedesarticles1", "Liste &machines..."},
    {"Impirmer1", "Enveloppes1", "&Enveloppes..."},
    {"Ediiton1", "Copier1", "&Copier"},
    {"Ediiton1", "Coller1", "C&oller"},
    {"Ediiton1", "Login1", "Rechercher &Login"},
    {"Ediiton1", "Rechercher1", "Recherche &Nom / société..."},
    {"Ediiton1", "Rechercherarticle1", "Rechercher &article..."},
    {"Ediiton1", "Cherchermachine1", "Chercher &machine"},
    {"Ediiton1", "RechercherNumroclient1", "Rechercher &Code client..."},
    {"Ediiton1", "Recherchernumroarticle1", "Rechercher n&uméro article..."},
    {"Ediiton1", "Recherchetlphone1", "&Recherche Téléphone..."},
    {"Ediiton1", "Tier1", "&Trier clients..."},
    {"Ediiton1", "Trierarticles1", "Tri&er articles..."},
    {"Ediiton1", "Chercherfacture1", "Chercher &facture..."},
    {"Bases1", "Ficheclient1", "&Clients"},
    {"Bases1", "Facture1", "&Factures"},
    {"Bases1", "Articles1", "&Articles"},
    {"Bases1", "Machines1", "&Machines"},
    {"Bases1", "Caisse1", "Cai&sse"},
    {"Bases1", "Salle1", "&Salle"},
    {"Bases1", "Historique1", "&Historique"},
    {"Bases1", "Prcdent1", "&Précédent             PgUo"},
    {"Bases1", "Suivant1", "&Suivant                   Pgdn"},
    {"Bases1", "Premier1", "P&remier"},
    {"Bases1", "Dernier1", "&Dernier"},
    {"Bases1", "Nouvellefiche2", "&Nouvelle fiche"},
    {"Bases1", "Supprimerfiche1", "S&upprimer fiche"},
    {"Bases1", "Listedesclients1", "&Liste", "F2"},
    {"Bases1", "Imprimerfiche1", "&Imprimer fiche"},
    {"Vente1", "PrcdentPgUo1", "&Précédent             PgUp"},
    {"Vente1", "SuivantPgdn1", "&Suivant                   Pgdn"},
    {"Vente1", "Premier2", "P&remier"},
    {"Vente1", "Dernier2", "&Dernier"},
    {"Vente1", "Nouvellefiche1", "&Nouvelle facture"},
    {"Vente1", "Supprimerfiche2", "S&upprimer facture"},
    {"Vente1", "Imprimerfiche2", "&Imprimer facture"},
    {"Vente1", "Listedesclients2", "&Liste des factures       F2"},
    {"Vente1", "Supprimerligne1", "Supprimer &ligne"},
    {"Vantor1", "Fermersession1", "Fermer &session"},
    {"Vantor1", "Fermerclient1", "Arrêter &client"},
    {"Vantor1", "Envoyermessage1", "&Envoyer message..."},
    {"Vantor1", "Rebootermachine1", "&Rebooter machine"},
    {"Vantor1", "Arrtermachine1", "Arrêter &machine"},
    {"Vantor1", "Fermertouslesclients1", "&Arrêter tous les clients"},
    {"Vantor1", "Envoyermessagetous1", "Envoyer message à &tous..."},
    {"Vantor1", "Arrtertouteslesmachines1", "Arrêter to&utes les machines"},
    {"N8", "Touteslesfiches1", "&Tous les clients"},
    {"N8", "Codeposatal1", "C&ode postal..."},
    {"N8", "Ville1", "&Ville..."},
    {"N8", "Marques1", "&Marqués"},
    {"N8", "Connectes1", "&Connectés"},
    {"N8", "Touslesarticles1", "To&us les articles"},
    {"N8", "Famillesarticles1", "F&amilles articles..."},
    {"N8", "Fournisseur1", "&Fournisseur"},
    {"N8", "Stockenalerte1", "Stock en &alerte"},
    {"N8", "Touteslesfactures1", "Toutes les factu&res"},
    {"N8", "Facturescodeclient1", "Factu&res code client..."},
    {"N8", "Touteslesmachines1", "Toutes les &machines"},
    {"N8", "Systmedexploitation1", "&Système d'exploitation..."},
    {"N8", "Horsservice1", "&Hors service"},
    {"N8", "Touslestickets1", "Tous &les tickets"},
    {"N8", "Ticketsparclient1", "Tickets par cl&ient"},
    {"N8", "Ticketspays1", "Tickets &non payés"},
    {"Outils1", "Traitementdetexte1", "&Traitement de texte"},
    {"Outils1", "Enveloppecourante1", "&Enveloppe courante"},
    {"Outils1", "Messages1", "&Messages"},
    {"Outils1", "Statistiquesarticles1", "&Statistiques postes"},
    {"Outils1", "Statistiquesventes1", "Statistiques &mois"},
    {"Outils1", "Statistiquesclients1", "Statistiques &clients"},
    {"Outils1", "Statscaisse1", "Statistiques &jours"},
    {"Outils1", "Journalcomptable1", "&Journal comptable"},
    {"Paramtres1", "Socit1", "&Société"},
    {"Paramtres1", "Facture2", "&Facture"},
    {"Paramtres1", "Tarification1", "&Tarification"},
    {"Paramtres1", "Famillesarticles2", "Familles &articles"},
    {"Paramtres1", "Fournisseurs1", "Fo&urnisseurs"},
    {"Paramtres1", "Boutonscaisse1", "&Boutons caisse"},
    {"Paramtres1", "Dmarrerautomatiquement1", "&Démarrer automatiquement"},
    {"Paramtres1", "Ouvrirautomatiquement1", "&Ouvrir automatiquement"},
    {"utilitaires1", "Calendrier1", "&Calendrier"},
    {"utilitaires1", "Calculatrice1", "C&alculatrice"},
    {"utilitaires1", "Horloge1", "&Horloge"},
    {"utilitaires1", "Dpartements1", "&Départements"},
    {"utilitaires1", "Devises1", "De&vises"},
    {"utilitaires1", "Blocnotes1", "&Bloc notes"},
    {"Help1", "Index1", "&Index"},
    {"Help1", "Rechercher2", "&Rechercher..."},
    {"Help1", "Utiliserlaide1", "&Utiliser l'aide"},
    {"Help1", "Apropos1", "&A propos"},
};

const struct {
    const char* name;
    const char* title;
} Menus[] = {
    {"FileMenu", "&Fichier"},         {"Ediiton1", "&Edition"}, {"Bases1", "&Bases"},   {"Vente1", "&Vente"},
    {"Vantor1", "&Vantor"},           {"N8", "&Sélection"},     {"Outils1", "&Outils"}, {"Paramtres1", "&Paramètres"},
    {"utilitaires1", "&Utilitaires"}, {"Help1", "&?"},
};

const struct {
    const char* name;
    const char* hint;
} Buttons[] = {
    {"SpeedButton1", "Nouveau dossier"},
    {"OpenBtn", "Ouvrir"},
    {"SaveBtn", "Enregistrer"},
    {"CopyBtn", "Copier"},
    {"PasteBtn", "Coller"},
    {"SpeedButton2", "Premier"},
    {"SpeedButton3", "Précédent"},
    {"SpeedButton4", "Suivant"},
    {"SpeedButton5", "Dernier"},
    {"SpeedButton6", "Nouvelle fiche"},
    {"SpeedButton7", "Fiches clients"},
    {"SpeedButton9", "Factures"},
    {"SpeedButton12", "Machines"},
    {"SpeedButton14", "Caisse"},
    {"SpeedButton15", "Salle"},
    {"SpeedButton13", "Calculer"},
    {"SpeedButton16", "Générer mot de passe"},
    {"SpeedButton8", "Imprimer"},
    {"SpeedButton10", "Imprimer enveloppe"},
};

// The commands of a menu with their text, separators left out.
QList<QAction*> Entries(const QMenu* menu)
{
    QList<QAction*> entries;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            entries << a;
    return entries;
}

using CommandsTest = MainFormTest;

TEST_F(CommandsTest, MenuBarHoldsTheMenusInOrder)
{
    QMenuBar* bar = form->findChild<QMenuBar*>("SDIAppMenu");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), int(std::size(Menus)));
    for (std::size_t i = 0; i < std::size(Menus); ++i) {
        QMenu* menu = form->findChild<QMenu*>(Menus[i].name);
        ASSERT_NE(menu, nullptr) << Menus[i].name;
        EXPECT_EQ(menu->title(), QString::fromUtf8(Menus[i].title));
        EXPECT_EQ(bar->actions()[int(i)], menu->menuAction()) << Menus[i].name;
    }
}

TEST_F(CommandsTest, EveryItemWithItsCaptionShortcutAndPlace)
{
    std::map<QString, int> place;  // next entry expected in each menu
    for (const Item& item : Items) {
        SCOPED_TRACE(item.name);
        const QMenu* menu = form->findChild<QMenu*>(item.menu);
        ASSERT_NE(menu, nullptr);
        const QMenu* submenu = form->findChild<QMenu*>(item.name);
        QAction* action = submenu ? submenu->menuAction() : form->findChild<QAction*>(item.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(submenu ? submenu->title() : action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
        const QList<QAction*> entries = Entries(menu);
        const int at = place[item.menu]++;
        ASSERT_LT(at, entries.size());
        EXPECT_EQ(entries[at], action) << "expected at " << at << " of " << item.menu;
    }
    for (const auto& [menu, count] : place)
        EXPECT_EQ(Entries(form->findChild<QMenu*>(menu)).size(), count) << menu.toStdString();
}

TEST_F(CommandsTest, SelectionItemsAreCheckableWithTheFirstOfEachGroupChecked)
{
    const std::set<QString> first = {"Touteslesfiches1", "Touslesarticles1", "Touteslesfactures1", "Touteslesmachines1",
                                     "Touslestickets1"};
    for (QAction* a : Entries(form->findChild<QMenu*>("N8"))) {
        EXPECT_TRUE(a->isCheckable()) << a->objectName().toStdString();
        EXPECT_EQ(a->isChecked(), first.count(a->objectName()) == 1) << a->objectName().toStdString();
    }
    EXPECT_TRUE(Command("Dmarrerautomatiquement1")->isCheckable());
    EXPECT_TRUE(Command("Ouvrirautomatiquement1")->isCheckable());
}

TEST_F(CommandsTest, ToolbarButtonsLeftToRightWithTheirHints)
{
    QToolBar* panel = form->findChild<QToolBar*>("SpeedPanel");
    ASSERT_NE(panel, nullptr);
    QList<QAction*> buttons;
    for (QAction* a : panel->actions())
        if (!a->isSeparator())
            buttons << a;
    ASSERT_EQ(buttons.size(), int(std::size(Buttons)));
    for (std::size_t i = 0; i < std::size(Buttons); ++i) {
        SCOPED_TRACE(Buttons[i].name);
        EXPECT_EQ(buttons[int(i)]->objectName(), QLatin1String(Buttons[i].name));
        EXPECT_EQ(buttons[int(i)]->toolTip(), QString::fromUtf8(Buttons[i].hint));
        EXPECT_EQ(buttons[int(i)]->statusTip(), QString::fromUtf8(Buttons[i].hint));
        EXPECT_FALSE(buttons[int(i)]->icon().isNull());
    }
}

TEST_F(CommandsTest, ShortcutsReachTheirCommands)
{
    Show();
    form->Valide();
    form->Valide1();
    bool listed = false;
    QObject::connect(Command("Listedesclients1"), &QAction::triggered, [&] { listed = true; });
    QTest::keyClick(form.get(), Qt::Key_F2);
    EXPECT_TRUE(listed);

    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_FALSE(form->isVisible()) << "Alt+X closes the main window";
}

}  // namespace
