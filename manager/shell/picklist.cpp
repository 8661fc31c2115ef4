#include "manager/shell/picklist.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include "manager/shell/blocklines.h"
#include "manager/shell/dialogkit.h"

namespace {

constexpr int CodeRole = Qt::UserRole;

}  // namespace

TPickList::TPickList(QWidget* owner, const PickListKind& kind) : QDialog(owner), kind_(kind) {}

void TPickList::attach(QListWidget* list, QPushButton* ok, QPushButton* cancel)
{
    list_ = list;
    BindOkCancel(this, ok, cancel);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    if (kind_.enterChooses)
        list_->installEventFilter(this);
}

void TPickList::Init(const RecordList& list)
{
    list_->clear();
    list_->setUpdatesEnabled(false);
    for (int i = 0; i < list.Count(); ++i) {
        if (!IsStartLine(list.Strings(i)) || i + kind_.nameLine >= list.Count())
            continue;
        const QString code = list.Strings(i + 1);
        auto* item = new QListWidgetItem(code + QLatin1Char(' ') + list.Strings(i + kind_.nameLine), list_);
        item->setData(CodeRole, code);
    }
    list_->setUpdatesEnabled(true);
}

QString TPickList::Result() const
{
    if (!ClosedWithOk(this))
        return {};
    const auto selected = list_->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(CodeRole).toString();
}

bool TPickList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
