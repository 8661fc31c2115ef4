#include "wsocket/wspump.h"
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace wsocket {

namespace {

bool quitSeen = false;

// Notes the application's quit request as it passes; it lets every event through.
class QuitWatcher final : public QObject {
public:
    explicit QuitWatcher(QObject* app) : QObject(app) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Quit && watched == QCoreApplication::instance())
            quitSeen = true;
        return false;
    }
};

void WatchApplication()
{
    // The watcher is a child of the application it watches and goes with it, which clears this
    // pointer: a later application, even one built at the same address, gets a watcher of its own.
    static QPointer<QuitWatcher> watcher;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || (watcher && watcher->parent() == app))
        return;
    quitSeen = false;
    watcher = new QuitWatcher(app);
    app->installEventFilter(watcher);
}

}  // namespace

void ProcessPendingEvents()
{
    WatchApplication();
    QCoreApplication::processEvents();
}

void WaitForEvents(int MaxMs)
{
    WatchApplication();
    // A timer wakes the loop up at the deadline when nothing else does.
    QTimer wake;
    if (MaxMs >= 0) {
        wake.setSingleShot(true);
        wake.start(MaxMs);
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool ApplicationTerminated()
{
    WatchApplication();
    return quitSeen || QCoreApplication::closingDown() || !QCoreApplication::instance();
}

}  // namespace wsocket
