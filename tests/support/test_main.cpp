// Every test program runs headless with one application object and the error boundary.
#include <gtest/gtest.h>
#include <cstdlib>
#include "platform/application.h"

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing a test does may reach this machine's logind (restart, power-off): the system bus
    // is a dead address; the tests that need one start a private bus.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmora-tests-no-system-bus");
    ::testing::InitGoogleTest(&argc, argv);
    platform::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
