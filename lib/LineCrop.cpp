// Cutting latitude-longitude lines at the date line.
#include "HYX/LineCrop.h"

#include "HYX/Const.h"
#include "HYX/Hyx.h"
#include "HYX/Point.h"
#include "HYX/Points.h"

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;

// The point where the segment from a (inside) towards b (outside) meets the edge.
Point onEdge(const Point& a, const Point& b) {
    const float edge = b.x > LineCrop::EDGE ? LineCrop::EDGE : -LineCrop::EDGE;
    const float f = (edge - a.x) / (b.x - a.x);
    return Point(edge, a.y + f * (b.y - a.y));
}

} // namespace

bool LineCrop::isMissing(const Point& p) { return p.x == MISS || p.y == MISS; }

bool LineCrop::inside(const Point& p) { return p.x >= -EDGE && p.x <= EDGE; }

int LineCrop::crop(Point& a, Point& b) {
    if (isMissing(a) || isMissing(b)) return 0;
    auto moveOnto = [](Point& out, const Point& in, int which) {
        const float edge = out.x > EDGE ? EDGE : -EDGE;
        // Only a segment that crosses the edge has a point on it.
        if ((in.x - edge) * (out.x - edge) > 0.0f || in.x == out.x) return 0;
        const float f = (edge - in.x) / (out.x - in.x);
        out.set(edge, in.y + f * (out.y - in.y));
        Hyx::outDebug(5, "%d: %.3f %.2f %.2f\n", which, f, out.x, out.y);
        return 1;
    };
    if (!inside(a)) return moveOnto(a, b, 1);
    if (!inside(b)) return moveOnto(b, a, 2);
    return 0;
}

int LineCrop::crop(Points& pts) {
    const int n = pts.getNum();
    bool all_in = true;
    for (int i = 0; i < n && all_in; ++i) all_in = isMissing(pts.get(i)) || inside(pts.get(i));
    if (all_in) return 0;
    if (Hyx::isDebug(5)) {
        Hyx::outDebug(5, "------------------\n");
        pts.print();
    }
    Points out(n * 2 + 2);
    bool kept = false;
    for (int i = 0; i < n; ++i) {
        const Point p = pts.get(i);
        if (isMissing(p)) {
            if (kept && !isMissing(out.get(out.getNum() - 1))) out.add(MISS, MISS);
            continue;
        }
        const bool has_prev = i > 0 && !isMissing(pts.get(i - 1));
        const Point prev = has_prev ? pts.get(i - 1) : p;
        if (inside(p)) {
            // Entering the band: the part starts on the edge, apart from what came before.
            if (has_prev && !inside(prev)) {
                if (kept) out.add(MISS, MISS);
                out.add(onEdge(p, prev));
                Hyx::outDebug(5, "CROP> %d %d\n", i, out.getNum());
            }
            out.add(p);
            kept = true;
        } else if (has_prev && inside(prev)) {
            const Point e = onEdge(prev, p);
            out.add(e);
            Hyx::outDebug(5, "CROP< %d %.2f %.2f\n", i, e.x, e.y);
        } else {
            Hyx::outDebug(5, "DEL %d %.2f %.2f\n", i, p.x, p.y);
        }
    }
    pts.copy(out);
    if (Hyx::isDebug(5)) {
        Hyx::outDebug(5, "+\n");
        pts.print();
    }
    return 1;
}

} // namespace HYX
