// Wind barbs.
#include "HYX/WindPlot.h"

#include "HYX/Const.h"
#include "HYX/Plot.h"
#include "HYX/Point.h"
#include "HYX/Points.h"
#include "HYX/Wind.h"

#include <cmath>

namespace HYX {

namespace {

// The geometry of one barb: points along the shaft and towards its barb side.
struct BarbFrame {
    Point pt;
    float size, sn, cs;
    // The point at fraction a along the shaft, moved b shaft lengths to the barb side.
    Point at(float a, float b = 0) const {
        return Point(pt.x + a * size * sn + b * size * cs, pt.y + a * size * cs - b * size * sn);
    }
};

void drawMarks(Plot& plot, const BarbFrame& f, int flags, int tens, bool half, float offset) {
    Points pts(8);
    auto line = [&](const Point& a, const Point& b) {
        pts.clear();
        pts.add(a);
        pts.add(b);
        plot.drawLine(pts);
    };
    if (half && tens == 0 && flags == 0) {
        line(f.at(0.88f), f.at(0.94f, 0.25f));
    } else {
        plot.setFillStyle(0);
        for (int k = 0; k < flags; ++k) {
            pts.clear();
            pts.add(f.at(1 - 0.12f * k));
            pts.add(f.at(1 - 0.12f * k, 0.5f));
            pts.add(f.at(0.88f - 0.12f * k));
            pts.add(f.at(1 - 0.12f * k));
            plot.drawFill(pts);
        }
        // Without pennants the first barb sits at the tip.
        const int first = flags == 0 ? -1 : flags;
        for (int k = 0; k < tens; ++k) {
            const int n = first + k;
            line(f.at(0.88f - 0.12f * n), f.at(1 - 0.12f * n, 0.5f));
        }
        if (half) {
            const int n = first + tens;
            line(f.at(0.88f - 0.12f * n), f.at(0.94f - 0.12f * n, 0.25f));
        }
    }
    line(f.at(offset / f.size), f.at(1));
}

} // namespace

int WindPlot::drawBarb(Plot& plot, const Point& pt, const Wind& wind, float size, float offset) {
    if (wind.getDir() == Const::FMISS || wind.getSpd() == Const::FMISS) return 0;
    float s = std::fmin(wind.getSpd(), MAX_SPEED);
    if (s == 0 || size == 0) return 0;
    s += 0.01f;
    const float rad = wind.getDir() * Const::DRC;
    const BarbFrame frame{pt, size, std::sin(rad), std::cos(rad)};
    const int flags = static_cast<int>(std::floor((s + 2) / 50));
    const int fives = static_cast<int>(std::floor((s - 50 * flags + 2) / 5));
    const int tens = static_cast<int>(std::floor((s - 50 * flags + 2) / 10));
    const bool half = fives % 2 == 1;

    const int shadow = plot.getDropShadow();
    if (shadow > 0) {
        // The shadow first, then the barb itself on top of it.
        drawMarks(plot, frame, flags, tens, half, offset);
        plot.setDropShadow(0);
        drawMarks(plot, frame, flags, tens, half, offset);
        plot.setDropShadow(shadow);
    } else {
        drawMarks(plot, frame, flags, tens, half, offset);
    }
    return 1;
}

int WindPlot::drawBarbMap(Plot& plot, const Point& pt, const Wind& wind, float size, float offset) {
    Wind w = wind;
    if (w.getDir() != Const::FMISS) w.setDir(plot.adjustDir(w.getDir(), pt));
    return drawBarb(plot, pt, w, size, offset);
}

} // namespace HYX
