#pragma once
// The hidden window of a socket: an object of the GUI thread to which messages (number, wParam,
// lParam) are posted through the Qt event loop and handed to its window procedure in posting
// order. PostMessage may be called from any thread; a message for a window destroyed meanwhile
// is dropped.
#include <QObject>
#include "platform/winsock/winsock.h"

namespace winsock {

// The window procedure: what the window's extra bytes point at.
class WindowProcedure {
public:
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~WindowProcedure() = default;
};

class MessageWindow final : public QObject {
public:
    MessageWindow();
    ~MessageWindow() override;
    // Sets (or, with nullptr, clears) the procedure; a window without one drops its messages.
    void SetProcedure(WindowProcedure* proc) { proc_ = proc; }
    WindowProcedure* Procedure() const { return proc_; }

protected:
    bool event(QEvent* e) override;

private:
    WindowProcedure* proc_ = nullptr;
};

// The window is created for and must be destroyed on the calling thread.
HWND CreateMessageWindow(WindowProcedure* proc);
void DestroyMessageWindow(HWND window);
// False when the window does not exist (any more).
bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace winsock
