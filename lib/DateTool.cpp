// Date texts: names, parsing of date texts, date and hour labels.
#include "HYX/DateTool.h"

#include "HYX/Const.h"
#include "HYX/Date.h"
#include "HYX/ForeTime.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Timezone.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace HYX {

namespace {

// The program frame reads reference times (cur_time) through this reader.
const bool time_reader_installed = (Hyx::setTimeReader(&DateTool::getSeconds), true);

} // namespace

const char* const DateTool::months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char* const DateTool::months_lc[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                             "jul", "aug", "sep", "oct", "nov", "dec"};
const char* const DateTool::months_long[12] = {"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
const char* const DateTool::day_of_week[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

const char* DateTool::getMonth(int m) { return m >= 1 && m <= 12 ? months[m - 1] : ""; }

const char* DateTool::getMonthLower(int m) { return m >= 1 && m <= 12 ? months_lc[m - 1] : ""; }

const char* DateTool::getMonthLong(int m) { return m >= 1 && m <= 12 ? months_long[m - 1] : ""; }

const char* DateTool::getDayWeek(int w) { return w >= 0 && w <= 6 ? day_of_week[w] : ""; }

long DateTool::getSeconds(const char* text) {
    if (!text) return 0;
    if (*text == '#') return Date(text).getSeconds();
    return std::atol(text);
}

int DateTool::getMinutes(const char* text) {
    if (!text) return 0;
    int h = 0, m = 0;
    const int n = std::sscanf(text, "%d:%d", &h, &m);
    long long mins = 0;
    if (n == 2) {
        while (std::isspace(static_cast<unsigned char>(*text))) ++text;
        mins = *text == '-' ? 60LL * h - m : 60LL * h + m;
    } else if (n == 1) {
        mins = 60LL * h;
    }
    // Out of range counts are cut to the largest that an int holds.
    return static_cast<int>(std::clamp<long long>(mins, INT_MIN, INT_MAX));
}

int DateTool::getCurrent(String& out) {
    Date now;
    now.set();
    return now.toText("%y %b %d  %H:%M:%SZ", out);
}

int DateTool::getCurrent(const char* format, String& out) {
    Date now;
    now.set();
    if (StrLib::equal(format, "RFC1123")) return now.toText("%d %b %Y %H:%M:%S GMT", out);
    if (StrLib::equal(format, "ISO8601")) return now.toText("%Y-%m-%dT%H:%M:%SZ", out);
    return getCurrent(out);
}

int DateTool::decodeMonth(const char* text) {
    if (!text || !text[0]) return 0;
    const char c0 = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    const char c1 = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    const char c2 = c1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[2]))) : 0;
    switch (c0) {
    case 'F':
        return 2;
    case 'S':
        return 9;
    case 'O':
        return 10;
    case 'N':
        return 11;
    case 'D':
        return 12;
    case 'J':
        if (c1 == 'A') return 1;
        if (c2 == 'N') return 6;
        if (c2 == 'L') return 7;
        return 0;
    case 'M':
        if (c2 == 'R') return 3;
        if (c2 == 'Y') return 5;
        return 0;
    case 'A':
        if (c2 == 'R') return 4;
        if (c2 == 'G') return 8;
        return 0;
    default:
        return 0;
    }
}

namespace {

int fullYear(int y) {
    if (y >= 0 && y < 50) return y + 2000;
    if (y >= 0 && y < 200) return y + 1900;
    return y;
}

// One attempt at a date form; the fields the form does not read stay missing.
struct Parts {
    int hour = Const::MISS, min = Const::MISS, day = Const::MISS, year = Const::MISS;
    float sec = Const::FMISS;
    int month = 0;
    char mon[4] = {0, 0, 0, 0};
};

} // namespace

int DateTool::decode(const char* text, Date& date) {
    date.init();
    if (!text) return 0;
    std::string t(text);
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.pop_back();
    const int len = static_cast<int>(t.size());
    const char* s = t.c_str();
    // Start of the last n characters, or null when the text is shorter.
    auto at = [&](int n) -> const char* { return len >= n ? s + len - n : nullptr; };
    auto named = [](Parts& p) { return (p.month = decodeMonth(p.mon)) > 0; };

    Parts p;
    bool ok = false;
    const char* q = nullptr;
    // 1: "12Z 04 DEC 2026" at the start.
    ok = std::sscanf(s, "%2dZ %2d %3s %4d", &p.hour, &p.day, p.mon, &p.year) == 4 && named(p);
    if (!ok) {
        p = Parts();
        ok = std::sscanf(s, "%2dZ %2d %3s %2d", &p.hour, &p.day, p.mon, &p.year) == 4 && named(p);
    }
    // 2: "1230Z 04 DEC 2026" (a blank hour digit read as one digit), then a 2-digit year.
    for (int back : {17, 15}) {
        if (ok || !(q = at(back))) continue;
        p = Parts();
        const char* fmt = back == 17 ? "%2d%2dZ %2d %3s %4d" : "%2d%2dZ %2d %3s %2d";
        const char* fmt1 = back == 17 ? "%1d%2dZ %2d %3s %4d" : "%1d%2dZ %2d %3s %2d";
        if (*q == ' ')
            ok = std::sscanf(q + 1, fmt1, &p.hour, &p.min, &p.day, p.mon, &p.year) == 5;
        else
            ok = std::sscanf(q, fmt, &p.hour, &p.min, &p.day, p.mon, &p.year) == 5;
        ok = ok && named(p);
    }
    // 3: "12:30:45Z 04 DEC 2026", then a 2-digit year.
    for (int back : {21, 19}) {
        if (ok || !(q = at(back))) continue;
        p = Parts();
        const char* fmt = back == 21 ? "%2d:%2d:%2fZ %2d %3s %4d" : "%2d:%2d:%2fZ %2d %3s %2d";
        ok = std::sscanf(q, fmt, &p.hour, &p.min, &p.sec, &p.day, p.mon, &p.year) == 6 && named(p);
    }
    // "12:30Z  4 DEC 2026", the default text of a date with minutes.
    for (int back : {18, 16}) {
        if (ok || !(q = at(back))) continue;
        p = Parts();
        const char* fmt = back == 18 ? "%2d:%2dZ %2d %3s %4d" : "%2d:%2dZ %2d %3s %2d";
        ok = std::sscanf(q, fmt, &p.hour, &p.min, &p.day, p.mon, &p.year) == 5 && named(p);
    }
    // 4: "12Z FRI 04 DEC 2026", then a 2-digit year.
    for (int back : {19, 17}) {
        if (ok || !(q = at(back))) continue;
        p = Parts();
        const char* fmt = back == 19 ? "%2dZ %*3s %2d %3s %4d" : "%2dZ %*3s %2d %3s %2d";
        ok = std::sscanf(q, fmt, &p.hour, &p.day, p.mon, &p.year) == 4 && named(p);
    }
    // 5: "12Z 04 DEC 2026" at the end, then "12Z 04 DEC 26".
    for (int back : {15, 13}) {
        if (ok || !(q = at(back))) continue;
        p = Parts();
        const char* fmt = back == 15 ? "%2dZ %2d %3s %4d" : "%2dZ %2d %3s %2d";
        ok = std::sscanf(q, fmt, &p.hour, &p.day, p.mon, &p.year) == 4 && named(p);
    }
    // 6: hour, day, month and year as four 2-digit numbers.
    if (!ok) {
        p = Parts();
        ok = std::sscanf(s, "%2d%2d%2d%2d", &p.hour, &p.day, &p.month, &p.year) == 4;
    }
    // 7: "04DEC26", a day without a time.
    if (!ok) {
        p = Parts();
        ok = std::sscanf(s, "%2d %3s %2d", &p.day, p.mon, &p.year) == 3 && named(p);
    }
    if (!ok) return 0;
    date.set(DateVal(fullYear(p.year), p.month, p.day, p.hour, p.min, p.sec));
    return date.isSet() ? 1 : 0;
}

namespace {

std::string fmt(const char* f, int a) {
    char buf[64];
    std::snprintf(buf, sizeof buf, f, a);
    return buf;
}

std::string yy(const Date& d) {
    return d.getYear() == Const::MISS ? std::string("XX") : fmt("%2.2d", d.getYear00());
}

// The time part of a label: UTC, the zone name, or a 12-hour clock.
std::string timePart(const Date& d, const Timezone& tz) {
    const int h = d.getHour(), mi = d.getMinute();
    const bool zoned = tz.isSet();
    const int pm = zoned ? tz.getPM() : 0;
    const std::string z = tz.getName();
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    const char* ap = h < 12 ? " AM " : " PM ";
    char buf[96];
    if (mi == Const::MISS) {
        if (!zoned)
            std::snprintf(buf, sizeof buf, "%2.2dZ", h);
        else if (pm == 0)
            std::snprintf(buf, sizeof buf, "%2.2d%s", h, z.c_str());
        else
            std::snprintf(buf, sizeof buf, "%d%s%s", h12, ap, z.c_str());
    } else if (d.getSecond() == Const::FMISS) {
        if (!zoned)
            std::snprintf(buf, sizeof buf, "%2.2d%2.2dZ", h, mi);
        else if (pm == 0)
            std::snprintf(buf, sizeof buf, "%2.2d%2.2d %s", h, mi, z.c_str());
        else
            std::snprintf(buf, sizeof buf, "%d:%2.2d%s%s", h12, mi, ap, z.c_str());
    } else {
        const int s = static_cast<int>(std::lround(d.getSecond()));
        if (!zoned)
            std::snprintf(buf, sizeof buf, "%2.2d:%2.2d:%2.2dZ", h, mi, s);
        else if (pm == 0)
            std::snprintf(buf, sizeof buf, "%2.2d:%2.2d:%2.2d %s", h, mi, s, z.c_str());
        else
            std::snprintf(buf, sizeof buf, "%d:%2.2d:%2.2d%s%s", h12, mi, s, ap, z.c_str());
    }
    return buf;
}

std::string utcPart(const Date& d) {
    char buf[48];
    if (d.getMinute() == Const::MISS)
        std::snprintf(buf, sizeof buf, " [%2.2dZ]", d.getHour());
    else if (d.getSecond() == Const::FMISS)
        std::snprintf(buf, sizeof buf, " [%2.2d%2.2dZ]", d.getHour(), d.getMinute());
    else
        std::snprintf(buf, sizeof buf, " [%2.2d%2.2d%2.2dZ]", d.getHour(), d.getMinute(),
                      static_cast<int>(std::lround(d.getSecond())));
    return buf;
}

} // namespace

int DateTool::createLabel(const char* prefix, const Date& date, const Timezone& tz, int type,
                          String& out) {
    out.clear();
    if (!date.isSet()) return 0;
    std::string s;
    if (StrLib::valid(prefix)) {
        s = prefix;
        s += ' ';
    }
    Date d(date);
    if (tz.isSet()) d.changeTimezone(tz.getOffset(), tz.getName());
    const bool week = (type & 1) != 0;
    const std::string wd = getDayWeek(d.getDayOfWeek());
    const std::string mon = getMonth(d.getMonth());
    char buf[64];
    if (d.getMonth() == Const::MISS) {
        s += yy(d);
    } else if (d.getDay() == Const::MISS) {
        std::snprintf(buf, sizeof buf, "%3s ", mon.c_str());
        s += buf + yy(d);
    } else if (d.getHour() == Const::MISS) {
        if (week) s += wd + " ";
        std::snprintf(buf, sizeof buf, "%2d %3s ", d.getDay(), mon.c_str());
        s += buf + yy(d);
    } else {
        s += timePart(d, tz);
        if (tz.isSet() && tz.getPM() < 0) s += utcPart(date);
        if (week) s += " " + wd;
        std::snprintf(buf, sizeof buf, " %2d %3s ", d.getDay(), mon.c_str());
        s += buf + yy(d);
    }
    out.copy(s.c_str());
    return 1;
}

int DateTool::createLabel(const char* prefix, const Date& date, const Timezone& tz, String& out) {
    return createLabel(prefix, date, tz, 0, out);
}

int DateTool::createLabel(const Date& date, const Timezone& tz, String& out) {
    return createLabel(nullptr, date, tz, 0, out);
}

int DateTool::createLabel(const Date& date, const Timezone& tz, float hours, String& out) {
    Date d(date);
    if (hours != Const::FMISS && std::isfinite(hours)) d.addSeconds(hours * 3600.0f);
    return createLabel(nullptr, d, tz, 0, out);
}

int DateTool::createLabel(const Date& date, const Timezone& tz, const char* prefix,
                          const ForeTime& fore, String& out) {
    const float hours = fore.getHours();
    String when;
    const int ok = createLabel(date, tz, hours, when);
    std::string s;
    if (StrLib::valid(prefix)) {
        s = prefix;
        s += ' ';
    }
    if (hours != Const::FMISS) {
        String ft;
        fore.toTimeLabel(ft);
        s += ft.get();
        s += hours >= 0.0f ? " for " : " valid ";
    }
    s += when.get();
    out.copy(s.c_str());
    return ok;
}

int DateTool::createHourLabel(float hours, int days, String& out) {
    out.clear();
    if (hours == Const::FMISS || hours == 0.0f || !std::isfinite(hours)) return 0;
    char buf[64];
    if (days) {
        if (hours == 12.0f) return out.copy("0.5 day");
        if (hours == 24.0f) return out.copy("1 day");
        if (hours == 36.0f) return out.copy("1.5 day");
        if (hours == 48.0f) return out.copy("2 day");
        if (hours == 60.0f) return out.copy("2.5 day");
        if (hours > 60.0f && hours < 1.0e9f) {
            const double d = hours / 24.0;
            if (d == std::floor(d)) {
                std::snprintf(buf, sizeof buf, "%d day", static_cast<int>(d));
                return out.copy(buf);
            }
            if (d - std::floor(d) == 0.5) {
                std::snprintf(buf, sizeof buf, "%d.5 day", static_cast<int>(std::floor(d)));
                return out.copy(buf);
            }
        }
    }
    std::snprintf(buf, sizeof buf, "%.0f hour", hours);
    return out.copy(buf);
}

void DateTool::print(long secs) { Date(secs).print(); }

} // namespace HYX
