// The room and history pages: the room's double click opens a machine's last ticket, its pop-up
// menu shows what the log says of the machine, and the log prints as it stands.
#include <QAction>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include "manager/cardfile/fiche.h"
#include "manager/server/blocs.h"
#include "manager/shell/histo.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/printer.h"

using rtl::UpperCase;

namespace {

// The one room item selected, or null when none or several are.
const QListWidgetItem* SeulChoisi(const QListWidget* view)
{
    const QList<QListWidgetItem*> selected = view->selectedItems();
    return selected.size() == 1 ? selected.first() : nullptr;
}

// A character that belongs to a computer name: what stands next to a name in a line must not be
// one, or the line names another machine ("PC10" is not "PC1").
bool DansUnNom(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.');
}

// True when `line` names the machine `name` (upper-cased) as a whole word, case ignored.
bool NommeLePoste(const QString& line, const QString& name)
{
    const QString text = UpperCase(line);
    for (int at = int(text.indexOf(name)); at >= 0; at = int(text.indexOf(name, at + 1))) {
        const int end = at + int(name.size());
        if ((at == 0 || !DansUnNom(text[at - 1])) && (end == text.size() || !DansUnNom(text[end])))
            return true;
    }
    return false;
}

}  // namespace

void TFiche::ConnectSalle()
{
    connect(ListView1, &QListWidget::itemDoubleClicked, this,
            [this] { platform::Guarded([this] { ListView1DblClick(); }); });
    connect(Historique1, &QAction::triggered, this, [this] { platform::Guarded([this] { Historique1Click(); }); });
}

void TFiche::Salle()
{
    PageControl1->setCurrentWidget(TabSheet6);
    Remplit();
}

void TFiche::Historique()
{
    PageControl1->setCurrentWidget(TabSheet7);
}

// The machine's most recent ticket in list order, matched on its whole name, case ignored: an
// unnamed item opens nothing (it would take the tickets typed without a machine).
void TFiche::ListView1DblClick()
{
    const QListWidgetItem* item = SeulChoisi(ListView1);
    if (!item || item->text().isEmpty())
        return;
    const QString name = UpperCase(item->text());
    const RecordList& list = ListeTickets;
    for (int i = list.Count() - 1; i >= 0; --i) {
        const QString tag = list.Strings(i);
        if (!tag.startsWith(QLatin1String("<BLOC")))
            continue;
        const QStringList fields = serveur::ChampsDuBloc(list, i, 5);
        int n;
        if (fields.size() < 5 || UpperCase(fields[4]) != name || !list.TagNumber(tag, n))
            continue;
        // The ticket on the card is written back before another one takes its place.
        EcritCaisse();
        IndexTicket = n;
        Caisse();
        if (ValideCaisse)
            ValideCaisse();
        return;
    }
}

// Each line naming the machine, then the line before and the line after it: the login that came
// before the machine's name, and what followed.
void TFiche::Historique1Click()
{
    const QListWidgetItem* item = SeulChoisi(ListView1);
    if (!item || item->text().isEmpty())
        return;
    const QString name = UpperCase(item->text());
    const QStringList log = Memo7->toPlainText().split(QLatin1Char('\n'));
    QStringList lines;
    for (int i = 0; i < log.size(); ++i) {
        if (!NommeLePoste(log[i], name))
            continue;
        lines << log[i];
        if (i > 0)
            lines << log[i - 1];
        if (i + 1 < log.size())
            lines << log[i + 1];
    }
    THisto histo(this);
    histo.Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    platform::Dialogs().exec(&histo);
}

// The log as the printer's text: one printed line per line, in the log's font, the page ejected
// at the end. Lines longer than the page are cut at its edge, as on a line printer.
void TFiche::ImpFiche7()
{
    if (PageControl1->currentWidget() != TabSheet7)
        return;
    QPrinter& printer = platform::Printer();
    QPainter canvas;
    if (!canvas.begin(&printer)) {
        platform::ShowMessage(QStringLiteral("L'impression n'a pas pu commencer."));
        return;
    }
    canvas.setFont(Memo7->font());
    const QFontMetrics metrics = canvas.fontMetrics();
    const int pitch = metrics.lineSpacing();
    int y = 0;
    for (const QString& line : Memo7->toPlainText().split(QLatin1Char('\n'))) {
        if (y > 0 && y + pitch > printer.height()) {
            printer.newPage();
            y = 0;
        }
        canvas.drawText(0, y + metrics.ascent(), line);
        y += pitch;
    }
    canvas.end();
}
