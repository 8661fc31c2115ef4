#include "manager/shell/dialogkit.h"

#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/exception.h"

void BindOkCancel(QDialog* dialog, QPushButton* ok, QPushButton* cancel)
{
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

bool ClosedWithOk(const QDialog* dialog)
{
    return dialog->result() == QDialog::Accepted;
}

namespace {

class EnterAccepts : public QObject {
public:
    EnterAccepts(QDialog* dialog, QWidget* control) : QObject(control), dialog_(dialog) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        dialog_->accept();
        return true;
    }

private:
    QDialog* dialog_;
};

}  // namespace

void AcceptOnEnter(QDialog* dialog, QWidget* control)
{
    control->installEventFilter(new EnterAccepts(dialog, control));
}

namespace {

QList<QRadioButton*> Items(const QGroupBox* group)
{
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

}  // namespace

int ItemIndex(const QGroupBox* group)
{
    const auto items = Items(group);
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

void SetItemIndex(QGroupBox* group, int index)
{
    const auto items = Items(group);
    for (int i = 0; i < items.size(); ++i) {
        // Exclusive buttons refuse to uncheck the checked one; lift that while setting.
        items[i]->setAutoExclusive(false);
        items[i]->setChecked(i == index);
        items[i]->setAutoExclusive(true);
    }
}

void NumericKey(QChar& key, const QString& allowed)
{
    if (key.unicode() < ' ')
        return;
    if (key == QLatin1Char('.'))
        key = QLatin1Char(',');
    if (!allowed.contains(key))
        key = QChar(0);
}

bool FieldsConvert(const QList<QLineEdit*>& fields, const std::function<void(const QLineEdit*)>& convert)
{
    for (QLineEdit* field : fields) {
        try {
            convert(field);
        } catch (const Exception& e) {
            field->setFocus();
            field->selectAll();
            platform::ShowException(e);
            return false;
        }
    }
    return true;
}

void ReplaceItems(QComboBox* combo, const QStringList& items)
{
    const QSignalBlocker quiet(combo);
    const QString shown = combo->currentText();
    combo->clear();
    combo->addItems(items);
    if (combo->isEditable())
        combo->setEditText(shown);
    else
        combo->setCurrentIndex(combo->findText(shown));
}

bool SaveChangesPrompt(const QString& path, const std::function<bool()>& save)
{
    const QString question = QStringLiteral("Enregistrer changements dans ") + QFileInfo(path).fileName()
                             + QStringLiteral(" ?");
    switch (platform::MessageDlg(question, platform::mtWarning, platform::mbYes | platform::mbNo | platform::mbCancel)) {
    case platform::mrYes:
        // After a save that did not happen nothing may be thrown away.
        return save();
    case platform::mrNo:
        return true;
    default:
        return false;
    }
}
