#include "platform/winsock/messagewindow.h"
#include <QCoreApplication>
#include <QEvent>
#include <unordered_set>
#include "platform/winsock/internal.h"

namespace winsock {

namespace {

const QEvent::Type kMessageEvent = QEvent::Type(QEvent::registerEventType());

class MessageEvent final : public QEvent {
public:
    MessageEvent(UINT msg, WPARAM wParam, LPARAM lParam, HANDLE request)
        : QEvent(kMessageEvent), Msg(msg), WParam(wParam), LParam(lParam), Request(request) {}
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    HANDLE Request;
};

// Never destroyed: lookup threads may still post while the program ends.
std::unordered_set<MessageWindow*>& Windows()
{
    static auto* windows = new std::unordered_set<MessageWindow*>;
    return *windows;
}

}  // namespace

namespace detail {

std::mutex& PostLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

bool PostLocked(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, HANDLE request)
{
    if (!window || !Windows().count(window))
        return false;
    QCoreApplication::postEvent(window, new MessageEvent(msg, wParam, lParam, request));
    return true;
}

}  // namespace detail

MessageWindow::MessageWindow()
{
    std::lock_guard lock(detail::PostLock());
    Windows().insert(this);
}

MessageWindow::~MessageWindow()
{
    std::lock_guard lock(detail::PostLock());
    Windows().erase(this);
}

bool MessageWindow::event(QEvent* e)
{
    if (e->type() != kMessageEvent)
        return QObject::event(e);
    auto* m = static_cast<MessageEvent*>(e);
    if (m->Request && !detail::DeliverRequest(m->Request))
        return true;
    // The procedure may destroy this window: nothing of it is touched after the call.
    if (WindowProcedure* proc = proc_)
        proc->WindowProc(m->Msg, m->WParam, m->LParam);
    return true;
}

HWND CreateMessageWindow(WindowProcedure* proc)
{
    auto* w = new MessageWindow;
    w->SetProcedure(proc);
    return w;
}

void DestroyMessageWindow(HWND window)
{
    if (!window)
        return;
    window->SetProcedure(nullptr);
    delete window;
}

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard lock(detail::PostLock());
    return detail::PostLocked(window, msg, wParam, lParam, 0);
}

}  // namespace winsock
