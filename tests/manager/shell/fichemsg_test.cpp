// The phone-message cards: the file's exact lines, reading them back, the moves and keys, and
// that a file is never written over by an empty stack.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "manager/shell/fichemsg.h"
#include "platform/textfile.h"
#include "support/clock.h"
#include "support/dialog_driver.h"
#include "support/file_bytes.h"

namespace {

QList<QLineEdit*> Fields(TFicheMsg& w)
{
    return {w.Edit1, w.Edit2, w.Edit3, w.Edit4, w.Edit5, w.Edit6, w.Edit7};
}

QList<QCheckBox*> Flags(TFicheMsg& w)
{
    return {w.CheckBox1, w.CheckBox2, w.CheckBox3, w.CheckBox4, w.CheckBox5};
}

QStringList Shown(TFicheMsg& w)
{
    QStringList texts;
    for (QLineEdit* field : Fields(w))
        texts << field->text();
    QString flags;
    for (QCheckBox* box : Flags(w))
        flags += box->isChecked() ? u'T' : u'F';
    return texts << flags;
}

class FicheMsgTest : public ::testing::Test {
protected:
    QString set() const { return dir.filePath(QStringLiteral("caisse.vtr")); }
    QString oms() const { return dir.filePath(QStringLiteral("caisse.oms")); }
    QTemporaryDir dir;
    TFicheMsg window{nullptr};
};

TEST(FichierMessages, CutAtTheFileNamesFirstDotNeverAtAFoldersDot)
{
    const struct {
        const char* set;
        const char* oms;
    } cases[] = {
        {"/data/caisse.vtr", "/data/caisse.oms"},
        {"/home/anne/.velmora/caisse.vtr", "/home/anne/.velmora/caisse.oms"},
        {"/srv/data.old/set.vtr", "/srv/data.old/set.oms"},
        {"/srv/set.2024.vtr", "/srv/set.oms"},
        {"/srv/caisse", "/srv/caisse.oms"},
        {"caisse.vtr", "caisse.oms"},
        {"", ".oms"},  // no set open: in the working folder
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFicheMsg::FichierMessages(QString::fromUtf8(c.set)), QString::fromUtf8(c.oms)) << c.set;
}

TEST_F(FicheMsgTest, EachCardIsSevenTabTerminatedFieldsAndFiveFlags)
{
    const QStringList typed = {"Anne", "M. Roux", "", "0123456789", "05/03/2024", "10:15:00", "Rappeler pour le devis"};
    for (int i = 0; i < 7; ++i)
        Fields(window)[i]->setText(typed[i]);
    window.CheckBox1->setChecked(true);
    window.CheckBox5->setChecked(true);
    window.Button4Click();  // a second card, left empty
    ASSERT_TRUE(window.Sauve(set()));
    EXPECT_EQ(ReadBytes(oms()),
              QByteArray("Anne\tM. Roux\t\t0123456789\t05/03/2024\t10:15:00\tRappeler pour le devis\tTFFFT\r\n"
                         "\t\t\t\t\t\t\tFFFFF\r\n"));
}

TEST_F(FicheMsgTest, ClosingWithoutAFileWritesTheEmptyCard)
{
    ASSERT_TRUE(window.Charge(set()));  // no file: one empty card
    EXPECT_EQ(window.Lignes, QStringList{" "});
    ASSERT_TRUE(window.Sauve(set()));
    EXPECT_EQ(ReadBytes(oms()), QByteArray("\t\t\t\t\t\t\tFFFFF\r\n"));
}

TEST_F(FicheMsgTest, AccentsAreWindows1252OnDisk)
{
    window.Edit1->setText(QStringLiteral("Hélène"));
    window.Edit7->setText(QStringLiteral("Reçu 10 €"));
    ASSERT_TRUE(window.Sauve(set()));
    EXPECT_EQ(ReadBytes(oms()), QByteArray("H\xe9l\xe8ne\t\t\t\t\t\tRe\xe7u 10 \x80\tFFFFF\r\n"));
}

TEST_F(FicheMsgTest, LoadingOpensOnTheLastCardAndReadsEveryFieldInItsPlace)
{
    WriteBytes(oms(), "Anne\tRoux\tACME\t0102\t01/02/2024\t09:00:00\tFacture\tFTFTF\r\n"
                      "Paul\t  Martin\t\t0607\t\t\t  Objet\tTTFFT\r\n");
    ASSERT_TRUE(window.Charge(set()));
    EXPECT_EQ(window.Courant, 1);
    window.LitFiche();
    EXPECT_EQ(window.Label8->text(), "2");
    // The empty "Société" keeps the telephone number in its own field; later fields lose their
    // leading blanks.
    EXPECT_EQ(Shown(window), (QStringList{"Paul", "Martin", "", "0607", "", "", "Objet", "TTFFT"}));
    window.Button2Click();
    EXPECT_EQ(window.Label8->text(), "1");
    EXPECT_EQ(Shown(window),
              (QStringList{"Anne", "Roux", "ACME", "0102", "01/02/2024", "09:00:00", "Facture", "FTFTF"}));
}

TEST_F(FicheMsgTest, DamagedLinesReadAsFarAsTheyGo)
{
    const struct {
        const char* line;
        QStringList shown;
    } cases[] = {
        // No TAB at all: every field empty; what is left is read as the flags.
        {"TTxTT", {"", "", "", "", "", "", "", "TTFTT"}},
        // Fields without their TAB stay empty; the flags come from what is left.
        {"Anne\tRoux\tTF", {"Anne", "Roux", "", "", "", "", "", "TFFFF"}},
        // Missing or other flag characters leave the boxes unticked.
        {"a\tb\tc\td\te\tf\tg\tT", {"a", "b", "c", "d", "e", "f", "g", "TFFFF"}},
        {"a\tb\tc\td\te\tf\tg\ttTyTT", {"a", "b", "c", "d", "e", "f", "g", "FTFTT"}},
        {" ", {"", "", "", "", "", "", "", "FFFFF"}},
    };
    for (const auto& c : cases) {
        window.Lignes = QStringList{QString::fromUtf8(c.line)};
        window.Courant = 0;
        window.LitFiche();
        EXPECT_EQ(Shown(window), c.shown) << c.line;
    }
}

TEST_F(FicheMsgTest, MovesStopAtBothEndsAndWriteTheCardBack)
{
    window.Lignes = {"A\t\t\t\t\t\t\tFFFFF", "B\t\t\t\t\t\t\tFFFFF"};
    window.Courant = 0;
    window.LitFiche();
    window.Edit2->setText(QStringLiteral("typed"));
    window.Button2Click();  // "<" on the first card
    EXPECT_EQ(window.Courant, 0);
    EXPECT_EQ(window.Lignes[0], "A\ttyped\t\t\t\t\t\tFFFFF");
    window.Button3Click();
    window.CheckBox3->setChecked(true);
    window.Button3Click();  // ">" on the last card
    EXPECT_EQ(window.Courant, 1);
    EXPECT_EQ(window.Lignes[1], "B\t\t\t\t\t\t\tFFTFF");
    EXPECT_EQ(window.Label8->text(), "2");
}

TEST_F(FicheMsgTest, AddingAndMovingAwayStoresAnEmptyCard)
{
    window.Lignes = {"A\t\t\t\t\t\t\tFFFFF"};
    window.Courant = 0;
    window.LitFiche();
    window.Button4Click();
    EXPECT_EQ(window.Courant, 1);
    EXPECT_EQ(window.Label8->text(), "2");
    EXPECT_EQ(window.Lignes[1], " ");
    window.Button2Click();
    EXPECT_EQ(window.Lignes, (QStringList{"A\t\t\t\t\t\t\tFFFFF", "\t\t\t\t\t\t\tFFFFF"}));
}

TEST_F(FicheMsgTest, DeletingKeepsAValidCardAndMinusWithNoCardDoesNothing)
{
    window.Lignes = {"A\t\t\t\t\t\t\tFFFFF", "B\t\t\t\t\t\t\tFFFFF", "C\t\t\t\t\t\t\tFFFFF"};
    window.Courant = 2;
    window.LitFiche();
    window.Button5Click();  // the last card: the new last one shows
    EXPECT_EQ(window.Courant, 1);
    EXPECT_EQ(window.Edit1->text(), "B");
    window.Courant = 0;
    window.LitFiche();
    window.Button5Click();  // the first: the next one takes its place
    EXPECT_EQ(window.Courant, 0);
    EXPECT_EQ(window.Edit1->text(), "B");
    window.Button5Click();
    EXPECT_EQ(window.Courant, -1);
    EXPECT_TRUE(window.Lignes.isEmpty());
    EXPECT_TRUE(window.Label8->text().isEmpty());
    window.Button5Click();  // nothing left to delete
    window.Button2Click();
    window.Button3Click();
    EXPECT_EQ(window.Courant, -1);
    EXPECT_TRUE(window.Lignes.isEmpty());
    // "+" starts the stack again.
    window.Button4Click();
    EXPECT_EQ(window.Courant, 0);
    EXPECT_EQ(window.Lignes, QStringList{" "});
}

TEST_F(FicheMsgTest, AnEmptiedStackIsSavedAsAnEmptyFileAndLoadsAsNoCard)
{
    window.Button5Click();
    ASSERT_TRUE(window.Sauve(set()));
    EXPECT_EQ(ReadBytes(oms()), QByteArray());
    TFicheMsg again(nullptr);
    ASSERT_TRUE(again.Charge(set()));
    EXPECT_EQ(again.Courant, -1);
    EXPECT_TRUE(again.Lignes.isEmpty());
}

TEST_F(FicheMsgTest, ATabOrLineEndPutIntoAFieldBecomesABlank)
{
    window.Edit3->insert(QStringLiteral("ACME\tSA\r\nParis\n"));  // what a paste does
    EXPECT_EQ(window.Edit3->text(), "ACME SA  Paris ");
    window.EcritFiche();
    EXPECT_EQ(window.Lignes[0], "\t\tACME SA  Paris \t\t\t\t\tFFFFF");
}

TEST_F(FicheMsgTest, TheLengthLimitStopsTypingButNeverCutsALoadedField)
{
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TFicheMsg"), [](QDialog* shown) {
        auto& w = *static_cast<TFicheMsg*>(shown);
        Type(w.Edit4, QStringLiteral("0123456789012345678901234"));
        EXPECT_EQ(w.Edit4->text(), "01234567890123456789");  // 20 characters
    });
    platform::Dialogs().exec(&window);

    const QString longObject = QString(70, u'x');
    window.Lignes = {QStringLiteral("a\tb\tc\td\te\tf\t") + longObject + QStringLiteral("\tFFFFF")};
    window.Courant = 0;
    window.LitFiche();
    EXPECT_EQ(window.Edit7->text(), longObject);
    window.EcritFiche();
    EXPECT_EQ(window.Lignes[0], QStringLiteral("a\tb\tc\td\te\tf\t") + longObject + QStringLiteral("\tFFFFF"));
    // The next card gets its own limit back.
    window.Button4Click();
    EXPECT_EQ(window.Edit7->maxLength(), 50);
}

TEST_F(FicheMsgTest, LeavingAnEmptyDateOrTimeFillsItWithNow)
{
    const ScopedClock now(QDateTime(QDate(2024, 12, 9), QTime(14, 5, 30)));
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TFicheMsg"), [](QDialog* shown) {
        auto& w = *static_cast<TFicheMsg*>(shown);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.Edit5->setFocus(Qt::TabFocusReason);
        w.Edit6->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(w.Edit5->text(), "09/12/2024");
        w.Edit7->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(w.Edit6->text(), "14:05:30");
        // A filled one stays as it is.
        w.Edit5->setText(QStringLiteral("01/01/2020"));
        w.Edit5->setFocus(Qt::TabFocusReason);
        w.Edit1->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(w.Edit5->text(), "01/01/2020");
    });
    platform::Dialogs().exec(&window);
}

TEST_F(FicheMsgTest, PageKeysMoveFromEveryControlButFermer)
{
    window.Lignes = {"A\t\t\t\t\t\t\tFFFFF", "B\t\t\t\t\t\t\tFFFFF"};
    window.Courant = 0;
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TFicheMsg"), [](QDialog* shown) {
        auto& w = *static_cast<TFicheMsg*>(shown);
        EXPECT_EQ(w.Edit1->text(), "A");  // showing the window shows the current card
        QTest::keyClick(w.Edit3, Qt::Key_PageDown);
        EXPECT_EQ(w.Edit1->text(), "B");
        QTest::keyClick(w.CheckBox2, Qt::Key_PageUp);
        EXPECT_EQ(w.Edit1->text(), "A");
        QTest::keyClick(w.Button4, Qt::Key_PageDown);
        EXPECT_EQ(w.Edit1->text(), "B");
        QTest::keyClick(w.Button1, Qt::Key_PageUp);
        EXPECT_EQ(w.Edit1->text(), "B");
        QTest::keyClick(w.Edit1, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    });
    platform::Dialogs().exec(&window);
}

TEST_F(FicheMsgTest, TypingInPourOrDeAddingOrDeletingCountAsChanges)
{
    bool modified = true;
    window.TestModif(modified);
    EXPECT_FALSE(modified);
    Type(window.Edit7, QStringLiteral("x"));
    window.TestModif(modified);
    EXPECT_FALSE(modified);
    Type(window.Edit2, QStringLiteral("x"));
    window.TestModif(modified);
    EXPECT_TRUE(modified);
    ASSERT_TRUE(window.Sauve(set()));
    window.TestModif(modified);
    EXPECT_FALSE(modified);
    window.Button4Click();
    window.TestModif(modified);
    EXPECT_TRUE(modified);
}

TEST_F(FicheMsgTest, AFileThatCannotBeReadIsReportedAndLeftAlone)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("caisse.oms")));  // there, but no file to read
    ScriptedDialogs responder;
    responder.message(QStringLiteral("Impossible de lire %1.\nLes messages n'ont pas été ouverts.").arg(oms()));
    EXPECT_FALSE(window.Charge(set()));
    EXPECT_EQ(window.Lignes, QStringList{" "});
}

TEST_F(FicheMsgTest, AFailedSaveIsReported)
{
    const QString setInMissingFolder = dir.filePath(QStringLiteral("gone/caisse.vtr"));
    const QString path = TFicheMsg::FichierMessages(setInMissingFolder);
    QString reason;
    ASSERT_FALSE(textfile::SaveToFile(path, {}, &reason));
    ScriptedDialogs responder;
    responder.message(QStringLiteral("Impossible d'enregistrer %1.\n%2\nLe fichier des messages n'a pas été modifié.")
                          .arg(path, reason));
    Type(window.Edit1, QStringLiteral("x"));
    EXPECT_FALSE(window.Sauve(setInMissingFolder));
    bool modified = false;
    window.TestModif(modified);
    EXPECT_TRUE(modified);
}

}  // namespace
