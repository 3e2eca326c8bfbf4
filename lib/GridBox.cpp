// One box of four neighbouring grid points and its intersection with one contour level.
#include "HYX/GridBox.h"

#include "HYX/Domain.h"
#include "HYX/Grid.h"
#include "HYX/GridMath.h"
#include "HYX/GridPoint.h"

#include <cmath>
#include <cstdio>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;
// A box whose corners lie further apart than this in x straddles the seam of a world map.
constexpr float SPAN_LIMIT = 50.0f;

bool isZeroOrOne(float c) { return c == 0.0f || c == 1.0f; }

} // namespace

const int GridBox::s_start[4] = {0, 3, 2, 2};
const int GridBox::s_end[4] = {1, 1, 3, 0};
const int GridBox::s_ref[4] = {0, 1, 3, 2};

void GridBox::init() {
    for (int k = 0; k < 4; ++k) {
        val[k] = MISS;
        pt[k].init();
        cpt[k].init();
        side[k] = NO_CROSS;
        cross[k] = -1;
    }
    level = MISS;
    proj = Const::MISS;
    span = 0;
    numside = 0;
    tsides = MISS;
    min = max = MISS;
    tweak = MISS;
    equal = UNSET;
}

int GridBox::set(const Grid& grid, const Domain& pdom, int x, int y) {
    const int ci[4] = {x, x + 1, x, x + 1};
    const int cj[4] = {y, y, y + 1, y + 1};
    const bool located = grid.isLocate();
    const bool same = !located && GridMath::isDomainEqual(grid, pdom);
    for (int k = 0; k < 4; ++k) {
        val[k] = grid.getValue(ci[k], cj[k]);
        if (located) {
            if (!grid.getLocate(ci[k], cj[k], pt[k])) pt[k].init();
        } else {
            Point p;
            grid.tran(GridPoint(static_cast<float>(ci[k]), static_cast<float>(cj[k])), p);
            if (same)
                pt[k] = p;
            else
                grid.tran(p, pdom, pt[k]);
        }
    }

    proj = pdom.proj;
    span = 0;
    if ((proj == Domain::LATLON || proj == Domain::MERC || proj == Domain::MOLL) &&
        pt[0].x != MISS) {
        for (int k = 1; k < 4; ++k)
            if (pt[k].x != MISS && std::fabs(pt[k].x - pt[0].x) > SPAN_LIMIT) span = 1;
        if (span) {
            float width = Domain::OFFSET_LL;
            if (proj == Domain::MERC) {
                width = Domain::OFFSET_MERC;
            } else if (proj == Domain::MOLL) {
                const float r2 = Const::EARTH * Const::EARTH - pt[0].y * pt[0].y;
                width = r2 > 0 ? 2.0f * std::sqrt(r2) : 0.0f;
            }
            for (int k = 0; k < 4; ++k)
                if (pt[k].x != MISS && pt[k].x < 0) pt[k].x += width;
        }
    }

    min = max = MISS;
    for (int k = 0; k < 4; ++k) {
        if (val[k] == MISS) continue;
        if (min == MISS || val[k] < min) min = val[k];
        if (max == MISS || val[k] > max) max = val[k];
    }
    return 1;
}

int GridBox::set(const Grid& grid, const Domain& pdom, int x, int y, float lev) {
    set(grid, pdom, x, y);
    return setLevel(lev);
}

int GridBox::setLevel(float lev) {
    numside = 0;
    for (int k = 0; k < 4; ++k) {
        side[k] = NO_CROSS;
        cross[k] = -1;
    }
    equal = UNSET;
    level = lev;

    if (min > lev) {
        equal = BELOW;
        return 0;
    }
    if (lev > max) {
        equal = ABOVE;
        return 0;
    }
    equal = INSIDE;
    if (!isDataValid()) return 0;

    // A corner exactly on the level would give degenerate crossings; lower it a little.
    for (int k = 0; k < 4; ++k) {
        if (val[k] != lev) continue;
        if (tweak == MISS) tweak = val[k] * 5.0e-5f;
        val[k] -= tweak;
    }

    for (int s = 0; s < 4; ++s) {
        const float p = val[s_start[s]], q = val[s_end[s]];
        if (q == p) {
            side[s] = p == lev ? -4.0f : -5.0f;
            continue;
        }
        const float f = (lev - p) / (q - p);
        if (val[s_ref[s]] == lev)
            side[s] = -1.0f;
        else if (f >= 0.0f && f <= 1.0f)
            side[s] = f;
        else if (f < 0.0f)
            side[s] = -2.0f;
        else
            side[s] = -3.0f;
    }

    int n4 = 0;
    for (int s = 0; s < 4; ++s) {
        if (side[s] >= 0.0f) ++numside;
        if (side[s] == -4.0f) ++n4;
    }

    if (n4 > 1) {
        for (int s = 0; s < 4; ++s)
            if (isZeroOrOne(side[s])) side[s] = -1.0f;
        numside = 0;
    }

    if (numside == 1) {
        int s1 = -1;
        for (int s = 0; s < 4 && s1 < 0; ++s)
            if (side[s] == -1.0f) s1 = s;
        if (s1 >= 0) {
            side[s1] = (s1 == 1 || s1 == 2) ? 1.0f : 0.0f;
            numside = 2;
        } else {
            for (int s = 0; s < 4; ++s)
                if (isZeroOrOne(side[s])) side[s] = -1.0f;
            numside = 0;
        }
    }

    if (numside == 3) {
        if (isZeroOrOne(side[0])) {
            side[0] = -1.0f;
            numside = 2;
        } else if (isZeroOrOne(side[1])) {
            side[1] = -1.0f;
            numside = 2;
        }
    }

    int n = 0;
    for (int s = 0; s < 4; ++s) {
        if (side[s] < 0.0f) continue;
        cross[n] = s;
        cpt[n] = getSidePoint(s);
        ++n;
    }

    tsides = side[2] + side[3] + 2.0f - side[0] - side[1];
    return numside;
}

int GridBox::setCross(int n, int s) {
    if (n < 0 || n > 3) return 0;
    cross[n] = s;
    return 1;
}

Point GridBox::getCrossPoint(int n) const {
    if (n < 0 || n > 3 || cross[n] < 0) return Point();
    return cpt[n];
}

Point GridBox::getSidePoint(int s) const {
    if (s < 0 || s > 3 || side[s] < 0.0f) return Point();
    return Point::interp(pt[s_start[s]], pt[s_end[s]], side[s]);
}

Point GridBox::getPoint(int k) const { return k >= 0 && k < 4 ? pt[k] : Point(); }

bool GridBox::isDataValid() const {
    return val[0] != MISS && val[1] != MISS && val[2] != MISS && val[3] != MISS;
}

bool GridBox::isLocateValid() const {
    return pt[0].x != MISS && pt[1].x != MISS && pt[2].x != MISS && pt[3].x != MISS;
}

int GridBox::getLineSegments(Point a[6], Point b[6]) const {
    int n = 0;
    // Edges lying on the level.
    static const int edge_corner[4] = {0, 1, 2, 0};
    static const int edge_from[4] = {0, 1, 2, 0};
    static const int edge_to[4] = {1, 3, 3, 2};
    for (int s = 0; s < 4; ++s) {
        if (side[s] != -4.0f || val[edge_corner[s]] != level) continue;
        a[n] = pt[edge_from[s]];
        b[n] = pt[edge_to[s]];
        ++n;
    }
    if (numside == 2) {
        a[n] = cpt[0];
        b[n] = cpt[1];
        ++n;
    } else if (numside == 4) {
        // cpt[s] is the crossing of side s when all four sides are crossed.
        if (tsides >= 2.0f) {
            a[n] = cpt[0], b[n] = cpt[1], ++n;
            a[n] = cpt[2], b[n] = cpt[3], ++n;
        } else {
            a[n] = cpt[0], b[n] = cpt[3], ++n;
            a[n] = cpt[1], b[n] = cpt[2], ++n;
        }
    }
    return n;
}

void GridBox::printVals() const {
    std::printf("val: %.2f %.2f %.2f %.2f\n", val[0], val[1], val[2], val[3]);
}

void GridBox::printStats() const {
    std::printf("level: %.2f min: %.2f max: %.2f equal: %d numside: %d tsides: %.2f\n", level, min,
                max, equal, numside, tsides);
    std::printf("side: %.3f %.3f %.3f %.3f cross: %d %d %d %d\n", side[0], side[1], side[2],
                side[3], cross[0], cross[1], cross[2], cross[3]);
}

} // namespace HYX
