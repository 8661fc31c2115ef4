// The real dialog service: French buttons and captions, answers mapped back, filters converted.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include "platform/dialogs.h"
#include "platform/printer.h"

using namespace platform;

namespace {

// Runs `act` on the modal window once it is up; the window must be closed by `act`.
void WhenModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

QStringList ButtonTexts(QMessageBox* box)
{
    QStringList texts;
    for (QAbstractButton* b : box->buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

QAbstractButton* ButtonWithText(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* b : box->buttons())
        if (b->text() == text)
            return b;
    return nullptr;
}

class RealDialogs : public ::testing::Test {
protected:
    void SetUp() override { SetDialogs(nullptr); }
};

TEST_F(RealDialogs, MessageBoxesShowFrenchButtonsAndAnswerThePressedOne)
{
    const struct { MsgDlgType type; int buttons; const char* caption; QStringList texts; const char* press; int result; } cases[] = {
        {mtWarning, mbYes | mbNo | mbCancel, "Avertissement", {"Annuler", "Non", "Oui"}, "Oui", mrYes},
        {mtWarning, mbYes | mbNo | mbCancel, "Avertissement", {"Annuler", "Non", "Oui"}, "Non", mrNo},
        {mtWarning, mbOK | mbCancel, "Avertissement", {"Annuler", "OK"}, "Annuler", mrCancel},
        {mtError, mbOK, "Erreur", {"OK"}, "OK", mrOk},
        {mtInformation, mbOK, "Information", {"OK"}, "OK", mrOk},
        {mtConfirmation, mbYes | mbNo, "Confirmation", {"Non", "Oui"}, "Oui", mrYes},
        {mtError, mbAbort | mbRetry | mbIgnore, "Erreur", {"Abandonner", "Ignorer", "Réessayer"}, "Ignorer", mrIgnore},
    };
    for (const auto& c : cases) {
        QString caption, text;
        QStringList texts;
        WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            text = box->text();
            texts = ButtonTexts(box);
            if (QAbstractButton* b = ButtonWithText(box, QString::fromUtf8(c.press)))
                b->click();
            else
                box->reject();
        });
        EXPECT_EQ(MessageDlg(QStringLiteral("Le texte"), c.type, c.buttons), c.result) << c.caption << " " << c.press;
        EXPECT_EQ(caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(text, QStringLiteral("Le texte"));
        EXPECT_EQ(texts, c.texts);
    }
}

TEST_F(RealDialogs, ShowMessageUsesTheApplicationTitle)
{
    const QString old = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    QString caption;
    WhenModal([&](QWidget* w) {
        caption = w->windowTitle();
        static_cast<QMessageBox*>(w)->buttons().value(0)->click();
    });
    ShowMessage(QStringLiteral("Bonjour"));
    QGuiApplication::setApplicationDisplayName(old);
    EXPECT_EQ(caption, QStringLiteral("Velmora"));
}

TEST_F(RealDialogs, InputBoxAnswersTheTextOrTheDefaultWhenCancelled)
{
    WhenModal([](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->windowTitle(), QStringLiteral("Ville"));
        EXPECT_EQ(input->labelText(), QStringLiteral("Nom de la ville :"));
        EXPECT_EQ(input->textValue(), QStringLiteral("Paris"));
        input->setTextValue(QStringLiteral("Lyon"));
        input->accept();
    });
    EXPECT_EQ(InputBox(QStringLiteral("Ville"), QStringLiteral("Nom de la ville :"), QStringLiteral("Paris")), QStringLiteral("Lyon"));
    WhenModal([](QWidget* w) {
        static_cast<QDialog*>(w)->findChild<QLineEdit*>()->setText(QStringLiteral("Lyon"));
        static_cast<QDialog*>(w)->reject();
    });
    EXPECT_EQ(InputBox(QStringLiteral("Ville"), QStringLiteral("Nom de la ville :"), QStringLiteral("Paris")), QStringLiteral("Paris"));
}

TEST_F(RealDialogs, FileDialogsTakeTheProgramsFilterSyntax)
{
    const struct { const char* filter; QStringList qt; } cases[] = {
        {"Fichier vantor (*.vtr)|*.vtr", {"Fichier vantor (*.vtr)"}},
        {"Texte|*.txt;*.csv|Tous (*.*)|*.*", {"Texte (*.txt *.csv)", "Tous (*.*)"}},
    };
    for (const auto& c : cases) {
        QStringList filters;
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            filters = dialog->nameFilters();
            dialog->reject();
        });
        EXPECT_EQ(Dialogs().openFile(QString::fromUtf8(c.filter)), QString());
        EXPECT_EQ(filters, c.qt) << c.filter;
    }
}

TEST_F(RealDialogs, SaveDialogAnswersThePathWithTheDefaultExtension)
{
    QTemporaryDir dir;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile(dir.filePath(QStringLiteral("dossier")));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(Dialogs().saveFile(QStringLiteral("Fichiers vantor (*.vtr)|*.vtr"), {}, {}, QStringLiteral("vtr")),
              dir.filePath(QStringLiteral("dossier.vtr")));
}

TEST_F(RealDialogs, SaveDialogOfTypeAddsTheExtensionOfTheTypeChosen)
{
    QTemporaryDir dir;
    const QString filter = QStringLiteral("Fichier texte (*.txt)|*.txt|Ficher csv (*.csv)|*.csv");
    for (const int chosen : {0, 1}) {
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Fichier texte (*.txt)"));
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_NE(types, nullptr);
            // The operator picks the type in the list, then names the file without extension.
            if (chosen == 1) {
                types->setFocus();
                QTest::keyClick(types, Qt::Key_Down);
            }
            dialog->selectFile(dir.filePath(QStringLiteral("Export")));
            static_cast<QDialog*>(dialog)->accept();
        });
        int type = 0;
        EXPECT_EQ(Dialogs().saveFileOfType(filter, QStringLiteral("Export"), type),
                  dir.filePath(chosen == 1 ? QStringLiteral("Export.csv") : QStringLiteral("Export.txt")));
        EXPECT_EQ(type, chosen);
    }
}

// Opens a print dialog with `open`, closed once with "Annuler" and once with OK: it must answer
// as closed and work on the process's printer. `check` looks at the dialog shown.
void ExpectPrinterDialog(const std::function<bool()>& open, const std::function<void(QPrintDialog*)>& check = {})
{
    for (const bool accept : {false, true}) {
        QPrinter* configured = nullptr;
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            configured = dialog->printer();
            if (check)
                check(dialog);
            accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
        EXPECT_EQ(open(), accept);
        EXPECT_EQ(configured, &Printer());
    }
}

TEST_F(RealDialogs, PrinterSetupConfiguresTheProcesssPrinter)
{
    ExpectPrinterDialog([] { return Dialogs().printerSetup(); });
}

TEST_F(RealDialogs, PrintDialogConfiguresTheProcesssPrinterForAWholeDocument)
{
    ExpectPrinterDialog([] { return Dialogs().printDialog(); }, [](QPrintDialog* dialog) {
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintCurrentPage));
    });
}

// Before a list the dialog offers no page numbers; "All pages" answers 0 to 0. A list of no
// record still gets a dialog it accepts. With no system printer it offers "Velmora.pdf" in the
// working folder.
TEST_F(RealDialogs, PrintDialogOfARangeAnswersEveryPageAndOffersAFileWithoutPrinter)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    Printer().setOutputFormat(QPrinter::PdfFormat);
    Printer().setOutputFileName(QString());
    for (const int count : {0, 12}) {
        SCOPED_TRACE(count);
        QString offered;
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
            EXPECT_LE(dialog->minPage(), dialog->maxPage());
            offered = dialog->printer()->outputFileName();
            static_cast<QDialog*>(dialog)->accept();
        });
        PrintRange range;
        range.fromPage = count > 0 ? 1 : 0;
        range.toPage = range.maxPage = count;
        EXPECT_TRUE(Dialogs().printDialogFor(range));
        EXPECT_EQ(range.fromPage, 0);
        EXPECT_EQ(range.toPage, 0);
        EXPECT_EQ(offered, QDir(folder.path()).absoluteFilePath("Velmora.pdf"));
    }
    Printer().setOutputFileName(QString());
    QDir::setCurrent(previous);
}

TEST_F(RealDialogs, FontDialogStartsFromTheFontGivenAndAnswersTheOneChosen)
{
    for (const bool accept : {false, true}) {
        QFont preset;
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QFontDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            preset = dialog->currentFont();
            QFont chosen = preset;
            chosen.setPointSize(20);
            chosen.setUnderline(true);
            dialog->setCurrentFont(chosen);
            accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
        QFont font(QStringLiteral("Liberation Serif"), 11);
        EXPECT_EQ(Dialogs().fontDialog(font), accept);
        EXPECT_EQ(preset.pointSize(), 11);
        EXPECT_EQ(font.pointSize(), accept ? 20 : 11);
        EXPECT_EQ(font.underline(), accept);
    }
}

}  // namespace
