#include "manager/shell/picklist.h"

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
        AcceptOnEnter(this, list_);
}

void TPickList::Init(const RecordList& list)
{
    QStringList codes, shown;
    for (int i = 0; i < list.Count(); ++i) {
        if (!IsStartLine(list.Strings(i)) || i + kind_.nameLine >= list.Count())
            continue;
        codes << list.Strings(i + 1);
        shown << codes.back() + QLatin1Char(' ') + list.Strings(i + kind_.nameLine);
    }
    list_->clear();
    // Added in one go: adding items one by one to the list box is quadratic.
    list_->addItems(shown);
    for (int row = 0; row < codes.size(); ++row)
        list_->item(row)->setData(CodeRole, codes[row]);
}

QString TPickList::Result() const
{
    if (!ClosedWithOk(this))
        return {};
    const auto selected = list_->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(CodeRole).toString();
}
