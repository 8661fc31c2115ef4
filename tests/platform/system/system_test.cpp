// Setting the system clock and listing the fonts. The machine's clock is never changed: the
// conversions are checked on the recording clock, and the system's refusal in a child process
// that gave up the right to set the time before asking.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <QTimeZone>
#include <cstdio>
#include <cstdlib>
#include "platform/system/system.h"

namespace {

using hostsystem::RecordingClock;
using hostsystem::SetLocalTime;

QDateTime Utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

struct LocalCase {
    const char* zone;
    int y, mo, d, h, mi, s;
    QDateTime utc;
};

TEST(SetLocalTime, ConvertsWithTheZonesOffsetOnThatDate)
{
    const LocalCase cases[] = {
        // Paris: one hour ahead in winter, two in summer, not a fixed hour.
        {"Europe/Paris", 2024, 1, 15, 14, 30, 5, Utc(2024, 1, 15, 13, 30, 5)},
        {"Europe/Paris", 2024, 7, 15, 14, 30, 5, Utc(2024, 7, 15, 12, 30, 5)},
        // Just after midnight the universal date is still the day before.
        {"Europe/Paris", 2024, 3, 1, 0, 15, 0, Utc(2024, 2, 29, 23, 15, 0)},
        {"America/New_York", 2024, 12, 31, 22, 0, 0, Utc(2025, 1, 1, 3, 0, 0)},
        {"UTC", 2099, 12, 31, 23, 59, 59, Utc(2099, 12, 31, 23, 59, 59)},
    };
    for (const LocalCase& c : cases) {
        const QTimeZone zone(c.zone);
        ASSERT_TRUE(zone.isValid()) << c.zone;
        RecordingClock clock;
        QString error;
        EXPECT_TRUE(SetLocalTime(c.y, c.mo, c.d, c.h, c.mi, c.s, &error, zone)) << c.zone << error.toStdString();
        ASSERT_EQ(clock.Calls.size(), 1) << c.zone;
        EXPECT_EQ(clock.Calls[0].toMSecsSinceEpoch(), c.utc.toMSecsSinceEpoch())
            << c.zone << " " << clock.Calls[0].toString(Qt::ISODate).toStdString();
    }
}

TEST(SetLocalTime, RefusesWhatDoesNotExistWithoutAskingTheSystem)
{
    struct Impossible {
        int y, mo, d, h, mi, s;
        const char* shown;
    } const cases[] = {
        {2024, 12, 0, 10, 0, 0, "00/12/2024 10:00:00"},     // day 0
        {2024, 0, 12, 10, 0, 0, "12/00/2024 10:00:00"},     // month 0
        {2024, 4, 31, 10, 0, 0, "31/04/2024 10:00:00"},
        {2023, 2, 29, 10, 0, 0, "29/02/2023 10:00:00"},
        {2024, 6, 1, 24, 0, 0, "01/06/2024 24:00:00"},      // hour 24
        {2024, 6, 1, 23, 60, 0, "01/06/2024 23:60:00"},
        {2024, 3, 31, 2, 30, 0, "31/03/2024 02:30:00"},     // skipped when summer time begins
    };
    const QTimeZone paris("Europe/Paris");
    ASSERT_TRUE(paris.isValid());
    RecordingClock clock;
    for (const Impossible& c : cases) {
        QString error;
        EXPECT_FALSE(SetLocalTime(c.y, c.mo, c.d, c.h, c.mi, c.s, &error, paris)) << c.shown;
        EXPECT_EQ(error, QStringLiteral("Date ou heure impossible : ") + QLatin1String(c.shown) + u'.');
    }
    EXPECT_TRUE(clock.Calls.isEmpty());
}

TEST(SetLocalTime, PassesTheSystemsRefusalOn)
{
    RecordingClock clock;
    clock.Refusal = QStringLiteral("refusé");
    QString error;
    EXPECT_FALSE(SetLocalTime(2024, 6, 1, 12, 0, 0, &error, QTimeZone::utc()));
    EXPECT_EQ(error, QStringLiteral("refusé"));
    EXPECT_EQ(clock.Calls.size(), 1);
}

TEST(RecordingClock, InstallsItselfWhileItLivesAndNests)
{
    hostsystem::ClockSetter* system = &hostsystem::Clock();
    {
        RecordingClock outer;
        EXPECT_EQ(&hostsystem::Clock(), &outer);
        {
            RecordingClock inner;
            EXPECT_EQ(&hostsystem::Clock(), &inner);
        }
        EXPECT_EQ(&hostsystem::Clock(), &outer);
    }
    EXPECT_EQ(&hostsystem::Clock(), system);
}

// Gives up CAP_SYS_TIME in this thread (the one that will ask): effective, permitted, inheritable
// and, where allowed, the bounding set. True only when the capability is really gone.
bool DropTimeCapability()
{
    prctl(PR_CAPBSET_DROP, CAP_SYS_TIME, 0, 0, 0);   // needs CAP_SETPCAP; the rest does not
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    const unsigned word = CAP_TO_INDEX(CAP_SYS_TIME), bit = CAP_TO_MASK(CAP_SYS_TIME);
    data[word].effective &= ~bit;
    data[word].permitted &= ~bit;
    data[word].inheritable &= ~bit;
    if (syscall(SYS_capset, &header, data) != 0)
        return false;
    __user_cap_data_struct check[_LINUX_CAPABILITY_U32S_3] = {};
    return syscall(SYS_capget, &header, check) == 0 && !(check[word].effective & bit)
           && !(check[word].permitted & bit);
}

// Exit codes of the child.
enum { Refused = 0, Accepted = 1, CapabilityKept = 2 };

[[noreturn]] void AskWithoutTheCapability()
{
    // Never ask while the capability is held: that would set this machine's clock.
    if (!DropTimeCapability())
        std::_Exit(CapabilityKept);
    QString error;
    hostsystem::SystemClock system;
    const bool set = system.SetSystemTime(QDateTime::currentDateTimeUtc(), &error);
    std::fputs(error.toUtf8().constData(), stderr);
    std::_Exit(set ? Accepted : Refused);
}

TEST(SystemClock, TheRefusalOfAProcessWithoutTheRightIsReported)
{
    // The child is a fresh run of this program that runs only this test.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(AskWithoutTheCapability(), ::testing::ExitedWithCode(Refused),
                "Le système refuse de changer l'heure : ce programme n'en a pas le droit \\(CAP_SYS_TIME\\)\\.");
}

TEST(FontFamilies, ListsTheInstalledFamilies)
{
    const QStringList families = hostsystem::FontFamilies();
    // The set-up installs the Liberation fonts.
    EXPECT_TRUE(families.contains(QStringLiteral("Liberation Sans"))) << families.join(u',').toStdString();
    EXPECT_TRUE(families.contains(QStringLiteral("Liberation Serif")));
}

}  // namespace
