// The test main of the programs that test a QtCore-only layer: one QCoreApplication, no window
// system and no GUI module, so that what they test is shown to need none.
#include <gtest/gtest.h>
#include <QCoreApplication>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
