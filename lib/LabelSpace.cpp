// The room labels and marks take on a drawing.
#include "HYX/LabelSpace.h"

#include "HYX/Const.h"

#include <algorithm>
#include <cmath>

namespace HYX {

namespace {

constexpr int MAX_CELLS = 64; // along one side of a rectangle

bool overlap(const Rect& a, const Rect& b) {
    return a.xmin < b.xmax && b.xmin < a.xmax && a.ymin < b.ymax && b.ymin < a.ymax;
}

} // namespace

void LabelSpace::clear() {
    rects.clear();
    cells.clear();
    large.clear();
    floor.clear();
}

template <class F> bool LabelSpace::forCells(const Rect& r, F f) const {
    const double x0 = std::floor(r.xmin / cell), x1 = std::floor(r.xmax / cell);
    const double y0 = std::floor(r.ymin / cell), y1 = std::floor(r.ymax / cell);
    if (!(x1 - x0 < MAX_CELLS && y1 - y0 < MAX_CELLS)) return false;
    for (auto i = static_cast<std::int64_t>(x0); i <= x1; ++i)
        for (auto j = static_cast<std::int64_t>(y0); j <= y1; ++j) f((i << 32) ^ (j & 0xFFFFFFFF));
    return true;
}

bool LabelSpace::isAboveFloor(const Rect& r) const {
    for (size_t k = 1; k < floor.size(); ++k) {
        const Point& a = floor[k - 1];
        const Point& b = floor[k];
        if (a.x == Const::FMISS || b.x == Const::FMISS || b.x <= a.x) continue;
        const float lo = std::max(a.x, r.xmin), hi = std::min(b.x, r.xmax);
        if (lo > hi) continue;
        // The floor is straight between its points: its highest point over r is at an end.
        for (float x : {lo, hi})
            if (a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x) > r.ymin) return false;
    }
    return true;
}

bool LabelSpace::isFree(const Rect& r) const {
    if (!isAboveFloor(r)) return false;
    for (int k : large)
        if (overlap(rects[k], r)) return false;
    bool clear = true;
    const bool small = forCells(r, [&](std::int64_t key) {
        const auto it = cells.find(key);
        if (it == cells.end()) return;
        for (int k : it->second) clear = clear && !overlap(rects[k], r);
    });
    if (small) return clear;
    return std::none_of(rects.begin(), rects.end(), [&](const Rect& q) { return overlap(q, r); });
}

bool LabelSpace::claim(const Rect& r) {
    if (!isFree(r)) return false;
    take(r);
    return true;
}

void LabelSpace::take(const Rect& r) {
    const int k = static_cast<int>(rects.size());
    rects.push_back(r);
    if (!forCells(r, [&](std::int64_t key) { cells[key].push_back(k); })) large.push_back(k);
}

} // namespace HYX
