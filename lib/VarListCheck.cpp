// What keeps a variable list from being drawn in a cross section.
#include "HYX/VarListCheck.h"

#include "HYX/ColumnCalc.h"
#include "HYX/ContPlot.h"
#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/LineTool.h"
#include "HYX/SpellTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"
#include "HYX/Unit.h"
#include "HYX/UpaCalc.h"
#include "HYX/VarFile.h"
#include "HYX/VarFileData.h"
#include "HYX/VarList.h"

#include <cstdio>
#include <cstdlib>

namespace HYX {

namespace {

// Names the drawing takes besides the computed variables.
const char* const SPECIAL[] = {"wbarb", "none"};
// Options that stand alone (plot kinds, the colour bar or none, H and L marks) ...
const char* const WORDS[] = {"ln",   "cf",    "lcf",  "dln",  "ndln", "value", "gvalue", "data",
                             "plot", "cplot", "vect", "strm", "bar",  "nobar", "hl"};
// ... and the beginnings of those that carry a value, as the contour drawer reads them.
struct Key {
    const char* start;
    bool number;
};
const Key KEYS[] = {{"int", true},   {"ci", true},    {"base", true},  {"cb", true},
                    {"wi", true},    {"sc", true},    {"ty", false},   {"pl", false},
                    {"fill", false}, {"ct", false},   {"coco", false}, {"coln", false},
                    {"cof", false},  {"cola", false}, {"co=", false},  {"fm", false},
                    {"lab", false}};
const char* const PLOT_TYPES[] = {"ln", "dln", "ndln", "cf", "lcf", "value", "gvalue", "none"};

bool startsWith(const std::string& s, const char* w) {
    return StrLib::equal(s.c_str(), w, StrLib::length(w));
}

bool isNumber(const char* text) {
    char* end = nullptr;
    std::strtod(text, &end);
    return end != text && *end == 0;
}

std::string quote(const std::string& s) { return "\"" + s + "\""; }

std::string didYouMean(const std::string& word, const std::vector<std::string>& known) {
    const std::string near = SpellTool::nearest(word, known);
    return near.empty() ? "" : "; did you mean " + quote(near) + "?";
}

// The units the unit table converts in into.
std::vector<std::string> unitsFrom(const char* in) {
    std::vector<std::string> out{in};
    String path(256);
    FileTool::addPath(Hyx::getDatabasePath(), "units.lup", path);
    File f(path.get(), "r");
    char line[256];
    while (f.isOpen() && LineTool::getLine(f, line, sizeof line) >= 0) {
        char a[64], b[64];
        if (std::sscanf(line, "%63s %63s", a, b) == 2 && a[0] != '#' && Unit::same(a, in))
            out.emplace_back(b);
    }
    return out;
}

} // namespace

VarListCheck::VarListCheck(const char* file) : var_file(file ? file : "") {
    for (int i = 0; UpaCalc::getName(i); ++i) variables.emplace_back(UpaCalc::getName(i));
    for (int i = 0; ColumnCalc::getName(i); ++i) variables.emplace_back(ColumnCalc::getName(i));
    for (const char* s : SPECIAL) variables.emplace_back(s);
    String path(256);
    FileTool::addPath(Hyx::getDatabasePath(), var_file.c_str(), path);
    VarFile vf(path.get());
    VarFileData d;
    while (vf.isOpen() && vf.read(d) > 0) variables.emplace_back(d.getName());
}

const char* VarListCheck::valueUnits(const char* name) {
    // Mixing ratio and specific humidity come in grams per kilogram, although their unit is
    // named as a pure ratio.
    if (StrLib::iequal(name, "mrat") || StrLib::iequal(name, "shum")) return "g/kg";
    return ColumnCalc::getUnits(name);
}

std::string VarListCheck::checkPlotType(const char* type, const char* where) {
    if (!StrLib::valid(type)) return "";
    for (const char* t : PLOT_TYPES)
        if (StrLib::equal(type, t)) return "";
    return "unknown plot type " + quote(type) + (where ? where : "") +
           didYouMean(type, std::vector<std::string>(std::begin(PLOT_TYPES), std::end(PLOT_TYPES)));
}

std::vector<std::string> VarListCheck::check(const char* text) const {
    std::vector<std::string> problems;
    if (!StrLib::valid(text)) return problems;
    const std::string in = " in the variable list " + quote(text);
    VarList vars;
    vars.setFile(var_file.c_str());
    if (!VarList::process(text, vars)) {
        problems.push_back("the variable list " + quote(text) + " cannot be read");
        return problems;
    }
    for (int i = 0; i < vars.getNum(); ++i) {
        if (!vars.isParam(i)) continue;
        const char* name = vars.getName(i);
        if (StrLib::iequal(name, "none")) continue;
        if (!StrLib::iequal(name, "wbarb") && !ColumnCalc::getUnits(name)[0]) {
            problems.push_back("unknown variable " + quote(name) + in +
                               didYouMean(name, variables));
            continue;
        }
        std::string p = problemOfUnits(name, vars.getUnits(i), text);
        if (!p.empty()) problems.push_back(p);
        const Strings options(vars.getFormat(i), ',');
        for (int k = 0; k < options.getNum(); ++k) {
            if (!options.valid(k)) continue;
            p = problemOfOption(name, options.getString(k), text);
            if (!p.empty()) problems.push_back(p);
        }
    }
    return problems;
}

std::vector<std::string> VarListCheck::needingLine(const char* text) const {
    std::vector<std::string> names;
    VarList vars;
    vars.setFile(var_file.c_str());
    if (!StrLib::valid(text) || !VarList::process(text, vars)) return names;
    for (int i = 0; i < vars.getNum(); ++i)
        if (vars.isParam(i) && ColumnCalc::needsLine(vars.getName(i)))
            names.emplace_back(vars.getName(i));
    return names;
}

std::string VarListCheck::problemOfUnits(const char* name, const char* units,
                                         const char* list) const {
    const char* base = valueUnits(name);
    Unit unit;
    if (!StrLib::valid(units) || !base[0] || StrLib::iequal(units, base) || unit.valid(base, units))
        return "";
    std::string p = "no conversion of " + std::string(name) + " (" + base + ") into " +
                    quote(units) + " in the variable list " + quote(list);
    for (const char* w : WORDS)
        if (StrLib::equal(units, w))
            return p + "; options follow the unit, as in " + name + "[" + base + "," + units + "]";
    return p + didYouMean(units, unitsFrom(base));
}

std::string VarListCheck::problemOfOption(const char* name, const std::string& option,
                                          const char* list) const {
    const std::string in = " of " + std::string(name) + " in the variable list " + quote(list);
    for (const char* w : WORDS)
        if (option == w) return "";
    if (StrLib::iequal(option.c_str(), "bar", 3)) return "";
    const size_t eq = option.find('=');
    const std::string value = eq == std::string::npos ? "" : option.substr(eq + 1);
    for (const Key& k : KEYS) {
        if (!startsWith(option, k.start)) continue;
        if (k.number && !isNumber(value.c_str()))
            return "option " + quote(option) + in + ": " +
                   (eq == std::string::npos ? "it needs a value, as in " + option + "=5"
                                            : quote(value) + " is not a number");
        if ((startsWith(option, "ty") || startsWith(option, "pl")) && !value.empty() &&
            !checkPlotType(value.c_str(), in.c_str()).empty())
            return checkPlotType(value.c_str(), in.c_str());
        return "";
    }
    std::vector<std::string> known(std::begin(WORDS), std::end(WORDS));
    for (const Key& k : KEYS)
        known.push_back(std::string(k.start) + (StrLib::index(k.start, '=') < 0 ? "=" : ""));
    return "unknown option " + quote(option) + in + didYouMean(option, known);
}

} // namespace HYX
