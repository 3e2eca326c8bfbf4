// How a cross section is drawn beyond the library's classic frame and contouring: the layout
// vsect uses, and the options a user asks for as items of the parameter resource. A default
// style draws the classic section.
#ifndef HYX_XSECTSTYLE_H
#define HYX_XSECTSTYLE_H

#include "HYX/Export.h"
#include "HYX/Rect.h"

namespace HYX {

class HYX_API XSectStyle {
public:
    // The program's layout: frame labels that stay on their lines when zoomed or panned,
    // the pressure unit above the axis, values of the top level inside the frame, nothing
    // drawn below the ground, the colour key of filled contours beside the frame, contour
    // labels of overlaid fields kept apart, a colour of its own for each band, and H and L
    // marks only on request (the variable option "hl").
    bool tidy = false;
    bool heading = false;   // "heading": a title line naming the section and its time
    bool km = false;        // "km": a distance axis under the station names
    bool mandatory = false; // "mandatory": pressure lines and labels at the mandatory levels
    bool thin = false;      // "thin": wind barbs thinned so that none overlap
    bool smooth = false;    // "smooth": a finer grid between stations for contouring

    // The program's layout with the options named among the comma-separated items of param
    // (other items are left to the plot, the figure and the contouring).
    static XSectStyle program(const char* param);
    int setParam(const char* param);
    // The part of the page (fractions of its width and height) the section is drawn in.
    Rect getArea() const;
};

} // namespace HYX

#endif
