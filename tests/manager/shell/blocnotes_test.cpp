// The notepad: its file's exact bytes, written only when the notes changed, never over notes it
// could not read, and its printout.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include "manager/shell/blocnotes.h"
#include "platform/printer.h"
#include "platform/textfile.h"
#include "support/dialog_driver.h"
#include "support/file_bytes.h"

namespace {

class BlocnotesTest : public ::testing::Test {
protected:
    QString notes() const { return TBlocnotes::FichierNotes(dir.path()); }
    QTemporaryDir dir;
    TBlocnotes pad{nullptr};
};

TEST(FichierNotes, InTheProgramsFolderWithASlash)
{
    EXPECT_EQ(TBlocnotes::FichierNotes(QStringLiteral("/opt/velmora")), "/opt/velmora/QorVente.nte");
    EXPECT_EQ(TBlocnotes::FichierNotes(QStringLiteral("/opt/velmora/")), "/opt/velmora/QorVente.nte");
    EXPECT_EQ(TBlocnotes::FichierNotes(QStringLiteral("/")), "/QorVente.nte");
}

TEST_F(BlocnotesTest, TypedNotesAreWrittenAsWindows1252LinesWithCrLf)
{
    ASSERT_TRUE(pad.Charge(notes()));  // no file yet: an empty memo
    EXPECT_TRUE(pad.Memo1->toPlainText().isEmpty());
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TBlocnotes"), [](QDialog* d) {
        auto& w = *static_cast<TBlocnotes*>(d);
        EXPECT_EQ(w.windowTitle(), "Bloc-notes");
        w.Memo1->setFocus();
        Type(w.Memo1, QStringLiteral("Commander du café"));
        QTest::keyClick(w.Memo1, Qt::Key_Return);
        QTest::keyClick(w.Memo1, Qt::Key_Return);
        Type(w.Memo1, QStringLiteral("Rappeler Hélène"));
        QTest::keyClick(w.Memo1, Qt::Key_Return);  // a last empty line is no line
        w.Button1->click();
    });
    platform::Dialogs().exec(&pad);
    ASSERT_TRUE(pad.Sauve(notes()));
    EXPECT_EQ(ReadBytes(notes()), QByteArray("Commander du caf\xe9\r\n\r\nRappeler H\xe9l\xe8ne\r\n"));
    TBlocnotes again(nullptr);
    ASSERT_TRUE(again.Charge(notes()));
    EXPECT_EQ(again.Memo1->toPlainText(), QStringLiteral("Commander du café\n\nRappeler Hélène"));
}

TEST_F(BlocnotesTest, UnchangedNotesLeaveTheFileUntouched)
{
    // Bytes that a rewrite would change (LF alone): they must stay as they are.
    WriteBytes(notes(), "un\ndeux\n");
    ASSERT_TRUE(pad.Charge(notes()));
    EXPECT_EQ(pad.Memo1->toPlainText(), "un\ndeux");
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TBlocnotes"), [](QDialog* d) { static_cast<TBlocnotes*>(d)->Button1->click(); });
    platform::Dialogs().exec(&pad);
    ASSERT_TRUE(pad.Sauve(notes()));
    EXPECT_EQ(ReadBytes(notes()), QByteArray("un\ndeux\n"));
}

TEST_F(BlocnotesTest, ChangedNotesKeepTheEmptyLinesTheyWereReadWith)
{
    const char* files[] = {"un\r\n\r\n", "\r\n", "\r\n\r\nun\r\n\r\n\r\n", "un\r\ndeux\r\n"};
    for (const char* bytes : files) {
        WriteBytes(notes(), bytes);
        TBlocnotes again(nullptr);
        ASSERT_TRUE(again.Charge(notes()));
        // A change that leaves the text as it was: the notes are written back as they were read.
        again.Memo1->document()->setModified(true);
        ASSERT_TRUE(again.Sauve(notes()));
        EXPECT_EQ(ReadBytes(notes()), QByteArray(bytes)) << bytes;
    }
}

TEST_F(BlocnotesTest, NotesThatCannotBeReadAreReportedAndLeftAlone)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("QorVente.nte")));
    ScriptedDialogs responder;
    responder.message(QStringLiteral("Impossible de lire %1.\nLe bloc-notes n'a pas été ouvert.").arg(notes()));
    EXPECT_FALSE(pad.Charge(notes()));
}

TEST_F(BlocnotesTest, AFailedSaveIsReportedAndTheNotesStayChanged)
{
    const QString path = dir.filePath(QStringLiteral("gone/QorVente.nte"));
    QString reason;
    ASSERT_FALSE(textfile::SaveToFile(path, {QStringLiteral("x")}, &reason));
    pad.Memo1->setPlainText(QStringLiteral("x"));
    pad.Memo1->document()->setModified(true);
    ScriptedDialogs responder;
    responder.message(QStringLiteral("Impossible d'enregistrer %1.\n%2\nLe fichier des notes n'a pas été modifié.")
                          .arg(path, reason));
    EXPECT_FALSE(pad.Sauve(path));
    EXPECT_TRUE(pad.Memo1->document()->isModified());
}

TEST_F(BlocnotesTest, PrintsEveryLineOverAsManyPagesAsNeeded)
{
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("Note numéro %1").arg(i);
    pad.Init(lines);
    QPrinter& printer = platform::Printer();
    const QString pdf = dir.filePath(QStringLiteral("notes.pdf"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    pad.SpeedButton9->click();
    printer.setOutputFileName(QString());

    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(30000)) << "pdftotext";
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (int i : {1, 2, 75, 149, 150})
        EXPECT_TRUE(text.contains(QStringLiteral("Note numéro %1\n").arg(i))) << i;
    EXPECT_GE(text.count(u'\f'), 2);  // more than one page
}

TEST_F(BlocnotesTest, APrinterThatCannotStartIsReported)
{
    QPrinter& printer = platform::Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("gone/notes.pdf")));
    ScriptedDialogs responder;
    responder.message(QStringLiteral("Impossible d'imprimer : l'imprimante n'a pas pu être ouverte."));
    pad.Imprimer();
    printer.setOutputFileName(QString());
}

}  // namespace
