// Variables and their prefixed text forms.
#include "HYX/Variable.h"

#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace HYX {

namespace {

// Compact number text: 273, 0.5, -2.25.
std::string num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

bool readFloat(const char*& p, float& v) {
    char* end = nullptr;
    const double d = std::strtod(p, &end);
    if (end == p || !std::isfinite(d) || std::fabs(d) > 3.0e38) return false;
    v = static_cast<float>(d);
    p = end;
    return true;
}

bool isInteger(const char* s, int& v) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(s, &end, 10);
    if (end == s || *end != 0 || errno == ERANGE || n < INT_MIN || n > INT_MAX) return false;
    if (!std::isdigit(static_cast<unsigned char>(s[0])) && s[0] != '-' && s[0] != '+') return false;
    v = static_cast<int>(n);
    return true;
}

} // namespace

void Variable::init() {
    type = PLAIN;
    ind = Const::MISS;
    val1 = val2 = Const::FMISS;
    abbr[0] = name[0] = units[0] = 0;
}

void Variable::set(const char* a) {
    init();
    setAbbr(a);
}

void Variable::set(const char* a, const char* u) {
    set(a);
    setUnits(u);
}

void Variable::setName(const char* s) { StrLib::copy(name, max_name, s); }

void Variable::setAbbr(const char* s) { StrLib::copy(abbr, max_abbr, s); }

void Variable::setUnits(const char* s) { StrLib::copy(units, max_units, s); }

int Variable::decode(const char* s) {
    if (!StrLib::valid(s)) return 0;
    int n = 0;
    if (isInteger(s, n)) {
        ind = n;
        return 1;
    }
    if (StrLib::iequal(s, "ensmean[]", 9)) {
        type = ENS_MEAN;
        setAbbr(s + 9);
        return 1;
    }
    if (StrLib::iequal(s, "ensdev[]", 8)) {
        type = ENS_DEV;
        setAbbr(s + 8);
        return 1;
    }
    const bool ensprob = StrLib::iequal(s, "ensprob[", 8);
    if (ensprob || StrLib::iequal(s, "prob[", 5)) {
        // A threshold "c x]" with c one of the operators, or a range "a-b]".
        const char* q = s + (ensprob ? 8 : 5);
        const char c = *q;
        const bool op = c == '<' || c == '>' || (!ensprob && c == '^');
        if (op) ++q;
        float a = 0, b = Const::FMISS;
        const bool range = !op && readFloat(q, a) && *q == '-' && (++q, readFloat(q, b));
        if ((op && readFloat(q, a) && *q == ']') || (range && *q == ']')) {
            if (c == '<') {
                type = ensprob ? ENS_PROB_BELOW : PROB_BELOW;
                val1 = a;
            } else if (c == '>') {
                type = ensprob ? ENS_PROB_ABOVE : PROB_ABOVE;
                val2 = a;
            } else {
                type = ensprob ? ENS_PROB_BETWEEN : PROB_BETWEEN;
                val1 = a;
                val2 = b;
            }
            setAbbr(q + 1);
            Hyx::outDebug(4, ensprob ? "ensprob: %c - %f - %s\n" : "prob: %c - %f - %s\n", c, a,
                          abbr);
            return 1;
        }
    } else if (StrLib::iequal(s, "ens[", 4)) {
        const char* p = s + 4;
        const char c = *p;
        const char* q = std::isdigit(static_cast<unsigned char>(c)) ? p : p + 1;
        char* end = nullptr;
        errno = 0;
        const long m = std::strtol(q, &end, 10);
        if (end != q && *end == ']' && errno != ERANGE && m >= 0 && m < 100000) {
            type = ENS_MEMBER;
            val1 = static_cast<float>(c == '-' ? -m : m);
            setAbbr(end + 1);
            Hyx::outDebug(4, "ens: %c - %d - %s\n", c, static_cast<int>(m), abbr);
            return 1;
        }
    }
    // Anything else is the abbreviation itself.
    setAbbr(s);
    return 1;
}

int Variable::toLabel(String& out) const {
    std::string s;
    char buf[48];
    switch (type) {
    case ENS_MEAN:
        s = "Ens mean ";
        break;
    case ENS_DEV:
        s = "Ens std dev ";
        break;
    case ENS_MEMBER:
        std::snprintf(buf, sizeof buf, val1 > 0 ? "Ens[+%d] " : "Ens[%d] ", static_cast<int>(val1));
        s = buf;
        break;
    default:
        if (type >= ENS_PROB_BELOW && type <= ENS_PROB_BETWEEN)
            s = "Ens prob [%] ";
        else if (type >= PROB_BELOW && type <= PROB_BETWEEN)
            s = "Prob [%] ";
        break;
    }
    s += StrLib::valid(name) ? name : abbr;
    switch (type) {
    case PROB_BELOW:
    case ENS_PROB_BELOW:
        s += " below " + num(val1);
        break;
    case PROB_BELOW2:
        s += " below " + num(val2);
        break;
    case PROB_ABOVE:
    case ENS_PROB_ABOVE:
        s += " above " + num(val2);
        break;
    case PROB_ABOVE1:
        s += " above " + num(val1);
        break;
    case PROB_BETWEEN:
    case ENS_PROB_BETWEEN:
        s += " between " + num(val1) + " and " + num(val2);
        break;
    default:
        break;
    }
    if (StrLib::valid(units)) s += std::string(" [") + units + "]";
    out.copy(s.c_str());
    return 1;
}

int Variable::toString(String& out) const {
    std::string s;
    switch (type) {
    case ENS_MEAN:
        s = "ens_mean_";
        break;
    case ENS_DEV:
        s = "ens_sdev_";
        break;
    case ENS_MEMBER:
        s = "ens[" + std::string(val1 > 0 ? "+" : "") + num(val1) + "]_";
        break;
    default:
        if (type >= ENS_PROB_BELOW && type <= ENS_PROB_BETWEEN)
            s = "ens_prob[%]_";
        else if (type >= PROB_BELOW && type <= PROB_BETWEEN)
            s = "prob[%]_";
        break;
    }
    s += abbr;
    switch (type) {
    case PROB_BELOW:
    case ENS_PROB_BELOW:
        s += "_below_" + num(val1);
        break;
    case PROB_BELOW2:
        s += "_below_" + num(val2);
        break;
    case PROB_ABOVE:
    case ENS_PROB_ABOVE:
        s += "_above_" + num(val2);
        break;
    case PROB_ABOVE1:
        s += "_above_" + num(val1);
        break;
    case PROB_BETWEEN:
    case ENS_PROB_BETWEEN:
        s += "_between_" + num(val1) + "_and_" + num(val2);
        break;
    default:
        break;
    }
    out.copy(s.c_str());
    return 1;
}

int Variable::code(const char* base, String& out) const {
    std::string s;
    switch (type) {
    case ENS_MEAN:
        s = "ensmean[]";
        break;
    case ENS_DEV:
        s = "ensdev[]";
        break;
    case ENS_MEMBER:
        s = std::string(val1 > 0 ? "ens[+" : "ens[") + num(val1) + "]";
        break;
    case ENS_PROB_BELOW:
        s = "ensprob[<" + num(val1) + "]";
        break;
    case ENS_PROB_ABOVE:
        s = "ensprob[>" + num(val2) + "]";
        break;
    case ENS_PROB_BETWEEN:
        s = "ensprob[" + num(val1) + "-" + num(val2) + "]";
        break;
    case PROB_BELOW:
        s = "prob[<" + num(val1) + "]";
        break;
    case PROB_BELOW2:
        s = "prob[<" + num(val2) + "]";
        break;
    case PROB_ABOVE:
        s = "prob[>" + num(val2) + "]";
        break;
    case PROB_ABOVE1:
        s = "prob[>" + num(val1) + "]";
        break;
    case PROB_BETWEEN:
        s = val2 == Const::FMISS ? "prob[^" + num(val1) + "]"
                                 : "prob[" + num(val1) + "-" + num(val2) + "]";
        break;
    default:
        break;
    }
    s += base;
    out.copy(s.c_str());
    return 1;
}

int Variable::toAbbrCode(String& out) const { return code(abbr, out); }

int Variable::toIndCode(String& out) const {
    char buf[16] = "";
    if (ind != Const::MISS) std::snprintf(buf, sizeof buf, "%d", ind);
    return code(buf, out);
}

void Variable::print() const {
    std::printf("%d - %d (%s) - %s", type, ind, abbr, name);
    if (StrLib::valid(units)) std::printf(" [%s]", units);
    std::printf("\n");
}

} // namespace HYX
