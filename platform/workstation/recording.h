#pragma once
// The workstation of the tests: nothing is done, every call is written down in order
// ("HideTaskbar", "BlockTaskKeys on", "Launch navigateur", "Reboot"...). It installs itself
// while it lives.
#include "platform/workstation/workstation.h"

namespace workstation {

class RecordingWorkstation : public Workstation {
public:
    RecordingWorkstation();
    ~RecordingWorkstation() override;

    QString Name = QStringLiteral("POSTE1");
    QStringList Calls;
    quintptr LastOwnWindow = 0;

    QString ComputerName() override { return Name; }
    void HideTaskbar() override { Calls << QStringLiteral("HideTaskbar"); }
    void ShowTaskbar() override { Calls << QStringLiteral("ShowTaskbar"); }
    void HideDesktopIcons() override { Calls << QStringLiteral("HideDesktopIcons"); }
    void ShowDesktopIcons() override { Calls << QStringLiteral("ShowDesktopIcons"); }
    void BlockTaskKeys(bool Block) override;
    void MinimizeOthers(quintptr OwnWindow) override;
    bool Launch(Program What) override;
    void Reboot() override { Calls << QStringLiteral("Reboot"); }
    void PowerOff() override { Calls << QStringLiteral("PowerOff"); }

private:
    Workstation* previous_ = nullptr;
};

}  // namespace workstation
