// One panel of a plot.
#include "HYX/Panel.h"

#include <cstdio>

namespace HYX {

void Panel::init() {
    limits.init();
    offset.init();
    view.init();
    domain.init();
    aspect = 0.0f;
    plain = false;
}

bool Panel::withinLimits(float x, float y) const {
    if (!limits.valid()) return false;
    return limits.xmin <= x && x <= limits.xmax && limits.ymin <= y && y <= limits.ymax;
}

int Panel::getWindow(const Point& in, Point& out) const {
    const Rect& dl = domain.getLimits();
    if (!limits.valid() || !view.valid() || !dl.valid() || !in.valid()) {
        out.init();
        return 0;
    }
    const float lw = limits.getWidth(), lh = limits.getHeight();
    const float side = lw > lh ? lw : lh;
    const float vw = view.getWidth(), vh = view.getHeight();
    if (side <= 0.0f || vw == 0.0f || vh == 0.0f) {
        out.init();
        return 0;
    }
    const float nx = (in.x - limits.xmin) / side;
    const float ny = (in.y - limits.ymin) / side;
    out.set(dl.xmin + (nx - view.xmin) / vw * dl.getWidth(),
            dl.ymin + (ny - view.ymin) / vh * dl.getHeight());
    return 1;
}

void Panel::print() const {
    std::printf("Panel\n");
    std::printf("Limits: ");
    limits.print();
    std::printf("Offset: ");
    offset.print();
    std::printf("View: ");
    view.print();
    std::printf("Domain: ");
    domain.print();
}

} // namespace HYX
