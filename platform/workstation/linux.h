#pragma once
// The workstation of a Linux session: X11 for the desktop, logind over D-Bus for restart and
// power-off, QProcess for the allowed programs. Under Wayland, or without a display, the
// desktop calls do nothing and say so once: a Wayland compositor gives no client the panels
// or the keys of the others.
#include <QObject>
#include "platform/workstation/workstation.h"

namespace workstation {

class X11Desktop;

struct LinuxOptions {
    QString Display;     // the X display; empty: none
    bool Wayland = false;
    QString LogindBus;   // D-Bus address where logind answers; empty: the system bus
    // From DISPLAY, WAYLAND_DISPLAY and XDG_SESSION_TYPE.
    static LinuxOptions FromEnvironment();
};

class LinuxWorkstation : public QObject, public Workstation {
public:
    explicit LinuxWorkstation(const LinuxOptions& Options = LinuxOptions::FromEnvironment(),
                              QObject* Parent = nullptr);
    ~LinuxWorkstation() override;

    QString ComputerName() override;
    void HideTaskbar() override;
    void ShowTaskbar() override;
    void HideDesktopIcons() override;
    void ShowDesktopIcons() override;
    void BlockTaskKeys(bool Block) override;
    void MinimizeOthers(quintptr OwnWindow) override;
    bool Launch(Program What) override;
    void Reboot() override;
    void PowerOff() override;

    // Applies the desktop states asked for and not yet applied.
    void Flush();
    bool DesktopActive() const;
    // Everything logged so far (also written to the program's log).
    QStringList Notices;

private:
    void Log(const QString& Text);
    // False, and the reason logged the first time, when there is no X11 desktop to act on.
    bool Desktop();
    void AskLogind(const QString& Method);

    LinuxOptions options_;
    X11Desktop* desktop_ = nullptr;
    QString busName_;
    QString inactiveReason_;
    bool inactiveTold_ = false;
};

}  // namespace workstation
