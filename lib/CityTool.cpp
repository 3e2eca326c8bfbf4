// Station look-ups and WMO number conversions.
#include "HYX/CityTool.h"

#include "HYX/CityData.h"
#include "HYX/CityFile.h"
#include "HYX/EarthPoint.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

namespace {

struct Block {
    int lo, hi;
    const char* prefix;
};

// Identifier prefixes of the WMO station blocks, searched in order; the first range
// that holds a number gives its prefix.
const Block BLOCKS[] = {
    {1000, 1499, "EN"},   {2000, 2699, "ES"},   {2800, 2999, "EF"},   {3000, 3949, "EG"},
    {3950, 3999, "EI"},   {4000, 4099, "BI"},   {4100, 4399, "BG"},   {6000, 6199, "EK"},
    {6200, 6399, "EH"},   {6400, 6499, "EB"},   {6500, 6599, "EL"},   {6600, 6799, "LS"},
    {7000, 7999, "LF"},   {8000, 8499, "LE"},   {8500, 8579, "LP"},   {10000, 10999, "ED"},
    {11000, 11399, "LO"}, {11400, 11999, "LK"}, {12100, 12699, "EP"}, {12700, 12999, "LH"},
    {13000, 13599, "LY"}, {13600, 13699, "LA"}, {14000, 14299, "LJ"}, {15000, 15499, "LR"},
    {15500, 15999, "LB"}, {16000, 16599, "LI"}, {16600, 16999, "LG"}, {17000, 17599, "LT"},
    {17600, 17699, "LC"}, {20000, 29999, "U"},  {30000, 39999, "X"},  {40000, 40099, "OS"},
    {40100, 40149, "OL"}, {40150, 40199, "LL"}, {40250, 40349, "OJ"}, {40350, 40499, "OE"},
    {40500, 40599, "OK"}, {40600, 40699, "OR"}, {40700, 40899, "OI"}, {40900, 40999, "OA"},
    {41000, 41149, "OE"}, {41150, 41159, "OB"}, {41160, 41179, "OE"}, {41180, 41239, "OT"},
    {41240, 41319, "OM"}, {41320, 41409, "OY"}, {41410, 41499, "OD"}, {41500, 41799, "OP"},
    {41800, 41999, "VG"}, {42000, 42999, "VI"}, {43000, 43999, "VO"}, {44000, 44399, "ZM"},
    {44400, 44499, "VN"}, {45000, 45099, "VH"}, {46000, 46999, "RC"}, {47000, 47079, "ZK"},
    {47080, 47199, "RK"}, {47400, 47999, "RJ"}, {48000, 48199, "VB"}, {48300, 48599, "VT"},
    {48600, 48689, "WM"}, {48690, 48699, "WS"}, {48800, 48929, "VV"}, {48930, 48959, "VL"},
    {48960, 48999, "VD"}, {50000, 59999, "Z"},  {60000, 60049, "GC"}, {60050, 60319, "GM"},
    {60320, 60339, "GE"}, {60350, 60699, "DA"}, {60700, 60799, "DT"}, {61000, 61099, "DR"},
    {61100, 61299, "GA"}, {61400, 61499, "GQ"}, {61600, 61699, "GO"}, {61700, 61749, "GB"},
    {61750, 61799, "GG"}, {61800, 61849, "GU"}, {61850, 61899, "GF"}, {62000, 62299, "HL"},
    {62300, 62499, "HE"}, {62600, 62999, "HS"}, {63000, 63099, "HA"}, {63100, 63149, "HF"},
    {63150, 63299, "HC"}, {63300, 63499, "HA"}, {63600, 63979, "HK"}, {63680, 63999, "FS"},
    {64000, 64360, "FZ"}, {64380, 64389, "HR"}, {64390, 64399, "HB"}, {64400, 64499, "FC"},
    {64500, 64599, "FO"}, {64600, 64699, "FE"}, {64700, 64799, "FT"}, {64800, 64849, "FG"},
    {64850, 64999, "FK"}, {65000, 65299, "DN"}, {65300, 65349, "DB"}, {65350, 65399, "DX"},
    {65400, 65499, "DG"}, {65500, 65524, "DF"}, {65600, 65699, "GL"}, {66000, 66999, "FN"},
    {67000, 67199, "FM"}, {67200, 67399, "FQ"}, {67400, 67753, "FL"}, {67755, 67789, "FV"},
    {67790, 67799, "FW"}, {67800, 67999, "FV"}, {68000, 68999, "FA"}, {69000, 69999, "KQ"},
    {70000, 70999, "PA"}, {71000, 71999, "CY"}, {72000, 72999, "K2"}, {74000, 74999, "K4"},
    {76000, 76999, "MM"}, {78000, 78199, "MY"}, {78200, 78379, "MU"}, {78380, 78384, "MW"},
    {78385, 78399, "MK"}, {78400, 78449, "MT"}, {78450, 78499, "MD"}, {78500, 78519, "MH"},
    {78520, 78534, "TJ"}, {78535, 78550, "TI"}, {78580, 78599, "MZ"}, {78600, 78649, "MG"},
    {78650, 78699, "MS"}, {78700, 78729, "MH"}, {78730, 78759, "MN"}, {78760, 78789, "MR"},
    {78790, 78819, "MP"}, {78840, 78864, "TK"}, {78865, 78889, "TN"}, {78890, 78899, "TF"},
    {78900, 78919, "TD"}, {78920, 78939, "TF"}, {78940, 78959, "TL"}, {78960, 78979, "TT"},
    {78980, 78999, "TN"}, {80000, 80399, "SK"}, {80400, 80999, "SV"}, {81000, 81199, "SY"},
    {81200, 81399, "SM"}, {81400, 81599, "SO"}, {82000, 82999, "SB"}, {83000, 83999, "SZ"},
    {84000, 84299, "SE"}, {84300, 84999, "SP"}, {85000, 85399, "SL"}, {85400, 85999, "SC"},
    {86000, 86299, "SG"}, {86300, 86599, "SU"}, {87000, 87999, "SA"}, {88000, 88999, "SF"},
    {91000, 91199, "PH"}, {91250, 91259, "PK"}, {91260, 91299, "PH"}, {91300, 91359, "PT"},
    {91360, 91379, "PK"}, {91380, 91399, "PL"}, {91400, 91449, "PT"}, {91450, 91499, "PL"},
    {91500, 91549, "AG"}, {91550, 91569, "NV"}, {91570, 91599, "NW"}, {91600, 91649, "NG"},
    {91650, 91699, "NF"}, {91700, 91749, "N1"}, {91750, 91759, "NL"}, {91760, 91769, "NS"},
    {91770, 91799, "NF"}, {91800, 91849, "NC"}, {91900, 91959, "NT"}, {92000, 92999, "AY"},
    {93000, 93999, "NZ"}, {94100, 95999, "Y"},  {96000, 96999, "WI"}, {97000, 97999, "WA"},
    {98000, 98999, "RP"},
};

const Block* findBlock(long wmo) {
    for (const Block& b : BLOCKS)
        if (wmo >= b.lo && wmo <= b.hi) return &b;
    return nullptr;
}

bool allDigits(const char* s, int n) {
    for (int i = 0; i < n; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

bool sameWmo(const char* key, long wmo) {
    if (wmo == Const::MISS) return false;
    char num[24];
    std::snprintf(num, sizeof num, "%5.5ld", wmo);
    return StrLib::iequal(key, num);
}

} // namespace

int CityTool::getFilename(const char* name, String& path) {
    path.clear();
    const char* file = StrLib::valid(name) ? name : Hyx::getResrc("city_file", "sao.cty");
    if (!StrLib::valid(file) || StrLib::iequal(file, "none")) return 0;
    FileTool::addPath(Hyx::getDatabasePath(), file, path);
    return 1;
}

int CityTool::search(const char* file, const char* key, CityData& c) {
    if (!StrLib::valid(key)) return 0;
    String path;
    if (!getFilename(file, path)) return 0;
    CityFile cf;
    if (!cf.open(path.get(), 0)) return 0;
    Hyx::outMessage(8, "Searching the city database file for: %s ...\n", key);
    CityData d;
    while (cf.read(d)) {
        if (StrLib::iequal(d.id, key) || StrLib::iequal(d.name, key) || sameWmo(key, d.wmo)) {
            c = d;
            return 1;
        }
    }
    return 0;
}

int CityTool::locate(const char* file, const char* key, EarthPoint& e) {
    e.init();
    CityData c;
    if (!search(file, key, c)) return 0;
    e.set(c.lat, c.lon);
    return 1;
}

int CityTool::compareData(const Strings& keys, const CityData& c) {
    for (int i = 0; i < keys.getNum(); ++i) {
        const char* key = keys.getString(i);
        if (!StrLib::valid(key)) continue;
        const int n = StrLib::length(key);
        if (n == 5 && sameWmo(key, c.wmo)) return i;
        if (StrLib::iequal(key, c.id)) return i;
        if (n >= 5 && StrLib::iequal(c.name, key, n)) return i;
    }
    return -1;
}

int CityTool::toId(long wmo, char* id) {
    if (!id) return 0;
    id[0] = 0;
    if (wmo < 0 || wmo > 99999) return 0;
    const Block* b = wmo <= 98999 ? findBlock(wmo) : nullptr;
    if (!b) {
        std::snprintf(id, id_size, "%5.5d", static_cast<int>(wmo));
        return 0;
    }
    if (std::strlen(b->prefix) == 2)
        std::snprintf(id, id_size, "%s%3.3d", b->prefix, static_cast<int>(wmo % 1000));
    else
        std::snprintf(id, id_size, "%s%4.4d", b->prefix, static_cast<int>(wmo % 10000));
    return 1;
}

int CityTool::toWmo(const char* id, int& wmo) {
    wmo = 99999;
    if (!id || std::strlen(id) != 5) return 0;
    if (allDigits(id, 5)) {
        wmo = std::atoi(id);
        return 1;
    }
    if (!std::isalpha(static_cast<unsigned char>(id[0])) || !allDigits(id + 2, 3)) return 0;
    // A one-letter prefix carries four digits, a two-letter one three. Of the blocks of a
    // prefix, the number that converts back to the same identifier is taken.
    int first = -1;
    for (const Block& b : BLOCKS) {
        const int plen = static_cast<int>(std::strlen(b.prefix));
        if (!StrLib::iequal(id, b.prefix, plen) || (plen == 1 && !allDigits(id + 1, 4))) continue;
        const int digits = std::atoi(id + plen);
        const int base = plen == 1 ? b.lo / 10000 * 10000 : b.lo / 1000 * 1000;
        for (int cand = base + digits; cand <= b.hi; cand += plen == 1 ? 10000 : 1000) {
            if (first < 0) first = cand;
            char back[id_size];
            if (cand >= b.lo && toId(cand, back) && StrLib::iequal(back, id)) {
                wmo = cand;
                return 1;
            }
        }
    }
    if (first < 0) return 0;
    wmo = first;
    return 1;
}

} // namespace HYX
