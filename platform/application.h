#pragma once
// The error boundary: an exception thrown by an event handler stops that handler and is shown
// in the standard error box; the program goes on.
#include <QApplication>
#include <exception>
#include <utility>

namespace platform {

// Shows the message of an exception that reached an event handler's boundary (an error box
// with OK, through the dialog service).
void ShowException(const std::exception& e);
void ShowUnknownException();

// Runs f; an exception escaping it is shown and goes no further.
template <class F>
void Guarded(F&& f)
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowUnknownException();
    }
}

// A handler for connect(): guard(this, &TFiche::Button1Click) calls the member inside the
// boundary, whatever arguments the signal carries that the member takes.
template <class Obj, class... Args>
auto guard(Obj* obj, void (Obj::*member)(Args...))
{
    return [obj, member](Args... args) { Guarded([&] { (obj->*member)(args...); }); };
}

// Loads Qt's own French translation (Debian's qt6-translations-l10n), so that the standard dialogs
// (open, save, print, printer set-up) speak French. False when it is not installed: they then
// speak English. Both programs call it at start.
bool InstallFrenchTranslation();

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    // The last resort for an exception that left a handler without a guard.
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace platform
