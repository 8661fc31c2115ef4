#pragma once
// Control of the public workstation the client runs on: its name, the desktop's panels and
// icons, the task-list keys, the other windows, the allowed programs, restart and power-off.
// One service, installed like the dialog service: the Linux one in the program, a recording one
// in tests (which must never touch the machine's own session).
#include <QString>
#include <QStringList>

namespace workstation {

// The programs a session may start, each from a fixed table (no shell, no path from outside).
enum class Program { Browser, Mail, WordProcessor };

class Workstation {
public:
    virtual ~Workstation() = default;

    // The computer's name as the café's machine cards know it (empty when it cannot be had).
    virtual QString ComputerName() = 0;

    // The taskbar: the desktop's panels (EWMH type DOCK). Showing re-shows only what was hidden.
    virtual void HideTaskbar() = 0;
    virtual void ShowTaskbar() = 0;
    // The desktop icons: the desktop windows (EWMH type DESKTOP).
    virtual void HideDesktopIcons() = 0;
    virtual void ShowDesktopIcons() = 0;
    // Takes (or gives back) the task-list keys: Alt+Tab, Ctrl+Esc, the Super keys, Ctrl+Alt+Del...
    virtual void BlockTaskKeys(bool Block) = 0;
    // Minimises every visible window but the client's own (OwnWindow: its native id, 0 if none).
    virtual void MinimizeOthers(quintptr OwnWindow) = 0;

    // Starts the program; false (and logged) when it could not be started.
    virtual bool Launch(Program What) = 0;
    // Ask the system to restart or power off; a refusal is logged, never raised.
    virtual void Reboot() = 0;
    virtual void PowerOff() = 0;
};

// The installed service; without one, the Linux workstation of this session.
Workstation& Current();
// Installs another service (tests); nullptr goes back to the Linux one. Not owned.
void Install(Workstation* Service);

QString ProgramName(Program What);

}  // namespace workstation
