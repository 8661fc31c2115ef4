// Every test program runs headless with one application object and the error boundary.
#include <gtest/gtest.h>
#include <cstdlib>
#include "platform/application.h"

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    platform::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
