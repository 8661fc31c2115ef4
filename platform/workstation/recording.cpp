#include "platform/workstation/recording.h"

namespace workstation {

namespace {
Workstation* current = nullptr;
}

RecordingWorkstation::RecordingWorkstation() : previous_(current)
{
    current = this;
    Install(this);
}

RecordingWorkstation::~RecordingWorkstation()
{
    current = previous_;
    Install(previous_);
}

void RecordingWorkstation::BlockTaskKeys(bool Block)
{
    Calls << (Block ? QStringLiteral("BlockTaskKeys on") : QStringLiteral("BlockTaskKeys off"));
}

void RecordingWorkstation::MinimizeOthers(quintptr OwnWindow)
{
    LastOwnWindow = OwnWindow;
    Calls << QStringLiteral("MinimizeOthers");
}

bool RecordingWorkstation::Launch(Program What)
{
    Calls << QStringLiteral("Launch ") + ProgramName(What);
    return true;
}

}  // namespace workstation
