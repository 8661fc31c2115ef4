#include "manager/shell/mainform.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScopeGuard>
#include <QStatusTipEvent>
#include <QTimer>
#include <functional>
#include <iterator>
#include "manager/cardfile/fiche.h"
#include "manager/shell/dialogkit.h"
#include "manager/shell/accessoires.h"
#include "manager/shell/toolicons.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/rtl.h"

TMainForm* MainForm = nullptr;

namespace {

using platform::MessageDlg;

const QString OpenFilter = QStringLiteral("Fichier vantor (*.vtr)|*.vtr");
const QString SaveFilter = QStringLiteral("Fichiers vantor (*.vtr)|*.vtr");

// Which commands each enabling call switches: one row per command, one column per call
// (Valide, Valide1 .. Valide7); 'E' enables, 'D' disables, '-' leaves the command as it is.
// Commands that no row names keep the state the form gives them.
struct Enabling {
    const char* command;
    char states[9];
};
const Enabling EnablingTable[] = {
    // What needs an open set.
    {"SaveItem", "E-------"},
    {"Enregistrersous1", "E-------"},
    {"Exporter1", "E-------"},
    {"Impirmer1", "E-------"},
    {"Copier1", "E-------"},
    {"Coller1", "E-------"},
    {"Prcdent1", "E-------"},
    {"Suivant1", "E-------"},
    {"Premier1", "E-------"},
    {"Dernier1", "E-------"},
    {"Listedesclients1", "E-------"},
    {"Imprimerfiche1", "E-------"},
    {"Statistiquesarticles1", "E-------"},
    {"Statistiquesventes1", "E-------"},
    {"Statistiquesclients1", "E-------"},
    {"Statscaisse1", "E-------"},
    {"SaveBtn", "E-------"},
    {"CopyBtn", "E-------"},
    {"PasteBtn", "E-------"},
    {"SpeedButton2", "E-------"},
    {"SpeedButton3", "E-------"},
    {"SpeedButton4", "E-------"},
    {"SpeedButton5", "E-------"},
    {"SpeedButton8", "E-------"},
    {"SpeedButton13", "E-------"},
    // Every page.
    {"Supprimerfiche1", "EEEEEEEE"},
    {"Journalcomptable1", "EEEEEEEE"},
    // The page switches: everywhere but on their own page.
    {"Ficheclient1", "-DEEEEEE"},
    {"SpeedButton7", "-DEEEEEE"},
    {"Facture1", "-EDEEEEE"},
    {"SpeedButton9", "-EDEEEEE"},
    {"Articles1", "-EEDEEEE"},
    {"Machines1", "-EEEDEEE"},
    {"SpeedButton12", "-EEEDEEE"},
    {"Caisse1", "-EEEEDEE"},
    {"SpeedButton14", "-EEEEDEE"},
    {"Salle1", "-EEEEEDE"},
    {"SpeedButton15", "-EEEEEDE"},
    {"Historique1", "-EEEEEED"},
    // From the customer card: all customers, a new invoice for the customer.
    {"Touteslesfiches1", "EEDDDDDD"},
    {"Nouvellefiche1", "EEDDDDDD"},
    // Customers.
    {"Rechercher1", "-EDDDDDD"},
    {"RechercherNumroclient1", "-EDDDDDD"},
    {"Recherchetlphone1", "-EDDDDDD"},
    {"Login1", "-EDDDDDD"},
    {"Tier1", "-EDDDDDD"},
    {"Codeposatal1", "-EDDDDDD"},
    {"Ville1", "-EDDDDDD"},
    {"Marques1", "-EDDDDDD"},
    {"Connectes1", "-EDDDDDD"},
    {"SpeedButton10", "-EDDDDDD"},
    {"SpeedButton16", "-EDDDDDD"},
    // Invoices.
    {"PrcdentPgUo1", "-DEDDDDD"},
    {"SuivantPgdn1", "-DEDDDDD"},
    {"Premier2", "-DEDDDDD"},
    {"Dernier2", "-DEDDDDD"},
    {"Supprimerfiche2", "-DEDDDDD"},
    {"Imprimerfiche2", "-DEDDDDD"},
    {"Listedesclients2", "-DEDDDDD"},
    {"Supprimerligne1", "-DEDDDDD"},
    {"Chercherfacture1", "-DEDDDDD"},
    {"Touteslesfactures1", "-DEDDDDD"},
    {"Facturescodeclient1", "-DEDDDDD"},
    // Articles.
    {"Rechercherarticle1", "-DDEDDDD"},
    {"Recherchernumroarticle1", "-DDEDDDD"},
    {"Trierarticles1", "-DDEDDDD"},
    {"Touslesarticles1", "-DDEDDDD"},
    {"Famillesarticles1", "-DDEDDDD"},
    {"Fournisseur1", "-DDEDDDD"},
    {"Stockenalerte1", "-DDEDDDD"},
    // Machines.
    {"Cherchermachine1", "-DDDEDDD"},
    {"Touteslesmachines1", "-DDDEDDD"},
    {"Systmedexploitation1", "-DDDEDDD"},
    {"Horsservice1", "-DDDEDDD"},
    // Cash tickets.
    {"Touslestickets1", "-DDDDEDD"},
    {"Ticketsparclient1", "-DDDDEDD"},
    {"Ticketspays1", "-DDDDEDD"},
    // Orders to the workstations: from the machines, cash register and room pages.
    {"Fermersession1", "-DDDEEED"},
    {"Fermerclient1", "-DDDEEED"},
    {"Envoyermessage1", "-DDDEEED"},
    {"Rebootermachine1", "-DDDEEED"},
    {"Arrtermachine1", "-DDDEEED"},
    {"Fermertouslesclients1", "-DDDEEED"},
    {"Envoyermessagetous1", "-DDDEEED"},
    {"Arrtertouteslesmachines1", "-DDDEEED"},
};

// The "&Sélection" menu: five groups, one per card-file selection operation; within a group one
// item is checked.
struct Selection {
    const char* item;
    void (TFiche::*select)(int);
    int mode;
};
const Selection Selections[] = {
    {"Touteslesfiches1", &TFiche::SetSel, 1},     {"Codeposatal1", &TFiche::SetSel, 2},
    {"Ville1", &TFiche::SetSel, 3},               {"Marques1", &TFiche::SetSel, 4},
    {"Connectes1", &TFiche::SetSel, 5},           {"Touslesarticles1", &TFiche::SetArt, 1},
    {"Famillesarticles1", &TFiche::SetArt, 2},    {"Fournisseur1", &TFiche::SetArt, 3},
    {"Stockenalerte1", &TFiche::SetArt, 4},       {"Touteslesfactures1", &TFiche::SetFact, 0},
    {"Facturescodeclient1", &TFiche::SetFact, 1}, {"Touteslesmachines1", &TFiche::SetPoste, 1},
    {"Systmedexploitation1", &TFiche::SetPoste, 2}, {"Horsservice1", &TFiche::SetPoste, 3},
    {"Touslestickets1", &TFiche::SetCaisse, 1},   {"Ticketsparclient1", &TFiche::SetCaisse, 2},
    {"Ticketspays1", &TFiche::SetCaisse, 3},
};

// The page switches of "&Bases" and their toolbar twins: the card file shows the page, then the
// commands follow it.
struct PageSwitch {
    const char* item;
    const char* button;
    void (TFiche::*show)();
    int page;
};
const PageSwitch PageSwitches[] = {
    {"Ficheclient1", "SpeedButton7", &TFiche::Clients, 1},
    {"Facture1", "SpeedButton9", &TFiche::Facture, 2},
    {"Articles1", nullptr, &TFiche::Articles, 3},
    {"Machines1", "SpeedButton12", &TFiche::Machines, 4},
    {"Caisse1", "SpeedButton14", &TFiche::Caisse, 5},
    {"Salle1", "SpeedButton15", &TFiche::Salle, 6},
    {"Historique1", nullptr, &TFiche::Historique, 7},
};

// Commands that call one card-file operation and nothing else.
const struct {
    const char* command;
    void (TFiche::*operation)();
} CardCommands[] = {
    {"Prcdent1", &TFiche::Precedent},      {"SpeedButton3", &TFiche::Precedent},
    {"Suivant1", &TFiche::Suivant},        {"SpeedButton4", &TFiche::Suivant},
    {"Premier1", &TFiche::Premier},        {"SpeedButton2", &TFiche::Premier},
    {"Dernier1", &TFiche::Dernier},        {"SpeedButton5", &TFiche::Dernier},
    {"Nouvellefiche2", &TFiche::Ajout},    {"SpeedButton6", &TFiche::Ajout},
    {"Listedesclients1", &TFiche::Liste},  {"Listedesclients2", &TFiche::Liste},
    {"Supprimerfiche2", &TFiche::Supprime}, {"Miseenpage1", &TFiche::ParM},
    {"Socit1", &TFiche::Psoc},             {"Facture2", &TFiche::ParF},
    {"Tarification1", &TFiche::Tarification},
    {"Traitementdetexte1", &TFiche::TrTexte},
    {"SpeedButton13", &TFiche::Calculec},  {"Boutonscaisse1", &TFiche::Boutons1},
    {"Famillesarticles2", &TFiche::FamArt}, {"Fournisseurs1", &TFiche::Fournisseurs},
    {"Copier1", &TFiche::Copier},          {"CopyBtn", &TFiche::Copier},
    {"Coller1", &TFiche::Coller},          {"PasteBtn", &TFiche::Coller},
    {"SpeedButton16", &TFiche::GenPasse},
    // The orders to the workstations; the two for all clients that the menu lays out are bound
    // to the card file's orders for all.
    {"Fermersession1", &TFiche::FermerSession}, {"Fermerclient1", &TFiche::FermerClient},
    {"Envoyermessage1", &TFiche::EnvoiMsg},    {"Rebootermachine1", &TFiche::Reboot},
    {"Arrtermachine1", &TFiche::Arreter},      {"Fermertouslesclients1", &TFiche::FermerTous},
    {"Envoyermessagetous1", &TFiche::MsgTous}, {"Arrtertouteslesmachines1", &TFiche::ArreterTous},
    {"Messages1", &TFiche::Messages},      {"Devises1", &TFiche::Devises},
    // Statistics and the accounting journal.
    {"Statistiquesarticles1", &TFiche::StatsPst}, {"Statistiquesventes1", &TFiche::StatsVentes},
    {"Statistiquesclients1", &TFiche::StatsCli},  {"Statscaisse1", &TFiche::StatsCaisse},
    {"Journalcomptable1", &TFiche::Journal},
    // Invoices: removing a line of the grid, finding an invoice by its number.
    {"Supprimerligne1", &TFiche::SupLigne1}, {"Chercherfacture1", &TFiche::ChercheFact},
    // Search, sort and export; each search acts on the page whose kind it has.
    {"Rechercher1", &TFiche::RechNom},     {"Rechercherarticle1", &TFiche::RechNom},
    {"Cherchermachine1", &TFiche::RechNom}, {"Login1", &TFiche::RechLogin},
    {"RechercherNumroclient1", &TFiche::RechNum}, {"Recherchernumroarticle1", &TFiche::RechNum},
    {"Recherchetlphone1", &TFiche::RechTel}, {"Tier1", &TFiche::Trier},
    {"Trierarticles1", &TFiche::Trier},    {"Exporter1", &TFiche::Exporter},
    // Printing: the lists and envelope batch of the "&Imprimer" submenu, the envelope of the card
    // shown, and the card of the page shown ("&Imprimer fiche" too, laid out beside its twins).
    {"Listeclients1", &TFiche::ImpCli},    {"Inventairedesarticles1", &TFiche::ImpPostes},
    {"Listearticles1", &TFiche::ImpArt},
    {"Enveloppes1", &TFiche::Enveloppes},  {"Enveloppecourante1", &TFiche::ImpEnv},
    {"SpeedButton10", &TFiche::ImpEnv},    {"SpeedButton8", &TFiche::ImpFiche},
    {"Imprimerfiche1", &TFiche::ImpFiche}, {"Imprimerfiche2", &TFiche::ImpFiche},
};

const struct {
    const char* command;
    help::Request request;
} HelpCommands[] = {
    {"Index1", help::HelpContents},
    {"Rechercher2", help::HelpPartialKey},
    {"Utiliserlaide1", help::HelpHelpOnHelp},
};

// The set's main file for a chosen name: the name's own extension becomes ".vtr". Only the file
// name's extension counts, never a '.' in a folder (~/.local, data.old), and a name that already
// ends in ".vtr" in any case is kept as it is (on a case-sensitive disk "SET.VTR" and "SET.vtr"
// are two sets).
QString CheminVtr(const QString& chosen)
{
    const int dot = chosen.lastIndexOf(QLatin1Char('.'));
    if (dot <= chosen.lastIndexOf(QLatin1Char('/')))
        return chosen + QStringLiteral(".vtr");
    if (chosen.mid(dot).compare(QStringLiteral(".vtr"), Qt::CaseInsensitive) == 0)
        return chosen;
    return chosen.left(dot) + QStringLiteral(".vtr");
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setupUi(this);
    ::MainForm = this;

    for (QAction* action : findChildren<QAction*>())
        if (!action->objectName().isEmpty())
            commands_.insert(action->objectName(), action);
    for (QMenu* menu : findChildren<QMenu*>())
        commands_.insert(menu->objectName(), menu->menuAction());
    for (QAction* button : SpeedPanel->actions())
        button->setIcon(ToolIcon(button->objectName()));

    for (int i = 0; i < 2; ++i) {
        StatusPanel[i] = new QLabel(StatusBar);
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    StatusPanel[0]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusPanel[1]->setAlignment(Qt::AlignCenter);
    StatusPanel[1]->setFixedWidth(qMax(50, fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 12));
    StatusBar->addWidget(StatusPanel[0], 1);
    StatusBar->addWidget(StatusPanel[1]);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, platform::guard(this, &TMainForm::Timer1Timer));
    Timer1->start();

    BuildSelectionGroups();
    ConnectCommands();
}

TMainForm::~TMainForm()
{
    if (::MainForm == this)
        ::MainForm = nullptr;
}

void TMainForm::SetFiche(TFiche* fiche)
{
    Fiche = fiche;
    // The card file reaches the main window only through what it is handed.
    fiche->WorkingFolder = [this] { return RepertoireAppli; };
    ficheWindow_ = MdiArea->addSubWindow(fiche, Qt::FramelessWindowHint);
    // Without a system menu there is no Ctrl+F4: the card file cannot be closed on its own.
    ficheWindow_->setSystemMenu(nullptr);
    ficheWindow_->showMaximized();
    // The room opens a machine's ticket: the cash-register commands follow.
    fiche->ValideCaisse = [this] { Valide5(); };
    // The statistics and the journal show their progress while the window cannot repaint.
    fiche->AfficheEtat = [this](const QString& text) {
        StatusPanel[0]->setText(text);
        StatusPanel[0]->repaint();
    };
    // "Supprimer ligne" works while the invoice grid has the focus.
    fiche->ActiveSupprimerLigne = [this](bool on) { Command(QStringLiteral("Supprimerligne1"))->setEnabled(on); };
}

QAction* TMainForm::Command(const QString& name) const
{
    return commands_.value(name);
}

void TMainForm::ConnectCommands()
{
    const auto on = [this](const char* name, std::function<void()> handler) {
        connect(Command(QLatin1String(name)), &QAction::triggered, this,
                [handler = std::move(handler)] { platform::Guarded(handler); });
    };
    on("Bouveau1", [this] { Bouveau1Click(); });
    on("SpeedButton1", [this] { Bouveau1Click(); });
    on("OpenItem", [this] { OpenItemClick(); });
    on("OpenBtn", [this] { OpenItemClick(); });
    on("SaveItem", [this] { SaveItemClick(); });
    on("SaveBtn", [this] { SaveItemClick(); });
    on("Enregistrersous1", [this] { SaveAs(); });
    on("Importer1", [this] { Importer1Click(); });
    on("Configuerimprimante1", [] { platform::Dialogs().printerSetup(); });
    on("ExitItem", [this] { close(); });
    on("Supprimerfiche1", [this] { Supprimerfiche1Click(); });
    on("Dmarrerautomatiquement1", [this] { Dmarrerautomatiquement1Click(); });
    on("Ouvrirautomatiquement1", [this] { Ouvrirautomatiquement1Click(); });
    for (const auto& c : CardCommands)
        on(c.command, [this, op = c.operation] { (Fiche->*op)(); });
    for (const PageSwitch& s : PageSwitches) {
        // The handler outlives this loop: it keeps its own copy of the row, never a reference to
        // the loop's variable.
        const auto show = [this, s] {
            (Fiche->*s.show)();
            ApplyEnabling(s.page);
        };
        on(s.item, show);
        if (s.button)
            on(s.button, show);
    }
    for (const auto& h : HelpCommands)
        on(h.command, [request = h.request] { help::Show(request); });
    on("Calendrier1", [this] { accessoires::Calendrier(this); });
    on("Calculatrice1", [this] { accessoires::Calculatrice(this); });
    on("Horloge1", [this] { accessoires::Horloge(this); });
    on("Dpartements1", [this] { accessoires::Departements(this); });
    on("Apropos1", [this] { accessoires::APropos(this); });
    on("Blocnotes1", [this] { accessoires::BlocNotes(this, RepertoireAppli); });
    // A new invoice for the customer on the card: the invoice page comes up, its commands with it.
    on("Nouvellefiche1", [this] {
        Fiche->NouvFact();
        ApplyEnabling(2);
    });
}

void TMainForm::BuildSelectionGroups()
{
    // The rows of a group follow one another in the table.
    QActionGroup* group = nullptr;
    for (std::size_t i = 0; i < std::size(Selections); ++i) {
        if (i == 0 || Selections[i].select != Selections[i - 1].select)
            group = new QActionGroup(this);
        QAction* item = Command(QLatin1String(Selections[i].item));
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { platform::Guarded([&] { Select(item); }); });
    }
}

void TMainForm::Select(QAction* item)
{
    for (const Selection& s : Selections) {
        if (item->objectName() != QLatin1String(s.item))
            continue;
        item->setChecked(true);  // the group unchecks the others
        (Fiche->*s.select)(s.mode);
        Fiche->Premier();
        return;
    }
}

// ---- form events --------------------------------------------------------------------------------

bool TMainForm::event(QEvent* event)
{
    // A hint goes to panel 0, not to a passing message that would hide both panels.
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        platform::Guarded([this] { FormShow(); });
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    bool canClose = false;
    platform::Guarded([&] { canClose = FormCloseQuery(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    platform::Guarded([this] { FormClose(); });
    event->accept();
}

void TMainForm::FormShow()
{
    RepertoireAppli = QDir::currentPath();
    help::SetHelpFile(RepertoireAppli + QStringLiteral("/Velmora.hlp"));
    // The card file loads the settings when it becomes the active child; they must be in before
    // they are asked for.
    if (ficheWindow_ && MdiArea->activeSubWindow() != ficheWindow_)
        MdiArea->setActiveSubWindow(ficheWindow_);
    bool ouvrirAuto = false;
    int mode = 0;
    Fiche->GetIni(ouvrirAuto, NomFichier, mode);
    Fiche->SetSel(0);
    bool demarrage = false;
    Fiche->GetStart(demarrage);
    if (ouvrirAuto) {
        Ouvrirautomatiquement1->setChecked(true);
        // A last set that cannot be read is not the set in memory: saving must not go over it.
        if (Fiche->Charge(NomFichier)) {
            Valide();
            Valide1();
        } else {
            NomFichier.clear();
        }
    }
    if (demarrage)
        Dmarrerautomatiquement1->setChecked(true);
}

void TMainForm::FormResize()
{
    StatusPanel[0]->setMaximumWidth(qMax(0, width() - 100));
}

bool TMainForm::FormCloseQuery()
{
    return SavePrompt();
}

void TMainForm::FormClose()
{
    // The settings files live in the folder the program started in.
    QDir::setCurrent(RepertoireAppli);
    Fiche->SauveIni(NomFichier);
    Fiche->SauveSoc();
    Fiche->SauveCombo();
}

void TMainForm::Timer1Timer()
{
    StatusPanel[1]->setText(rtl::FormatDateTime(QStringLiteral("hh:nn:ss"), rtl::Now()));
}

void TMainForm::ShowHint(const QString& hint)
{
    StatusPanel[0]->setText(hint);
}

// ---- the saved set ------------------------------------------------------------------------------

bool TMainForm::SavePrompt()
{
    bool modified = false;
    Fiche->TestModif(modified);
    if (!modified)
        return true;
    return SaveChangesPrompt(NomFichier, [this] {
        // A set without a name is asked for one; giving none stops the command.
        return NomFichier.isEmpty() ? SaveAs() : Fiche->Sauve(NomFichier);
    });
}

void TMainForm::Bouveau1Click()
{
    if (!SavePrompt())
        return;
    NomFichier.clear();
    Fiche->Nouveau();
    Valide();
    Valide1();
    Fiche->Clients();
    Select(Touteslesfiches1);
}

void TMainForm::OpenItemClick()
{
    if (!SavePrompt())
        return;
    const QString path = platform::Dialogs().openFile(OpenFilter);
    if (path.isEmpty())
        return;
    // A file refused here leaves the open set, and its name, as they were.
    if (rtl::UpperCase(path.right(4)) != QLatin1String(".VTR")) {
        platform::ShowMessage(QStringLiteral("Type de fichier non valide"));
        return;
    }
    if (!QFileInfo(path).isFile()) {
        platform::ShowMessage(QStringLiteral("Le fichier n'existe pas"));
        return;
    }
    if (!Fiche->Charge(path))
        return;
    NomFichier = path;
    Valide();
    Valide1();
    Select(Touteslesfiches1);
}

bool TMainForm::SaveAs()
{
    const QString chosen = platform::Dialogs().saveFile(SaveFilter, QStringLiteral("*.vtr"));
    if (chosen.isEmpty()) {
        NomFichier.clear();  // the set has no name now: the next save asks for one
        return false;
    }
    const QString path = CheminVtr(chosen);
    // Refusing to replace a set keeps the name the set had, so no later save can write over
    // the file refused here.
    if (QFileInfo::exists(path)
        && MessageDlg(QStringLiteral("Ce fichier existe déjà"), platform::mtWarning, platform::mbOK | platform::mbCancel)
               != platform::mrOk)
        return false;
    // A set that could not be written there keeps the name it had: the prompts and the settings
    // go on naming the files that are on disk.
    const QString previous = NomFichier;
    NomFichier = path;
    Fiche->SetSauve();
    const bool saved = Fiche->Sauve(NomFichier);
    if (!saved)
        NomFichier = previous;
    setWindowTitle(QStringLiteral("Velmora"));
    return saved;
}

void TMainForm::SaveItemClick()
{
    if (!QFileInfo(NomFichier).isFile())
        NomFichier.clear();
    // A save as that wrote nothing ends the command: after a failed write, a second try would only
    // report the same failure again.
    if (NomFichier.isEmpty() && !SaveAs())
        return;
    if (!NomFichier.isEmpty()) {
        NomFichier = CheminVtr(NomFichier);
        Fiche->Sauve(NomFichier);
    }
}

void TMainForm::Importer1Click()
{
    Fiche->Importer();
    Valide();
    Valide1();
    Select(Touteslesfiches1);
}

void TMainForm::Supprimerfiche1Click()
{
    if (MessageDlg(QStringLiteral("Confirmer suppression de la fiche ?"), platform::mtWarning,
                   platform::mbOK | platform::mbCancel)
        == platform::mrOk)
        Fiche->Supprime();
}

// ---- settings of the program ----------------------------------------------------------------------

void TMainForm::Dmarrerautomatiquement1Click()
{
    // The mark shows the flag, also when the autostart entry could not be changed.
    const auto showFlag = qScopeGuard([this] {
        bool flag = false;
        Fiche->GetStart(flag);
        Dmarrerautomatiquement1->setChecked(flag);
    });
    Fiche->SetStart(Dmarrerautomatiquement1->isChecked());
}

void TMainForm::Ouvrirautomatiquement1Click()
{
    // Only the flag changes: the open set keeps its name.
    Fiche->SetIni(Ouvrirautomatiquement1->isChecked());
}

// ---- command enabling ---------------------------------------------------------------------------

void TMainForm::ApplyEnabling(int call)
{
    for (const Enabling& row : EnablingTable) {
        const char state = row.states[call];
        if (state == '-')
            continue;
        QAction* command = Command(QLatin1String(row.command));
        command->setEnabled(state == 'E');
        // A submenu's item only looks enabled: the menu itself must follow, or it never opens.
        if (QMenu* menu = command->menu())
            menu->setEnabled(state == 'E');
    }
}

void TMainForm::Valide() { ApplyEnabling(0); }
void TMainForm::Valide1() { ApplyEnabling(1); }
void TMainForm::Valide2() { ApplyEnabling(2); }
void TMainForm::Valide3() { ApplyEnabling(3); }
void TMainForm::Valide4() { ApplyEnabling(4); }
void TMainForm::Valide5() { ApplyEnabling(5); }
void TMainForm::Valide6() { ApplyEnabling(6); }
void TMainForm::Valide7() { ApplyEnabling(7); }
