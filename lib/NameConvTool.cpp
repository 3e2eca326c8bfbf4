// Helpers of the naming conventions: template codes, directory resources, time texts of
// the latest-file search, fixed dates and the convention-file line reader.
#include "HYX/NameConvTool.h"

#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/LineTool.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace HYX {

namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

} // namespace

// The resource holding the directory list of a directory code.
const char* NameConvTool::dirResource(char c) {
    switch (c) {
    case 'C':
        return "con_path";
    case 'D':
        return "data_path";
    case 'F':
        return "file_path";
    case 'R':
        return "raw_path";
    case 'G':
        return "grid_path";
    case 'I':
        return "image_path";
    case 'W':
        return "watch_path";
    case 'T':
        return "text_path";
    case 'M':
        return "model_path";
    case 'S':
        return "sat_path";
    default:
        return nullptr;
    }
}

bool NameConvTool::isDirCode(char c) { return c == '{' || dirResource(c) != nullptr; }

// Parses the code whose "%" is at tpl[i]; false for a "%" that ends the template.
bool NameConvTool::parseCode(const std::string& tpl, size_t i, Code& code) {
    size_t j = i + 1;
    code = Code();
    int n = 0;
    while (j < tpl.size() && isDigit(tpl[j])) {
        if (n < 1000) n = n * 10 + (tpl[j] - '0');
        code.has_n = true;
        ++j;
    }
    if (j >= tpl.size()) return false;
    code.n = code.has_n && n > 0 ? n : 1;
    code.c = tpl[j++];
    if (code.c == '{') {
        const size_t close = tpl.find('}', j);
        const size_t end = close == std::string::npos ? tpl.size() : close;
        code.name = tpl.substr(j, end - j);
        j = close == std::string::npos ? tpl.size() : close + 1;
    }
    code.next = j;
    return true;
}

// Reads one line (without its end) of at most max characters; overlong lines are read to
// their end and flagged. False at the end of the file.
bool NameConvTool::readLine(File& f, std::string& line, bool& overlong) {
    line.clear();
    overlong = false;
    int c;
    bool any = false;
    long total = 0;
    while ((c = f.getc()) != EOF) {
        any = true;
        if (c == '\n') break;
        // Not text, or a stream that never ends: the input ends here.
        if (++total > LineTool::LONGEST_LINE) {
            overlong = true;
            return false;
        }
        if (static_cast<int>(line.size()) < MAX_LINE)
            line += static_cast<char>(c);
        else
            overlong = true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

// Digits YYYY[MM[DD[HH[NN]]]] with missing parts from 1980-01-01 00:00.
bool NameConvTool::parseDigits(const char*& p, Date& r) {
    int n = 0;
    while (isDigit(p[n]) && n < 12) ++n;
    if (n < 4) return false;
    auto field = [&](int start, int len, int def) {
        if (start + len > n) return def;
        int v = 0;
        for (int k = start; k < start + len; ++k) v = v * 10 + (p[k] - '0');
        return v;
    };
    const int y = field(0, 4, 1980), mo = field(4, 2, 1), d = field(6, 2, 1), h = field(8, 2, 0),
              mi = field(10, 2, 0);
    r.init();
    r.set(y, mo, d, h, mi, 0.0f);
    p += n;
    while (isDigit(*p)) ++p;
    return r.isSet();
}

// An offset [Nd][H][:M] in minutes; false when there is none.
bool NameConvTool::parseOffset(const char*& p, long& minutes) {
    const char* q = p;
    auto number = [&](long& v) {
        if (!isDigit(*q)) return false;
        v = 0;
        for (int k = 0; isDigit(*q); ++q, ++k)
            if (k < 7) v = v * 10 + (*q - '0');
        return true;
    };
    long days = 0, h = 0, m = 0, n = 0;
    bool any = false;
    if (number(n)) {
        any = true;
        if (*q == 'd' || *q == 'D') {
            days = n;
            ++q;
            number(h);
        } else {
            h = n;
        }
    }
    if (*q == ':') {
        ++q;
        any = number(m) || any;
    }
    if (!any) return false;
    minutes = days * 1440 + h * 60 + m;
    p = q;
    return true;
}

bool NameConvTool::checkRequest(const char* spec, std::string& why) {
    why.clear();
    const char* p = spec ? spec : "";
    if (*p == '>') ++p;
    if (*p == '@') return true;
    // An offset beyond this many hours is a date written without its "#".
    constexpr long LONGEST_OFFSET = 24L * 366 * 10;
    auto offset = [&](const char*& q) {
        if (*q == '+' || *q == '-') ++q;
        long minutes = 0;
        if (!parseOffset(q, minutes)) return true;
        return minutes / 60 <= LONGEST_OFFSET;
    };
    const char* start = p;
    Date r;
    if (*p == '#') {
        ++p;
        if (!parseDigits(p, r)) {
            why = "a time after \"#\" is YYYY[MM[DD[HH[NN]]]]";
            return false;
        }
    }
    bool ok = offset(p);
    if (ok && (*p == 'l' || *p == 'L')) {
        while (std::isalpha(static_cast<unsigned char>(*p))) ++p;
        if (*p == '#') {
            ++p;
            while (isDigit(*p)) ++p;
        }
        ok = offset(p);
    }
    if (ok && !*p) return true;
    int digits = 0;
    while (isDigit(start[digits])) ++digits;
    if (digits >= 8 && !start[digits])
        why = std::string("a date needs a leading \"#\": #") + start;
    else
        why = "not a time: a date #YYYYMMDDHH, hours back such as 12 or 1d6, or la (the latest)";
    return false;
}

// Moves a date by a number of seconds without losing precision on long spans.
void NameConvTool::stepSeconds(Date& d, long s) {
    if (s % 60 == 0 && s / 60 <= INT_MAX && s / 60 >= -INT_MAX)
        d.addMinutes(static_cast<int>(s / 60));
    else
        d.addSeconds(static_cast<float>(s));
}

// A data file counts when it is a file larger than min_size bytes.
bool NameConvTool::isData(const char* name, int min_size) {
    return FileTool::isFile(name) && FileTool::getSize(name) > min_size;
}

std::string NameConvTool::shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

// Fixed parts (0 or more) give the latest matching time at or before r; a negative hour or
// minute -k first rounds r's hour or minute down to a multiple of k.
void NameConvTool::applyFixDate(const DateVal& f, Date& r) {
    if (!r.isSet()) return;
    auto fixed = [](int v) { return v != Const::MISS && v >= 0; };
    auto rounded = [](int v) { return v != Const::MISS && v < 0; };
    if (rounded(f.hour)) r.setHour(r.getHour() / -f.hour * -f.hour);
    if (rounded(f.min)) r.setMinute(r.getMinute() / -f.min * -f.min);
    r.set(r.getSeconds());
    if (!fixed(f.month) && !fixed(f.day) && !fixed(f.hour) && !fixed(f.min)) return;
    // Step back by the unit above the largest fixed part until the time is real and not
    // after r (a fixed 31st skips the short months).
    Date c(r);
    for (int k = 0; k < 60; ++k) {
        DateVal v = c.get();
        if (fixed(f.month)) {
            v.month = f.month;
            if (!fixed(f.day) && v.month >= 1 && v.month <= 12 && v.year != Const::MISS) {
                const int* table =
                    Date::isYearLeap(v.year) ? DateVal::num_day_leap : DateVal::num_day;
                const int len = table[v.month - 1] - (v.month > 1 ? table[v.month - 2] : 0);
                if (v.day > len) v.day = len;
            }
        }
        if (fixed(f.day)) v.day = f.day;
        if (fixed(f.hour)) v.hour = f.hour;
        if (fixed(f.min)) v.min = f.min;
        const Date cand(Date(v).getSeconds());
        const bool real = (!fixed(f.day) || cand.getDay() == f.day) &&
                          (!fixed(f.month) || cand.getMonth() == f.month);
        if (real && cand.getSeconds() <= r.getSeconds()) {
            r = cand;
            return;
        }
        if (fixed(f.month)) {
            c.addYears(-1);
        } else if (fixed(f.day)) {
            c.setDay(1);
            c.addMonths(-1);
        } else if (fixed(f.hour)) {
            c.addDays(-1);
        } else {
            c.addHours(-1);
        }
        c.set(c.getSeconds());
    }
}

int NameConvTool::parseFixDate(const char* text, DateVal& out) {
    if (!text || !*text) return 0;
    const char* p = text;
    const bool neg = *p == '-';
    if (neg) ++p;
    std::string digits;
    while (isDigit(*p) && digits.size() < 7) digits += *p++;
    auto num = [](const std::string& s, size_t a, size_t n) {
        return std::atoi(s.substr(a, n).c_str());
    };
    auto readMin = [&](int& m) {
        if (*p != ':') return true;
        ++p;
        if (!isDigit(*p)) return false;
        m = 0;
        for (int k = 0; isDigit(*p); ++p, ++k)
            if (k < 3) m = m * 10 + (*p - '0');
        return true;
    };
    DateVal v;
    if (!neg && !digits.empty() && (*p == 'd' || *p == 'D')) { // NdH:M
        ++p;
        v.day = num(digits, 0, digits.size());
        std::string h;
        while (isDigit(*p) && h.size() < 3) h += *p++;
        if (!h.empty()) v.hour = std::atoi(h.c_str());
        if (!readMin(v.min)) return 0;
    } else if (digits.empty() && *p == ':') { // :M or -:M
        int m = 0;
        if (!readMin(m)) return 0;
        v.min = neg ? -m : m;
    } else if (!neg && !*p && (digits.size() == 6 || digits.size() == 4 || digits.size() == 3)) {
        const size_t k = digits.size();
        if (k == 6) v.month = num(digits, 0, 2);
        v.day = k == 3 ? num(digits, 0, 1) : num(digits, k - 4, 2);
        v.hour = num(digits, k - 2, 2);
    } else if (!digits.empty() && digits.size() <= 2) { // [-]H[:M]
        v.hour = neg ? -num(digits, 0, 2) : num(digits, 0, 2);
        if (!readMin(v.min)) return 0;
    } else {
        return 0;
    }
    if (*p) return 0;
    const bool bad =
        (v.month != Const::MISS && (v.month < 1 || v.month > 12)) ||
        (v.day != Const::MISS && (v.day < 1 || v.day > 31)) ||
        (v.hour != Const::MISS && (v.hour < -23 || v.hour > 23 || (v.hour == 0 && neg))) ||
        (v.min != Const::MISS && (v.min < -59 || v.min > 59));
    if (bad) return 0;
    out = v;
    return 1;
}

// The smallest time unit of the file template, times its count.
int NameConvTool::getOffset(const char* file) {
    const std::string tpl(file ? file : "");
    long best = LONG_MAX;
    for (size_t i = 0; i < tpl.size();) {
        if (tpl[i] != '%') {
            ++i;
            continue;
        }
        Code c;
        if (!parseCode(tpl, i, c)) break;
        i = c.next;
        long unit = 0;
        if (c.c == 'd' || c.c == 'j') unit = 86400;
        if (c.c == 'h') unit = 3600;
        if (c.c == 'n') unit = 60;
        if (unit && unit * c.n < best) best = unit * c.n;
    }
    return best == LONG_MAX ? Const::MISS : static_cast<int>(best);
}

} // namespace HYX
