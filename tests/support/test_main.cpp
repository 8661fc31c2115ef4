// Every test program runs headless with one application object and the error boundary.
#include <gtest/gtest.h>
#include <cstdlib>
#include "platform/application.h"
#include "platform/system/system.h"

namespace {

// No test may set this machine's clock: a test that reaches the system clock without a recording
// clock of its own fails, and nothing is set.
class NoSystemClock : public hostsystem::ClockSetter {
public:
    bool SetSystemTime(const QDateTime& utc, QString* error) override
    {
        ADD_FAILURE() << "the system clock was asked to change to " << utc.toString(Qt::ISODate).toStdString()
                      << " without a recording clock";
        if (error)
            *error = QStringLiteral("Horloge des tests : rien n'a été réglé.");
        return false;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing a test does may reach this machine's logind (restart, power-off): the system bus
    // is a dead address; the tests that need one start a private bus.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmora-tests-no-system-bus");
    ::testing::InitGoogleTest(&argc, argv);
    platform::Application app(argc, argv);
    NoSystemClock noSystemClock;
    hostsystem::InstallClock(&noSystemClock);
    return RUN_ALL_TESTS();
}
