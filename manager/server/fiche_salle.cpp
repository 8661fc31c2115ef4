// The operator's view of the workstations: the connection log (Memo7) and the room view
// (ListView1), one item per machine in list order, busy or free as Occupation says.
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include "manager/cardfile/fiche.h"
#include "manager/server/blocs.h"

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
    ListView1->setUpdatesEnabled(true);
}

void TFiche::Marque(const QString& host, char state)
{
    serveur::Machine machine;
    if (serveur::TrouveMachine(ListePostes, host, machine) && machine.ordinal < Occupation.size())
        Occupation[machine.ordinal] = state;
}
