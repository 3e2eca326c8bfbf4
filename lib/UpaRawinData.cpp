// A sounding report as received.
#include "HYX/UpaRawinData.h"

#include "HYX/StrLib.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

namespace HYX {

namespace {

constexpr int MISS = Const::MISS;

bool downward(float a, float b) { return a < b; }
bool upward(float a, float b) { return a > b; }

// Merges lev into the first entry whose key equals its key, or appends it. While a list
// runs strictly in the order beyond gives (as a file lists its levels), a key beyond the
// last one is in no entry, and the level is appended without a search.
template <size_t N>
int addKeyed(std::array<UpaLevel, N>& list, int& num, bool& ordered, const UpaLevel& lev,
             float UpaLevel::*key, bool (*beyond)(float, float)) {
    const float k = lev.*key;
    const bool after = num == 0 || beyond(k, list[num - 1].*key);
    if (!ordered || !after) {
        for (int i = 0; i < num; ++i) {
            if (list[i].*key == k) {
                list[i].update(lev);
                return i;
            }
        }
    }
    if (num >= static_cast<int>(N)) return -1;
    ordered = ordered && after;
    list[num] = lev;
    return num++;
}

template <size_t N>
bool inOrder(const std::array<UpaLevel, N>& list, int num, float UpaLevel::*key,
             bool (*beyond)(float, float)) {
    for (int i = 1; i < num; ++i)
        if (!beyond(list[i].*key, list[i - 1].*key)) return false;
    return true;
}

template <size_t N>
int setAt(std::array<UpaLevel, N>& list, int& num, bool& ordered, int i, const UpaLevel& lev) {
    if (i < 0 || i >= static_cast<int>(N)) return 0;
    list[i] = lev;
    if (num < i + 1) num = i + 1;
    ordered = false;
    return 1;
}

template <size_t N> UpaLevel getAt(const std::array<UpaLevel, N>& list, int num, int i) {
    return i >= 0 && i < num ? list[i] : UpaLevel();
}

// Stable sort of the first num entries; returns the old index of each new position.
template <size_t N, class Less>
std::vector<int> sortList(std::array<UpaLevel, N>& list, int num, Less less) {
    std::vector<int> perm(num);
    std::iota(perm.begin(), perm.end(), 0);
    std::stable_sort(perm.begin(), perm.end(),
                     [&](int a, int b) { return less(list[a], list[b]); });
    std::vector<UpaLevel> sorted(num);
    for (int i = 0; i < num; ++i) sorted[i] = list[perm[i]];
    std::copy(sorted.begin(), sorted.end(), list.begin());
    return perm;
}

int follow(const std::vector<int>& perm, int marker) {
    if (marker == MISS) return marker;
    for (size_t i = 0; i < perm.size(); ++i)
        if (perm[i] == marker) return static_cast<int>(i);
    return marker;
}

} // namespace

void UpaRawinData::init() {
    id[0] = area[0] = 0;
    wmo = MISS;
    type = 0;
    date.init();
    lat = lon = elev = Const::FMISS;
    sfc = trop = maxwnd = MISS;
    std::fill(man.begin(), man.begin() + num_man, UpaLevel());
    std::fill(sig.begin(), sig.begin() + num_sig, UpaLevel());
    std::fill(wnd.begin(), wnd.begin() + num_wnd, UpaLevel());
    num_man = num_sig = num_wnd = 0;
    man_ordered = sig_ordered = wnd_ordered = true;
}

void UpaRawinData::setId(const char* text) { StrLib::copy(id, sizeof(id), text ? text : ""); }

void UpaRawinData::setId(const char* text, int wmo_num, float plat, float plon) {
    setId(text);
    wmo = wmo_num;
    lat = plat;
    lon = plon;
}

void UpaRawinData::setArea(const char* text) { StrLib::copy(area, sizeof(area), text ? text : ""); }

int UpaRawinData::getTime() const {
    if (!date.isSet() || date.getHour() == MISS) return MISS;
    const int m = date.getMinute();
    return date.getHour() * 100 + (m == MISS ? 0 : m);
}

int UpaRawinData::addMan(const UpaLevel& lev) {
    if (lev.p == Const::FMISS) return MISS;
    return addKeyed(man, num_man, man_ordered, lev, &UpaLevel::p, downward);
}

int UpaRawinData::addSig(const UpaLevel& lev) {
    return addKeyed(sig, num_sig, sig_ordered, lev, &UpaLevel::p, downward);
}

int UpaRawinData::addWnd(const UpaLevel& lev) {
    UpaLevel w = lev;
    if (w.type == UpaLevel::SFC) w.h = 0; // the surface wind is kept at height 0
    return addKeyed(wnd, num_wnd, wnd_ordered, w, &UpaLevel::h, upward);
}

int UpaRawinData::setMan(int i, const UpaLevel& lev) {
    return setAt(man, num_man, man_ordered, i, lev);
}
int UpaRawinData::setSig(int i, const UpaLevel& lev) {
    return setAt(sig, num_sig, sig_ordered, i, lev);
}
int UpaRawinData::setWnd(int i, const UpaLevel& lev) {
    return setAt(wnd, num_wnd, wnd_ordered, i, lev);
}
UpaLevel UpaRawinData::getMan(int i) const { return getAt(man, num_man, i); }
UpaLevel UpaRawinData::getSig(int i) const { return getAt(sig, num_sig, i); }
UpaLevel UpaRawinData::getWnd(int i) const { return getAt(wnd, num_wnd, i); }
float UpaRawinData::getManPr(int i) const { return getMan(i).p; }
float UpaRawinData::getSigPr(int i) const { return getSig(i).p; }
float UpaRawinData::getWndHt(int i) const { return getWnd(i).h; }

void UpaRawinData::sort() {
    auto byPres = [](const UpaLevel& a, const UpaLevel& b) { return a.p > b.p; };
    const std::vector<int> perm = sortList(man, num_man, byPres);
    sfc = follow(perm, sfc);
    trop = follow(perm, trop);
    maxwnd = follow(perm, maxwnd);
    sortList(sig, num_sig, byPres);
    sortList(wnd, num_wnd, [](const UpaLevel& a, const UpaLevel& b) { return a.h < b.h; });
    man_ordered = inOrder(man, num_man, &UpaLevel::p, downward);
    sig_ordered = inOrder(sig, num_sig, &UpaLevel::p, downward);
    wnd_ordered = inOrder(wnd, num_wnd, &UpaLevel::h, upward);
}

void UpaRawinData::print() const {
    std::printf("Station: %s  WMO: %d  Area: %s\n", id, wmo, area);
    std::printf("Location: %.2f %.2f  Elevation: %.0f  Time: %d\n", lat, lon, elev, getTime());
    std::printf("Mandatory levels: %d (sfc %d, trop %d, max wind %d)\n", num_man, sfc, trop,
                maxwnd);
    for (int i = 0; i < num_man; ++i) man[i].print();
    std::printf("Significant levels: %d\n", num_sig);
    for (int i = 0; i < num_sig; ++i) sig[i].print();
    std::printf("Wind levels: %d\n", num_wnd);
    for (int i = 0; i < num_wnd; ++i) wnd[i].print();
}

} // namespace HYX
