// Wind barbs.
#include "HYX/WindPlot.h"

#include "HYX/Const.h"
#include "HYX/Plot.h"
#include "HYX/Point.h"
#include "HYX/Points.h"
#include "HYX/Rect.h"
#include "HYX/Wind.h"

#include <cmath>

namespace HYX {

namespace {

// The geometry of one barb: points along the shaft and towards its barb side.
struct BarbFrame {
    Point pt;
    float size = 0, sn = 0, cs = 0;
    // The point at fraction a along the shaft, moved b shaft lengths to the barb side.
    Point at(float a, float b = 0) const {
        return Point(pt.x + a * size * sn + b * size * cs, pt.y + a * size * cs - b * size * sn);
    }
};

// How many pennants (50), full barbs (10) and half barbs (5) a speed takes.
struct BarbCount {
    int flags = 0, tens = 0;
    bool half = false;
};

// Visits the strokes and pennants of a barb: line(a, b) for each stroke, flag(a, b, c)
// for each filled pennant.
template <class Line, class Flag>
void forMarks(const BarbFrame& f, const BarbCount& c, float offset, Line line, Flag flag) {
    if (c.half && c.tens == 0 && c.flags == 0) {
        line(f.at(0.88f), f.at(0.94f, 0.25f));
    } else {
        for (int k = 0; k < c.flags; ++k)
            flag(f.at(1 - 0.12f * k), f.at(1 - 0.12f * k, 0.5f), f.at(0.88f - 0.12f * k));
        // Without pennants the first barb sits at the tip.
        const int first = c.flags == 0 ? -1 : c.flags;
        for (int k = 0; k < c.tens; ++k) {
            const int n = first + k;
            line(f.at(0.88f - 0.12f * n), f.at(1 - 0.12f * n, 0.5f));
        }
        if (c.half) {
            const int n = first + c.tens;
            line(f.at(0.88f - 0.12f * n), f.at(0.94f - 0.12f * n, 0.25f));
        }
    }
    line(f.at(offset / f.size), f.at(1));
}

void drawMarks(Plot& plot, const BarbFrame& f, const BarbCount& c, float offset) {
    Points pts(8);
    if (c.flags > 0 || c.tens > 0 || !c.half) plot.setFillStyle(0);
    forMarks(
        f, c, offset,
        [&](const Point& a, const Point& b) {
            pts.clear();
            pts.add(a);
            pts.add(b);
            plot.drawLine(pts);
        },
        [&](const Point& a, const Point& b, const Point& d) {
            pts.clear();
            for (const Point* q : {&a, &b, &d, &a}) pts.add(*q);
            plot.drawFill(pts);
        });
}

// The frame and counts of a barb; false when the wind is missing or calm.
bool barbOf(const Point& pt, const Wind& wind, float size, BarbFrame& f, BarbCount& c) {
    if (wind.getDir() == Const::FMISS || wind.getSpd() == Const::FMISS) return false;
    float s = std::fmin(wind.getSpd(), WindPlot::MAX_SPEED);
    if (s == 0 || size == 0) return false;
    s += 0.01f;
    const float rad = wind.getDir() * Const::DRC;
    f = BarbFrame{pt, size, std::sin(rad), std::cos(rad)};
    c.flags = static_cast<int>(std::floor((s + 2) / 50));
    const int fives = static_cast<int>(std::floor((s - 50 * c.flags + 2) / 5));
    c.tens = static_cast<int>(std::floor((s - 50 * c.flags + 2) / 10));
    c.half = fives % 2 == 1;
    return true;
}

} // namespace

int WindPlot::drawBarb(Plot& plot, const Point& pt, const Wind& wind, float size, float offset) {
    BarbFrame frame;
    BarbCount count;
    if (!barbOf(pt, wind, size, frame, count)) return 0;
    const int shadow = plot.getDropShadow();
    if (shadow > 0) {
        // The shadow first, then the barb itself on top of it.
        drawMarks(plot, frame, count, offset);
        plot.setDropShadow(0);
        drawMarks(plot, frame, count, offset);
        plot.setDropShadow(shadow);
    } else {
        drawMarks(plot, frame, count, offset);
    }
    return 1;
}

Rect WindPlot::getBarbBox(const Point& pt, const Wind& wind, float size) {
    BarbFrame frame;
    BarbCount count;
    Rect box;
    if (!barbOf(pt, wind, size, frame, count)) return box;
    box.set(pt.x, pt.y, pt.x, pt.y);
    auto add = [&box](const Point& q) {
        box.xmin = std::fmin(box.xmin, q.x), box.xmax = std::fmax(box.xmax, q.x);
        box.ymin = std::fmin(box.ymin, q.y), box.ymax = std::fmax(box.ymax, q.y);
    };
    forMarks(
        frame, count, 0, [&](const Point& a, const Point& b) { add(a), add(b); },
        [&](const Point& a, const Point& b, const Point& d) { add(a), add(b), add(d); });
    return box;
}

int WindPlot::drawBarbMap(Plot& plot, const Point& pt, const Wind& wind, float size, float offset) {
    Wind w = wind;
    if (w.getDir() != Const::FMISS) w.setDir(plot.adjustDir(w.getDir(), pt));
    return drawBarb(plot, pt, w, size, offset);
}

} // namespace HYX
