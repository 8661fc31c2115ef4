#pragma once
// Runtime conversions and dates as the programs expect them: ',' as decimal separator,
// dates "dd/mm/yyyy", French month names, a clock that tests can fix.
#include <QDateTime>
#include <QString>
#include <functional>
#include "platform/exception.h"

namespace rtl {

// Days since 30/12/1899; the fraction is the time of day.
using TDateTime = double;

// --- numbers ---------------------------------------------------------------------------------
// Leading and trailing blanks are allowed; anything else that is not a number throws
// EConvertError("'<text>' is not a valid integer value").
int StrToInt(const QString& s);
// ',' is the decimal separator (a '.' does not convert); an exponent "E+nn" is accepted.
// Throws EConvertError("'<text>' is not a valid floating point value").
double StrToFloat(const QString& s);
QString IntToStr(qint64 v);
// Shortest text of up to 15 significant digits, ',' as separator: 19.6 -> "19,6", 20 -> "20",
// 6.55957 -> "6,55957"; very large or small values in the "1E20" / "1E-5" form. `digits`
// (1 to 15) rounds to fewer significant digits.
QString FloatToStr(double v, int digits = 15);
// The format texts the programs use: "#", "0", "0.0", "0.00" (and more '0's after the point):
// rounded half away from zero, ',' as separator; "#" gives "" for 0 and no decimals.
QString FormatFloat(const QString& format, double v);

// Nearest whole number, a half to the even neighbour.
qint64 Round(double v);
// Fractional part, keeping the sign of v.
double Frac(double v);
// Whole part, towards zero.
double Int(double v);

// The runtime's checks of floating-point arithmetic: where the processor would give an infinity
// or a NaN, EMathError with the runtime's message: "Floating point division by zero",
// "Invalid floating point operation" (0 / 0, the square root of a negative number),
// "Floating point overflow".
double Divide(double a, double b);
double Sqrt(double x);
// A sum, difference or product as computed: its check.
double CheckFloat(double result);

// --- texts -----------------------------------------------------------------------------------
// Removes leading and trailing characters up to the blank (control characters too).
QString Trim(const QString& s);
QString TrimLeft(const QString& s);
QString TrimRight(const QString& s);
// Only the letters a to z (A to Z) change; accented letters stay as they are.
QString UpperCase(const QString& s);
QString LowerCase(const QString& s);

// --- dates and times -------------------------------------------------------------------------
TDateTime EncodeDate(int year, int month, int day);       // throws EConvertError when invalid
TDateTime EncodeTime(int hour, int min, int sec = 0, int msec = 0);
void DecodeDate(TDateTime d, int& year, int& month, int& day);
void DecodeTime(TDateTime t, int& hour, int& min, int& sec, int& msec);
TDateTime FromQDateTime(const QDateTime& dt);
QDateTime ToQDateTime(TDateTime d);

// "hh:mm" or "hh:mm:ss" (hours 0-23) as a fraction of a day; blanks around are allowed.
// Throws EConvertError("'<text>' is not a valid time").
TDateTime StrToTime(const QString& s);
// "dd/mm/yyyy" (a two-digit year is taken in 1950-2049).
// Throws EConvertError("'<text>' is not a valid date").
TDateTime StrToDate(const QString& s);
// Tokens: d dd (day), m mm (month; minutes right after an hour token), mmm (short French month
// name, "janv."), four "m" or more (the full name, "janvier"...), yy yyyy, h hh, n nn (minutes),
// s ss, and '/', ':' and any other character as they are. Covers "dd/mm/yyyy", "hh:mm",
// "hh:nn:ss", "yyyymmdd", "dd/mm", "mmmm yyyy", "mmmmm  yyyy" and "dd mmmm yyyy".
QString FormatDateTime(const QString& format, TDateTime d);
QString DateToStr(TDateTime d);   // "dd/mm/yyyy"
QString TimeToStr(TDateTime t);   // "hh:nn:ss" (the long time format)

// --- the clock -------------------------------------------------------------------------------
TDateTime Now();
TDateTime Date();   // today at 00:00
TDateTime Time();   // the time of day only
// Tests fix "now"; an empty function goes back to the system clock.
void SetClock(std::function<QDateTime()> clock);

}  // namespace rtl
