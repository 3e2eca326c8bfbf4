// The room labels and marks take on a drawing, in window units with y upward: rectangles
// already taken, and a floor (the ground of a cross section) that nothing may reach below.
// Rectangles are found through a grid of cells, so that placing n labels costs about n
// lookups rather than n squared.
#ifndef HYX_LABELSPACE_H
#define HYX_LABELSPACE_H

#include "HYX/Export.h"
#include "HYX/Point.h"
#include "HYX/Rect.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace HYX {

class HYX_API LabelSpace {
public:
    explicit LabelSpace(float cell_size = 0.05f) : cell(cell_size) {}

    void clear();
    // A line of points in increasing x; a point with a missing x breaks it.
    void setFloor(const std::vector<Point>& line) { floor = line; }
    // Above the floor wherever the floor runs under it.
    bool isAboveFloor(const Rect& r) const;
    // Above the floor and clear of every rectangle taken.
    bool isFree(const Rect& r) const;
    // Takes r when it is free; false, and nothing taken, when it is not.
    bool claim(const Rect& r);
    void take(const Rect& r);
    int getNum() const { return static_cast<int>(rects.size()); }

private:
    // Calls f(key) for each cell r covers; false when r spans too many cells for that.
    template <class F> bool forCells(const Rect& r, F f) const;

    float cell;
    std::vector<Rect> rects;
    std::unordered_map<std::int64_t, std::vector<int>> cells;
    std::vector<int> large; // rectangles too big for the cells, checked one by one
    std::vector<Point> floor;
};

} // namespace HYX

#endif
