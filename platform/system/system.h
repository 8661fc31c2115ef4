#pragma once
// What the programs ask of the operating system beyond files and sockets: setting the system
// clock (the desk clock) and the font families installed (the letter editor's font list).
//
// The clock is one service, installed like the dialog service: the real one sets the machine's
// clock with clock_settime, a recording one in tests, which must never change this machine's
// clock.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

namespace hostsystem {

class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    // Sets the system clock to `utc` (a moment in universal time). False, with the reason in
    // *error, when the system refused.
    virtual bool SetSystemTime(const QDateTime& utc, QString* error) = 0;
};

// The system's own clock: clock_settime(CLOCK_REALTIME). Linux lets only a process holding
// CAP_SYS_TIME do it; a refusal is answered, never ignored.
class SystemClock : public ClockSetter {
public:
    bool SetSystemTime(const QDateTime& utc, QString* error) override;
};

// The clock of the tests: nothing is set, every request is written down; `Refusal`, when not
// empty, is the reason every request is refused with. It installs itself while it lives.
class RecordingClock : public ClockSetter {
public:
    RecordingClock();
    ~RecordingClock() override;

    QList<QDateTime> Calls;
    QString Refusal;

    bool SetSystemTime(const QDateTime& utc, QString* error) override;

private:
    ClockSetter* previous_ = nullptr;
};

// The installed clock; without one, the system's.
ClockSetter& Clock();
// Installs another clock (tests); nullptr goes back to the system's. Not owned.
void InstallClock(ClockSetter* clock);

// Sets the system clock to a date and time of day given in `zone` (the machine's local time by
// default), converted to universal time with that zone's offset on that date (summer time
// included). A date or time that does not exist (day or month 0, 31 April, hour 24, a local time
// skipped when summer time begins) is refused before the system is asked. False, with the reason
// in *error (French, for the operator), when nothing was set.
bool SetLocalTime(int year, int month, int day, int hour, int minute, int second, QString* error,
                  const QTimeZone& zone = QTimeZone::systemTimeZone());

// The font families installed, in the font database's order (sorted by name).
QStringList FontFamilies();

}  // namespace hostsystem
