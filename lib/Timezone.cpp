// A display time zone parsed from texts such as CST:-6 or -EST:-5.
#include "HYX/Timezone.h"

#include "HYX/StrLib.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace HYX {

namespace {

struct KnownZone {
    const char* name;
    int hours;
};

// Zones a forecaster types without an offset.
constexpr KnownZone KNOWN[] = {{"Z", 0},    {"UTC", 0},   {"GMT", 0},   {"AST", -4},
                               {"ADT", -3}, {"EST", -5},  {"EDT", -4},  {"CST", -6},
                               {"CDT", -5}, {"MST", -7},  {"MDT", -6},  {"PST", -8},
                               {"PDT", -7}, {"AKST", -9}, {"AKDT", -8}, {"HST", -10}};

} // namespace

void Timezone::init() {
    name[0] = 0;
    pm = 0;
    offset = Const::MISS;
}

int Timezone::set(const char* text) {
    init();
    if (!StrLib::valid(text)) return 0;
    if (*text == '-') {
        pm = -1;
        ++text;
    } else if (*text == '+') {
        pm = 1;
        ++text;
    }
    const int colon = StrLib::index(text, ':');
    const int n = colon >= 0 ? colon : StrLib::length(text);
    StrLib::copy(name, 5, text, n);
    StrLib::trimWS(name);
    if (colon >= 0) {
        char* end = nullptr;
        const double hours = std::strtod(text + colon + 1, &end);
        if (end == text + colon + 1 || !std::isfinite(hours) || std::fabs(hours) > 24.0) {
            init();
            return 0;
        }
        offset = static_cast<int>(hours * 3600.0);
        return 1;
    }
    for (const KnownZone& z : KNOWN) {
        if (StrLib::iequal(name, z.name)) {
            offset = z.hours * 3600;
            return 1;
        }
    }
    init();
    return 0;
}

void Timezone::print() const { std::printf("%s %d %d\n", name, pm, offset); }

} // namespace HYX
