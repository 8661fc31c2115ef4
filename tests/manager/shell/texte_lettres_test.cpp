// Letters: a new one headed by the company, opened, saved and printed, and never lost: every
// command that drops the text asks first, and stops when the letter could not be saved.
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include "platform/printer.h"
#include "platform/rtf/rtf.h"
#include "support/file_bytes.h"
#include "texte_fixture.h"

namespace {

using namespace platform;

const QStringList Heading = {"Café du Port", "3 quai Est", "Bât. B", "29200 Brest"};

QString Prompt(const QString& name)
{
    return QStringLiteral("Enregistrer changements dans %1 ?").arg(name);
}

// The question before a letter replaces the file of another.
QString Replace(const QString& name)
{
    return QStringLiteral("%1 existe déjà.\nVoulez-vous le remplacer ?").arg(name);
}

// The reason a write or a read of `path` fails, as the editor reports it.
QString SaveFailure(const QString& path)
{
    QString reason;
    QTextDocument doc;
    EXPECT_FALSE(rtf::SaveToFile(path, doc, &reason));
    return QStringLiteral("Impossible d'enregistrer %1.\n%2").arg(QFileInfo(path).fileName(), reason);
}

TEST_F(TexteTest, ANewLetterWithNothingTypedAsksNothingAndHoldsTheHeading)
{
    Click(editor->SpeedButton1);
    EXPECT_EQ(Lines(), Heading + QStringList{""});
    TypeText(QStringLiteral("Madame,"));
    EXPECT_EQ(Lines(), Heading + QStringList{"Madame,"});
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(TexteTest, ALetterSavedAndReopenedIsTheSame)
{
    Click(editor->SpeedButton6);
    TypeText(QStringLiteral("Objet : facture"));
    Click(editor->SpeedButton10);
    const QString path = Path(QStringLiteral("lettre.rtf"));
    dialogs.save(path);
    Click(editor->SpeedButton2);
    EXPECT_EQ(editor->NomFichier, path);
    EXPECT_FALSE(Modified());
    EXPECT_EQ(ReadBytes(path), rtf::Write(*editor->RichEdit1->document()));
    // Saved and unchanged: saving does nothing, and a new letter asks nothing.
    Click(editor->SpeedButton2);
    Click(editor->SpeedButton1);
    EXPECT_EQ(Lines(), Heading + QStringList{""});

    dialogs.message(Prompt(QStringLiteral("lettre.rtf")), mrNo).open(path);
    Click(editor->SpeedButton13);
    EXPECT_EQ(Lines(), QStringList{"Objet : facture"});
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(editor->SpeedButton6->isChecked());
    EXPECT_TRUE(editor->SpeedButton10->isChecked());
    EXPECT_TRUE(dialogs.done());
}

TEST_F(TexteTest, SavingAsksBeforeReplacingAFileThatIsNotTheLetters)
{
    const QString mine = Path(QStringLiteral("mienne.rtf")), other = Path(QStringLiteral("autre.rtf"));
    {
        QFile f(other);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    TypeText(QStringLiteral("un"));
    dialogs.save(mine);
    Click(editor->SpeedButton2);
    // Its own file again: no question.
    TypeText(QStringLiteral(" deux"));
    dialogs.save(mine);
    Click(editor->SpeedButton2);
    EXPECT_TRUE(ReadBytes(mine).contains("un deux"));
    // Another letter's file: asked, and kept on Annuler.
    TypeText(QStringLiteral(" trois"));
    dialogs.save(other).message(Replace(QStringLiteral("autre.rtf")), mrNo);
    Click(editor->SpeedButton2);
    EXPECT_EQ(ReadBytes(other), QByteArray());
    EXPECT_TRUE(Modified());
    EXPECT_EQ(editor->NomFichier, mine);
    dialogs.save(other).message(Replace(QStringLiteral("autre.rtf")), mrYes);
    Click(editor->SpeedButton2);
    EXPECT_TRUE(ReadBytes(other).contains("un deux trois"));
    EXPECT_EQ(editor->NomFichier, other);

    // A new letter keeps the name, but the file is the old letter's: replacing it asks.
    Click(editor->SpeedButton1);
    EXPECT_EQ(editor->NomFichier, other);
    dialogs.save(other).message(Replace(QStringLiteral("autre.rtf")), mrNo);
    Click(editor->SpeedButton2);
    EXPECT_TRUE(ReadBytes(other).contains("un deux trois"));
    EXPECT_TRUE(dialogs.done());
}

TEST_F(TexteTest, AFailedWriteIsReportedAndTheLetterStaysModified)
{
    TypeText(QStringLiteral("à garder"));
    const QString path = Path(QStringLiteral("absent/lettre.rtf"));
    dialogs.save(path).message(SaveFailure(path));
    Click(editor->SpeedButton2);
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(editor->NomFichier.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(dialogs.done());
}

TEST_F(TexteTest, AFileThatCannotBeReadIsReportedAndTheTextStays)
{
    TypeText(QStringLiteral("gardé"));
    const QString path = Path(QStringLiteral("disparue.rtf"));
    QTextDocument probe;
    QString reason;
    ASSERT_FALSE(rtf::LoadFromFile(path, probe, &reason));
    dialogs.message(Prompt({}), mrNo)
        .open(path)
        .message(QStringLiteral("Impossible de lire disparue.rtf.\n%1").arg(reason));
    Click(editor->SpeedButton13);
    EXPECT_EQ(Lines(), QStringList{"gardé"});
    EXPECT_TRUE(editor->NomFichier.isEmpty());
    // Cancelling the open dialog changes nothing either.
    dialogs.message(Prompt({}), mrNo).open({});
    Click(editor->SpeedButton13);
    EXPECT_EQ(Lines(), QStringList{"gardé"});
    EXPECT_TRUE(dialogs.done());
}

// New, open and close of a modified letter, by the answer to the save question.
TEST(TexteSavePrompt, EachCommandGoesOnOnlyWhenTheLetterIsSafe)
{
    enum Command { New, Open, Close };
    enum Answer { No, Cancel, YesSaved, YesSaveCancelled, YesSaveFailed };
    const char* commands[] = {"new", "open", "close"};
    const char* answers[] = {"Non", "Annuler", "Oui, saved", "Oui, save cancelled", "Oui, save failed"};
    QGuiApplication::setQuitOnLastWindowClosed(false);
    for (Command command : {New, Open, Close}) {
        for (Answer answer : {No, Cancel, YesSaved, YesSaveCancelled, YesSaveFailed}) {
            SCOPED_TRACE(std::string(commands[command]) + ", " + answers[answer]);
            QTemporaryDir dir;
            const QString saved = dir.filePath(QStringLiteral("lettre.rtf"));
            const QString failing = dir.filePath(QStringLiteral("absent/lettre.rtf"));
            const QString failure = SaveFailure(failing);
            ScriptedDialogs dialogs;
            TTexte editor(nullptr);
            editor.Setsoc(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"));
            editor.show();
            Type(editor.RichEdit1, QStringLiteral("lettre"));

            dialogs.message(Prompt({}), answer == No ? mrNo : answer == Cancel ? mrCancel : mrYes);
            if (answer == YesSaved)
                dialogs.save(saved);
            if (answer == YesSaveCancelled)
                dialogs.save({});
            if (answer == YesSaveFailed)
                dialogs.save(failing).message(failure);
            const bool goesOn = answer == No || answer == YesSaved;
            if (goesOn && command == Open)
                dialogs.open({});
            switch (command) {
            case New:
                QTest::mouseClick(editor.SpeedButton1, Qt::LeftButton);
                break;
            case Open:
                QTest::mouseClick(editor.SpeedButton13, Qt::LeftButton);
                break;
            case Close:
                QTest::mouseClick(editor.Button1, Qt::LeftButton);
                break;
            }
            EXPECT_TRUE(dialogs.done());
            EXPECT_EQ(QFileInfo::exists(saved), answer == YesSaved);
            EXPECT_EQ(editor.isVisible(), !(goesOn && command == Close));
            const QString text = editor.RichEdit1->toPlainText();
            EXPECT_EQ(text, goesOn && command == New ? QStringLiteral("A\nB\nC\nD\n") : QStringLiteral("lettre"));
            if (!goesOn) {
                EXPECT_TRUE(editor.RichEdit1->document()->isModified());
            }
        }
    }
}

TEST_F(TexteTest, PrintingSendsTheLetterToThePrinter)
{
    QPrinter& printer = Printer();
    const QString pdf = Path(QStringLiteral("lettre.pdf"));
    printer.setOutputFileName(pdf);
    const auto restore = qScopeGuard([&] { printer.setOutputFileName({}); });
    Click(editor->SpeedButton1);
    TypeText(QStringLiteral("Objet : votre abonnement"));

    dialogs.print(false);
    Click(editor->SpeedButton3);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    dialogs.print(true);
    Click(editor->SpeedButton3);
    ASSERT_TRUE(QFileInfo::exists(pdf));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const QString& line : Heading + QStringList{"Objet : votre abonnement"})
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << "\n" << text.toStdString();
}

TEST_F(TexteTest, APrintJobThatCannotStartIsReported)
{
    QPrinter& printer = Printer();
    printer.setOutputFileName(Path(QStringLiteral("absent/lettre.pdf")));
    const auto restore = qScopeGuard([&] { printer.setOutputFileName({}); });
    TypeText(QStringLiteral("x"));
    dialogs.print(true).message(QStringLiteral("Impossible d'imprimer la lettre."));
    Click(editor->SpeedButton3);
    EXPECT_TRUE(dialogs.done());
}

}  // namespace
