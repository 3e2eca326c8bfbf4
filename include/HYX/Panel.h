// One panel of a plot: the part of the page it may use, the viewport asked for and the
// one actually used, and the coordinate system (domain) drawn in it.
#ifndef HYX_PANEL_H
#define HYX_PANEL_H

#include "HYX/Domain.h"
#include "HYX/Export.h"
#include "HYX/Rect.h"

namespace HYX {

class HYX_API Panel {
public:
    Panel() { init(); }

    void init();
    // limits.xmin <= x <= limits.xmax and limits.ymin <= y <= limits.ymax.
    bool withinLimits(float x, float y) const;
    // A page (NDC) point to the domain's coordinates through the panel's view.
    int getWindow(const Point& in, Point& out) const;
    void print() const;

    Rect limits;
    Rect offset;
    Rect view;
    Domain domain;
    // The aspect ratio asked for when the panel was laid out, and whether its domain is
    // the plain one over its viewport that stands in when no drawing brought its own.
    float aspect;
    bool plain;
};

} // namespace HYX

#endif
