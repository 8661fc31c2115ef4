#include "platform/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>
#include "platform/print/canvas.h"
#include "platform/printer.h"

namespace platform {

namespace {

struct ButtonKind {
    MsgDlgBtn button;
    ModalResult result;
    const char* text;
    QMessageBox::ButtonRole role;
};

const ButtonKind kButtons[] = {
    {mbYes, mrYes, "Oui", QMessageBox::YesRole},
    {mbNo, mrNo, "Non", QMessageBox::NoRole},
    {mbOK, mrOk, "OK", QMessageBox::AcceptRole},
    {mbCancel, mrCancel, "Annuler", QMessageBox::RejectRole},
    {mbAbort, mrAbort, "Abandonner", QMessageBox::RejectRole},
    {mbRetry, mrRetry, "Réessayer", QMessageBox::AcceptRole},
    {mbIgnore, mrIgnore, "Ignorer", QMessageBox::AcceptRole},
};

QString ApplicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}

// "Text (*.a;*.b)|*.a;*.b|Other|*.x" -> "Text (*.a *.b);;Other (*.x)"
QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        QString description = parts[i].trimmed();
        if (!description.endsWith(QStringLiteral("(%1)").arg(patterns)))
            description += QStringLiteral(" (%1)").arg(patterns);
        out << description;
    }
    return out.join(QStringLiteral(";;"));
}

// The extension of a filter's first pattern ("*.csv" gives "csv"); empty for a pattern that
// names no single extension ("*.*", "*").
QString FilterExtension(const QString& qtFilter)
{
    const int open = int(qtFilter.lastIndexOf(u'('));
    const QString patterns = open >= 0 ? qtFilter.mid(open + 1).chopped(1) : qtFilter;
    const QString first = patterns.section(u' ', 0, 0);
    if (!first.startsWith(QStringLiteral("*.")))
        return {};
    const QString ext = first.mid(2);
    return ext.contains(u'*') || ext.contains(u'?') ? QString() : ext;
}

void PrepareSave(QFileDialog& dialog, const QString& fileName)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The callers ask themselves before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
}

QString ExecSave(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

class QtDialogs : public DialogService {
public:
    int messageDlg(const QString& text, MsgDlgType type, int buttons) override
    {
        static const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Critical, QMessageBox::Information,
                                                  QMessageBox::Question, QMessageBox::NoIcon};
        static const char* const captions[] = {"Avertissement", "Erreur", "Information", "Confirmation"};
        QMessageBox box(QApplication::activeWindow());
        box.setIcon(icons[type]);
        box.setWindowTitle(type == mtCustom ? ApplicationTitle() : QString::fromUtf8(captions[type]));
        box.setText(text);
        QHash<QAbstractButton*, ModalResult> results;
        for (const auto& kind : kButtons)
            if (buttons & kind.button)
                results.insert(box.addButton(QString::fromUtf8(kind.text), kind.role), kind.result);
        box.exec();
        return results.value(box.clickedButton(), mrCancel);
    }

    void showMessage(const QString& text) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(ApplicationTitle());
        box.setText(text);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
    }

    QString inputBox(const QString& caption, const QString& prompt, const QString& def) override
    {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(caption);
        dialog.setLabelText(prompt);
        dialog.setTextValue(def);
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("Annuler"));
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : def;
    }

    QString openFile(const QString& filter, const QString& fileName, const QString& title) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, fileName, QtFilter(filter));
    }

    QString saveFile(const QString& filter, const QString& fileName, const QString& title,
                     const QString& defaultExt) override
    {
        QFileDialog dialog(QApplication::activeWindow(), title, QString(), QtFilter(filter));
        PrepareSave(dialog, fileName);
        dialog.setDefaultSuffix(defaultExt);
        return ExecSave(dialog);
    }

    QString saveFileOfType(const QString& filter, const QString& fileName, int& filterIndex) override
    {
        QFileDialog dialog(QApplication::activeWindow(), QString(), QString(), QtFilter(filter));
        PrepareSave(dialog, fileName);
        const QStringList types = dialog.nameFilters();
        if (filterIndex >= 0 && filterIndex < types.size())
            dialog.selectNameFilter(types[filterIndex]);
        // The extension added to a bare name is the type's chosen, never the one offered first:
        // "Export" saved as CSV is "Export.csv", not "Export.txt" that the caller would then make
        // "Export.txt.csv".
        dialog.setDefaultSuffix(FilterExtension(dialog.selectedNameFilter()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& type) { dialog.setDefaultSuffix(FilterExtension(type)); });
        const QString path = ExecSave(dialog);
        if (!path.isEmpty())
            filterIndex = std::max(0, int(types.indexOf(dialog.selectedNameFilter())));
        return path;
    }

    bool printerSetup() override
    {
        OfferPdfFile();
        QPrintDialog dialog(&Printer(), QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        return dialog.exec() == QDialog::Accepted;
    }

    bool printDialog() override
    {
        OfferPdfFile();
        QPrintDialog dialog(&Printer(), QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Imprimer"));
        // A whole document prints, or a range of its pages.
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        return dialog.exec() == QDialog::Accepted;
    }

    bool printDialogFor(PrintRange& range) override
    {
        OfferPdfFile();
        QPrinter& printer = Printer();
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Imprimer"));
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        // A document of no page (an empty list) still offers page 1: the dialog refuses a range
        // that ends before it starts.
        dialog.setMinMax(range.minPage, qMax(range.minPage, range.maxPage));
        // After the bounds: setting them offers the page entry again.
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, range.pageEntry);
        printer.setPrintRange(QPrinter::AllPages);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if (printer.printRange() == QPrinter::PageRange) {
            range.fromPage = printer.fromPage();
            range.toPage = printer.toPage();
        } else {
            range.fromPage = range.toPage = 0;
        }
        return true;
    }

    bool fontDialog(QFont& font) override
    {
        QFontDialog dialog(font, QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Police"));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        font = dialog.selectedFont();
        return true;
    }

    int exec(QDialog* dialog) override { return dialog->exec(); }
};

DialogService* installed = nullptr;

}  // namespace

DialogService& Dialogs()
{
    static QtDialogs real;
    return installed ? *installed : real;
}

void SetDialogs(DialogService* service)
{
    installed = service;
}

int MessageDlg(const QString& text, MsgDlgType type, int buttons)
{
    return Dialogs().messageDlg(text, type, buttons);
}

void ShowMessage(const QString& text)
{
    Dialogs().showMessage(text);
}

QString InputBox(const QString& caption, const QString& prompt, const QString& def)
{
    return Dialogs().inputBox(caption, prompt, def);
}

}  // namespace platform
