#include "platform/rtl.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace rtl {

namespace {

constexpr qint64 kMsPerDay = 86400000;

bool IsBlank(QChar c) { return c.unicode() <= 0x20; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

[[noreturn]] void Fail(const char* what, const QString& text)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
}

// Reads a run of ASCII digits at i (at most maxDigits of them); -1 when there is none.
qint64 ReadNumber(const QString& s, int& i, int maxDigits)
{
    qint64 v = 0;
    int n = 0;
    while (i < s.size() && IsDigit(s[i]) && n < maxDigits) {
        v = v * 10 + (s[i].unicode() - u'0');
        ++i;
        ++n;
    }
    return n == 0 ? -1 : v;
}

// The 15 significant digits the runtime's decimal conversion works from: value = 0.<digits> *
// 10^point. Rounding on this text (not on the binary value) is what makes 2.675 round up.
struct Decimal {
    std::string digits;
    int point = 0;
};

Decimal ToDecimal(double magnitude)
{
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    const std::string text(buf, res.ptr);   // d.dddddddddddddde±xx
    const auto e = text.find('e');
    Decimal d;
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.point = std::stoi(text.substr(e + 1)) + 1;
    return d;
}

// Keeps `decimals` digits after the point, a half rounded away from zero.
void RoundDecimal(Decimal& d, int decimals)
{
    const int keep = d.point + decimals;
    if (keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9')
        d.digits[i--] = '0';
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.point;
    } else {
        ++d.digits[i];
    }
}

QString SpecialValue(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

// Day number and milliseconds of the day, to the nearest millisecond. For dates before
// 30/12/1899 the whole part is the day and the fraction, whatever its sign, the time.
void Split(TDateTime d, qint64& day, qint64& ms)
{
    const double whole = std::trunc(d);
    day = qint64(whole);
    ms = std::llround(std::fabs(d - whole) * kMsPerDay);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++day;
    }
}

qint64 EpochJulianDay()
{
    static const qint64 jd = QDate(1899, 12, 30).toJulianDay();
    return jd;
}

const char* const kMonthNames[12] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                     "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
const char* const kShortMonthNames[12] = {"janv.", "févr.", "mars", "avr.", "mai",  "juin",
                                          "juil.", "août",  "sept.", "oct.", "nov.", "déc."};

QString Padded(qint64 v, int width)
{
    return QStringLiteral("%1").arg(v, width, 10, QLatin1Char('0'));
}

std::function<QDateTime()>& Clock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

}  // namespace

// --- numbers ---------------------------------------------------------------------------------

int StrToInt(const QString& s)
{
    const QString t = Trim(s);
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        negative = t[i++] == u'-';
    if (i == t.size())
        Fail("integer value", s);
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        if (!IsDigit(t[i]))
            Fail("integer value", s);
        v = v * 10 + (t[i].unicode() - u'0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            Fail("integer value", s);
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        Fail("integer value", s);
    return int(v);
}

double StrToFloat(const QString& s)
{
    const QString t = Trim(s);
    QString c;   // the same number in the C locale's notation
    int i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        c += t[i++];
    int mantissaDigits = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i, ++mantissaDigits)
        c += t[i];
    if (i < t.size() && t[i] == u',') {
        c += u'.';
        for (++i; i < t.size() && IsDigit(t[i]); ++i, ++mantissaDigits)
            c += t[i];
    }
    if (mantissaDigits == 0)
        Fail("floating point value", s);
    if (i < t.size() && (t[i] == u'E' || t[i] == u'e')) {
        c += u'e';
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            c += t[i++];
        int expDigits = 0;
        for (; i < t.size() && IsDigit(t[i]); ++i, ++expDigits)
            c += t[i];
        if (expDigits == 0)
            Fail("floating point value", s);
    }
    if (i != t.size())
        Fail("floating point value", s);
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        Fail("floating point value", s);
    return v;
}

QString IntToStr(qint64 v)
{
    return QString::number(v);
}

QString FloatToStr(double v, int digits)
{
    if (!std::isfinite(v))
        return SpecialValue(v);
    if (v == 0)
        return QStringLiteral("0");
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, std::clamp(digits, 1, 15));
    QString text = QString::fromLatin1(buf, res.ptr - buf).replace(u'.', u',');
    const int e = text.indexOf(u'e');
    if (e < 0)
        return text;
    // "1e+20" -> "1E20", "1.5e-05" -> "1,5E-5"
    const int exponent = text.mid(e + 1).toInt();
    return text.left(e) + u'E' + QString::number(exponent);
}

QString FormatFloat(const QString& format, double v)
{
    if (!std::isfinite(v))
        return SpecialValue(v);
    const int dot = format.indexOf(u'.');
    const QString intPattern = dot < 0 ? format : format.left(dot);
    const QString fracPattern = dot < 0 ? QString() : format.mid(dot + 1);
    const int minIntDigits = intPattern.count(u'0');
    const int decimals = fracPattern.size();
    const int minDecimals = fracPattern.lastIndexOf(u'0') + 1;

    Decimal d = ToDecimal(std::fabs(v));
    RoundDecimal(d, decimals);
    const bool zero = d.digits.find_first_not_of('0') == std::string::npos;

    auto digitAt = [&d](int pos) {   // pos counts from the first digit before the point
        return pos >= 0 && pos < int(d.digits.size()) ? QChar::fromLatin1(d.digits[pos]) : QChar(u'0');
    };
    QString intText;
    for (int pos = 0; pos < d.point; ++pos)
        intText += digitAt(pos);
    while (intText.startsWith(u'0'))
        intText.remove(0, 1);
    while (intText.size() < minIntDigits)
        intText.prepend(u'0');
    QString fracText;
    for (int k = 0; k < decimals; ++k)
        fracText += digitAt(d.point + k);
    while (fracText.size() > minDecimals && fracText.endsWith(u'0'))
        fracText.chop(1);

    QString out = (v < 0 && !zero) ? QStringLiteral("-") : QString();
    out += intText;
    if (!fracText.isEmpty())
        out += u',' + fracText;
    return out;
}

qint64 Round(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e18)
        throw Exception(QStringLiteral("Invalid floating point operation"));
    return qint64(std::nearbyint(v));   // the default rounding mode sends a half to the even side
}

double Frac(double v)
{
    return v - std::trunc(v);
}

double Int(double v)
{
    return std::trunc(v);
}

double CheckFloat(double result)
{
    if (std::isnan(result))
        throw EMathError(QStringLiteral("Invalid floating point operation"));
    if (std::isinf(result))
        throw EMathError(QStringLiteral("Floating point overflow"));
    return result;
}

double Divide(double a, double b)
{
    if (b == 0)
        throw EMathError(a == 0 || std::isnan(a) ? QStringLiteral("Invalid floating point operation")
                                                : QStringLiteral("Floating point division by zero"));
    return CheckFloat(a / b);
}

double Sqrt(double x)
{
    if (x < 0)
        throw EMathError(QStringLiteral("Invalid floating point operation"));
    return CheckFloat(std::sqrt(x));
}

// --- texts -----------------------------------------------------------------------------------

QString TrimLeft(const QString& s)
{
    int i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.mid(i);
}

QString TrimRight(const QString& s)
{
    int n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    return s.left(n);
}

QString Trim(const QString& s)
{
    return TrimLeft(TrimRight(s));
}

QString UpperCase(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return r;
}

QString LowerCase(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return r;
}

// --- dates and times -------------------------------------------------------------------------

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return double(QDate(year, month, day).toJulianDay() - EpochJulianDay());
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return double(((hour * 60 + min) * 60 + sec) * 1000 + msec) / kMsPerDay;
}

void DecodeDate(TDateTime d, int& year, int& month, int& day)
{
    qint64 dayNumber, ms;
    Split(d, dayNumber, ms);
    QDate::fromJulianDay(EpochJulianDay() + dayNumber).getDate(&year, &month, &day);
}

void DecodeTime(TDateTime t, int& hour, int& min, int& sec, int& msec)
{
    qint64 dayNumber, ms;
    Split(t, dayNumber, ms);
    hour = int(ms / 3600000);
    min = int(ms / 60000 % 60);
    sec = int(ms / 1000 % 60);
    msec = int(ms % 1000);
}

TDateTime FromQDateTime(const QDateTime& dt)
{
    const double day = double(dt.date().toJulianDay() - EpochJulianDay());
    const double time = double(dt.time().msecsSinceStartOfDay()) / kMsPerDay;
    return day >= 0 ? day + time : day - time;
}

QDateTime ToQDateTime(TDateTime d)
{
    qint64 dayNumber, ms;
    Split(d, dayNumber, ms);
    return QDateTime(QDate::fromJulianDay(EpochJulianDay() + dayNumber), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

TDateTime StrToTime(const QString& s)
{
    const QString t = Trim(s);
    int i = 0;
    qint64 parts[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        parts[count] = ReadNumber(t, i, 2);
        if (parts[count] < 0)
            Fail("time", s);
        ++count;
        if (i == t.size())
            break;
        if (t[i] != u':')
            Fail("time", s);
        ++i;
    }
    if (i != t.size() || count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        Fail("time", s);
    return EncodeTime(int(parts[0]), int(parts[1]), int(parts[2]));
}

TDateTime StrToDate(const QString& s)
{
    const QString t = Trim(s);
    int i = 0;
    const qint64 day = ReadNumber(t, i, 2);
    if (day < 0 || i >= t.size() || t[i++] != u'/')
        Fail("date", s);
    const qint64 month = ReadNumber(t, i, 2);
    if (month < 0 || i >= t.size() || t[i++] != u'/')
        Fail("date", s);
    const int yearStart = i;
    qint64 year = ReadNumber(t, i, 4);
    const int yearDigits = i - yearStart;
    if (year < 0 || i != t.size() || yearDigits == 1 || yearDigits == 3)
        Fail("date", s);
    if (yearDigits == 2)
        year += year < 50 ? 2000 : 1900;
    if (year < 1 || !QDate::isValid(int(year), int(month), int(day)))
        Fail("date", s);
    return EncodeDate(int(year), int(month), int(day));
}

QString FormatDateTime(const QString& format, TDateTime d)
{
    int year, month, day, hour, min, sec, msec;
    DecodeDate(d, year, month, day);
    DecodeTime(d, hour, min, sec, msec);

    QString out;
    QChar lastToken;
    int i = 0;
    while (i < format.size()) {
        const QChar token = format[i].toUpper();
        int run = 1;
        while (i + run < format.size() && format[i + run].toUpper() == token)
            ++run;
        int used = std::min(run, 2);   // d, h, n and s take one or two letters
        switch (token.unicode()) {
        case u'D':
            out += used == 1 ? QString::number(day) : Padded(day, 2);
            break;
        case u'H':
            out += used == 1 ? QString::number(hour) : Padded(hour, 2);
            break;
        case u'N':
            out += used == 1 ? QString::number(min) : Padded(min, 2);
            break;
        case u'S':
            out += used == 1 ? QString::number(sec) : Padded(sec, 2);
            break;
        case u'M':
            if (lastToken == u'H' && run <= 2) {   // "hh:mm": minutes
                out += used == 1 ? QString::number(min) : Padded(min, 2);
                break;
            }
            // Four "m" or more are one token, the full name ("mmmmm  yyyy" is the month's name,
            // two blanks and the year).
            used = run;
            if (used <= 2)
                out += used == 1 ? QString::number(month) : Padded(month, 2);
            else
                out += QString::fromUtf8(used == 3 ? kShortMonthNames[month - 1] : kMonthNames[month - 1]);
            break;
        case u'Y':
            used = run;
            out += run <= 2 ? Padded(year % 100, 2) : Padded(year, 4);
            break;
        default:
            used = 1;
            out += format[i];
            break;
        }
        if (token.isLetter() && token.unicode() < 128)
            lastToken = token;
        i += used;
    }
    return out;
}

QString DateToStr(TDateTime d)
{
    return FormatDateTime(QStringLiteral("dd/mm/yyyy"), d);
}

QString TimeToStr(TDateTime t)
{
    return FormatDateTime(QStringLiteral("hh:nn:ss"), t);
}

// --- the clock -------------------------------------------------------------------------------

namespace {
QDateTime CurrentDateTime()
{
    const auto& clock = Clock();
    return clock ? clock() : QDateTime::currentDateTime();
}
}  // namespace

TDateTime Now()
{
    return FromQDateTime(CurrentDateTime());
}

TDateTime Date()
{
    return double(CurrentDateTime().date().toJulianDay() - EpochJulianDay());
}

// From the clock's time of day itself: the fraction of Now() would lose the last digits.
TDateTime Time()
{
    return double(CurrentDateTime().time().msecsSinceStartOfDay()) / kMsPerDay;
}

void SetClock(std::function<QDateTime()> clock)
{
    Clock() = std::move(clock);
}

}  // namespace rtl
