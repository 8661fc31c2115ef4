#include "manager/shell/orderedlist.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <vector>
#include "manager/shell/blocklines.h"

namespace {

constexpr int BlockRole = Qt::UserRole;
const QString FieldSeparator = QStringLiteral("  ");

// The block number of a start line written exactly "<BLOC" + `width` digits + ">", or -1.
int StartTagNumber(const QString& line, int width)
{
    if (line.size() != width + 6 || !IsStartLine(line) || line.back() != QLatin1Char('>'))
        return -1;
    int n = 0;
    for (int i = 5; i < 5 + width; ++i) {
        if (!line[i].isDigit() || line[i].unicode() > '9')
            return -1;
        n = n * 10 + (line[i].unicode() - '0');
    }
    return n;
}

}  // namespace

TOrderedList::TOrderedList(QWidget* owner, const OrderedListKind& kind) : QDialog(owner), kind_(kind) {}

void TOrderedList::attach(QListWidget* list, QToolButton* up, QToolButton* down, QPushButton* close)
{
    list_ = list;
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(up, &QToolButton::clicked, this, &TOrderedList::MoveUp);
    connect(down, &QToolButton::clicked, this, &TOrderedList::MoveDown);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TOrderedList::Init(const RecordList& list)
{
    // One walk of the list indexes the first start line of every block number and takes its
    // item text; looking each number up across the whole list would be quadratic.
    std::vector<QString> items;
    std::vector<bool> found;
    for (int i = 0; i < list.Count(); ++i) {
        const int n = StartTagNumber(list.Strings(i), kind_.width);
        if (n < 0 || (n < int(found.size()) && found[n]))
            continue;
        if (n >= int(found.size())) {
            found.resize(n + 1, false);
            items.resize(n + 1);
        }
        found[n] = true;
        QStringList fields;
        for (int line : kind_.lines) {
            if (line == 0)
                break;
            const QString text = LineAt(list, i + line);
            // Line +1 is "NUM" and the type letter, or "NUMT", before the 9-digit number.
            fields << (line == 1 ? text.mid(4) : text);
        }
        items[n] = fields.join(FieldSeparator);
    }

    QStringList shown;
    for (int n = 0; n < int(found.size()) && found[n]; ++n)
        shown << items[n];
    list_->clear();
    // Added in one go: adding 99,000 items one by one to the list box is quadratic.
    list_->addItems(shown);
    for (int n = 0; n < shown.size(); ++n)
        list_->item(n)->setData(BlockRole, n);
}

int TOrderedList::selectedRow() const
{
    const auto selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

int TOrderedList::Result() const
{
    const int row = selectedRow();
    return row < 0 ? -1 : list_->item(row)->data(BlockRole).toInt();
}

void TOrderedList::swap(int row, int other)
{
    QListWidgetItem* item = list_->takeItem(row);
    list_->insertItem(other, item);
    list_->setCurrentItem(item);
}

void TOrderedList::MoveUp()
{
    const int row = selectedRow();
    if (row > 0)
        swap(row, row - 1);
}

void TOrderedList::MoveDown()
{
    const int row = selectedRow();
    if (row >= 0 && row < list_->count() - 1)
        swap(row, row + 1);
}

void TOrderedList::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        break;
    case Qt::Key_Escape:
        list_->clearSelection();
        list_->setCurrentRow(-1);
        reject();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}
