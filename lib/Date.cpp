// A time whose parts may each be missing; conversions, stepping and text forms.
#include "HYX/Date.h"

#include "HYX/DateTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

namespace HYX {

namespace {

constexpr long DAY = 86400L;

long floorDiv(long a, long b) {
    long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// The calendar of the four-year leap rule: day number (0 = 1970-01-01) to year, month,
// day and day of year (0-based). Inverse of DateVal::rawSecs for every year.
void civilFromDays(long days, int& y, int& m, int& d, int& doy) {
    const long d68 = days + 731; // 1968-01-01 starts a four-year cycle
    const long cycle = floorDiv(d68, 1461);
    long r = d68 - cycle * 1461;
    long yr = 1968 + 4 * cycle;
    if (r >= 366) {
        r -= 366;
        yr += 1 + r / 365;
        r %= 365;
    }
    const int* table = (yr % 4 == 0) ? DateVal::num_day_leap : DateVal::num_day;
    int mo = 0;
    while (mo < 11 && r >= table[mo]) ++mo;
    y = static_cast<int>(yr);
    m = mo + 1;
    d = static_cast<int>(r - (mo > 0 ? table[mo - 1] : 0)) + 1;
    doy = static_cast<int>(r);
}

void put2(std::string& s, int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2.2d", v);
    s += buf;
}

} // namespace

Date::Date() { init(); }

Date::Date(int y, int mo, int d, int h, int mi, float s) {
    init();
    set(y, mo, d, h, mi, s);
}

Date::Date(const DateVal& v) {
    init();
    set(v);
}

Date::Date(const char* text) {
    init();
    set(text);
}

Date::Date(long s) {
    init();
    set(s);
}

void Date::init() {
    DateVal::init();
    wday = jday = Const::MISS;
    secs = Const::MISS;
    off = 0;
    StrLib::copy(zone, sizeof zone, "Z");
}

void Date::fromSecs(long s) {
    secs = s;
    const long days = floorDiv(s, DAY);
    long rem = s - days * DAY;
    int doy = 0;
    civilFromDays(days, year, month, day, doy);
    hour = static_cast<int>(rem / 3600);
    rem %= 3600;
    min = static_cast<int>(rem / 60);
    sec = static_cast<float>(rem % 60);
    jday = doy + 1;
    wday = static_cast<int>(((days + 4) % 7 + 7) % 7); // 1970-01-01 was a Thursday
}

void Date::set(long s) {
    if (s == Const::MISS) {
        DateVal::init();
        wday = jday = Const::MISS;
        secs = Const::MISS;
        return;
    }
    fromSecs(s);
}

void Date::set() {
    off = 0;
    StrLib::copy(zone, sizeof zone, "Z");
    set(getCurrentSeconds());
}

long Date::getCurrentSeconds() { return static_cast<long>(std::time(nullptr)); }

void Date::update() {
    if (!validate()) {
        wday = jday = Const::MISS;
        secs = Const::MISS;
        return;
    }
    secs = rawSecs();
    const long days = floorDiv(secs, DAY);
    int y, m, d, doy;
    civilFromDays(days, y, m, d, doy);
    jday = doy + 1;
    wday = static_cast<int>(((days + 4) % 7 + 7) % 7);
}

int Date::set(const char* text) {
    if (!text) {
        set(static_cast<long>(Const::MISS));
        return 0;
    }
    if (StrLib::equal(text, "cu", 2)) {
        set();
        return 1;
    }
    if (*text == '#') ++text;
    DateVal v;
    std::sscanf(text, "%4d%2d%2d%2d%2d%f", &v.year, &v.month, &v.day, &v.hour, &v.min, &v.sec);
    return set(v);
}

int Date::set(const DateVal& v) {
    DateVal::set(v.year, v.month, v.day, v.hour, v.min, v.sec);
    if (year != Const::MISS && day != Const::MISS && month == Const::MISS) {
        // A day without a month is a day of the year.
        if (year >= 0 && year < 50)
            year += 2000;
        else if (year >= 50 && year < 200)
            year += 1900;
        if (year >= 0) setJulian(day);
    }
    update();
    return isSet() ? 1 : 0;
}

int Date::set(const DateVal& v, int offset, const char* zone_name) {
    off = offset;
    StrLib::copy(zone, sizeof zone, zone_name ? zone_name : "");
    return set(v);
}

int Date::set(int y, int mo, int d, int h, int mi, float s) {
    return set(DateVal(y, mo, d, h, mi, s));
}

int Date::setTime(int h, int mi, float s) {
    return set(DateVal(Const::MISS, Const::MISS, Const::MISS, h, mi, s));
}

DateVal Date::get() const { return DateVal(year, month, day, hour, min, sec); }

int Date::setYear(int y) {
    if (y != Const::MISS) {
        if (y < 0) return 0;
        if (y < 50)
            y += 2000;
        else if (y < 200)
            y += 1900;
    }
    year = y;
    update();
    return 1;
}

int Date::setMonth(int m) {
    month = m;
    update();
    return 1;
}

int Date::setDay(int d) {
    day = d;
    update();
    return 1;
}

int Date::setHour(int h) {
    hour = h;
    update();
    return 1;
}

int Date::setMinute(int m) {
    min = m;
    update();
    return 1;
}

int Date::setSecond(int s) {
    sec = s == Const::MISS ? Const::FMISS : static_cast<float>(s);
    update();
    return 1;
}

int Date::setFractionalSecond(float s) {
    sec = s;
    update();
    return 1;
}

bool Date::isYearLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

long Date::getDays() const { return isSet() ? floorDiv(secs, DAY) + 1 : Const::MISS; }

int Date::setDays(long n) {
    if (n == Const::MISS) return 0;
    int doy;
    civilFromDays(n - 1, year, month, day, doy);
    update();
    return 1;
}

int Date::setJulian(int jd) {
    if (year == Const::MISS) return 0;
    int m, d;
    if (!setJulian(year, jd - 1, m, d)) return 0;
    month = m;
    day = d;
    update();
    return 1;
}

int Date::setJulian(int y, int jd, int& m, int& d) {
    const int* table = isYearLeap(y) ? num_day_leap : num_day;
    if (jd < 0 || jd >= table[11]) return 0;
    int mo = 0;
    while (jd >= table[mo]) ++mo;
    m = mo + 1;
    d = jd - (mo > 0 ? table[mo - 1] : 0) + 1;
    return 1;
}

int Date::getJulian(int y, int m, int d) {
    if (m < 1 || m > 12 || d == Const::MISS) return Const::MISS;
    const int* table = isYearLeap(y) ? num_day_leap : num_day;
    return (m > 1 ? table[m - 2] : 0) + d;
}

int Date::addYears(int n) {
    if (year == Const::MISS) return 0;
    year += n;
    update();
    return 1;
}

int Date::addMonths(int n) {
    if (month == Const::MISS) return 0;
    const long total = static_cast<long>(month) - 1 + n;
    if (year != Const::MISS) year += static_cast<int>(floorDiv(total, 12));
    month = static_cast<int>(total - floorDiv(total, 12) * 12) + 1;
    update();
    return 1;
}

// Moves secs by delta whole seconds plus the fraction frac, recomputes the parts and makes
// the time-of-day parts and the day missing again where they were missing before.
int Date::step(long delta, float frac) {
    if (!isSet()) return 0;
    const bool no_sec = sec == Const::FMISS, no_min = min == Const::MISS,
               no_hour = hour == Const::MISS, no_day = day == Const::MISS;
    fromSecs(secs + delta);
    sec += frac;
    if (no_sec) sec = Const::FMISS;
    if (no_min) min = Const::MISS;
    if (no_hour) hour = Const::MISS;
    if (no_day) day = Const::MISS;
    return 1;
}

namespace {
float fracOf(float s) { return s == Const::FMISS ? 0.0f : s - std::floor(s); }
} // namespace

int Date::addDays(int n) { return step(DAY * n, fracOf(sec)); }

int Date::addHours(int n) { return step(3600L * n, fracOf(sec)); }

int Date::addMinutes(int n) { return step(60L * n, fracOf(sec)); }

int Date::addSeconds(float s) {
    if (!std::isfinite(s)) return 0;
    const double total = static_cast<double>(fracOf(sec)) + s;
    const double whole = std::floor(total);
    return step(static_cast<long>(whole), static_cast<float>(total - whole));
}

int Date::changeTimezone(int offset, const char* zone_name) {
    int done = 0;
    if (isSet()) {
        const DateVal before = get();
        const float frac = fracOf(sec);
        fromSecs(secs - off + offset);
        sec += frac;
        if (before.year == Const::MISS) year = Const::MISS;
        if (before.month == Const::MISS) month = Const::MISS;
        if (before.day == Const::MISS) day = Const::MISS;
        if (before.hour == Const::MISS) hour = Const::MISS;
        if (before.min == Const::MISS) min = Const::MISS;
        if (before.sec == Const::FMISS) sec = Const::FMISS;
        done = 1;
    }
    off = offset;
    StrLib::copy(zone, 4, zone_name ? zone_name : "");
    return done;
}

int Date::adjustSecond(int stp) {
    if (sec == Const::FMISS || stp <= 0) return 0;
    sec = std::floor(sec / stp) * stp;
    update();
    return 1;
}

int Date::adjustMinute(int stp) {
    if (min == Const::MISS || stp <= 0) return 0;
    min = min / stp * stp;
    update();
    return 1;
}

int Date::adjustHour(int stp) {
    if (hour == Const::MISS || stp <= 0) return 0;
    hour = hour / stp * stp;
    update();
    return 1;
}

void Date::fix() {
    if (sec == Const::FMISS) sec = 0.0f;
    if (min == Const::MISS) min = 0;
    if (day == Const::MISS) day = 1;
    if (month == Const::MISS) month = 1;
    if (year == Const::MISS) year = 1970;
}

int Date::toText(const char* format, String& out) const {
    if (!format) {
        out.clear();
        return 0;
    }
    if (StrLib::equal(format, "RFC1123"))
        format = "%d %b %Y %H:%M:%S %Z";
    else if (StrLib::equal(format, "ISO8601"))
        format = "%Y-%m-%dT%H:%M:%S%Z";
    std::string s;
    char buf[32];
    const bool ms = sec == Const::FMISS;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            s += *p;
            continue;
        }
        const char c = *++p;
        if (!c) {
            s += '%';
            break;
        }
        switch (c) {
        case '%':
            s += '%';
            break;
        case 'a':
            s += wday == Const::MISS ? "XXX" : DateTool::getDayWeek(wday);
            break;
        case 'b':
            s += month == Const::MISS ? "XXX" : DateTool::getMonth(month);
            break;
        case 'Y':
            if (year == Const::MISS) {
                s += "XXXX";
            } else {
                std::snprintf(buf, sizeof buf, "%4d", year);
                s += buf;
            }
            break;
        case 'y':
            if (year == Const::MISS)
                s += "XX";
            else
                put2(s, year % 100);
            break;
        case 'm':
            if (month == Const::MISS)
                s += "XX";
            else
                put2(s, month);
            break;
        case 'd':
            if (day == Const::MISS)
                s += "XX";
            else
                put2(s, day);
            break;
        case 'e':
            if (day == Const::MISS) {
                s += "XX";
            } else {
                std::snprintf(buf, sizeof buf, "%2d", day);
                s += buf;
            }
            break;
        case 'j':
            if (jday == Const::MISS) {
                s += "XXX";
            } else {
                std::snprintf(buf, sizeof buf, "%3d", jday);
                s += buf;
            }
            break;
        case 'H':
            if (hour == Const::MISS)
                s += "XX";
            else
                put2(s, hour);
            break;
        case 'l':
            if (hour == Const::MISS)
                s += "XX";
            else
                put2(s, hour % 12 == 0 ? 12 : hour % 12);
            break;
        case 'p':
            if (hour == Const::MISS)
                s += "XX";
            else
                s += hour < 12 ? "AM" : "PM";
            break;
        case 'M':
            if (min == Const::MISS)
                s += "XX";
            else
                put2(s, min);
            break;
        case 'S':
            if (ms)
                s += "XX";
            else
                put2(s, static_cast<int>(std::lround(sec)));
            break;
        case 's':
            if (ms) {
                s += "XX.XXXX";
            } else {
                std::snprintf(buf, sizeof buf, sec < 10.0f ? "0%6.4f" : "%7.4f", sec);
                s += buf;
            }
            break;
        case 'u':
            if (wday == Const::MISS) {
                s += "X";
            } else {
                std::snprintf(buf, sizeof buf, "%d", wday);
                s += buf;
            }
            break;
        case 'Z':
            s += zone;
            break;
        default:
            s += c;
            break;
        }
    }
    out.copy(s.c_str());
    return 1;
}

int Date::toText(String& out) const {
    const bool nh = hour == Const::MISS, nm = min == Const::MISS, ns = sec == Const::FMISS;
    if (nh && nm && ns) return toText("%e %b %Y", out);
    if (nm && ns) return toText("%H%Z %e %b %Y", out);
    if (ns) return toText("%H:%M%Z %e %b %Y", out);
    return toText("%H:%M:%S%Z %e %b %Y", out);
}

int Date::toString(String& out) const { return toText("%Y%m%d%H%M%s", out); }

void Date::print() const { DateVal::print(); }

void Date::printSeconds() const { std::printf("%ld\n", secs); }

} // namespace HYX
