#include "manager/shell/dialogkit.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include "platform/application.h"
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

namespace {

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QWidget* widget, std::function<void(QChar&)> filter)
        : QObject(widget), filter_(std::move(filter))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        QChar key;
        switch (keyEvent->key()) {
        case Qt::Key_Backspace: key = QChar(8); break;
        case Qt::Key_Return:
        case Qt::Key_Enter: key = QChar(13); break;
        default:
            if (keyEvent->text().size() != 1 || keyEvent->text()[0].unicode() < ' '
                || (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                return false;   // not a character: navigation keys, Tab, Esc, shortcuts
            key = keyEvent->text()[0];
        }
        const QChar typed = key;
        filter_(key);
        if (key == typed)
            return false;
        if (key != QChar(0))
            if (auto* edit = qobject_cast<QLineEdit*>(watched))
                edit->insert(QString(key));
        return true;
    }

private:
    std::function<void(QChar&)> filter_;
};

}  // namespace

void OnKeyPress(QWidget* widget, std::function<void(QChar& key)> filter)
{
    widget->installEventFilter(new KeyPressFilter(widget, std::move(filter)));
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
