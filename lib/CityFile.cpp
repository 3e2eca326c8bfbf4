// Reading and writing city files.
#include "HYX/CityFile.h"

#include "HYX/CityData.h"
#include "HYX/FileTool.h"
#include "HYX/LineTool.h"
#include "HYX/StrLib.h"

#include <cmath>
#include <cstdio>

namespace HYX {

namespace {

float orMiss(float v) { return std::isfinite(v) ? v : Const::FMISS; }

} // namespace

int CityFile::open(const char* name, int mode) {
    close();
    if (!StrLib::valid(name) || (mode != 0 && mode != 1)) return 0;
    if (!file.open(name, mode == 0 ? "r" : "w")) return 0;
    opened = true;
    const long size = mode == 0 ? FileTool::getSize(name) : 0;
    num = size > 0 ? static_cast<int>(size / rec_len) : 0;
    return 1;
}

int CityFile::read(CityData& c) {
    if (!opened) return 0;
    char line[line_len + 1];
    if (LineTool::getLine(file, line, sizeof line) < 0) return 0;
    char name[16] = {0};
    char state[3] = {0}, region[3] = {0}, id[10] = {0};
    char mos = 0, ua = 0;
    int prior = 9, trail = 0;
    float lat = Const::FMISS, lon = Const::FMISS, el = Const::FMISS;
    long wmo = Const::MISS;
    const int n = std::sscanf(line, "%15c %2s %2s %9s%*c%c%d%c %f %f %f %ld %d", name, state,
                              region, id, &mos, &prior, &ua, &lat, &lon, &el, &wmo, &trail);
    // The trailing number may be absent; anything shorter ends the reading.
    if (n <= 10) return 0;
    c.init();
    c.setName(name);
    c.setState(state);
    c.setRegion(region);
    c.setId(id);
    c.mos = mos;
    c.prior = prior;
    c.ua = ua;
    c.lat = orMiss(lat);
    c.lon = orMiss(lon);
    c.el = orMiss(el);
    if (c.el > 9000.0f) c.el = Const::FMISS;
    c.wmo = wmo;
    c.num = n == 12 ? trail : 0;
    return 1;
}

int CityFile::write(const CityData& c) {
    if (!opened || file.getAccess() == FileAttr::READ) return 0;
    // Empty codes are written as "--" and blank flags as blanks so that the line reads
    // back field for field; identifiers of up to four characters keep the columns.
    const char* st = StrLib::valid(c.state) ? c.state : "--";
    const char* rg = StrLib::valid(c.region) ? c.region : "--";
    const char mos = c.mos > ' ' ? c.mos : ' ';
    const char ua = c.ua > ' ' && (c.ua < '0' || c.ua > '9') ? c.ua : ' ';
    const float el = c.el == Const::FMISS ? 9999.0f : c.el;
    const long wmo = c.wmo == Const::MISS ? 99999 : c.wmo;
    const int n = file.printf(mos == ' ' ? "%-15.15s %-2.2s %-2.2s %-4s %c%d%c %6.2f %7.2f %4.0f "
                                           "%5.5ld %d\n"
                                         : "%-15.15s %-2.2s %-2.2s %s %c%d%c %6.2f %7.2f %4.0f "
                                           "%5.5ld %d\n",
                              c.name, st, rg, StrLib::valid(c.id) ? c.id : "-", mos, c.prior, ua,
                              c.lat, c.lon, el, wmo, c.num);
    return n > 0 ? 1 : 0;
}

int CityFile::rewind() { return opened ? file.rewind() : 0; }

int CityFile::close() {
    if (!opened) return 0;
    file.close();
    opened = false;
    num = 0;
    return 1;
}

} // namespace HYX
