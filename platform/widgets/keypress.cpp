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
        const auto& key = *static_cast<QKeyEvent*>(event);
        QChar ch;
        const KeyOutcome outcome = RunKeyHook(handler_, key, ch);
        if (outcome == KeyOutcome::Pass)
            return false;
        if (outcome == KeyOutcome::Replace) {
            QKeyEvent replaced = ReplacedKey(key, ch);
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

KeyOutcome RunKeyHook(const KeyPressHandler& handler, const QKeyEvent& event, QChar& replacement)
{
    if (!handler || event.text().isEmpty())
        return KeyOutcome::Pass;
    const QChar typed = event.text().front();
    replacement = typed;
    handler(replacement);
    if (replacement == typed)
        return KeyOutcome::Pass;
    return replacement.isNull() ? KeyOutcome::Drop : KeyOutcome::Replace;
}

QKeyEvent ReplacedKey(const QKeyEvent& original, QChar ch)
{
    // Qt's codes for the ASCII characters are their capital forms.
    const char16_t up = ch.toUpper().unicode();
    const int code = up < 0x80 ? int(up) : int(Qt::Key_unknown);
    return QKeyEvent(QEvent::KeyPress, code, original.modifiers(), QString(ch), original.isAutoRepeat());
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
