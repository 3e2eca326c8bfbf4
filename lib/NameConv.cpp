// File naming conventions: the convention file, the template language, file spacing,
// the file of a date, the latest-file search and reading names back into dates.
#include "HYX/NameConv.h"

#include "HYX/DateTool.h"
#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/LineScan.h"
#include "HYX/NameConvFile.h"
#include "HYX/NameConvTool.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

namespace {

using Code = NameConvTool::Code;

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

void put(std::string& s, const char* fmt, int v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, v);
    s += buf;
}

} // namespace

NameConv::NameConv() {
    init();
    initParam();
}

NameConv::NameConv(const char* spec) : NameConv() { set(spec); }

void NameConv::init() {
    file[0] = hdr[0] = ext[0] = type[0] = param[0] = 0;
    key = {};
    numkey = 0;
    min_size = 0;
    min_time = Const::MISS;
    off = 0;
    date.init();
    cpath = 0;
    npath = 1;
    pexist = true;
}

void NameConv::initParam() {
    path.clear();
    limit = 500;
    output = false;
    fix_date.init();
    late_date.init();
}

int NameConv::set(const char* spec) {
    init();
    if (!StrLib::valid(spec)) return 0;
    if (StrLib::iequal(spec, "none")) {
        computeOffset();
        return 1;
    }
    if (spec[0] == '@') {
        StrLib::copy(file, sizeof file, spec + 1);
        computeOffset();
        return 1;
    }
    const Strings parts(spec, ',');
    const Strings tagpart(parts.getString(0), ':');
    const char* tag = tagpart.getString(0);
    for (int i = 1; i < tagpart.getNum(); ++i) {
        const char* kv = tagpart.getString(i);
        if (kv && kv[0] && kv[1] == '=') setKey(kv[0], kv + 2);
    }
    int ok = 0;
    if (StrLib::valid(tag)) {
        ok = readConvFile(tag, parts.getString(1), parts.getString(2));
    } else {
        Hyx::outWarning("NameConv::set: no tag in: %s\n", spec);
    }
    // Limits given with the request win over those of the convention file.
    for (int i = 3; i < parts.getNum(); ++i) {
        const char* e = parts.getString(i);
        if (StrLib::equal(e, "min=", 4)) min_time = std::atoi(e + 4);
        if (StrLib::equal(e, "size=", 5)) min_size = std::atoi(e + 5);
    }
    computeOffset();
    return ok;
}

int NameConv::readConvFile(const char* tag, const char* spec_hdr, const char* spec_type) {
    // The file path resource, or the installed database when it is unset.
    const char* fpath = Hyx::getResrc("file_path", Hyx::getDatabasePath());
    const char* name = Hyx::getResrc("name_conv", "name.cnv");
    String fname;
    if (!FileTool::addPath(fpath, name, fname) && !StrLib::equal(name, "name.cnv")) {
        String alt;
        if (FileTool::addPath(fpath, "name.cnv", alt)) fname = alt;
    }
    File f(fname.get(), "r");
    if (!f.isOpen()) {
        Hyx::outWarning("NameConv: No file name convention file: %s\n", fname.get());
        StrLib::copy(file, sizeof file, tag);
        return 0;
    }
    // Fields of the line taken: tag, file, header, type field, parameter field.
    std::array<std::string, 5> best, partial;
    bool exact = false, have_partial = false;
    std::string line;
    bool overlong = false;
    int lineno = 0;
    while (!exact && NameConvTool::readLine(f, line, overlong)) {
        ++lineno;
        if (overlong) {
            Hyx::outWarning("NameConv: %s line %d: line too long, skipped\n", fname.get(), lineno);
            continue;
        }
        if (line.empty() || line[0] == '#' || line.size() < 20) continue;
        std::array<std::string, 5> fld;
        size_t i = 0;
        for (int k = 0; k < 5; ++k) {
            while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
            const size_t start = i;
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
            fld[k] = line.substr(start, i - start);
        }
        static const size_t widths[5] = {20, sizeof file - 1, sizeof hdr - 1, 30, sizeof param - 1};
        bool fits = !fld[0].empty() && !fld[1].empty();
        for (int k = 0; k < 5; ++k) fits = fits && fld[k].size() <= widths[k];
        if (!fits) {
            const int tl = static_cast<int>(fld[0].size());
            if (tl > 0 && tl <= static_cast<int>(widths[0]) && StrLib::length(tag) >= tl &&
                StrLib::iequal(tag, fld[0].c_str(), tl))
                Hyx::outWarning("NameConv: %s line %d: bad definition of %s, skipped\n",
                                fname.get(), lineno, tag);
            continue;
        }
        if (StrLib::iequal(fld[0].c_str(), tag)) {
            best = fld;
            exact = true;
        } else if (StrLib::length(tag) > static_cast<int>(fld[0].size()) &&
                   StrLib::iequal(tag, fld[0].c_str(), static_cast<int>(fld[0].size())) &&
                   (!have_partial || fld[0].size() > partial[0].size())) {
            partial = fld;
            have_partial = true;
        }
    }
    if (exact) {
        Hyx::outDebug(5, "File name match for: %s\n", tag);
    } else if (have_partial) {
        best = partial;
        const int us = StrLib::lastIndex(tag, '_');
        setExt(us >= 0 ? tag + us + 1 : "");
        Hyx::outDebug(5, "File name partial match for: %s-%s ext: %s\n", best[0].c_str(), tag, ext);
    } else {
        Hyx::outDebug(1, "No file name conversion for: %s\n", tag);
        StrLib::copy(file, sizeof file, tag);
        StrLib::copy(hdr, sizeof hdr, spec_hdr ? spec_hdr : "");
        StrLib::copy(type, sizeof type, spec_type ? spec_type : "");
        return 1;
    }
    StrLib::copy(file, sizeof file, best[1].c_str());
    StrLib::copy(hdr, sizeof hdr, best[2] == "-" ? "" : best[2].c_str());
    setTypeField(best[3].c_str());
    setParamField(best[4].c_str());
    return 1;
}

// "size,type" (beginning with a digit) or "type,size".
void NameConv::setTypeField(const char* field) {
    if (!StrLib::valid(field) || StrLib::equal(field, "-")) return;
    const Strings s(field, ',');
    const bool size_first = isDigit(field[0]);
    const char* t = s.getString(size_first ? 1 : 0);
    const char* z = s.getString(size_first ? 0 : 1);
    StrLib::copy(type, sizeof type, t ? t : "");
    if (z && isDigit(z[0])) min_size = std::atoi(z);
}

void NameConv::setParamField(const char* field) {
    if (!StrLib::valid(field) || StrLib::equal(field, "-")) return;
    StrLib::copy(param, sizeof param, field);
    const Strings s(field, ',');
    for (int i = 0; i < s.getNum(); ++i) {
        const char* e = s.getString(i);
        if (StrLib::equal(e, "min=", 4)) min_time = std::atoi(e + 4);
        if (StrLib::equal(e, "size=", 5)) min_size = std::atoi(e + 5);
    }
}

void NameConv::computeOffset() { off = NameConvTool::getOffset(file); }

int NameConv::getDirList(char code, const std::string& name, std::string& list) const {
    if (path.valid()) {
        list = path.get();
        return 1;
    }
    const char* res = code == '{' ? name.c_str() : NameConvTool::dirResource(code);
    const char* v = Hyx::getResrc(res);
    if (v && v[0] == '+') v = Hyx::getResrc(v + 1); // a value naming another resource
    list = StrLib::valid(v) ? v : ".";
    return 1;
}

int NameConv::encode(const Date& d, int which, String& out) {
    const std::string tpl(which == 0 ? file : hdr);
    out.clear();
    if (tpl.empty()) return 0;
    std::string s;
    DateVal wrote;
    bool exists = true;
    int np = 1;
    for (size_t i = 0; i < tpl.size();) {
        const char ch = tpl[i];
        if (ch != '%') {
            if (ch == ' ')
                s += '_';
            else if (ch != '{' && ch != '}')
                s += ch;
            ++i;
            continue;
        }
        Code c;
        if (!NameConvTool::parseCode(tpl, i, c)) break; // a "%" ending the template writes nothing
        i = c.next;
        const int n = c.n;
        switch (c.c) {
        case 'Y':
            if (d.getYear() == Const::MISS) {
                s += "0000";
            } else {
                wrote.year = d.getYear() / n * n;
                put(s, "%4.4d", wrote.year);
            }
            break;
        case 'y':
            if (d.getYear() == Const::MISS) {
                s += "00";
            } else {
                const int yy = d.getYear() % 100 / n * n;
                wrote.year = d.getYear() - d.getYear() % 100 + yy;
                put(s, "%2.2d", yy);
            }
            break;
        case 'm':
            if (d.getMonth() == Const::MISS) {
                s += "00";
            } else {
                wrote.month = d.getMonth() / n * n;
                put(s, "%2.2d", wrote.month);
            }
            break;
        case 'B':
        case 'b':
            if (d.getMonth() == Const::MISS) {
                s += c.c == 'B' ? "XXX" : "xxx";
            } else {
                wrote.month = d.getMonth();
                s += c.c == 'B' ? DateTool::getMonth(wrote.month)
                                : DateTool::getMonthLower(wrote.month);
            }
            break;
        case 'd':
            if (d.getDay() == Const::MISS) {
                s += "00";
            } else {
                wrote.day = d.getDay() / n * n;
                put(s, "%2.2d", wrote.day);
            }
            break;
        case 'j':
            if (d.getDay() == Const::MISS || d.getJulian() == Const::MISS) {
                s += "000";
            } else {
                const int j = d.getJulian() / n * n;
                put(s, "%3.3d", j);
                int m = 0, dd = 0;
                if (d.getYear() != Const::MISS && Date::setJulian(d.getYear(), j - 1, m, dd)) {
                    wrote.month = m;
                    wrote.day = dd;
                }
            }
            break;
        case 'h':
            if (d.getHour() == Const::MISS) {
                s += "00";
            } else {
                wrote.hour = d.getHour() / n * n;
                put(s, "%2.2d", wrote.hour);
            }
            break;
        case 'n':
            if (d.getMinute() == Const::MISS) {
                s += "00";
            } else {
                wrote.min = d.getMinute() / n * n;
                put(s, "%2.2d", wrote.min);
            }
            break;
        case 'e':
            s += ext;
            break;
        case '%':
            s += '%';
            break;
        default:
            if (NameConvTool::isDirCode(c.c)) {
                std::string list;
                getDirList(c.c, c.name, list);
                np = FileTool::numPath(list.c_str());
                String elem;
                FileTool::getPath(list.c_str(), cpath < np ? cpath : np - 1, elem);
                s += elem.get();
                if (!FileTool::exist(s.c_str())) exists = false;
            } else {
                const char* k = getKey(c.c);
                if (!StrLib::valid(k))
                    s += '0';
                else if (c.has_n)
                    s.append(k, std::min<size_t>(std::strlen(k), c.n));
                else
                    s += k;
            }
            break;
        }
    }
    out.copy(s.c_str());
    if (which == 0) {
        npath = np;
        pexist = exists;
        date.init();
        if (!wrote.allMissing()) date.set(wrote);
        Hyx::outDebug(6, "Filename: %s\n", s.c_str());
        if (Hyx::isDebug(5)) {
            Hyx::outDebug(6, "Date: ");
            date.print();
        }
    }
    return 1;
}

void NameConv::fillRecord(const Date& d, const String& name, NameConvFile& rec) {
    const Date encoded = date;
    rec.init();
    rec.setType(type);
    rec.setFilename(name.get());
    String h;
    if (hdr[0]) encode(d, 1, h);
    rec.setHeader(h.get());
    rec.setDate(encoded);
    rec.setParam(param);
    rec.setOffset(off);
}

int NameConv::setFile(const Date& d, NameConvFile& rec) {
    String name;
    int chosen = -1;
    npath = 1;
    for (int c = 0; c < npath && c < 64; ++c) {
        cpath = c;
        encode(d, 0, name);
        if (pexist && (output || NameConvTool::isData(name.get(), min_size))) {
            chosen = c;
            break;
        }
    }
    if (chosen < 0) {
        cpath = 0;
        encode(d, 0, name);
    }
    fillRecord(d, name, rec);
    return chosen >= 0 ? 1 : 0;
}

// The reference time of a time request: "#digits" at p, else the initial time,
// the fixed reference time, $hyxcurtime or the clock.
long NameConv::referenceTime(const char*& p, Date& r) const {
    if (*p == '#') {
        const char* q = p + 1;
        if (NameConvTool::parseDigits(q, r)) {
            p = q;
            return r.getSeconds();
        }
    }
    const int init_time = Hyx::getInitTime();
    if (init_time != Const::MISS) {
        r.set(static_cast<long>(init_time));
        return r.getSeconds();
    }
    if (late_date.isSet()) {
        r = late_date;
        return r.getSeconds();
    }
    const char* env = std::getenv("hyxcurtime");
    if (env && *env) {
        const char* q = *env == '#' ? env + 1 : env;
        if (NameConvTool::parseDigits(q, r)) return r.getSeconds();
        Hyx::outWarning("NameConv: hyxcurtime is not a time (YYYYMMDDHH): %s\n", env);
    }
    r.set();
    return r.getSeconds();
}

int NameConv::searchLatest(const Date& t, int steps, bool forward, String& name, Date& found) {
    npath = 1;
    Date d(t);
    for (int c = 0; c < npath && c < 64; ++c) {
        cpath = c;
        d = t;
        for (int i = 0; i < steps; ++i) {
            encode(d, 0, name);
            Hyx::outDebug(3, "LATE:%d %d %d %d %d\n", c, npath, i, steps, off);
            if (!pexist) break; // no such directory: try the next alternative
            Hyx::outDebug(3, "LATE: %s\n", name.get());
            if (output || NameConvTool::isData(name.get(), min_size)) {
                found = date.isSet() ? date : d;
                if (Hyx::isDebug(2)) {
                    String when;
                    found.toText(when);
                    Hyx::outDebug(3, "LATEST: %s %s %d %d\n", name.get(), when.get(), c, i);
                }
                return 1;
            }
            if (off == Const::MISS || off <= 0) break;
            NameConvTool::stepSeconds(d, forward ? off : -static_cast<long>(off));
        }
    }
    found = date.isSet() ? date : d;
    return 0;
}

int NameConv::setLatest(const char* spec, NameConvFile& rec) {
    const char* p = spec ? spec : "la";
    if (*p == '>') {
        output = true;
        ++p;
    }
    if (*p == '@') {
        rec.init();
        rec.setType(type);
        rec.setFilename(p + 1);
        rec.setOffset(off);
        return FileTool::exist(p + 1) ? 1 : 0;
    }
    Date r;
    referenceTime(p, r);
    NameConvTool::applyFixDate(fix_date, r);
    int sign = 0;
    if (*p == '+' || *p == '-') sign = *p++ == '+' ? 1 : -1;
    long minutes = 0;
    Date t(r);
    if (NameConvTool::parseOffset(p, minutes))
        t.addMinutes(static_cast<int>(sign > 0 ? minutes : -minutes));
    if (!*p) return setFile(t, rec);
    if (*p != 'l' && *p != 'L') {
        Hyx::outWarning("NameConv::setLatest: not a time request: %s\n", spec);
        return setFile(t, rec);
    }
    while (std::isalpha(static_cast<unsigned char>(*p))) ++p; // l, la, latest
    long steps = limit;
    if (min_time != Const::MISS && off != Const::MISS && off > 0) {
        const long need = static_cast<long>(min_time) * 60 / off + 1;
        if (need > steps) steps = need;
    }
    if (*p == '#') {
        char* end = nullptr;
        const long n = std::strtol(p + 1, &end, 10);
        if (end != p + 1) {
            steps = n;
            p = end;
        }
    }
    if (steps < 1) steps = 1;
    if (steps > MAX_STEPS) steps = MAX_STEPS;
    Hyx::outDebug(4, "LATE LIMIT: %ld\n", steps);
    String name;
    Date found;
    const int ok = searchLatest(t, static_cast<int>(steps), sign > 0, name, found);
    if (*p == '+' || *p == '-') {
        const int sign2 = *p++ == '+' ? 1 : -1;
        long m2 = 0;
        if (NameConvTool::parseOffset(p, m2)) {
            found.addMinutes(static_cast<int>(sign2 * m2));
            return setFile(found, rec);
        }
    }
    fillRecord(found, name, rec);
    return ok;
}

int NameConv::setFixDate(const char* text) {
    fix_date.init();
    if (!StrLib::valid(text)) return 0;
    if (text[0] == '#') {
        const char* p = text + 1;
        Date r;
        if (!NameConvTool::parseDigits(p, r) || *p) return 0;
        late_date = r;
        return 1;
    }
    DateVal v;
    if (!NameConvTool::parseFixDate(text, v)) return 0;
    fix_date = v;
    return 1;
}

// A file name read against a template, one code at a time.
struct NameConv::Reader {
    Reader(const std::string& tp, const char* text) : tpl(tp), t(text), s(t) {}

    // The literal character that follows a code, or 0 at the end or before another code.
    char following(size_t i) const {
        while (i < tpl.size() && (tpl[i] == '{' || tpl[i] == '}')) ++i;
        if (i >= tpl.size() || tpl[i] == '%') return 0;
        return tpl[i] == ' ' ? '_' : tpl[i];
    }
    // A literal of the template; a blank there stands for "_" in names.
    bool literal(char ch) { return s.take(ch) || (ch == ' ' && s.take('_')); }
    // Free text of a code: n characters, or up to the following literal, or the rest.
    bool freeText(std::string& out) {
        const char stop = code.has_n ? 0 : following(code.next);
        if (stop && s.rest().find(stop) == std::string_view::npos) return false;
        out = code.has_n ? s.chars(code.n) : s.upTo(stop);
        return true;
    }
    // A date code; false when the name does not fit it, unknown codes are not taken.
    bool dateCode(bool& taken) {
        taken = true;
        switch (code.c) {
        case 'Y':
            return s.digits(4, v.year);
        case 'y':
            if (!s.digits(2, v.year)) return false;
            v.year += v.year > 49 ? 1900 : 2000;
            return true;
        case 'm':
            return s.digits(2, v.month);
        case 'd':
            return s.digits(2, v.day);
        case 'h':
            return s.digits(2, v.hour);
        case 'n':
            return s.digits(2, v.min);
        case 'j':
            return s.digits(3, doy);
        case 'B':
        case 'b': {
            const std::string mon(s.chars(3));
            return mon.size() == 3 && (v.month = DateTool::decodeMonth(mon.c_str())) > 0;
        }
        case '%':
            return s.take('%');
        default:
            taken = false;
            return true;
        }
    }
    // The directory runs to the "/" aligned with the next "/" of the template; npos when
    // the name has too few.
    size_t dirEnd() const {
        int k = 0;
        for (size_t j = code.next; j < tpl.size(); ++j) k += tpl[j] == '/';
        size_t end = t.size();
        for (int m = 0; m < k && end != std::string::npos; ++m)
            end = end == 0 ? std::string::npos : t.rfind('/', end - 1);
        return end == std::string::npos || end < s.getPos() ? std::string::npos : end;
    }
    // The date read, the day of the year turned into month and day.
    bool date(DateVal& out) const {
        out = v;
        if (doy == Const::MISS) return true;
        int m = 0, d = 0;
        if (v.year == Const::MISS || !Date::setJulian(v.year, doy - 1, m, d)) return false;
        out.month = m;
        out.day = d;
        return true;
    }

    const std::string& tpl;
    const std::string t;
    LineScan s;
    Code code;
    DateVal v;
    int doy = Const::MISS;
};

bool NameConv::readCode(Reader& r) {
    bool taken = false;
    if (!r.dateCode(taken)) return false;
    if (taken) return true;
    std::string value;
    if (r.code.c == 'e') {
        if (ext[0] && r.s.startsWith(ext)) {
            r.s.skip(std::strlen(ext));
            return true;
        }
        if (!r.freeText(value)) return false;
        setExt(value.c_str());
        return true;
    }
    if (!NameConvTool::isDirCode(r.code.c)) {
        if (!r.freeText(value)) return false;
        setKey(r.code.c, value.c_str());
        return true;
    }
    const size_t end = r.dirEnd();
    if (end == std::string::npos) return false;
    const std::string dir(r.s.chars(end - r.s.getPos()));
    std::string list;
    getDirList(r.code.c, r.code.name, list);
    bool known = false;
    const int np = FileTool::numPath(list.c_str());
    for (int m = 0; m < np && !known; ++m) {
        String elem;
        FileTool::getPath(list.c_str(), m, elem);
        known = dir == elem.get();
    }
    if (!known && !dir.empty()) setPath(dir.c_str());
    return true;
}

int NameConv::decode(const char* text) {
    if (!StrLib::valid(text) || !file[0]) return 0;
    std::string tpl(file);
    const int ns = StrLib::occurs(file, '/');
    if (StrLib::occurs(text, '/') < ns) tpl = tpl.substr(tpl.rfind('/') + 1);
    Hyx::outDebug(4, "Filename decode: %d = %s\n", ns, text);

    Reader r(tpl, text);
    for (size_t i = 0; i < tpl.size();) {
        const char ch = tpl[i];
        if (ch == '%') {
            if (!NameConvTool::parseCode(tpl, i, r.code)) break;
            i = r.code.next;
            if (!readCode(r)) return 0;
            continue;
        }
        if (ch != '{' && ch != '}' && !r.literal(ch)) return 0;
        ++i;
    }
    DateVal v;
    if (!r.date(v)) return 0;
    date.init();
    if (!v.allMissing()) date.set(v);
    return 1;
}

int NameConv::getDate(Date& d) const {
    d = date;
    return date.isSet() ? 1 : 0;
}

int NameConv::makePattern(String& out) const {
    const std::string tpl(file);
    std::string pat, lit;
    auto flush = [&]() {
        if (!lit.empty()) pat += NameConvTool::shellQuote(lit);
        lit.clear();
    };
    auto wild = [&](const char* w) {
        flush();
        pat += w;
    };
    for (size_t i = 0; i < tpl.size();) {
        const char ch = tpl[i];
        if (ch != '%') {
            if (ch != '{' && ch != '}') lit += ch == ' ' ? '_' : ch;
            ++i;
            continue;
        }
        Code c;
        if (!NameConvTool::parseCode(tpl, i, c)) break;
        i = c.next;
        switch (c.c) {
        case 'Y':
            wild("????");
            break;
        case 'y':
        case 'm':
        case 'd':
        case 'h':
        case 'n':
            wild("??");
            break;
        case 'b':
        case 'B':
        case 'j':
            wild("???");
            break;
        case 'e':
            if (ext[0])
                lit += ext;
            else
                wild("*");
            break;
        case '%':
            lit += '%';
            break;
        default:
            if (NameConvTool::isDirCode(c.c)) {
                std::string list;
                getDirList(c.c, c.name, list);
                String elem, first;
                const int np = FileTool::numPath(list.c_str());
                FileTool::getPath(list.c_str(), 0, first);
                bool found = false;
                for (int m = 0; m < np && !found; ++m) {
                    FileTool::getPath(list.c_str(), m, elem);
                    found = FileTool::isDir(elem.get());
                }
                lit += found ? elem.get() : first.get();
            } else {
                const char* k = getKey(c.c);
                if (StrLib::valid(k))
                    lit += k;
                else
                    wild("?");
            }
            break;
        }
    }
    flush();
    out.copy(pat.c_str());
    return pat.empty() ? 0 : 1;
}

int NameConv::setPath(const char* p) {
    path.copy(p ? p : "");
    return 1;
}

int NameConv::setExt(const char* e) { return StrLib::copy(ext, sizeof ext, e ? e : ""); }

int NameConv::setKey(char c, const char* value) {
    if (!c) return 0;
    for (int i = 0; i < numkey; ++i) {
        if (key[i].c == c) {
            StrLib::copy(key[i].value, sizeof key[i].value, value ? value : "");
            return 1;
        }
    }
    if (numkey >= MAX_KEY) return 0;
    key[numkey].c = c;
    StrLib::copy(key[numkey].value, sizeof key[numkey].value, value ? value : "");
    ++numkey;
    return 1;
}

const char* NameConv::getKey(char c) const {
    for (int i = 0; i < numkey; ++i)
        if (key[i].c == c) return key[i].value;
    return nullptr;
}

void NameConv::print() const {
    std::printf("NameConv: file=%s hdr=%s path=%s ext=%s type=%s param=%s\n", file, hdr, path.get(),
                ext, type, param);
    std::printf("  off=%d min_size=%d min_time=%d limit=%d output=%d cpath=%d npath=%d\n", off,
                min_size, min_time, limit, output ? 1 : 0, cpath, npath);
    for (int i = 0; i < numkey; ++i) std::printf("  key %c=%s\n", key[i].c, key[i].value);
}

} // namespace HYX
