#include "manager/shell/blocnotes.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include "manager/shell/fichierbureau.h"
#include "manager/shell/toolicons.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/printer.h"

TBlocnotes::TBlocnotes(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    SpeedButton9->setIcon(ToolIcon(QStringLiteral("SpeedButton8")));   // the toolbar's printer
    connect(SpeedButton9, &QToolButton::clicked, this, platform::guard(this, &TBlocnotes::Imprimer));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

QString TBlocnotes::FichierNotes(const QString& appFolder)
{
    return QDir(appFolder).filePath(QStringLiteral("QorVente.nte"));
}

QStringList TBlocnotes::Lignes() const
{
    QStringList lines = Memo1->toPlainText().split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool TBlocnotes::Charge(const QString& path)
{
    QStringList lines;
    bool found = false;
    if (!ChargeFichierBureau(path, lines, found, QStringLiteral("Le bloc-notes n'a pas été ouvert.")))
        return false;
    if (found)
        Init(lines);
    return true;
}

bool TBlocnotes::Sauve(const QString& path)
{
    if (!Memo1->document()->isModified())
        return true;
    if (!SauveFichierBureau(path, Lignes(), QStringLiteral("Le fichier des notes n'a pas été modifié.")))
        return false;
    Memo1->document()->setModified(false);
    return true;
}

void TBlocnotes::Imprimer()
{
    QPrinter& printer = platform::Printer();
    QPainter painter;
    if (!painter.begin(&printer)) {
        platform::MessageDlg(QStringLiteral("Impossible d'imprimer : l'imprimante n'a pas pu être ouverte."),
                             platform::mtError, platform::mbOK);
        return;
    }
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(Memo1->font());
    document.setPlainText(Lignes().join(u'\n'));
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    document.setPageSize(page);
    for (int n = 0; n < document.pageCount(); ++n) {
        if (n > 0)
            printer.newPage();
        const QRectF shown(0, n * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -shown.top());
        document.drawContents(&painter, shown);
        painter.restore();
    }
    painter.end();
}

void TBlocnotes::Init(const QStringList& lines)
{
    Memo1->setPlainText(lines.join(u'\n'));
    Memo1->document()->setModified(false);
}

void TBlocnotes::Result(QStringList& lines) const
{
    lines = Lignes();
}

void TBlocnotes::GetIni(int& left, int& top, QColor& color) const
{
    left = x();
    top = y();
    color = palette().color(QPalette::Window);
}

void TBlocnotes::SetIni(int left, int top, const QColor&)
{
    move(left < 5 ? 122 : left, top < 98 ? 98 : top);
}
