// Decoding of domain texts.
#include "HYX/DomainTool.h"

#include "HYX/CityTool.h"
#include "HYX/Domain.h"
#include "HYX/EarthPoint.h"
#include "HYX/Hyx.h"
#include "HYX/Region.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;
constexpr int max_depth = 8; // regions that name regions

// The forms tried in order, with what each leaves to defaults.
enum Default {
    NONE,
    NXY,
    DY_DX,
    PROJ1,
    PROJ1_DY,
    NXY_DY,
    PROJ1_SPACING,
    PROJ1_NXY_DY,
    PROJ3,
    PROJ1_ALL
};

struct Form {
    const char* keys;
    Default def;
};

const Form FORMS[] = {
    {"proj,clat,clon,nx,ny,dx,dy", NONE},
    {"proj,id,nx,ny,dx,dy", NONE},
    {"proj,clat,clon,dx,dy", NXY},
    {"proj,clat,clon,nx,ny,dx", DY_DX},
    {"clat,clon,nx,ny,dx,dy", PROJ1},
    {"clat,clon,nx,ny,dx", PROJ1_DY},
    {"proj,id,dx,dy", NXY},
    {"proj,clat,clon,dx", NXY_DY},
    {"clat,clon,nx,ny", PROJ1_SPACING},
    {"clat,clon,dx", PROJ1_NXY_DY},
    {"proj,clat,clon", PROJ3},
    {"clat,clon", PROJ1_ALL},
    {"id,dx", PROJ1_NXY_DY},
    {"id", PROJ1_ALL},
};

bool toFloat(const char* s, float& v) {
    if (!StrLib::valid(s)) return false;
    char* end = nullptr;
    const double d = std::strtod(s, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == s || *end != 0 || !std::isfinite(d) || std::fabs(d) > 1.0e30) return false;
    v = static_cast<float>(d);
    return v != MISS;
}

bool toInt(const char* s, int& v) {
    if (!StrLib::valid(s)) return false;
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(s, &end, 10);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == s || *end != 0 || errno == ERANGE || n < INT_MIN || n > INT_MAX) return false;
    v = static_cast<int>(n);
    return v != Const::MISS;
}

// name[:e][:plat[:plon[:p1...]]]
bool decodeProj(const char* item, DomainVal& v) {
    Strings parts(item, ':');
    const int code = Domain::getProj(parts.getString(0));
    if (code == -1) return false;
    v.proj = code;
    int k = 1;
    if (parts.getNum() > 1 && StrLib::iequal(parts.getString(1), "e")) {
        v.ellipse = true;
        k = 2;
    }
    float* vals[] = {&v.plat,     &v.plon,     &v.param[0], &v.param[1],
                     &v.param[2], &v.param[3], &v.param[4]};
    for (float* f : vals) {
        if (k >= parts.getNum()) break;
        const char* s = parts.getString(k++);
        if (!StrLib::valid(s)) continue;
        if (!toFloat(s, *f)) return false;
    }
    return true;
}

bool startsWithFourCapitals(const char* s) {
    for (int i = 0; i < 4; ++i)
        if (!s[i] || !std::isupper(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

// "id:station", "id:file:station", or an item starting with four capital letters.
bool decodeStation(const char* item, DomainVal& v) {
    if (!StrLib::valid(item)) return false;
    std::string file = "sao.cty", stn;
    if (StrLib::equal(item, "id:", 3)) {
        const std::string rest(item + 3);
        const size_t colon = rest.find(':');
        if (colon == std::string::npos) {
            stn = rest;
        } else {
            file = rest.substr(0, colon);
            stn = rest.substr(colon + 1);
        }
    } else if (startsWithFourCapitals(item)) {
        stn = item;
    } else {
        return false;
    }
    EarthPoint e;
    if (stn.empty() || !CityTool::locate(file.c_str(), stn.c_str(), e)) return false;
    v.clat = e.lat;
    v.clon = e.lon;
    return true;
}

bool setKey(DomainVal& v, const char* key, const char* item) {
    if (StrLib::equal(key, "proj")) return decodeProj(item, v);
    if (StrLib::equal(key, "plon")) return toFloat(item, v.plon);
    if (StrLib::equal(key, "clat")) return toFloat(item, v.clat);
    if (StrLib::equal(key, "clon")) return toFloat(item, v.clon);
    if (StrLib::equal(key, "dx")) return toFloat(item, v.dx);
    if (StrLib::equal(key, "dy")) return toFloat(item, v.dy);
    if (StrLib::equal(key, "nx")) return toInt(item, v.nx);
    if (StrLib::equal(key, "ny")) return toInt(item, v.ny);
    if (StrLib::equal(key, "id")) return decodeStation(item, v);
    return false;
}

void applyDefaults(DomainVal& v, Default def) {
    const float sp = DomainTool::def_spacing;
    switch (def) {
    case NONE:
        break;
    case NXY:
        v.nx = DomainTool::def_nx;
        v.ny = DomainTool::def_ny;
        break;
    case DY_DX:
        v.dy = v.dx;
        break;
    case PROJ1:
        v.proj = Domain::PSTEREO;
        break;
    case PROJ1_DY:
        v.proj = Domain::PSTEREO;
        v.dy = v.dx;
        break;
    case NXY_DY:
        v.nx = DomainTool::def_nx;
        v.ny = DomainTool::def_ny;
        v.dy = v.dx;
        break;
    case PROJ1_SPACING:
        v.proj = Domain::PSTEREO;
        v.dx = v.dy = sp;
        break;
    case PROJ1_NXY_DY:
        v.proj = Domain::PSTEREO;
        v.nx = DomainTool::def_nx;
        v.ny = DomainTool::def_ny;
        v.dy = v.dx;
        break;
    case PROJ3:
        if (v.proj == Domain::SIZE) {
            // The two numbers are the size; the domain has no centre.
            v.nx = static_cast<int>(std::lround(v.clat));
            v.ny = static_cast<int>(std::lround(v.clon));
            v.clat = v.clon = MISS;
            break;
        }
        v.dx = v.dy = v.proj == Domain::ZOOM ? 1.0f : sp;
        v.nx = DomainTool::def_nx;
        v.ny = DomainTool::def_ny;
        break;
    case PROJ1_ALL:
        v.proj = Domain::PSTEREO;
        v.nx = DomainTool::def_nx;
        v.ny = DomainTool::def_ny;
        v.dx = v.dy = sp;
        break;
    }
}

} // namespace

int DomainTool::setParams(DomainVal& v, const Strings& items, const char* keys) {
    if (!keys) return 0;
    Strings k(keys, ',');
    if (items.getNum() != k.getNum() || items.getNum() == 0) return 0;
    const char* first = items.getString(0);
    if (StrLib::iequal(first, "miss") || StrLib::iequal(first, "none")) return 1;
    DomainVal t = v;
    for (int i = 0; i < k.getNum(); ++i)
        if (!setKey(t, k.getString(i), items.getString(i))) return 0;
    v = t;
    return 1;
}

int DomainTool::decode(DomainVal& v, const char* text) { return decode(v, text, 0); }

int DomainTool::decode(DomainVal& v, const char* text, int depth) {
    if (!StrLib::valid(text)) return 0;
    if (StrLib::iequal(text, "miss")) return 1;
    const Strings items(text, ',');
    for (const Form& f : FORMS) {
        DomainVal t = v;
        if (setParams(t, items, f.keys)) {
            const char* first = items.getString(0);
            if (!StrLib::iequal(first, "miss") && !StrLib::iequal(first, "none"))
                applyDefaults(t, f.def);
            v = t;
            return 1;
        }
    }
    // A region: "fi:file" (its first entry), "name" in hyx.reg, or "file:name".
    const std::string first = items.getString(0) ? items.getString(0) : "";
    String region;
    int found = 0;
    if (first.compare(0, 3, "fi:") == 0) {
        found = Region::get(first.c_str() + 3, nullptr, region);
    } else {
        const size_t colons = static_cast<size_t>(StrLib::occurs(first.c_str(), ':'));
        if (colons == 0 && !first.empty()) {
            found = Region::get(Region::default_file, first.c_str(), region);
        } else if (colons == 1) {
            const size_t c = first.find(':');
            found = Region::get(first.substr(0, c).c_str(), first.substr(c + 1).c_str(), region);
        } else if (colons > 1) {
            region.copy(def_text);
            found = 1;
        }
    }
    if (found && depth < max_depth && decode(v, region.get(), depth + 1)) return 1;
    if (depth == 0) Hyx::outWarning("DomainTool::decode: Invalid plot domain: %s\n", text);
    return 0;
}

int DomainTool::set(Domain& d) { return set(d, Hyx::getResrc("plot_domain")); }

int DomainTool::set(Domain& d, const char* text) {
    DomainVal v;
    if (!decode(v, text)) return 0;
    d.set(v);
    return 1;
}

int DomainTool::proj(const char* name) { return Domain::getProj(name); }

} // namespace HYX
