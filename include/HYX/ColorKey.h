// The colour key of filled contours in a rectangle of its own beside the plot: one box per
// band stacked upward, the boundaries labelled with their contour levels and the units
// written above. Drawn in page coordinates (transformation 0).
#ifndef HYX_COLORKEY_H
#define HYX_COLORKEY_H

#include "HYX/Export.h"
#include "HYX/Rect.h"
#include "HYX/String.h"

#include <vector>

namespace HYX {

class ColorFill;
class Plot;
class Range;

class HYX_API ColorKey {
public:
    static constexpr float BOX_WIDTH = 0.015f;
    static constexpr float TEXT_HEIGHT = 0.012f;

    // Where the key goes (page units, boxes at its left side) and the units it names; an
    // invalid area leaves the key to the plot's own colour bar.
    void set(const Rect& area, const char* units);
    bool isSet() const { return area.valid(); }
    void clear() { area.init(); }
    const Rect& getArea() const { return area; }

    // The band boundaries the key shows for fill over range: the levels from range.min up
    // to one interval beyond range.max, or the fill's own values between them.
    static std::vector<float> levels(const ColorFill& fill, const Range& range);
    // 0 when there is nothing to show.
    int draw(Plot& plot, const ColorFill& fill, const Range& range) const;

private:
    Rect area;
    String units;
};

} // namespace HYX

#endif
