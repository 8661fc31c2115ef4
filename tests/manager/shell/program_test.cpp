// The main window around its commands: start-up settings, activation of the card file, status
// bar, hints, help, start and open automatically, selections, and the confirmed delete.
#include <gtest/gtest-spi.h>
#include <QDialog>
#include <QEnterEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScopeGuard>
#include <QTimer>
#include <QToolBar>
#include <map>
#include "platform/autostart.h"
#include "platform/help.h"
#include "support/clock.h"
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

using namespace platform;

// "Velmora.ini" with the last set, the open-automatically flag and the start flag; the other
// values as a fresh installation writes them.
QByteArray Ini(const QString& lastSet, int ouvrirAuto, int demarrageAuto)
{
    QStringList lines = {lastSet, QString::number(ouvrirAuto)};
    for (int line = 3; line <= 23; ++line)
        lines << QStringLiteral("0");
    lines << QString() << QString() << QString() << QStringLiteral("5") << QString::number(demarrageAuto);
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

using ProgramTest = MainFormTest;

// ---- start ------------------------------------------------------------------------------------

// The settings are loaded when the card file becomes active, before the main window reads them:
// the last set opens at start when the flag says so.
TEST_F(ProgramTest, OpensTheLastSetAtStart)
{
    Write("club.vtr", {});
    Write("Velmora.ini", Ini(Path("club.vtr"), 1, 0));
    Show();
    EXPECT_EQ(form->NomFichier, Path("club.vtr"));
    EXPECT_EQ(fiche->CheminFichier, Path("club.vtr"));
    EXPECT_TRUE(Command("Ouvrirautomatiquement1")->isChecked());
    EXPECT_FALSE(Command("Dmarrerautomatiquement1")->isChecked());
    EXPECT_TRUE(Enabled("SaveItem"));
    EXPECT_FALSE(Enabled("Ficheclient1"));
    EXPECT_EQ(form->RepertoireAppli, QDir::currentPath());
}

// A last set that cannot be read at start leaves the program without a set name, so that the
// next save asks for one instead of going over that set.
TEST_F(ProgramTest, ALastSetThatCannotBeReadLeavesNoName)
{
    Write("club.vtr", "<BLOC0000>\r\n10001\r\n</BLOC0000>\r\n");
    Write("club.stk/inside.txt", "x");
    Write("Velmora.ini", Ini(Path("club.vtr"), 1, 0));
    ScriptedDialogs dialogs;
    dialogs.message(QStringLiteral("Impossible de lire club.stk.\nLe dossier n'a pas été ouvert."));
    Show();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(form->NomFichier, QString());
    EXPECT_EQ(fiche->CheminFichier, QString());
    EXPECT_FALSE(Enabled("SaveItem"));
}

TEST_F(ProgramTest, WithoutTheFlagNothingOpens)
{
    Write("club.vtr", {});
    Write("Velmora.ini", Ini(Path("club.vtr"), 0, 1));
    Show();
    EXPECT_TRUE(form->NomFichier.isEmpty());
    EXPECT_TRUE(fiche->CheminFichier.isEmpty());
    EXPECT_FALSE(Command("Ouvrirautomatiquement1")->isChecked());
    EXPECT_TRUE(Command("Dmarrerautomatiquement1")->isChecked());
    EXPECT_FALSE(Enabled("SaveItem"));
}

// The card file is activated once, as the main window's child; a modal dialog or another window
// taking the focus and giving it back is no new activation, and what dialogs changed in memory
// stays.
TEST_F(ProgramTest, TheCardFileIsActivatedOnce)
{
    Write("Velmora.ini", Ini(QString(), 0, 0));
    Show();
    EXPECT_EQ(fiche->ActivationCount, 1);
    fiche->HeuresAbonnement = 9;

    QDialog dialog(form.get());
    QTimer::singleShot(0, &dialog, &QDialog::accept);
    dialog.exec();

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    EXPECT_EQ(fiche->ActivationCount, 1);
    EXPECT_EQ(fiche->HeuresAbonnement, 9);
}

TEST_F(ProgramTest, TheCardFileIsTheMaximisedFramelessChild)
{
    Show();
    QMdiSubWindow* sub = form->MdiArea->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->widget(), fiche);
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_TRUE(sub->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form->MdiArea->subWindowList().size(), 1);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Velmora"));
}

// ---- status bar -----------------------------------------------------------------------------------

TEST_F(ProgramTest, ClockInPanelOne)
{
    // Every digit of the time differs, so that none stands in for another.
    ScopedClock clock{QDateTime(QDate(2026, 3, 4), QTime(14, 5, 9))};
    EXPECT_EQ(form->Timer1->interval(), 1000);
    EXPECT_TRUE(form->Timer1->isActive());
    form->Timer1Timer();
    EXPECT_EQ(form->StatusPanel[1]->text(), QStringLiteral("14:05:09"));
    EXPECT_EQ(form->StatusPanel[1]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

TEST_F(ProgramTest, HintsOfTheToolbarGoToPanelZero)
{
    Show();
    QToolBar* panel = form->findChild<QToolBar*>("SpeedPanel");
    QWidget* button = panel->widgetForAction(Command("OpenBtn"));
    ASSERT_NE(button, nullptr);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(button, &enter);
    EXPECT_EQ(form->StatusPanel[0]->text(), QStringLiteral("Ouvrir"));
    EXPECT_TRUE(form->StatusPanel[1]->isVisible()) << "a hint hides no panel";
}

TEST_F(ProgramTest, PanelZeroLeavesRoomForTheClock)
{
    Show();
    for (const int width : {640, 800}) {
        form->setWindowState(Qt::WindowNoState);
        form->resize(width, 400);
        EXPECT_EQ(form->StatusPanel[0]->maximumWidth(), width - 100);
    }
}

// ---- help ---------------------------------------------------------------------------------------

TEST_F(ProgramTest, HelpRequestsOnTheHelpFileOfTheStartFolder)
{
    Write("Velmora.hlp", "<html><body>Velmora</body></html>");
    Show();
    struct Request {
        help::Request request;
        QString file, key;
    };
    std::vector<Request> seen;
    help::SetViewer([&](help::Request r, const QString& file, const QString& key) {
        seen.push_back({r, file, key});
        return true;
    });
    const auto restore = qScopeGuard([] { help::SetViewer({}); });
    const struct {
        const char* command;
        help::Request request;
    } cases[] = {{"Index1", help::HelpContents},
                 {"Rechercher2", help::HelpPartialKey},
                 {"Utiliserlaide1", help::HelpHelpOnHelp}};
    for (const auto& c : cases) {
        seen.clear();
        Command(c.command)->trigger();
        ASSERT_EQ(seen.size(), 1u) << c.command;
        EXPECT_EQ(seen[0].request, c.request) << c.command;
        EXPECT_EQ(seen[0].file, Path("Velmora.hlp")) << c.command;
        EXPECT_TRUE(seen[0].key.isEmpty()) << c.command;
    }
}

// ---- start and open automatically -----------------------------------------------------------------

TEST_F(ProgramTest, StartAutomaticallyAddsAndRemovesTheEntryAtOnce)
{
    Show();
    const QString entry = Path("config/autostart/Velmora.desktop");
    ASSERT_EQ(autostart::EntryPath("Velmora"), entry);

    Command("Dmarrerautomatiquement1")->trigger();
    EXPECT_TRUE(Command("Dmarrerautomatiquement1")->isChecked());
    EXPECT_EQ(fiche->DemarrageAuto, 1);
    const QString text = QString::fromUtf8(Read(entry));
    EXPECT_TRUE(text.contains(QCoreApplication::applicationFilePath())) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Path=") + work.path())) << text.toStdString();

    Command("Dmarrerautomatiquement1")->trigger();
    EXPECT_FALSE(Command("Dmarrerautomatiquement1")->isChecked());
    EXPECT_EQ(fiche->DemarrageAuto, 0);
    EXPECT_FALSE(QFileInfo::exists(entry));
}

// An entry that cannot be written is reported, and neither the flag nor the mark claims it.
TEST_F(ProgramTest, StartAutomaticallyThatCannotBeWrittenStaysOff)
{
    Show();
    Write("config/autostart", "a file where the folder should be");
    {
        ScriptedDialogs dialogs;
        EXPECT_NONFATAL_FAILURE(Command("Dmarrerautomatiquement1")->trigger(), "démarrage automatique");
    }
    EXPECT_FALSE(Command("Dmarrerautomatiquement1")->isChecked());
    EXPECT_EQ(fiche->DemarrageAuto, 0);
}

// Only the flag changes: the open set keeps its name whatever the last set of the settings is.
TEST_F(ProgramTest, OpenAutomaticallyTogglesOnlyTheFlag)
{
    Write("Velmora.ini", Ini(QString(), 0, 0));
    Show();
    form->NomFichier = Path("mine.vtr");
    fiche->DernierFichier = Path("other.vtr");
    Command("Ouvrirautomatiquement1")->trigger();
    EXPECT_TRUE(Command("Ouvrirautomatiquement1")->isChecked());
    EXPECT_EQ(fiche->OuvrirAuto, 1);
    EXPECT_EQ(form->NomFichier, Path("mine.vtr"));
    Command("Ouvrirautomatiquement1")->trigger();
    EXPECT_FALSE(Command("Ouvrirautomatiquement1")->isChecked());
    EXPECT_EQ(fiche->OuvrirAuto, 0);
    EXPECT_EQ(form->NomFichier, Path("mine.vtr"));
}

// ---- selections ---------------------------------------------------------------------------------

// Each item of "&Sélection" sets its kind's selection in the card file (a selection by a value
// asks for it, cancelled here) and is checked alone in its group; the other groups keep theirs.
TEST_F(ProgramTest, ASelectionIsCheckedAloneInItsGroup)
{
    Show();
    enum class Asks { Nothing, Input, Combo };
    struct Case {
        const char* item;
        int TFiche::*mode;
        int value;
        Asks asks = Asks::Nothing;
        const char* caption = "";
    };
    const std::vector<std::vector<Case>> groups = {
        {{"Touteslesfiches1", &TFiche::ModeSelection, 1},
         {"Codeposatal1", &TFiche::ModeSelection, 2, Asks::Input, "Rechercher code postal"},
         {"Ville1", &TFiche::ModeSelection, 3, Asks::Input, "Rechercher Ville"},
         {"Marques1", &TFiche::ModeSelection, 4},
         {"Connectes1", &TFiche::ModeSelection, 5}},
        {{"Touslesarticles1", &TFiche::ModeSelectionArticles, 1},
         {"Famillesarticles1", &TFiche::ModeSelectionArticles, 2, Asks::Combo},
         {"Fournisseur1", &TFiche::ModeSelectionArticles, 3, Asks::Combo},
         {"Stockenalerte1", &TFiche::ModeSelectionArticles, 4}},
        {{"Touteslesfactures1", &TFiche::ModeSelectionFactures, 0},
         {"Facturescodeclient1", &TFiche::ModeSelectionFactures, 1, Asks::Input, "Sélectionner factures"}},
        {{"Touteslesmachines1", &TFiche::ModeSelectionPostes, 1},
         {"Systmedexploitation1", &TFiche::ModeSelectionPostes, 2, Asks::Combo},
         {"Horsservice1", &TFiche::ModeSelectionPostes, 3}},
        {{"Touslestickets1", &TFiche::ModeSelectionTickets, 1},
         {"Ticketsparclient1", &TFiche::ModeSelectionTickets, 2, Asks::Input, "Sélectionner client"},
         {"Ticketspays1", &TFiche::ModeSelectionTickets, 3}},
    };
    for (const auto& group : groups) {
        for (const Case& chosen : group) {
            SCOPED_TRACE(chosen.item);
            std::map<QString, bool> before;
            for (const auto& g : groups)
                for (const Case& c : g)
                    before[c.item] = Command(c.item)->isChecked();
            fiche->*chosen.mode = -1;
            ScriptedDialogs dialogs;
            if (chosen.asks == Asks::Input)
                dialogs.inputCancel(QString::fromUtf8(chosen.caption));
            else if (chosen.asks == Asks::Combo)
                dialogs.dialog(QStringLiteral("TInputCombo"), [](QDialog* d) { d->reject(); });
            Run(chosen.item);
            EXPECT_TRUE(dialogs.done());
            EXPECT_EQ(fiche->*chosen.mode, chosen.value);
            for (const auto& g : groups)
                for (const Case& c : g) {
                    const bool want = &g == &group ? &c == &chosen : before[c.item];
                    EXPECT_EQ(Command(c.item)->isChecked(), want) << c.item;
                }
        }
    }
}

// ---- commands of the card --------------------------------------------------------------------------

TEST_F(ProgramTest, DeleteCardAsksFirst)
{
    Show();
    {
        ScriptedDialogs dialogs;
        dialogs.message(QStringLiteral("Confirmer suppression de la fiche ?"), mrCancel);
        Run("Supprimerfiche1");
    }
    EXPECT_FALSE(fiche->DoitSauver) << "nothing deleted";
    {
        ScriptedDialogs dialogs;
        dialogs.message(QStringLiteral("Confirmer suppression de la fiche ?"), mrOk);
        Run("Supprimerfiche1");
    }
    EXPECT_TRUE(fiche->DoitSauver) << "the card was deleted";
}

TEST_F(ProgramTest, PrinterSetUpGoesThroughTheDialogService)
{
    Show();
    ScriptedDialogs dialogs;
    dialogs.printerSetup(false);
    Command("Configuerimprimante1")->trigger();
    EXPECT_TRUE(dialogs.done());
}

}  // namespace
