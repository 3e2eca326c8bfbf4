// A growable collection of grids.
#include "HYX/Grids.h"

#include <cstdio>

namespace HYX {

namespace {
const GridSpec no_spec;
}

int Grids::setSize(int n) {
    if (n < 0) n = 0;
    gs.assign(static_cast<size_t>(n), GridSpec());
    grd.assign(static_cast<size_t>(n), Grid());
    flag.assign(static_cast<size_t>(n), 0);
    num = 0;
    max = n;
    return 1;
}

int Grids::resize(int n) {
    if (n < 0) n = 0;
    gs.resize(static_cast<size_t>(n));
    grd.resize(static_cast<size_t>(n));
    flag.resize(static_cast<size_t>(n), 0);
    max = n;
    if (num > n) num = n;
    return 1;
}

int Grids::addSpec(const GridSpec& spec) {
    if (num >= max) resize(max + GROW);
    gs[static_cast<size_t>(num)] = spec;
    return num;
}

const GridSpec& Grids::getSpec(int i) const {
    return valid(i) ? gs[static_cast<size_t>(i)] : no_spec;
}

int Grids::addGrid(const Grid& g) {
    if (num >= max) resize(max + GROW);
    grd[static_cast<size_t>(num)] = g;
    flag[static_cast<size_t>(num)] = 1;
    ++num;
    return 1;
}

int Grids::setGrid(int i, const Grid& g) {
    if (!valid(i)) return 0;
    grd[static_cast<size_t>(i)] = g;
    flag[static_cast<size_t>(i)] = 1;
    if (num < i + 1) num = i + 1;
    return 1;
}

int Grids::getGrid(int i, Grid& g) const {
    if (!valid(i)) return 0;
    g = grd[static_cast<size_t>(i)];
    return flag[static_cast<size_t>(i)] ? 1 : 0;
}

bool Grids::isVarSet() const {
    for (int i = 0; i < max; ++i)
        if (isVarSet(i)) return true;
    return false;
}

int Grids::getNumSet() const {
    int n = 0;
    for (int i = 0; i < num; ++i)
        if (flag[static_cast<size_t>(i)]) ++n;
    return n;
}

int Grids::setValue(int k, int i, int j, float v) {
    return valid(k) ? grd[static_cast<size_t>(k)].setValue(i, j, v) : 0;
}

float Grids::getValue(int k, int i, int j) const {
    return valid(k) ? grd[static_cast<size_t>(k)].getValue(i, j) : Const::FMISS;
}

float Grids::getValue(int k, const GridPoint& g) const {
    return valid(k) ? grd[static_cast<size_t>(k)].getValue(g) : Const::FMISS;
}

float Grids::getValue(int k, const EarthPoint& e) const {
    return valid(k) ? grd[static_cast<size_t>(k)].getValue(e) : Const::FMISS;
}

int Grids::getValue(const EarthPoint& e, std::vector<float>& out) const {
    out.assign(static_cast<size_t>(num), Const::FMISS);
    for (int k = 0; k < num; ++k)
        if (flag[static_cast<size_t>(k)]) out[static_cast<size_t>(k)] = getValue(k, e);
    return num;
}

template <class F> int Grids::apply(int i, F f) {
    if (i >= 0) {
        if (!valid(i)) return 0;
        f(grd[static_cast<size_t>(i)]);
        return 1;
    }
    for (auto& g : grd) f(g);
    return 1;
}

int Grids::setDomain(const Domain& d, int i) {
    return apply(i, [&](Grid& g) { g.setDomain(d); });
}

int Grids::allocData(int i) {
    return apply(i, [](Grid& g) { g.allocData(); });
}

int Grids::setDate(const Date& d, int i) {
    return apply(i, [&](Grid& g) { g.setDate(d); });
}

int Grids::setDatim(const char* text, int i) {
    return apply(i, [&](Grid& g) { g.setDatim(text); });
}

int Grids::setInfo(const char* text, int i) {
    return apply(i, [&](Grid& g) { g.setInfo(text); });
}

int Grids::setVar(const char* name, int i) {
    return apply(i, [&](Grid& g) { g.setVar(name); });
}

void Grids::print() const {
    for (int i = 0; i < num; ++i) grd[static_cast<size_t>(i)].print();
}

void Grids::printStats() const {
    for (int i = 0; i < num; ++i) grd[static_cast<size_t>(i)].printStats();
}

void Grids::printData() const {
    for (int i = 0; i < num; ++i) grd[static_cast<size_t>(i)].printData();
}

} // namespace HYX
