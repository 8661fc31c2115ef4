// The main window opens every desk tool; the message cards and the converter through the card
// file, on the open set's message file and on the rates of "Velmora.ini".
#include <gtest/gtest.h>
#include <QDialog>
#include <QFileInfo>
#include "manager/shell/blocnotes.h"
#include "manager/shell/devise.h"
#include "manager/shell/fichemsg.h"
#include "platform/textfile.h"
#include "support/dialog_driver.h"
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

struct DeskCommand {
    const char* command;
    const char* window;
    const char* caption;
};

void PrintTo(const DeskCommand& c, std::ostream* os)
{
    *os << c.command;
}

class DeskCommandTest : public MainFormTest, public ::testing::WithParamInterface<DeskCommand> {};

TEST_P(DeskCommandTest, OpensItsWindowOwnedByTheMainWindow)
{
    const DeskCommand& c = GetParam();
    form->RepertoireAppli = work.path();
    ScriptedDialogs dialogs;
    dialogs.dialog(QLatin1String(c.window), [&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption));
        QWidget* owner = d->parentWidget();
        EXPECT_TRUE(owner == form.get() || owner == fiche) << c.command;
        d->reject();
    });
    Run(c.command);
    EXPECT_TRUE(dialogs.done()) << c.command;
}

INSTANTIATE_TEST_SUITE_P(Commands, DeskCommandTest,
                         ::testing::Values(DeskCommand{"Messages1", "TFicheMsg", "Messages"},
                                           DeskCommand{"Devises1", "TDevisef", "Convertisseur de devises"},
                                           DeskCommand{"Calendrier1", "TCalendrier", "Calendrier"},
                                           DeskCommand{"Calculatrice1", "TPocket", "Calculatrice"},
                                           DeskCommand{"Horloge1", "THorloge", "Horloge"},
                                           DeskCommand{"Dpartements1", "TDepartmnt", "Départements"},
                                           DeskCommand{"Blocnotes1", "TBlocnotes", "Bloc-notes"},
                                           DeskCommand{"Apropos1", "TAboutBox", "A propos"}),
                         [](const ::testing::TestParamInfo<DeskCommand>& info) {
                             return std::string(info.param.command);
                         });

TEST_F(MainFormTest, MessagesAreKeptBesideTheOpenSetAndRewrittenAtEveryClose)
{
    fiche->CheminFichier = Path(QStringLiteral("data.old/caisse.vtr"));
    Write(QStringLiteral("data.old/caisse.oms"), "Anne\tRoux\t\t\t\t\t\tFFFFF\r\n");
    ScriptedDialogs dialogs;
    dialogs.dialog(QStringLiteral("TFicheMsg"), [](QDialog* d) {
        auto& w = *static_cast<TFicheMsg*>(d);
        EXPECT_EQ(w.Edit1->text(), "Anne");
        w.Edit7->setText(QStringLiteral("Devis"));
        w.CheckBox5->setChecked(true);
        w.Button1->click();
    });
    Run("Messages1");
    EXPECT_EQ(Read(Path(QStringLiteral("data.old/caisse.oms"))), QByteArray("Anne\tRoux\t\t\t\t\tDevis\tFFFFT\r\n"));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("data.oms"))));
}

TEST_F(MainFormTest, AMessageFileThatCannotBeReadKeepsTheWindowClosed)
{
    fiche->CheminFichier = Path(QStringLiteral("caisse.vtr"));
    ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("caisse.oms")));
    ScriptedDialogs dialogs;  // no window expected: only the report
    dialogs.message(QStringLiteral("Impossible de lire %1.\nLes messages n'ont pas été ouverts.")
                        .arg(Path(QStringLiteral("caisse.oms"))));
    Run("Messages1");
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("caisse.oms"))).isDir());
}

TEST_F(MainFormTest, ConverterSettingsGoToLines17To23OfTheSettingsFile)
{
    form->RepertoireAppli = work.path();
    {
        ScriptedDialogs dialogs;
        dialogs.dialog(QStringLiteral("TDevisef"), [](QDialog* d) {
            auto& w = *static_cast<TDevisef*>(d);
            EXPECT_EQ(w.Label3->text(), "Francs");  // nothing stored yet: the first currency
            Tick(w.RadioButton4);
            Tick(w.RadioButton7);
            QTest::keyClick(w.Button11, Qt::Key_Escape);  // however it closes, the choices stay
        });
        Run("Devises1");
    }
    form->FormClose();
    QStringList lines;
    ASSERT_TRUE(textfile::LoadFromFile(Path(QStringLiteral("Velmora.ini")), lines));
    ASSERT_EQ(lines.size(), 28);
    EXPECT_EQ(lines.mid(16, 7),
              (QStringList{"1", "3", " 6.55957000000000E+0000", " 1.14660000000000E+0000", " 7.15600000000000E-0001",
                           " 1.34760000000000E+0002", " 1.60490000000000E+0000"}));

    // Read back, they are what the converter shows next time.
    fiche->SensConversion = fiche->DeviseChoisie = 0;
    fiche->ChargeIni();
    ScriptedDialogs dialogs;
    dialogs.dialog(QStringLiteral("TDevisef"), [](QDialog* d) {
        auto& w = *static_cast<TDevisef*>(d);
        EXPECT_TRUE(w.RadioButton4->isChecked());
        EXPECT_TRUE(w.RadioButton7->isChecked());
        EXPECT_EQ(w.Label3->text(), "Euro");
        EXPECT_EQ(w.Label4->text(), "Yen");
    });
    Run("Devises1");
}

TEST_F(MainFormTest, TheNotepadLivesInTheProgramsFolder)
{
    form->RepertoireAppli = Path(QStringLiteral("appli"));
    QDir().mkpath(form->RepertoireAppli);
    Write(QStringLiteral("appli/QorVente.nte"), "Commander\r\n");
    ScriptedDialogs dialogs;
    dialogs.dialog(QStringLiteral("TBlocnotes"), [](QDialog* d) {
        auto& w = *static_cast<TBlocnotes*>(d);
        EXPECT_EQ(w.Memo1->toPlainText(), "Commander");
        w.Memo1->appendPlainText(QStringLiteral("du sucre"));
        w.Button1->click();
    });
    Run("Blocnotes1");
    EXPECT_EQ(Read(Path(QStringLiteral("appli/QorVente.nte"))), QByteArray("Commander\r\ndu sucre\r\n"));
}

}  // namespace
