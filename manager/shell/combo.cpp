#include "manager/shell/combo.h"

#include <QComboBox>
#include <QKeyEvent>
#include "manager/shell/dialogkit.h"

TCombo::TCombo(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(SpeedButton1, &QToolButton::clicked, this, &TCombo::Valider);
    connect(Edit1, &QLineEdit::returnPressed, this, &TCombo::Valider);
    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Edit1->setText(item->text()); });
    ListBox1->installEventFilter(this);
}

void TCombo::Init(const QComboBox* source)
{
    ListBox1->clear();
    for (int i = 0; i < source->count(); ++i)
        ListBox1->addItem(source->itemText(i));
}

void TCombo::Result(QComboBox* target) const
{
    QStringList items;
    for (int i = 0; i < ListBox1->count(); ++i)
        items << ListBox1->item(i)->text();
    ReplaceItems(target, items);
}

void TCombo::Valider()
{
    const auto selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        ListBox1->addItem(Edit1->text());
    else
        selected.first()->setText(Edit1->text());
    clearChoice();
}

void TCombo::clearChoice()
{
    ListBox1->clearSelection();
    ListBox1->setCurrentRow(-1);
    Edit1->clear();
}

bool TCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        const auto selected = ListBox1->selectedItems();
        if (!selected.isEmpty())
            delete selected.first();
        clearChoice();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
