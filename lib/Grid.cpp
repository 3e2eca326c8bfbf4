// A two-dimensional field of values with optional per-point plot positions.
#include "HYX/Grid.h"

#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;

std::unique_ptr<float[]> allocFloats(int n) {
    return std::unique_ptr<float[]>(new (std::nothrow) float[n]);
}

std::unique_ptr<float[]> copyFloats(const float* src, int n) {
    if (!src || n < 1) return nullptr;
    auto out = allocFloats(n);
    if (out) std::memcpy(out.get(), src, sizeof(float) * static_cast<size_t>(n));
    return out;
}

} // namespace

Grid::Grid() { init(); }

Grid::Grid(int cols, int rows) {
    init();
    setSize(cols, rows);
    allocData();
}

Grid::Grid(const Grid& other) {
    init();
    copyInfo(other);
    copyData(other);
}

Grid& Grid::operator=(const Grid& other) {
    if (this != &other) {
        copyInfo(other);
        copyData(other);
    }
    return *this;
}

int Grid::init() {
    type = 0;
    version = 0;
    source = Const::MISS;
    datim[0] = 0;
    info[0] = 0;
    date.init();
    nx = ny = Const::MISS;
    grid_type = Const::MISS;
    domain.init();
    model = Const::MISS;
    gen_name[0] = 0;
    var.init();
    data.reset();
    xloc.reset();
    yloc.reset();
    return 1;
}

int Grid::copyInfo(const Grid& o) {
    type = o.type;
    source = o.source;
    version = o.version;
    StrLib::copy(datim, datim_len, o.datim);
    StrLib::copy(info, info_len, o.info);
    date = o.date;
    nx = o.nx;
    ny = o.ny;
    grid_type = o.grid_type;
    domain = o.domain;
    model = o.model;
    StrLib::copy(gen_name, gen_name_len, o.gen_name);
    var = o.var;
    return 1;
}

int Grid::copyData(const Grid& o) {
    const int n = o.size();
    data = copyFloats(o.data.get(), n);
    xloc = copyFloats(o.xloc.get(), n);
    yloc = copyFloats(o.yloc.get(), n);
    if (!xloc || !yloc) {
        xloc.reset();
        yloc.reset();
    }
    return 1;
}

int Grid::size() const {
    if (nx < 1 || ny < 1) return 0;
    if (static_cast<long long>(nx) * ny > INT_MAX / static_cast<int>(sizeof(float))) return 0;
    return nx * ny;
}

int Grid::setSize(int cols, int rows) {
    nx = cols;
    ny = rows;
    domain.set(cols, rows);
    return 1;
}

int Grid::allocData() {
    if (nx < 1 || ny < 1) return 0;
    const int n = size();
    data.reset();
    if (n < 1) return 0;
    data = allocFloats(n);
    if (!data) return 0;
    for (int k = 0; k < n; ++k) data[k] = MISS;
    return 1;
}

int Grid::allocLocate() {
    if (nx < 2 || ny < 2) return 0;
    const int n = size();
    xloc.reset();
    yloc.reset();
    if (n < 1) return 0;
    xloc = allocFloats(n);
    yloc = allocFloats(n);
    if (!xloc || !yloc) {
        xloc.reset();
        yloc.reset();
        return 0;
    }
    return 1;
}

// ---- values

int Grid::setValue(int i, int j, float v) {
    if (!data || !inside(i, j)) return 0;
    data[j * nx + i] = v;
    return 1;
}

float Grid::getValue(int i, int j) const {
    if (!data) return MISS;
    if (isValue()) return data[0];
    if (!inside(i, j)) return MISS;
    return data[j * nx + i];
}

float Grid::getValue(const GridPoint& g) const {
    const float gx = g.gx, gy = g.gy;
    // The negated tests also reject NaN indexes.
    if (!data || !(gx >= 0 && gx <= nx - 1 && gy >= 0 && gy <= ny - 1)) return MISS;
    const int i = static_cast<int>(gx), j = static_cast<int>(gy);
    const float fx = gx - i, fy = gy - j;
    const int k = j * nx + i;
    const float* d = data.get();
    if (i == nx - 1 && j == ny - 1) return d[k];
    if (i == nx - 1) {
        if (d[k] == MISS || d[k + nx] == MISS) return MISS;
        return (1 - fy) * d[k] + fy * d[k + nx];
    }
    if (j == ny - 1) {
        if (d[k] == MISS || d[k + 1] == MISS) return MISS;
        return (1 - fx) * d[k] + fx * d[k + 1];
    }
    if (d[k] == MISS || d[k + 1] == MISS || d[k + nx] == MISS || d[k + nx + 1] == MISS) return MISS;
    return (1 - fy) * (1 - fx) * d[k] + (1 - fy) * fx * d[k + 1] + fy * (1 - fx) * d[k + nx] +
           fy * fx * d[k + nx + 1];
}

float Grid::getValue(const EarthPoint& e) const {
    GridPoint g;
    if (!domain.tran(e, g)) return MISS;
    return getValue(g);
}

float Grid::getValue(const Point& p) const {
    GridPoint g;
    if (!domain.tran(p, g)) return MISS;
    return getValue(g);
}

// ---- positions

int Grid::setLocate(int i, int j, const Point& p) {
    if (!isLocate() || !inside(i, j)) return 0;
    xloc[j * nx + i] = p.x;
    yloc[j * nx + i] = p.y;
    return 1;
}

int Grid::getLocate(int i, int j, Point& p) const {
    if (!isLocate() || !inside(i, j)) return 0;
    p.set(xloc[j * nx + i], yloc[j * nx + i]);
    return 1;
}

Point Grid::getLocate(int i, int j) const {
    Point p;
    getLocate(i, j, p);
    return p;
}

// ---- metadata

int Grid::setDatim(const char* text) {
    StrLib::copy(datim, datim_len, text ? text : "");
    return 1;
}

int Grid::setInfo(const char* text) {
    StrLib::copy(info, info_len, text ? text : "");
    return 1;
}

int Grid::setDate(const DateVal& d) {
    date.set(d);
    return 1;
}

int Grid::setGenName(const char* name) {
    StrLib::copy(gen_name, gen_name_len, name ? name : "");
    return 1;
}

int Grid::setDomain(const DomainVal& d) {
    domain.set(d);
    nx = d.nx;
    ny = d.ny;
    return 1;
}

int Grid::setDomain(const Domain& d) {
    domain = d;
    nx = d.nx;
    ny = d.ny;
    return 1;
}

Date Grid::getValidDate() const {
    Date d = date;
    const int secs = var.getFore().getSeconds();
    if (d.isSet() && secs != Const::MISS) d.addSeconds(static_cast<float>(secs));
    return d;
}

int Grid::setLevel(const char* text) {
    Level l;
    l.set(text);
    var.set(l);
    return 1;
}

int Grid::setLevel(const Level& l) {
    var.set(l);
    return 1;
}

int Grid::setForeTime(const char* text) {
    ForeTime f;
    f.set(text);
    var.set(f);
    return 1;
}

int Grid::setForeTime(const ForeTime& f) {
    var.set(f);
    return 1;
}

int Grid::setVar(const char* name) {
    var.setVar(name ? name : "");
    return 1;
}

int Grid::setVar(const Variable& v) {
    var.set(v);
    return 1;
}

int Grid::setUnits(const char* units) {
    if (!StrLib::validData(units)) return 0;
    var.setUnits(units);
    char text[info_len];
    StrLib::copy(text, info_len, info);
    int cut = StrLib::index(text, '[');
    if (cut < 0) cut = StrLib::index(text, '(');
    if (cut >= 0) {
        text[cut] = 0;
    } else {
        StrLib::append(text, info_len, " ");
    }
    StrLib::aprintf(text, info_len, "[%s]", var.getUnits());
    StrLib::copy(info, info_len, text);
    return 1;
}

GridSpec Grid::getSpec() const {
    return GridSpec(model, grid_type, var.getForeCode(), var.getLevelTypeCode(), var.getLevelCode(),
                    var.getVarCode());
}

// ---- statistics

float Grid::getAverage() const {
    const int n = data ? size() : 0;
    double sum = 0;
    int cnt = 0;
    for (int k = 0; k < n; ++k) {
        if (data[k] == MISS) continue;
        sum += data[k];
        ++cnt;
    }
    return cnt ? static_cast<float>(sum / cnt) : MISS;
}

int Grid::getRange(float& mn, float& mx) const {
    mn = mx = MISS;
    if (!data) return 0;
    const int n = size();
    for (int k = 0; k < n; ++k) {
        const float v = data[k];
        if (v == MISS) continue;
        if (mn == MISS || v < mn) mn = v;
        if (mx == MISS || v > mx) mx = v;
    }
    return 1;
}

int Grid::getRange(Range& r) const { return getRange(r.min, r.max); }

int Grid::getNumMissing() const {
    const int n = size();
    if (!data) return n;
    int cnt = 0;
    for (int k = 0; k < n; ++k)
        if (data[k] == MISS) ++cnt;
    return cnt;
}

int Grid::scale(float f) {
    if (!data) return 0;
    const int n = size();
    for (int k = 0; k < n; ++k)
        if (data[k] != MISS) data[k] *= f;
    return 1;
}

int Grid::offset(float f) {
    if (!data) return 0;
    const int n = size();
    for (int k = 0; k < n; ++k)
        if (data[k] != MISS) data[k] += f;
    return 1;
}

// ---- diagnostics

void Grid::print() const {
    String fore, lev;
    var.getFore().toTimeLabel(fore);
    var.getLevel().toLabel(lev);
    std::printf("Date: %s\n", datim);
    std::printf("Info: %s\n", info);
    std::printf("Time: %d %s ", var.getForeCode(), fore.get() ? fore.get() : "");
    std::printf("Level: %d %d %s ", var.getLevelCode(), var.getLevelTypeCode(),
                lev.get() ? lev.get() : "");
    std::printf("Variable: %s [%s] ", var.getVarAbbr(), var.getUnits());
    std::printf("Size: %d x %d\n", nx, ny);
    std::printf("Domain: ");
    std::fflush(stdout);
    domain.print();
}

void Grid::printInfo() const {
    String fore, lev;
    var.getFore().toTimeLabel(fore);
    var.getLevel().toLabel(lev);
    std::printf("Model: %s ", gen_name);
    std::printf("Grid: %d ", grid_type);
    std::printf("Time: %d %s ", var.getForeCode(), fore.get() ? fore.get() : "");
    std::printf("Level: %d %d %s ", var.getLevelCode(), var.getLevelTypeCode(),
                lev.get() ? lev.get() : "");
    std::printf("Variable: %d %s [%s]\n", var.getVarCode(), var.getVarAbbr(), var.getUnits());
}

void Grid::printStats() const {
    float mn, mx;
    getRange(mn, mx);
    std::printf("Size: %d %d\n", nx, ny);
    std::printf("Max: %f Min: %f Ave: %f\n", mx, mn, getAverage());
    const int miss = getNumMissing();
    if (miss > 0) std::printf("Miss: %d\n", miss);
}

void Grid::printData() const {
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) std::printf("[%d,%d] = %f\n", i, j, getValue(i, j));
}

} // namespace HYX
