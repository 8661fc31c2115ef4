// New, open, save, save as and closing: the save prompt, the messages, the set's name and what
// reaches the disk.
#include <gtest/gtest-spi.h>
#include <QFileInfo>
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

using namespace platform;

QString Prompt(const QString& fileName)
{
    return QStringLiteral("Enregistrer changements dans ") + fileName + QStringLiteral(" ?");
}

const QByteArray OldContent = "not yet saved\r\n";

class FlowsTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        Show();
    }

    // The open set "a.vtr" on disk, with content that any save replaces, and changed in memory.
    void OpenModifiedSet()
    {
        Write("a.vtr", OldContent);
        form->NomFichier = Path("a.vtr");
        fiche->DoitSauver = true;
    }
    bool Saved(const QString& name) const { return QFileInfo::exists(Path(name)) && Read(Path(name)) != OldContent; }

    // "&Enregistrer" on a set without a name asks for one (refused here).
    void SaveAsksForAName()
    {
        ScriptedDialogs dialogs;
        dialogs.save(QString());
        Run("SaveItem");
        EXPECT_TRUE(dialogs.done());
    }
};

// ---- the save prompt of new, open and close --------------------------------------------------

enum class Cmd { New, Open, Close };

struct PromptCase {
    const char* label;
    Cmd command;
    bool named;      // the set has a file
    int answer;      // to the prompt
    QString saveAs;  // the name given to "Enregistrer sous" (unnamed Yes); empty: cancelled
    bool saves;      // the set reaches the disk
    bool goesOn;     // the command that asked continues
};

void PrintTo(const PromptCase& c, std::ostream* os)
{
    *os << c.label;
}

class SavePromptTest : public FlowsTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(SavePromptTest, AnswersDecide)
{
    const PromptCase& c = GetParam();
    if (c.named) {
        OpenModifiedSet();
    } else {
        fiche->DoitSauver = true;
    }
    ScriptedDialogs dialogs;
    dialogs.message(Prompt(c.named ? QStringLiteral("a.vtr") : QString()), c.answer);
    if (!c.named && c.answer == mrYes)
        dialogs.save(c.saveAs.isEmpty() ? QString() : Path(c.saveAs));
    // A command that goes on shows what comes next: the open dialog, cancelled here.
    if (c.command == Cmd::Open && c.goesOn)
        dialogs.open(QString());

    bool closed = false;
    switch (c.command) {
    case Cmd::New:
        Command("Bouveau1")->trigger();
        break;
    case Cmd::Open:
        Command("OpenItem")->trigger();
        break;
    case Cmd::Close:
        closed = form->close();
        break;
    }

    EXPECT_TRUE(dialogs.done());
    if (c.named) {
        EXPECT_EQ(Saved("a.vtr"), c.saves);
    } else if (!c.saveAs.isEmpty()) {
        EXPECT_EQ(QFileInfo::exists(Path(c.saveAs)), c.saves);
    }
    if (c.command == Cmd::New) {
        EXPECT_EQ(Enabled("SaveItem"), c.goesOn) << "a new set enables the commands of an open set";
    }
    if (c.command == Cmd::Close) {
        EXPECT_EQ(closed, c.goesOn);
    }
}

const QString NewName = QStringLiteral("named.vtr");

INSTANTIATE_TEST_SUITE_P(
    Commands, SavePromptTest,
    ::testing::Values(PromptCase{"NewYes", Cmd::New, true, mrYes, {}, true, true},
                      PromptCase{"NewNo", Cmd::New, true, mrNo, {}, false, true},
                      PromptCase{"NewCancel", Cmd::New, true, mrCancel, {}, false, false},
                      PromptCase{"OpenYes", Cmd::Open, true, mrYes, {}, true, true},
                      PromptCase{"OpenNo", Cmd::Open, true, mrNo, {}, false, true},
                      PromptCase{"OpenCancel", Cmd::Open, true, mrCancel, {}, false, false},
                      PromptCase{"CloseYes", Cmd::Close, true, mrYes, {}, true, true},
                      PromptCase{"CloseNo", Cmd::Close, true, mrNo, {}, false, true},
                      PromptCase{"CloseCancel", Cmd::Close, true, mrCancel, {}, false, false},
                      // A set without a name is asked for one; giving none stops the command.
                      PromptCase{"NewUnnamedYesNamed", Cmd::New, false, mrYes, NewName, true, true},
                      PromptCase{"NewUnnamedYesCancelled", Cmd::New, false, mrYes, {}, false, false},
                      PromptCase{"OpenUnnamedYesNamed", Cmd::Open, false, mrYes, NewName, true, true},
                      PromptCase{"OpenUnnamedYesCancelled", Cmd::Open, false, mrYes, {}, false, false},
                      PromptCase{"CloseUnnamedYesNamed", Cmd::Close, false, mrYes, NewName, true, true},
                      PromptCase{"CloseUnnamedYesCancelled", Cmd::Close, false, mrYes, {}, false, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(FlowsTest, NoPromptForASetWithoutChanges)
{
    ScriptedDialogs dialogs;  // any dialog fails the test
    form->NomFichier = Path("a.vtr");
    Command("Bouveau1")->trigger();
    EXPECT_TRUE(form->NomFichier.isEmpty());
    EXPECT_TRUE(form->close());
}

// A save that fails keeps the set to be saved: the command that asked stops, nothing is thrown
// away.
TEST_F(FlowsTest, AFailedSaveStopsTheClose)
{
    Write("plain", "x");  // a file where the set's folder should be: nothing can be written there
    form->NomFichier = Path("plain/a.vtr");
    fiche->DoitSauver = true;
    bool closed = true;
    {
        ScriptedDialogs dialogs;
        dialogs.message(Prompt("a.vtr"), mrYes);
        // The card file reports the failure in a box of its own, which no script expects.
        EXPECT_NONFATAL_FAILURE(closed = form->close(), "Impossible d'enregistrer a.vtr");
    }
    EXPECT_FALSE(closed);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(fiche->DoitSauver);
}

// ---- open -------------------------------------------------------------------------------------

TEST_F(FlowsTest, OpenLoadsTheSetAndShowsTheCustomers)
{
    Write("club.VTR", {});
    ScriptedDialogs dialogs;
    dialogs.open(Path("club.VTR"));
    Command("Ville1")->setChecked(true);
    Command("OpenItem")->trigger();

    EXPECT_EQ(form->NomFichier, Path("club.VTR"));
    EXPECT_EQ(fiche->CheminFichier, Path("club.VTR"));
    EXPECT_TRUE(Command("Touteslesfiches1")->isChecked());
    EXPECT_FALSE(Command("Ville1")->isChecked());
    // The customer page's commands are on, the other pages' off, and "&Clients" off.
    EXPECT_TRUE(Enabled("SaveItem"));
    EXPECT_TRUE(Enabled("Rechercher1"));
    EXPECT_FALSE(Enabled("Ficheclient1"));
    for (const char* other :
         {"Chercherfacture1", "Rechercherarticle1", "Cherchermachine1", "Ticketspays1", "Rebootermachine1"})
        EXPECT_FALSE(Enabled(other)) << other;
}

// A refused file leaves the open set and its name as they were.
TEST_F(FlowsTest, RefusedFilesKeepTheOpenSet)
{
    Write("a.vtr", {});
    Write("notes.txt", "x");
    Write("folder.vtr/inside.txt", "x");
    form->NomFichier = Path("a.vtr");
    const struct {
        QString chosen;
        QString message;
    } cases[] = {
        {Path("notes.txt"), QStringLiteral("Type de fichier non valide")},
        {Path("set.vt"), QStringLiteral("Type de fichier non valide")},
        {Path("absent.vtr"), QStringLiteral("Le fichier n'existe pas")},
        {Path("folder.vtr"), QStringLiteral("Le fichier n'existe pas")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        ScriptedDialogs dialogs;
        dialogs.open(c.chosen).message(c.message);
        Command("OpenItem")->trigger();
        EXPECT_EQ(form->NomFichier, Path("a.vtr"));
        EXPECT_FALSE(Enabled("SaveItem")) << "no set was loaded";
    }
}

// A set one of whose files cannot be read is not opened: the open set keeps its name, so that
// saving it never goes over the set that could not be read.
TEST_F(FlowsTest, ASetThatCannotBeReadKeepsTheOpenSet)
{
    Write("a.vtr", {});
    Write("b.vtr", "<BLOC0000>\r\n10001\r\n</BLOC0000>\r\n");
    Write("b.cai/inside.txt", "x");
    form->NomFichier = Path("a.vtr");
    ScriptedDialogs dialogs;
    dialogs.open(Path("b.vtr")).message(QStringLiteral("Impossible de lire b.cai.\nLe dossier n'a pas été ouvert."));
    Command("OpenItem")->trigger();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(form->NomFichier, Path("a.vtr"));
    EXPECT_EQ(fiche->NbClients, 0);
    EXPECT_FALSE(Enabled("SaveItem")) << "no set was loaded";
}

TEST_F(FlowsTest, CancelledOpenChangesNothing)
{
    form->NomFichier = Path("a.vtr");
    ScriptedDialogs dialogs;
    dialogs.open(QString());
    Command("OpenBtn")->trigger();
    EXPECT_EQ(form->NomFichier, Path("a.vtr"));
    EXPECT_FALSE(Enabled("SaveItem"));
}

// ---- save as ------------------------------------------------------------------------------------

struct NameCase {
    const char* label;
    const char* chosen;    // below the working folder
    const char* expected;  // the set's main file
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.chosen;
}

class SaveAsNameTest : public FlowsTest, public ::testing::WithParamInterface<NameCase> {};

// The name's own extension becomes ".vtr"; a '.' in a folder name is part of the folder.
TEST_P(SaveAsNameTest, TheChosenNameBecomesTheSetsFile)
{
    const NameCase& c = GetParam();
    QDir().mkpath(QFileInfo(Path(c.chosen)).path());
    ScriptedDialogs dialogs;
    dialogs.save(Path(c.chosen));
    EXPECT_TRUE(form->SaveAs());
    EXPECT_EQ(form->NomFichier, Path(c.expected));
    EXPECT_TRUE(QFileInfo(Path(c.expected)).isFile()) << "save as always writes";
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Velmora"));
}

INSTANTIATE_TEST_SUITE_P(Names, SaveAsNameTest,
                         ::testing::Values(NameCase{"Plain", "set.vtr", "set.vtr"},
                                           NameCase{"HiddenFolder", "home/u/.local/x.vtr", "home/u/.local/x.vtr"},
                                           NameCase{"DottedFolder", "data.old/set.vtr", "data.old/set.vtr"},
                                           NameCase{"DottedFolderNoExtension", "data.old/set", "data.old/set.vtr"},
                                           NameCase{"OtherExtension", "club.txt", "club.vtr"},
                                           NameCase{"DotsInTheName", "club.2024.txt", "club.2024.vtr"},
                                           NameCase{"UpperCaseExtension", "SET.VTR", "SET.VTR"},
                                           NameCase{"TrailingDot", "set.", "set.vtr"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(FlowsTest, SaveAsOntoAnExistingSetReplacesItOnOk)
{
    Write("other.vtr", OldContent);
    ScriptedDialogs dialogs;
    dialogs.save(Path("other.vtr")).message(QStringLiteral("Ce fichier existe déjà"), mrOk);
    EXPECT_TRUE(form->SaveAs());
    EXPECT_EQ(form->NomFichier, Path("other.vtr"));
    EXPECT_TRUE(Saved("other.vtr"));
}

// Refusing to replace a set keeps the name the open set had, so "&Enregistrer" never writes over
// the refused file afterwards.
TEST_F(FlowsTest, SaveAsCancelledOnAnExistingSetKeepsTheName)
{
    Write("mine.vtr", OldContent);
    Write("other.vtr", OldContent);
    form->NomFichier = Path("mine.vtr");
    fiche->DoitSauver = true;
    {
        ScriptedDialogs dialogs;
        dialogs.save(Path("other.vtr")).message(QStringLiteral("Ce fichier existe déjà"), mrCancel);
        EXPECT_FALSE(form->SaveAs());
    }
    EXPECT_EQ(form->NomFichier, Path("mine.vtr"));
    EXPECT_EQ(Read(Path("other.vtr")), OldContent);

    Run("SaveItem");
    EXPECT_EQ(Read(Path("other.vtr")), OldContent);
    EXPECT_TRUE(Saved("mine.vtr"));
}

TEST_F(FlowsTest, SaveAsCancelledOnAnExistingSetLeavesAnUnnamedSetUnnamed)
{
    Write("other.vtr", OldContent);
    fiche->DoitSauver = true;
    {
        ScriptedDialogs dialogs;
        dialogs.save(Path("other.vtr")).message(QStringLiteral("Ce fichier existe déjà"), mrCancel);
        EXPECT_FALSE(form->SaveAs());
    }
    EXPECT_TRUE(form->NomFichier.isEmpty());
    // "&Enregistrer" asks for a name again instead of writing the refused file.
    SaveAsksForAName();
    EXPECT_EQ(Read(Path("other.vtr")), OldContent);
}

TEST_F(FlowsTest, CancelledSaveAsDialogLeavesTheSetWithoutAName)
{
    Write("a.vtr", OldContent);
    form->NomFichier = Path("a.vtr");
    {
        ScriptedDialogs dialogs;
        dialogs.save(QString());
        EXPECT_FALSE(form->SaveAs());
    }
    EXPECT_TRUE(form->NomFichier.isEmpty());
    SaveAsksForAName();
}

// A save as that could not write (a folder in the way of a sibling file) renames nothing: the
// caption, the quit prompt and the settings go on naming the set that is on disk.
TEST_F(FlowsTest, FailedSaveAsKeepsThePreviousName)
{
    Write("a.vtr", {});
    ASSERT_TRUE(fiche->Charge(Path("a.vtr")));
    form->NomFichier = Path("a.vtr");
    fiche->DoitSauver = true;
    QDir().mkpath(Path("b.stk"));
    {
        ScriptedDialogs dialogs;
        dialogs.save(Path("b.vtr"));
        bool saved = true;
        EXPECT_NONFATAL_FAILURE(saved = form->SaveAs(), "Impossible d'enregistrer b.vtr");
        EXPECT_FALSE(saved);
    }
    EXPECT_EQ(form->NomFichier, Path("a.vtr"));
    EXPECT_EQ(fiche->windowTitle(), QStringLiteral("a.vtr"));
    EXPECT_FALSE(QFileInfo::exists(Path("b.vtr")));
    {
        ScriptedDialogs dialogs;
        dialogs.message(Prompt(QStringLiteral("a.vtr")), mrNo);
        EXPECT_TRUE(form->close());
    }
    const QByteArray ini = Read(Path("Velmora.ini"));
    EXPECT_TRUE(ini.startsWith(QFile::encodeName(Path("a.vtr")) + "\r\n")) << ini.left(80).toStdString();
}

// ---- save ---------------------------------------------------------------------------------------

TEST_F(FlowsTest, SaveWritesOnlyAModifiedSet)
{
    Write("a.vtr", OldContent);
    form->NomFichier = Path("a.vtr");
    ScriptedDialogs dialogs;  // a named set on disk is saved without a question
    Run("SaveItem");
    EXPECT_EQ(Read(Path("a.vtr")), OldContent) << "nothing changed, nothing written";
    fiche->DoitSauver = true;
    Command("SaveItem")->trigger();
    EXPECT_TRUE(Saved("a.vtr"));
    EXPECT_FALSE(fiche->DoitSauver);
}

TEST_F(FlowsTest, SaveOfASetWhoseFileIsGoneAsksForAName)
{
    form->NomFichier = Path("gone.vtr");
    fiche->DoitSauver = true;
    ScriptedDialogs dialogs;
    dialogs.save(Path("new.vtr"));
    Run("SaveBtn");
    EXPECT_EQ(form->NomFichier, Path("new.vtr"));
    EXPECT_TRUE(QFileInfo::exists(Path("new.vtr")));
    EXPECT_FALSE(QFileInfo::exists(Path("gone.vtr")));
}

// A set that could not be written under the name just given is reported once, and the command
// stops there: the set stays to be saved.
TEST_F(FlowsTest, SaveOfAnUnnamedSetThatCannotBeWrittenReportsOnce)
{
    Write("plain", "x");  // a file where the set's folder should be: nothing can be written there
    fiche->DoitSauver = true;
    {
        ScriptedDialogs dialogs;
        dialogs.save(Path("plain/a.vtr"));
        // The card file reports the failure in a box of its own, which no script expects: once.
        EXPECT_NONFATAL_FAILURE(Run("SaveItem"), "Impossible d'enregistrer a.vtr");
    }
    EXPECT_TRUE(fiche->DoitSauver);
    EXPECT_FALSE(QFileInfo::exists(Path("plain/a.vtr")));
}

// ---- new ----------------------------------------------------------------------------------------

TEST_F(FlowsTest, NewStartsAnEmptyUnnamedSetOnAllCustomers)
{
    form->NomFichier = Path("a.vtr");
    fiche->CheminFichier = Path("a.vtr");
    Command("Marques1")->setChecked(true);
    Command("SpeedButton1")->trigger();
    EXPECT_TRUE(form->NomFichier.isEmpty());
    EXPECT_TRUE(fiche->CheminFichier.isEmpty());
    EXPECT_TRUE(Command("Touteslesfiches1")->isChecked());
    EXPECT_TRUE(Enabled("SaveItem"));
    EXPECT_FALSE(Enabled("Ficheclient1"));
}

// ---- closing ------------------------------------------------------------------------------------

// The settings go to the folder the program started in, with the open set as the last one, even
// when something moved the current folder meanwhile.
TEST_F(FlowsTest, CloseWritesTheSettingsInTheStartFolder)
{
    Write("a.vtr", {});
    form->NomFichier = Path("a.vtr");
    QDir().mkpath(Path("elsewhere"));
    QDir::setCurrent(Path("elsewhere"));
    EXPECT_TRUE(form->close());
    const QByteArray ini = Read(Path("Velmora.ini"));
    EXPECT_TRUE(ini.startsWith(QFile::encodeName(Path("a.vtr")) + "\r\n")) << ini.left(80).toStdString();
    EXPECT_TRUE(QFileInfo::exists(Path("Velmora.soc")));
    EXPECT_FALSE(QFileInfo::exists(Path("elsewhere/Velmora.ini")));
}

TEST_F(FlowsTest, QuitClosesTheWindow)
{
    Command("ExitItem")->trigger();
    EXPECT_FALSE(form->isVisible());
}

}  // namespace
