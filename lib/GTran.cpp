// One coordinate transformation between window, NDC and plot coordinates.
#include "HYX/GTran.h"

#include "HYX/Points.h"

#include <cstdio>

namespace HYX {

Rect GTran::toRect(const Coords& c) {
    Rect r;
    r.xmin = c.xmin;
    r.ymin = c.ymin;
    r.xmax = c.xmax;
    r.ymax = c.ymax;
    return r;
}

int GTran::set(const Rect& p) {
    plt.set(p.xmin, p.ymin, p.xmax, p.ymax);
    const float h = plt.yext >= 0 ? plt.yext : -plt.yext;
    float nx = 1, ny = 1;
    if (plt.xext > 0 && h > 0) {
        if (plt.xext <= h) {
            nx = plt.xext / h;
        } else {
            ny = h / plt.xext;
        }
    }
    ndc.set(0, 0, nx, ny);
    vp = ndc;
    wn = ndc;
    setScale();
    vp_plt.set(plt.xext / nx, plt.yext / ny);
    return 1;
}

void GTran::setScale() {
    wn_vp.set(wn.xext != 0 ? vp.xext / wn.xext : 0, wn.yext != 0 ? vp.yext / wn.yext : 0);
}

int GTran::setWindow(const Rect& r) {
    // A window without extent cannot be mapped; keep the one in force.
    if (r.xmax - r.xmin == 0 || r.ymax - r.ymin == 0) return 0;
    wn.set(r.xmin, r.ymin, r.xmax, r.ymax);
    setScale();
    return 1;
}

int GTran::setViewport(const Rect& r) {
    vp.set(r.xmin, r.ymin, r.xmax, r.ymax);
    setScale();
    return 1;
}

void GTran::tranPlotView(float x, float y, float& nx, float& ny) const {
    nx = vp_plt.x != 0 ? (x - plt.xmin) / vp_plt.x : 0;
    ny = ndc.ymax - (vp_plt.y != 0 ? (y - plt.ymin) / vp_plt.y : 0);
}

void GTran::tranPlotWindow(float x, float y, float& wx, float& wy) const {
    float nx, ny;
    tranPlotView(x, y, nx, ny);
    wx = (wn_vp.x != 0 ? (nx - vp.xmin) / wn_vp.x : 0) + wn.xmin;
    wy = (wn_vp.y != 0 ? (ny - vp.ymin) / wn_vp.y : 0) + wn.ymin;
}

float GTran::tranWindowX(const GTran& a, const GTran& b, float x) {
    if (a.wn.xext == 0 || b.vp.xext == 0) return b.wn.xmin;
    return ((x - a.wn.xmin) * a.vp.xext / a.wn.xext + a.vp.xmin - b.vp.xmin) / b.vp.xext *
               b.wn.xext +
           b.wn.xmin;
}

float GTran::tranWindowY(const GTran& a, const GTran& b, float y) {
    if (a.wn.yext == 0 || b.vp.yext == 0) return b.wn.ymin;
    return ((y - a.wn.ymin) * a.vp.yext / a.wn.yext + a.vp.ymin - b.vp.ymin) / b.vp.yext *
               b.wn.yext +
           b.wn.ymin;
}

Rect GTran::getClipRect() const {
    return Rect(ndcToPlotX(vp.xmin), ndcToPlotY(vp.ymax), ndcToPlotX(vp.xmax), ndcToPlotY(vp.ymin));
}

bool GTran::overlaps(float minx, float miny, float maxx, float maxy) const {
    return maxx >= wn.xmin && minx <= wn.xmax && maxy >= wn.ymin && miny <= wn.ymax;
}

bool GTran::isPointsInWindow(const Points& pts) const {
    const int n = pts.getNum();
    if (n < 1) return false;
    const float* x = pts.getX();
    const float* y = pts.getY();
    float minx = x[0], maxx = x[0], miny = y[0], maxy = y[0];
    for (int i = 1; i < n; ++i) {
        if (x[i] < minx) minx = x[i];
        if (x[i] > maxx) maxx = x[i];
        if (y[i] < miny) miny = y[i];
        if (y[i] > maxy) maxy = y[i];
    }
    return overlaps(minx, miny, maxx, maxy);
}

bool GTran::isPointsInWindow(int n, const Point* pts) const {
    if (n < 1 || !pts) return false;
    float minx = pts[0].x, maxx = pts[0].x, miny = pts[0].y, maxy = pts[0].y;
    for (int i = 1; i < n; ++i) {
        if (pts[i].x < minx) minx = pts[i].x;
        if (pts[i].x > maxx) maxx = pts[i].x;
        if (pts[i].y < miny) miny = pts[i].y;
        if (pts[i].y > maxy) maxy = pts[i].y;
    }
    return overlaps(minx, miny, maxx, maxy);
}

void GTran::print() const {
    std::printf("GTran:\n");
    std::printf("Plt: ");
    plt.print();
    std::printf("NDC: ");
    ndc.print();
    std::printf("VP:  ");
    vp.print();
    std::printf("Win: ");
    wn.print();
}

} // namespace HYX
