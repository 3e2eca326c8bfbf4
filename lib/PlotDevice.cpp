// Which output device a plot opens.
#include "HYX/PlotDevice.h"

#include "HYX/Const.h"
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Prog.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include <cctype>
#include <cstdio>
#include <string>

namespace HYX {

int PlotDevice::kindOf(const char* text) {
    switch (std::tolower(static_cast<unsigned char>(text ? text[0] : 0))) {
    case 'p':
        return Graph::POSTSCRIPT;
    case 'h':
        return Graph::HPGL;
    case 'm':
        return Graph::META;
    default:
        return Graph::XWINDOW;
    }
}

int PlotDevice::kindOfName(const char* word) {
    if (!word || !word[0]) return Graph::XWINDOW;
    for (int k = Graph::PNG; k <= Graph::EPS; ++k)
        if (StrLib::iequal(word, getName(k))) return k;
    static const char* const OLDER[] = {"display", "window", "xwindow", "x11",     "postscript",
                                        "ps",      "hpgl",   "meta",    "metafile"};
    const int n = StrLib::length(word);
    for (const char* name : OLDER)
        if (n <= StrLib::length(name) && StrLib::iequal(word, name, n)) return kindOf(name);
    return Graph::NO_DEVICE;
}

const char* PlotDevice::getName(int kind) {
    static const char* const NAMES[] = {"display", "display", "postscript", "hpgl", "meta",
                                        "png",     "gif",     "pdf",        "svg",  "eps"};
    return kind >= 0 && kind <= Graph::EPS ? NAMES[kind] : "display";
}

int PlotDevice::select(const char* param, String& name, String& dev_param) {
    std::string dev;
    const char* res = Hyx::getResrc("device");
    if (res) dev = res;
    Strings items(param, ',');
    for (int i = 0; i < items.getNum(); ++i)
        if (items.valid(i) && StrLib::equal(items.getString(i), "de=", 3))
            dev = items.getString(i) + 3;
    int kind;
    if (!dev.empty()) {
        const size_t comma = dev.find(',');
        const std::string word = dev.substr(0, comma);
        kind = kindOfName(word.c_str());
        if (kind == Graph::NO_DEVICE) {
            Hyx::outError("PlotDevice: unknown device \"%s\"; the devices are display, postscript, "
                          "hpgl, meta, png, gif, pdf, svg and eps\n",
                          word.c_str());
            name.copy("");
            dev_param.copy("");
            return kind;
        }
        // The picture devices take only their own items, never the plot's parameters.
        const char* rest = kind >= Graph::PNG ? "" : (param ? param : "");
        dev_param.copy(comma != std::string::npos ? dev.c_str() + comma + 1 : rest);
    } else if (Hyx::getResrc("inter")) {
        char answer[80] = {};
        Prog::prompt("Display (D) or Postscript (P): ", answer, sizeof answer);
        kind = kindOf(answer);
        dev_param.copy("");
    } else {
        kind = Graph::XWINDOW;
        dev_param.copy(param ? param : "");
    }
    name.copy(getName(kind));
    return kind;
}

int PlotDevice::decodeGeometry(const char* str, float& w, float& h, float& x, float& y) {
    w = h = x = y = Const::FMISS;
    if (!str) return 0;
    float a, b, c, d;
    char s1[2], s2[2];
    if (std::sscanf(str, "%fx%f%1[-+]%f%1[-+]%f", &a, &b, s1, &c, s2, &d) == 6) {
        w = a;
        h = b;
        x = s1[0] == '-' ? -c : c;
        y = s2[0] == '-' ? -d : d;
        return 2;
    }
    if (std::sscanf(str, "%fx%f", &a, &b) == 2) {
        w = a;
        h = b;
        return 1;
    }
    if (std::sscanf(str, "%1[-+]%f%1[-+]%f", s1, &c, s2, &d) == 4) {
        x = s1[0] == '-' ? -c : c;
        y = s2[0] == '-' ? -d : d;
        return 3;
    }
    return 0;
}

} // namespace HYX
