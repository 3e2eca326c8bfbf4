// Variables to plot (VarSpec): their text syntax, plot kinds and updates.
#include "HYX/VarSpec.h"

#include "HYX/Hyx.h"
#include "HYX/LineScan.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace HYX {

namespace {

// Prefixes of variable texts whose brackets belong to the variable, not the options.
bool isVarPrefix(const std::string& field) {
    static const char* const prefixes[] = {"prob", "ensprob", "ens", "ensmean", "ensdev"};
    const std::string f(LineScan::trim(field));
    const std::string g = !f.empty() && f[0] == '+' ? f.substr(1) : f;
    for (const char* p : prefixes)
        if (StrLib::iequal(g.c_str(), p)) return true;
    return false;
}

// Position of the '[' that opens the options, or npos.
size_t optionBracket(const std::string& s) {
    size_t field = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == ':') {
            field = i + 1;
        } else if (s[i] == '[') {
            if (!isVarPrefix(s.substr(field, i - field))) return i;
            const size_t close = s.find(']', i);
            if (close == std::string::npos) return i;
            i = close;
        }
    }
    return std::string::npos;
}

} // namespace

void VarSpec::init() {
    type = Const::MISS;
    source = Const::MISS;
    abs = false;
    plot = PLOT;
    fore.init();
    level.init();
    var.init();
    format[0] = 0;
}

int VarSpec::decode(const char* s) { return decode(s, vname); }

int VarSpec::decode(const char* s, VarName& names) {
    init();
    type = PARAM;
    if (!s) return 0;
    Hyx::outDebug(4, "VS-decode: %s\n", s);
    const std::string text(s);
    std::string main = text, opts;
    const size_t open = optionBracket(text);
    if (open != std::string::npos) {
        main = text.substr(0, open);
        std::string_view inside;
        if (!LineScan(std::string_view(text).substr(open)).group('[', ']', inside))
            Hyx::outWarning("VarSpec: missing ]\n");
        opts = std::string(inside);
    }
    main = std::string(LineScan::trim(main));
    opts = std::string(LineScan::trim(opts));

    // Fields at ':' outside the brackets of a prefixed variable.
    std::vector<std::string> parts;
    {
        size_t start = 0;
        int depth = 0;
        for (size_t i = 0; i < main.size(); ++i) {
            if (main[i] == '[')
                ++depth;
            else if (main[i] == ']' && depth > 0)
                --depth;
            else if (main[i] == ':' && depth == 0) {
                parts.push_back(main.substr(start, i - start));
                start = i + 1;
            }
        }
        parts.push_back(main.substr(start));
    }
    std::string fore_text, level_text, var_text, units_text;
    switch (parts.size()) {
    case 1:
        var_text = parts[0];
        break;
    case 2:
        level_text = parts[0];
        var_text = parts[1];
        break;
    case 3:
    case 4:
        fore_text = parts[0];
        level_text = parts[1];
        var_text = parts[2];
        if (parts.size() == 4) units_text = parts[3];
        break;
    default:
        Hyx::outWarning("VarSpec: invalid, wrong number of colons\n");
        return 0;
    }
    fore_text = std::string(LineScan::trim(fore_text));
    level_text = std::string(LineScan::trim(level_text));
    var_text = std::string(LineScan::trim(var_text));
    if (!fore_text.empty()) fore.decode(fore_text.c_str());
    if (!level_text.empty()) level.set(level_text.c_str());
    if (!var_text.empty() && var_text[0] == '+') {
        abs = true;
        var_text = std::string(LineScan::trim(var_text.substr(1)));
    }
    // A prefixed form (probabilities, ensembles) keeps its kind; the name behind the
    // prefix is resolved through the table.
    Variable v;
    v.decode(var_text.c_str());
    if (v.getAbbr()[0] != 0) {
        names.get(v.getAbbr(), var);
        var.setType(v.getType());
        var.setVal1(v.getVal1());
        var.setVal2(v.getVal2());
        if (v.getInd() != Const::MISS) var.setInd(v.getInd());
    } else if (v.getInd() != Const::MISS) {
        // An index: the table names it when it can.
        if (!names.get(v.getInd(), var)) var.setInd(v.getInd());
    }
    units_text = std::string(LineScan::trim(units_text));
    if (!units_text.empty()) var.setUnits(units_text.c_str());

    if (StrLib::iequal(var.getAbbr(), "map") || StrLib::iequal(var.getAbbr(), "panel")) {
        type = PANEL_ITEM;
        setFormat(opts.c_str());
    } else if (!opts.empty()) {
        const size_t comma = opts.find(',');
        const std::string units(LineScan::trim(opts.substr(0, comma)));
        if (!units.empty()) var.setUnits(units.c_str());
        if (comma != std::string::npos)
            setFormat(std::string(LineScan::trim(opts.substr(comma + 1))).c_str());
    }
    return 1;
}

void VarSpec::setVar(int ind, const char* units) {
    vname.get(ind, var);
    if (var.getInd() == Const::MISS) var.setInd(ind);
    var.setUnits(units);
}

void VarSpec::setVar(const char* name, const char* units) {
    setVar(name);
    var.setUnits(units);
}

void VarSpec::setVar(const char* name) {
    if (!name) {
        var.init();
        return;
    }
    if (std::isdigit(static_cast<unsigned char>(name[0]))) {
        setVar(std::atoi(name), "");
        return;
    }
    vname.get(name, var);
}

void VarSpec::setFormat(const char* f) {
    StrLib::copy(format, format_len, f ? f : "");
    if (StrLib::iequal(var.getAbbr(), "map")) plot = MAP;
    if (StrLib::iequal(var.getAbbr(), "panel")) plot = PANEL;
    const char* p = format;
    while (*p) {
        const char* end = std::strchr(p, ',');
        const std::string opt(p, end ? static_cast<size_t>(end - p) : std::strlen(p));
        static const char* const contour[] = {"cf", "ln", "lcf", "dln", "ndln", "gvalue"};
        for (const char* c : contour)
            if (opt == c) plot = CONTOUR;
        if (opt == "vect" || opt == "strm") plot = VECTOR;
        if (opt == "plot" || opt == "cplot") plot = PLOT;
        if (opt == "data" || opt == "value") plot = DATA;
        if (!end) break;
        p = end + 1;
    }
}

bool VarSpec::hasOption(const char* opt) const { return opt && StrLib::hasToken(format, ',', opt); }

void VarSpec::update(const ForeTime& f) {
    if (!f.isSet()) return;
    // A relative time (no time of its own) is counted back from the time held.
    if (f.getTime1() == Const::FMISS && fore.isSet()) {
        const float end = fore.getFore() - f.getOffset();
        if (f.getTime2() != Const::FMISS)
            fore.set(f.getType(), fore.getUnit(), end - f.getTime2(), end);
        else
            fore.setTime1(end);
        return;
    }
    fore = f;
}

void VarSpec::update(const Level& l) {
    if (l.valid()) level = l;
}

void VarSpec::update(const ForeTime& f, const Level& l) {
    update(f);
    update(l);
}

void VarSpec::update(const VarSpec& other, int mask) {
    if (other.type != Const::MISS) type = other.type;
    source = other.source;
    abs = other.abs;
    if (other.plot != PLOT) plot = other.plot;
    if (mask & FORETIME) update(other.fore);
    if (mask & LEVEL) update(other.level);
    if (mask & VAR) var = other.var;
    if (mask & FORMAT) StrLib::copy(format, format_len, other.format);
}

int VarSpec::toString(String& out) const {
    String f, l, v;
    fore.toString(f);
    level.toString(l);
    var.toAbbrCode(v);
    String s(f.length() + l.length() + v.length() + 3);
    s.printf("%s:%s:%s", f.get() ? f.get() : "", l.get() ? l.get() : "", v.get() ? v.get() : "");
    out.copy(s);
    return 1;
}

int VarSpec::toInfoLabel(String& out) const {
    String l, v, p;
    level.toLabel(l);
    var.toLabel(v);
    fore.toVarLabel(p);
    std::string s;
    for (const String* part : {&l, &v, &p}) {
        if (!part->valid()) continue;
        if (!s.empty()) s += ' ';
        s += part->get();
    }
    out.copy(std::string(LineScan::trim(s)).c_str());
    return 1;
}

int VarSpec::toDateLabel(String& out) const { return fore.toTimeLabel(out); }

void VarSpec::print() const {
    String f, l, v;
    fore.toString(f);
    level.toString(l);
    var.toAbbrCode(v);
    if (var.getUnits()[0]) {
        v.append("[");
        v.append(var.getUnits());
        v.append("]");
    }
    std::printf("VarSpec: ");
    std::printf("  F: %s", f.get() ? f.get() : "");
    std::printf("  L: %s", l.get() ? l.get() : "");
    std::printf("  V: %s", v.get() ? v.get() : "");
    std::printf("  Format: %s\n", format);
}

void VarSpec::printDetails() const {
    std::printf("VarSpec: type %d source %d abs %d plot %d format %s\n", type, source, abs ? 1 : 0,
                plot, format);
    std::printf("  Fore: ");
    fore.print();
    std::printf("  Level: ");
    level.print();
    std::printf("  Var: ");
    var.print();
}

} // namespace HYX
