// Forecast times and periods: parsing, text forms, labels and integer codes.
#include "HYX/ForeTime.h"

#include "HYX/LineScan.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

namespace HYX {

namespace {

constexpr float MISSF = Const::FMISS;

std::string lower(const std::string& s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// Period type of a suffix; the short list knows only the first three words.
int suffixType(const std::string& s, bool full) {
    const std::string w = lower(s);
    if (w == "avg") return ForeTime::AVG;
    if (w == "acc") return ForeTime::ACC;
    if (w == "dif") return ForeTime::DIF;
    if (full && w == "max") return ForeTime::MAX;
    if (full && w == "min") return ForeTime::MIN;
    return ForeTime::RNG;
}

// Scale of a unit word after a number, in hours; 0 for an unknown word.
float unitScale(const std::string& w, int& unit) {
    unit = ForeTime::HOURS;
    if (w == "hr" || w == "h" || w == "hrs" || w == "hour" || w == "hours") return 1.0f;
    if (w == "d" || w == "day" || w == "days") return 24.0f;
    if (w == "mon" || w == "month" || w == "months") return 720.0f;
    if (w == "min" || w == "mn") {
        unit = ForeTime::MINUTES;
        return 1.0f;
    }
    return 0.0f;
}

std::string fmt(const char* f, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

std::string hourLabel(float h) {
    if (h == 0.0f) return "analysis";
    const double d = h / 24.0;
    if (h > 60.0f && h < 1.0e8f) {
        if (d == std::floor(d)) return fmt("%.0f day", d);
        if (d - std::floor(d) == 0.5) return fmt("%.0f.5 day", std::floor(d));
    }
    return fmt("%.0f hour", std::trunc(h));
}

} // namespace

void ForeTime::init() {
    type = Const::MISS;
    unit = HOURS;
    tim1 = tim2 = MISSF;
    off = 0.0f;
    end.init();
}

const char* ForeTime::getTypeWord(int t) {
    switch (t) {
    case RNG:
        return "rng";
    case AVG:
        return "avg";
    case ACC:
        return "acc";
    case DIF:
        return "dif";
    case MAX:
        return "max";
    case MIN:
        return "min";
    case ANY:
        return "any";
    default:
        return "";
    }
}

int ForeTime::decode(const char* text) {
    init();
    if (!StrLib::valid(text)) return 0;
    // W [-X [-Y]] S
    LineScan s(text);
    const std::string word(s.upTo('-'));
    if (word.size() > 9) return 1; // no word of the syntax is that long
    float x = MISSF, y = MISSF;
    bool has_x = false, has_y = false;
    if (s.take('-')) {
        has_x = s.decimal(x);
        LineScan second = s;
        if (has_x && second.take('-') && second.decimal(y)) {
            has_y = true;
            s = second;
        }
    }
    std::string suffix;
    for (char c : s.rest()) {
        if (suffix.size() >= 9) break;
        if (!std::isspace(static_cast<unsigned char>(c))) suffix += c;
    }
    const std::string w = lower(word);

    // Relative forms: a period or offset from whatever time the data have.
    if (w == "time" || w == "hr" || w == "day" || w == "mon") {
        unit = w == "day" ? DAYS : w == "mon" ? MONTHS : HOURS;
        if (has_x && has_y) {
            off = x;
            tim2 = y;
            type = suffixType(suffix, false);
        } else if (has_x && !suffix.empty()) {
            tim2 = x;
            type = suffixType(suffix, false);
        } else if (has_x) {
            off = x;
        }
        return 0;
    }
    if (w == "miss") return 0;
    if (has_y) return 1; // a second number only belongs to relative texts
    if (w == "anal" || w == "obs") {
        type = ANAL;
        tim1 = 0.0f;
        if (has_x) {
            tim1 = -x;
            tim2 = 0.0f;
            type = suffixType(suffix, false);
        }
        return 1;
    }
    if (w == "init" || w == "in") {
        type = ANAL;
        tim1 = 0.0f;
        return 1;
    }

    // Forecast hours, possibly the end of a period of x hours.
    auto hours = [&](float h, float xscale) {
        type = FORE;
        tim1 = h;
        if (has_x) {
            tim2 = h;
            tim1 = h - x * xscale;
            type = suffixType(suffix, true);
        }
        return 1;
    };
    const char c0 = w.empty() ? 0 : w[0];
    if ((c0 == 'h' || c0 == 'd' || c0 == 'e') && w.size() > 1 &&
        std::isdigit(static_cast<unsigned char>(w[1]))) {
        LineScan q(std::string_view(w).substr(1));
        float n = 0.0f;
        if (!q.decimal(n) || !q.atEnd()) return 1;
        if (c0 == 'h') return hours(n, 1.0f);
        if (c0 == 'd') return hours(24.0f * n, 1.0f);
        return hours(24.0f * n + 12.0f, 1.0f);
    }
    LineScan q(w);
    float n = 0.0f;
    if (!q.decimal(n)) return 1;
    const std::string rest(q.rest());
    if (rest.empty()) {
        if (has_x) return hours(n, 1.0f);
        type = ANY;
        tim1 = n;
        return 1;
    }
    if (rest == "e" && !has_x) {
        type = ANY;
        tim1 = 24.0f * n + 12.0f;
        return 1;
    }
    int u = HOURS;
    const float scale = unitScale(rest, u);
    if (scale == 0.0f) return 1;
    unit = u;
    return hours(n * scale, scale);
}

int ForeTime::set(int t, float t1, float t2) {
    init();
    type = t;
    tim1 = t1;
    tim2 = t2;
    return 1;
}

int ForeTime::set(int t, int u, float t1, float t2) {
    set(t, t1, t2);
    unit = u;
    return 1;
}

int ForeTime::set(int code) {
    init();
    if (code == Const::MISS) return 0;
    const bool neg = code < 0;
    long c = neg ? -static_cast<long>(code) : code;
    off = static_cast<float>(c / 10000000);
    if (neg) off = -off;
    c %= 10000000;
    type = static_cast<int>(c / 1000000);
    long a = (c / 1000) % 1000;
    long b = c % 1000;
    // Day and month units are kept as 800 and 900 added to positive fields.
    auto unitOf = [&](long& v) {
        if (v >= 900) {
            unit = MONTHS;
            v -= 900;
        } else if (v >= 800) {
            unit = DAYS;
            v -= 800;
        }
    };
    if (type >= RNG && type <= MIN) {
        unitOf(a);
        unitOf(b);
        tim2 = static_cast<float>(b);
        if (a == 799)
            tim1 = MISSF;
        else if (a > b)
            tim1 = static_cast<float>(b - a); // a negative start was kept as the length
        else
            tim1 = static_cast<float>(a);
    } else {
        unitOf(b);
        tim1 = b == 799 ? MISSF : static_cast<float>(b);
        if (type != ANY && type != 8) type = FORE;
    }
    return 1;
}

float ForeTime::getFore() const {
    if (type >= RNG && type <= DIF) return tim2;
    return tim1;
}

float ForeTime::getHours() const {
    const float f = getFore();
    if (f == MISSF) return MISSF;
    switch (unit) {
    case MINUTES:
        return f / 60.0f;
    case DAYS:
        return f * 24.0f;
    case MONTHS:
        return f * 720.0f;
    default:
        return f;
    }
}

int ForeTime::getSeconds() const {
    const float f = getFore();
    if (f == MISSF) return Const::MISS;
    static const double scale[] = {60.0, 3600.0, 86400.0, 2592000.0};
    const double s = f * scale[unit >= MINUTES && unit <= MONTHS ? unit : HOURS];
    if (std::fabs(s) > 2.0e9) return Const::MISS;
    return static_cast<int>(std::lround(s));
}

int ForeTime::toString(String& out) const {
    out.clear();
    if (tim1 == MISSF && tim2 == MISSF) return 0;
    static const char* const unit_word[] = {"min", "hr", "day", "mon"};
    const char* uw = unit_word[unit >= MINUTES && unit <= MONTHS ? unit : HOURS];
    std::string s;
    if (tim1 == MISSF) {
        s = uw;
        if (off != 0.0f) s += fmt("-%.0f", off);
        s += fmt("-%.0f", tim2);
        s += getTypeWord(type);
    } else if (type == ANY) {
        s = fmt("%.0f", tim1);
    } else if (!isTypeComplex() || tim2 == MISSF) {
        if (tim1 == 0.0f) {
            s = "anal";
        } else {
            s = fmt("%.0f", tim1);
            s += unit == MONTHS ? "month" : uw;
        }
    } else {
        if (tim2 == 0.0f && unit == HOURS)
            s = "anal";
        else
            s = fmt("%.0f", tim2) + uw;
        s += fmt("-%.0f", tim2 - tim1);
        s += getTypeWord(type);
    }
    out.copy(s.c_str());
    return 1;
}

int ForeTime::toTimeLabel(float hours, String& out) {
    out.clear();
    if (hours == MISSF || !std::isfinite(hours)) return 0;
    out.copy(hourLabel(hours).c_str());
    return 1;
}

int ForeTime::toTimeLabel(String& out) const {
    out.clear();
    const float f = getFore();
    if (f == MISSF) return 0;
    switch (unit) {
    case MINUTES:
        if (f < 60.0f)
            out.copy(fmt("%.0f min", std::trunc(f)).c_str());
        else
            out.copy(fmt("%.2f hour", f / 60.0).c_str());
        return 1;
    case DAYS:
        out.copy(fmt("%.0f day", std::trunc(f)).c_str());
        return 1;
    case MONTHS:
        out.copy(fmt("%.0f month", std::trunc(f)).c_str());
        return 1;
    default:
        return toTimeLabel(f, out);
    }
}

int ForeTime::toTimeLabelDay(String& out) const {
    out.clear();
    const float f = getFore();
    if (f == MISSF) return 0;
    std::string s;
    if (unit == MINUTES) {
        s = fmt("%.0f min", std::trunc(f));
    } else if (unit == DAYS) {
        s = fmt("%.0f day", std::trunc(f));
    } else if (unit == MONTHS) {
        s = fmt("%.0f month", std::trunc(f));
    } else {
        const double d = f / 24.0;
        if (d == std::floor(d))
            s = fmt("%.0f day", d);
        else if (f > 0.0f && d - std::floor(d) == 0.5)
            s = fmt("%.0f.5 day", std::floor(d));
        else
            s = fmt("%.0f hour", std::trunc(f));
    }
    out.copy(s.c_str());
    return 1;
}

int ForeTime::toVarLabel(String& out) const {
    out.clear();
    if (!isTypeComplex() || tim2 == MISSF) return 0;
    float t1 = tim1 == MISSF ? 0.0f : tim1, t2 = tim2;
    int u = unit;
    // Hour periods coded with day (800s) or month (900s) lengths.
    if (u == HOURS && t2 >= 800.0f) {
        const float base = t2 >= 900.0f ? 900.0f : 800.0f;
        u = base == 900.0f ? MONTHS : DAYS;
        t2 -= base;
        if (t1 >= base) t1 -= base;
    }
    static const char* const names[] = {"min", "hour", "day", "month"};
    std::string s = fmt("%.0f ", t2 - t1);
    s += names[u >= MINUTES && u <= MONTHS ? u : HOURS];
    s += ' ';
    s += getTypeWord(type);
    out.copy(s.c_str());
    return 1;
}

int ForeTime::toCode() const {
    if (type == Const::MISS || (tim1 == MISSF && tim2 == MISSF)) return Const::MISS;
    const int add = unit == DAYS ? 800 : unit == MONTHS ? 900 : 0;
    long a;
    if (tim1 == MISSF)
        a = 799;
    else if (tim1 < 0.0f)
        a = std::lround((tim2 == MISSF ? 0.0f : tim2) - tim1);
    else
        a = std::lround(tim1);
    long b = tim2 == MISSF ? 0 : std::lround(tim2);
    if (tim1 != MISSF && a > 0) a += add;
    if (b > 0) b += add;
    const long o = std::lround(off) * 10000000L;
    long code;
    if (type >= RNG && type <= MIN)
        code = o + type * 1000000L + a * 1000 + b;
    else if (type == ANY)
        code = o + 9 * 1000000L + a;
    else
        code = o + a;
    if (code > 2147483647L || code < -2147483647L) return Const::MISS;
    return static_cast<int>(code);
}

void ForeTime::print() const {
    String s;
    toString(s);
    std::printf("ForeTime: %d %d %g %g %g %s\n", type, unit, tim1, tim2, off, s.get());
}

} // namespace HYX
