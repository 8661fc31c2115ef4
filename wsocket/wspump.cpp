#include "wsocket/wspump.h"
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
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
    static QCoreApplication* watched = nullptr;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app == watched)
        return;
    watched = app;
    quitSeen = false;
    app->installEventFilter(new QuitWatcher(app));
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
