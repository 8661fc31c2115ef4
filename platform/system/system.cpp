#include "platform/system/system.h"

#include <QFontDatabase>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace hostsystem {

namespace {

ClockSetter* installed = nullptr;

QString Pad(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

}  // namespace

bool SystemClock::SetSystemTime(const QDateTime& utc, QString* error)
{
    const qint64 ms = utc.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = time_t(ms / 1000);
    ts.tv_nsec = long(ms % 1000) * 1000000L;
    if (ms < 0 || clock_settime(CLOCK_REALTIME, &ts) != 0) {
        const int err = ms < 0 ? EINVAL : errno;
        if (error)
            *error = err == EPERM
                         ? QStringLiteral("Le système refuse de changer l'heure : ce programme n'en a pas le droit "
                                          "(CAP_SYS_TIME).")
                         : QStringLiteral("Le système refuse de changer l'heure : %1.")
                               .arg(QString::fromLocal8Bit(std::strerror(err)));
        return false;
    }
    return true;
}

RecordingClock::RecordingClock() : previous_(installed)
{
    InstallClock(this);
}

RecordingClock::~RecordingClock()
{
    InstallClock(previous_);
}

bool RecordingClock::SetSystemTime(const QDateTime& utc, QString* error)
{
    Calls << utc;
    if (Refusal.isEmpty())
        return true;
    if (error)
        *error = Refusal;
    return false;
}

ClockSetter& Clock()
{
    static SystemClock system;
    return installed ? *installed : system;
}

void InstallClock(ClockSetter* clock)
{
    installed = clock;
}

bool SetLocalTime(int year, int month, int day, int hour, int minute, int second, QString* error,
                  const QTimeZone& zone)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    // A local time that summer time skips comes back from QDateTime moved to another hour: it is
    // as impossible as 31 April.
    const QDateTime local(date, time, zone);
    if (!date.isValid() || !time.isValid() || !local.isValid() || local.date() != date || local.time() != time) {
        if (error)
            *error = QStringLiteral("Date ou heure impossible : %1/%2/%3 %4:%5:%6.")
                         .arg(Pad(day, 2), Pad(month, 2), Pad(year, 4), Pad(hour, 2), Pad(minute, 2),
                              Pad(second, 2));
        return false;
    }
    return Clock().SetSystemTime(local.toUTC(), error);
}

QStringList FontFamilies()
{
    return QFontDatabase::families();
}

}  // namespace hostsystem
