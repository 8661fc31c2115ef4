#include "platform/widgets/keypress.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Lives as a child of the control it filters, so it goes with it.
class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QWidget* control, KeyPressHandler handler) : QObject(control), handler_(std::move(handler))
    {
        setObjectName(QStringLiteral("KeyPressFilter"));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || resending_)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().isEmpty())
            return false;
        const QChar typed = key->text().front();
        QChar ch = typed;
        handler_(ch);
        if (ch == typed)
            return false;
        if (!ch.isNull()) {
            QKeyEvent replaced(QEvent::KeyPress, KeyCodeOf(ch), key->modifiers(), QString(ch), key->isAutoRepeat());
            resending_ = true;
            QCoreApplication::sendEvent(watched, &replaced);
            resending_ = false;
        }
        return true;
    }

private:
    KeyPressHandler handler_;
    bool resending_ = false;
};

}  // namespace

int KeyCodeOf(QChar ch)
{
    // Qt's codes for the ASCII characters are their capital forms.
    const char16_t up = ch.toUpper().unicode();
    return up < 0x80 ? int(up) : int(Qt::Key_unknown);
}

void OnKeyPress(QWidget* control, KeyPressHandler handler)
{
    for (QObject* old : control->children()) {
        if (old->objectName() == QLatin1String("KeyPressFilter") && dynamic_cast<KeyPressFilter*>(old)) {
            control->removeEventFilter(old);
            delete old;
        }
    }
    if (handler)
        control->installEventFilter(new KeyPressFilter(control, std::move(handler)));
}
