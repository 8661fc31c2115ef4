#pragma once
// The X11 side of the workstation, over an xcb connection of its own (Qt's may be another
// display, or none): panels and desktop windows unmapped and mapped back, the task-list keys
// grabbed on the root window, the other windows asked to minimise.
#include <QObject>
#include <QSet>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

struct xcb_connection_t;
class QSocketNotifier;

namespace workstation {

class X11Desktop : public QObject {
public:
    enum Kind { Panels, DesktopIcons };
    using LogFunction = std::function<void(const QString&)>;

    // Display: the display's name (":0"). A display that cannot be reached leaves the object
    // inactive: every call does nothing. Log receives what went wrong.
    X11Desktop(const QString& Display, LogFunction Log);
    ~X11Desktop() override;

    bool Active() const { return conn_ != nullptr; }

    // Asked states are applied together at the next turn of the event loop (or by Flush), so
    // that a show followed at once by a hide leaves the windows hidden instead of racing the
    // window manager's own mapping of them.
    void SetHidden(Kind What, bool Hidden);
    void Flush();

    // Grabs every task-list key with the lock-key variants; answers the keys that another
    // client (the window manager) holds, which stay usable. False: gives back every grab made.
    QStringList BlockKeys(bool Block);
    // Asks the window manager to iconify every visible client window but Own.
    void MinimizeOthers(uint32_t Own);

    // The task-list keys, as reported.
    static QStringList TaskKeyNames();

private:
    struct Grab {
        uint16_t modifiers;
        uint8_t keycode;
    };
    uint32_t Atom(const char* Name);
    std::vector<uint32_t> Children(uint32_t Window);
    bool HasType(uint32_t Window, uint32_t Type);
    bool Mapped(uint32_t Window, bool* Exists = nullptr, bool* OverrideRedirect = nullptr,
                bool* Viewable = nullptr);
    // The windows of a kind: top-level ones, or the client window just inside a frame.
    std::vector<uint32_t> WindowsOfKind(Kind What);
    void Apply(Kind What);
    void ReleaseGrabs();
    void Sync();
    void DrainEvents();
    void Disconnect(const QString& Why);

    xcb_connection_t* conn_ = nullptr;
    uint32_t root_ = 0;
    uint32_t windowType_ = 0;  // _NET_WM_WINDOW_TYPE on this display
    LogFunction log_;
    QSocketNotifier* notifier_ = nullptr;
    bool wantHidden_[2] = {false, false};
    bool pending_ = false;
    QSet<uint32_t> hidden_[2];  // what this object unmapped, to map back
    std::vector<Grab> grabs_;
};

}  // namespace workstation
