// Unit conversion: numeric factors of the unit strings are handled here, named
// conversions come from the unit table and are cached per pair.
#include "HYX/Unit.h"

#include "HYX/Const.h"
#include "HYX/File.h"
#include "HYX/FileCache.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/LineTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace HYX {

namespace {

constexpr const char* TABLE = "units.lup";
constexpr int LINE_MAX = 256;

bool isBlank(char c) { return c == ' ' || c == '_' || c == '\t'; }

bool isEmpty(const char* s) {
    if (!s) return true;
    for (; *s; ++s)
        if (!isBlank(*s)) return false;
    return true;
}

bool isNumStart(const char* p) {
    const unsigned char c = static_cast<unsigned char>(p[0]);
    if (std::isdigit(c) || c == '.') return true;
    if (c == '+' || c == '-') {
        const unsigned char d = static_cast<unsigned char>(p[1]);
        return std::isdigit(d) || d == '.';
    }
    return false;
}

// Reads a number at p; false unless it is finite and something was read.
bool readNumber(const char*& p, double& v) {
    char* end = nullptr;
    v = std::strtod(p, &end);
    if (end == p || !std::isfinite(v)) return false;
    p = end;
    return true;
}

// The conversion text: an optional "*mult", then "+offset", then "-offset".
bool parseConversion(const char* cvt, float& mult, float& offset) {
    const char* p = cvt;
    double v = 0;
    if (*p == '*') {
        ++p;
        if (!readNumber(p, v)) return false;
        mult = static_cast<float>(v);
    }
    if (*p == '+') {
        ++p;
        if (!readNumber(p, v)) return false;
        offset = static_cast<float>(v);
    }
    if (*p == '-') {
        ++p;
        if (!readNumber(p, v)) return false;
        offset = static_cast<float>(-v);
    }
    return std::isfinite(mult) && std::isfinite(offset);
}

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// Removes every occurrence of word that stands alone (not inside a longer name).
bool removeWord(std::string& s, const char* word, const char* repl) {
    const size_t n = std::strlen(word);
    bool changed = false;
    size_t pos = 0;
    while ((pos = s.find(word, pos)) != std::string::npos) {
        const bool before = pos == 0 || !isLetter(word[0]) || !isLetter(s[pos - 1]);
        const bool after = pos + n >= s.size() || (!isLetter(s[pos + n]) && s[pos + n] != '^');
        if (before && after) {
            s.replace(pos, n, repl);
            pos += std::strlen(repl);
            changed = true;
        } else {
            ++pos;
        }
    }
    return changed;
}

// The conversions of a units table, in the order of the file: lines of three words, each
// within its field, whose conversion text reads.
struct Entry {
    std::string in, out, cvt;
    float mult, offset;
};

std::vector<Entry> readEntries(File& f) {
    std::vector<Entry> all;
    char line[LINE_MAX];
    while (LineTool::getLine(f, line, sizeof line) >= 0) {
        char w1[64], w2[64], w3[64];
        const int n = std::sscanf(line, "%63s %63s %63s", w1, w2, w3);
        if (n < 3 || w1[0] == '#' || std::strlen(w1) >= UnitData::unit_len ||
            std::strlen(w2) >= UnitData::unit_len || std::strlen(w3) >= UnitData::cvt_len)
            continue;
        float mult = 1.0f, offset = 0.0f;
        if (parseConversion(w3, mult, offset)) all.push_back({w1, w2, w3, mult, offset});
    }
    return all;
}

} // namespace

void Unit::init() {
    for (auto& d : cvs) d.init();
    ncvs = 0;
    stamp = 0;
}

bool Unit::equal(const char* a, const char* b) { return StrLib::equal(a, b); }

bool Unit::same(const char* a, const char* b) {
    if (!a || !b) return false;
    for (; *a && *b; ++a, ++b) {
        if (isBlank(*a) && isBlank(*b)) continue;
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == 0 && *b == 0;
}

float Unit::getFactor(const char* units, String& name) {
    name.clear();
    if (!units) return 1.0f;
    const char* p = units;
    while (*p == ' ' || *p == '\t') ++p;
    double f = 1.0;
    if (isNumStart(p)) {
        double a = 0;
        if (!readNumber(p, a)) return 0.0f;
        f = a;
        if (*p == '^') {
            ++p;
            double b = 0;
            if (!isNumStart(p) || !readNumber(p, b)) return 0.0f;
            f = std::pow(a, b);
        }
    } else if (*p == '-') {
        f = -1.0;
        ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    name.copy(p);
    name.trimWS();
    if (!std::isfinite(f) || f == 0.0 || std::fabs(f) > 3.0e38 || std::fabs(f) < 1.0e-37)
        return 0.0f;
    return static_cast<float>(f);
}

int Unit::find(const char* in, const char* out) const {
    for (int i = 0; i < ncvs; ++i)
        if (cvs[i].flag != -1 && same(cvs[i].in, in) && same(cvs[i].out, out)) return i;
    return -1;
}

int Unit::readFile(const char* in, const char* out, UnitData& d) const {
    d.init();
    if (!in || !out) return 0;
    static FileCache<std::vector<Entry>> tables(readEntries);
    String path;
    FileTool::addPath(Hyx::getDatabasePath(), TABLE, path);
    const auto entries = tables.get(path.get());
    if (!entries) return 0;
    for (const Entry& e : *entries) {
        if (!same(e.in.c_str(), in) || !same(e.out.c_str(), out)) continue;
        StrLib::copy(d.in, sizeof d.in, e.in.c_str());
        StrLib::copy(d.out, sizeof d.out, e.out.c_str());
        StrLib::copy(d.cvt, sizeof d.cvt, e.cvt.c_str());
        d.mult = e.mult;
        d.offset = e.offset;
        d.valid = 1;
        return 1;
    }
    return 0;
}

// Looks up a pair not in the cache and stores it; returns its slot, or -1 when the unit
// strings are too long to be told apart in the cache (the answer is then in scratch).
int Unit::lookup(const char* in, const char* out) {
    UnitData d;
    String nin, nout;
    const float fi = getFactor(in, nin);
    const float fo = getFactor(out, nout);
    if (fi != 0.0f && fo != 0.0f) readFile(nin.get(), nout.get(), d);
    d.ifac = fi != 0.0f ? fi : 1.0f;
    d.ofac = fo != 0.0f ? fo : 1.0f;
    if (fi == 0.0f || fo == 0.0f) d.valid = 0;
    StrLib::copy(d.in, sizeof d.in, in);
    StrLib::copy(d.out, sizeof d.out, out);
    if (StrLib::length(in) >= UnitData::unit_len || StrLib::length(out) >= UnitData::unit_len) {
        // Too long to be told apart in the cache: answered without caching.
        scratch = d;
        return -1;
    }
    int slot = ncvs;
    if (ncvs < max_cvs) {
        ++ncvs;
    } else {
        slot = 0;
        for (int i = 1; i < ncvs; ++i)
            if (cvs[i].flag < cvs[slot].flag) slot = i;
    }
    cvs[slot] = d;
    cvs[slot].flag = ++stamp;
    return slot;
}

bool Unit::valid(const char* in, const char* out) {
    if (isEmpty(in) && isEmpty(out)) return false;
    if (same(in, out)) return true;
    int k = find(in, out);
    if (k >= 0) {
        cvs[k].flag = ++stamp;
        return cvs[k].valid != 0;
    }
    String nin, nout;
    const float fi = getFactor(in, nin);
    const float fo = getFactor(out, nout);
    if (fi == 0.0f || fo == 0.0f) return false;
    if (same(nin.get(), nout.get())) return true;
    k = lookup(in, out);
    return (k >= 0 ? cvs[k] : scratch).valid != 0;
}

float Unit::convert(float value, const char* in, const char* out) {
    if (value == Const::FMISS) return Const::FMISS;
    if ((isEmpty(in) && isEmpty(out)) || same(in, out)) return value;
    int k = find(in, out);
    if (k < 0) {
        String nin, nout;
        const float fi = getFactor(in, nin);
        const float fo = getFactor(out, nout);
        if (fi == 0.0f || fo == 0.0f) return Const::FMISS;
        if (same(nin.get(), nout.get())) return value * fi / fo;
        k = lookup(in, out);
    } else {
        cvs[k].flag = ++stamp;
    }
    const UnitData& d = k >= 0 ? cvs[k] : scratch;
    if (Hyx::isDebug(4)) {
        Hyx::outDebug(5, "UNIT: %s %s - %d %d - %d %d\n", in, out, k, d.valid, ncvs, d.flag);
        print();
    }
    return d.valid ? d.apply(value) : Const::FMISS;
}

int Unit::parse(const char* s, String& name, String& units) {
    name.clear();
    units.clear();
    if (!s) return 0;
    auto trimmed = [](const char* b, const char* e) {
        while (b < e && std::isspace(static_cast<unsigned char>(*b))) ++b;
        while (e > b && std::isspace(static_cast<unsigned char>(e[-1]))) --e;
        return std::string(b, e);
    };
    const char* end = s + std::strlen(s);
    const char* open = std::strpbrk(s, "[(");
    if (!open) {
        name.copy(trimmed(s, end).c_str());
        return 1;
    }
    name.copy(trimmed(s, open).c_str());
    const char* close = std::strchr(open + 1, *open == '[' ? ']' : ')');
    units.copy(trimmed(open + 1, close ? close : end).c_str());
    return 1;
}

int Unit::simplify(String& units) {
    if (!units.get()) return 0;
    std::string s(units.get());
    bool changed = removeWord(s, "kg/kg", "");
    changed = removeWord(s, "g/g", "") || changed;
    changed = removeWord(s, "/s/s", "/s^2") || changed;
    if (!changed) return 0;
    // Tidy the blanks that a removal leaves behind.
    std::string t;
    for (char c : s) {
        if (c == ' ' && (t.empty() || t.back() == ' ')) continue;
        t += c;
    }
    while (!t.empty() && t.back() == ' ') t.pop_back();
    units.copy(t.c_str());
    return 1;
}

int Unit::simplify(char* units) {
    if (!units) return 0;
    String s(units);
    const int n = simplify(s);
    if (n) StrLib::copy(units, StrLib::length(units) + 1, s.get());
    return n;
}

int Unit::scale(const char* in, float factor, const char* out, String& result) {
    String name;
    const float f0 = getFactor(in, name);
    if (factor == 0.0f || factor == Const::FMISS || f0 == 0.0f) {
        result.copy(in ? in : "");
        return 0;
    }
    const char* base = StrLib::valid(out) ? out : name.get();
    const double f = static_cast<double>(f0) / factor;
    const double e = std::log10(std::fabs(f));
    const double k = std::round(e);
    String out_text(UnitData::cvt_len + StrLib::length(base));
    if (std::fabs(f - 1.0) < 1.0e-6)
        out_text.copy(base);
    else if (f > 0 && std::fabs(e - k) < 1.0e-4)
        out_text.printf("10^%d %s", static_cast<int>(k), base);
    else
        out_text.printf("%g %s", f, base);
    result.copy(out_text);
    return 1;
}

void Unit::print() const {
    for (int i = 0; i < ncvs; ++i) {
        std::printf("[%d] ", i);
        cvs[i].print();
    }
}

} // namespace HYX
