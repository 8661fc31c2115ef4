// The operator's view of the workstations: the connection log (Memo7) and the room view
// (ListView1), one item per machine in list order, busy or free as Occupation says.
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include "manager/cardfile/fiche.h"
#include "manager/server/blocs.h"

using rtl::LowerCase;

namespace {

constexpr int LignesMax = 400;
constexpr int LignesOtees = 10;

// The images of the room view, 32 x 32: a screen lit green on a free machine, red on a busy one.
QIcon Image(bool busy)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(70, 70, 70));
    p.drawRoundedRect(QRectF(2.5, 3.5, 27, 20), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(busy ? QColor(210, 45, 40) : QColor(60, 175, 75));
    p.drawRect(QRectF(5, 6, 22, 15));
    p.setBrush(QColor(70, 70, 70));
    p.drawRect(QRectF(13, 24, 6, 3));
    p.drawRoundedRect(QRectF(8, 27, 16, 3), 1, 1);
    return QIcon(pixmap);
}

const QIcon& ImageList1(int index)
{
    static const QIcon images[2] = {Image(false), Image(true)};
    return images[index ? 1 : 0];
}

// True when `word` first occurs in `text` exactly at its end.
bool FinitPar(const QString& text, const QString& word)
{
    const int at = int(text.indexOf(word));
    return at >= 0 && at == text.size() - word.size();
}

}  // namespace

void TFiche::Display(const QString& text)
{
    if (FinitPar(text, QStringLiteral("time")) || FinitPar(text, QStringLiteral("config")))
        return;
    QString line = text;
    // The anonymous login is logged under its name.
    if (line.contains(QLatin1String("Login")) && line.size() < 9)
        line += QStringLiteral(" Vimor");
    // A control character would start a new line of its own in the memo.
    for (QChar& c : line)
        if (c.unicode() < 32)
            c = QLatin1Char(' ');
    Memo7->appendPlainText(line);
    QTextDocument* log = Memo7->document();
    if (log->blockCount() > LignesMax) {
        QTextCursor cursor(log);
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, LignesOtees);
        cursor.removeSelectedText();
    }
}

void TFiche::Remplit()
{
    // The items the operator selected stay selected while the room is rebuilt around them (a
    // session opening elsewhere must not take the target of the next command away).
    QList<QPair<int, QString>> selected;
    for (const QListWidgetItem* item : ListView1->selectedItems())
        selected.append({ListView1->row(item), item->text()});
    const int current = ListView1->currentRow();
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    int ordinal = 0;
    serveur::PourChaqueBloc(ListePostes, 2, [&](int, const QStringList& fields) {
        // A machine past the in-use table is shown free.
        const bool busy = ordinal < Occupation.size() && Occupation[ordinal] != 0;
        auto* item = new QListWidgetItem(ImageList1(busy), fields.value(1), ListView1);
        // The image's index, as the room's other commands read it.
        item->setData(Qt::UserRole, busy ? 1 : 0);
        ++ordinal;
        return false;
    });
    const QSignalBlocker quiet(ListView1);
    if (current >= 0 && current < ListView1->count())
        ListView1->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    for (const auto& [row, text] : selected)
        if (QListWidgetItem* item = ListView1->item(row); item && item->text() == text)
            item->setSelected(true);
    ListView1->setUpdatesEnabled(true);
}

void TFiche::Marque(const QString& host, char state)
{
    serveur::Machine machine;
    const bool found = serveur::TrouveMachine(ListePostes, host, machine) && machine.ordinal < Occupation.size();
    if (found)
        Occupation[machine.ordinal] = state;
    // Only a machine the table holds is ever marked busy; freeing forgets the name in any case.
    if (state == 0)
        PostesOccupes.remove(LowerCase(host));
    else if (found)
        PostesOccupes.insert(LowerCase(host));
}

void TFiche::PostesChanges()
{
    Occupation.fill('\0', 256);
    for (const QString& host : std::as_const(PostesOccupes)) {
        serveur::Machine machine;
        if (serveur::TrouveMachine(ListePostes, host, machine) && machine.ordinal < Occupation.size())
            Occupation[machine.ordinal] = 1;
    }
    Remplit();
}
