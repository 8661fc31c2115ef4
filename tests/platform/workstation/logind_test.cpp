// Restart and power-off asked of logind, on a private bus with a fake logind; the programs of
// the session buttons, from the fixed table.
#include <gtest/gtest.h>
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include "fake_logind.h"
#include "platform/workstation/linux.h"
#include "xserver.h"

namespace {

// A bus of the test's own: dbus-daemon on a socket in a temporary folder.
class PrivateBus {
public:
    PrivateBus()
    {
        address_ = StartHelper(process_, QStringLiteral("dbus-daemon"),
                               {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--print-address=1"),
                                QStringLiteral("--address=unix:path=") + dir_.filePath(QStringLiteral("bus"))});
    }
    ~PrivateBus() { StopHelper(process_); }
    QString Address() const { return address_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString address_;
};

class LogindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (bus.Address().isEmpty())
            GTEST_SKIP() << "dbus-daemon could not be started";
        options.LogindBus = bus.Address();
    }
    // logind appears on the bus.
    void Serve()
    {
        QDBusConnection c = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("fake-logind"));
        ASSERT_TRUE(c.isConnected());
        ASSERT_TRUE(c.registerService(QStringLiteral("org.freedesktop.login1")));
        ASSERT_TRUE(c.registerObject(QStringLiteral("/org/freedesktop/login1"), &logind, QDBusConnection::ExportAllSlots));
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(QStringLiteral("fake-logind")); }

    PrivateBus bus;
    FakeLogind logind;
    workstation::LinuxOptions options;
};

}  // namespace

TEST_F(LogindTest, RebootAndPowerOffAreAskedOfLogindWithoutPrompt)
{
    Serve();
    workstation::LinuxWorkstation station(options);
    station.Reboot();
    EXPECT_TRUE(QTest::qWaitFor([&] { return logind.Calls.size() == 1; }, 5000));
    station.PowerOff();
    EXPECT_TRUE(QTest::qWaitFor([&] { return logind.Calls.size() == 2; }, 5000));
    EXPECT_EQ(logind.Calls, QStringList({"Reboot 0", "PowerOff 0"}));
    EXPECT_TRUE(station.Notices.isEmpty());
}

TEST_F(LogindTest, ARefusalIsLoggedAndNothingMore)
{
    workstation::LinuxWorkstation station(options);
    station.Reboot();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !station.Notices.isEmpty(); }, 5000));
    EXPECT_TRUE(station.Notices.first().startsWith(QStringLiteral("Reboot refusé par logind")))
        << station.Notices.first().toStdString();
}

TEST(Workstation, TheTestsSystemBusIsDead)
{
    // The safety net of every test program: the real logind is out of reach.
    workstation::LinuxWorkstation station(workstation::LinuxOptions{});
    station.PowerOff();
    ASSERT_EQ(station.Notices.size(), 1);
    EXPECT_TRUE(station.Notices.first().startsWith(QStringLiteral("PowerOff refusé : bus système injoignable")));
}

// --- the session's programs ------------------------------------------------------------------

namespace {

class Programs : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPath_ = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("PATH", savedPath_); }
    // A program of the table that writes down how it was started.
    void Install(const QString& name)
    {
        QFile script(dir.filePath(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$0 $*\" > \"${0%/*}/started\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString Started()
    {
        QFile f(dir.filePath(QStringLiteral("started")));
        if (!QTest::qWaitFor([&] { return f.exists() && f.size() > 0; }, 5000) || !f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(f.readAll()).trimmed();
    }

    QTemporaryDir dir;
    workstation::LinuxWorkstation station{workstation::LinuxOptions{}};

private:
    QByteArray savedPath_;
};

}  // namespace

TEST_F(Programs, TheFirstInstalledProgramOfTheTableStartsWithItsOwnArguments)
{
    Install(QStringLiteral("abiword"));
    Install(QStringLiteral("libreoffice"));
    EXPECT_TRUE(station.Launch(workstation::Program::WordProcessor));
    EXPECT_EQ(Started(), dir.filePath(QStringLiteral("libreoffice")) + QStringLiteral(" --writer"));
}

TEST_F(Programs, AMissingProgramIsLoggedNotRaised)
{
    EXPECT_FALSE(station.Launch(workstation::Program::Browser));
    ASSERT_EQ(station.Notices.size(), 1);
    EXPECT_EQ(station.Notices.first(), "aucun programme de navigateur n'est installé");
}
