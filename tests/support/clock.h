#pragma once
// The programs' clock (rtl::Now, Date, Time) fixed while a ScopedClock lives. The whole suite
// runs on one moment, SuiteNow(); a test that needs another says so by giving it to its clock.
// A clock made inside another gives the outer one back when it goes; the last one gives the
// system clock back.
#include <QDateTime>
#include "platform/rtl.h"

class ScopedClock {
public:
    // Friday 15/03/2024 10:30:00.
    static QDateTime SuiteNow() { return QDateTime(QDate(2024, 3, 15), QTime(10, 30)); }

    explicit ScopedClock(const QDateTime& now = SuiteNow()) : now_(now), outer_(Innermost())
    {
        Innermost() = this;
        Install();
    }
    ~ScopedClock()
    {
        Innermost() = outer_;
        if (outer_)
            outer_->Install();
        else
            rtl::SetClock({});
    }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

    QDateTime Now() const { return now_; }
    void Set(const QDateTime& now) { now_ = now; }
    void Advance(int seconds) { now_ = now_.addSecs(seconds); }

private:
    void Install()
    {
        rtl::SetClock([this] { return now_; });
    }
    static ScopedClock*& Innermost()
    {
        static ScopedClock* innermost = nullptr;
        return innermost;
    }

    QDateTime now_;
    ScopedClock* outer_;
};
