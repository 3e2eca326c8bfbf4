// The filled polygons of one grid box for the band between two contour levels.
//
// The box is cut by the contour segments of the lower and the upper level: two crossings
// give one segment; four crossings (a saddle) give two, paired by the level's own saddle
// measure: sides 0-1 and 2-3 when it is below 2, sides 1-2 and 3-0 otherwise. Each piece of
// the box bounded by these segments and by the box edges is traced as one polygon; the
// pieces whose corners lie at or above the lower level and below the upper one (or that
// touch no corner, which happens only between a lower and an upper crossing) form the band.
// Every polygon lies in a fixed buffer of ten points, closing point included, so building
// allocates nothing.
#ifndef HYX_GRIDBOXFILL_H
#define HYX_GRIDBOXFILL_H

#include "HYX/Export.h"
#include "HYX/Points.h"

#include <array>
#include <cstddef>

namespace HYX {

class GridBox;

class HYX_API GridBoxFill {
public:
    static constexpr int MAX_POINTS = 10;
    static constexpr int MAX_POLY = 4;

    GridBoxFill();

    // Builds the band polygons between lower.getLevel() and upper.getLevel(); both boxes
    // carry the crossings of their level. A box whose upper level crosses two opposite sides
    // with neither corner beside the segment below the level (values exactly on the level)
    // gives nothing, and that level's crossings are cleared so that the next band treats it
    // as not crossing. Returns the number of polygons.
    int build(const GridBox& lower, GridBox& upper);
    int getNum() const { return num; }
    Points& get(int i) { return poly[static_cast<std::size_t>(i < 0 ? 0 : i % MAX_POLY)]; }

private:
    struct Event {
        int edge;   // boundary edge: 0 = side 0, 1 = side 1, 2 = side 2, 3 = side 3
        float t;    // position along the edge walking corners 0, 1, 3, 2; -1 at its corner
        int rank;   // order of crossings at one position
        int corner; // corner number, or -1 for a crossing
        int lev;    // 0 lower, 1 upper (crossings)
        int side;   // crossed side (crossings)
        Point pt;
        int partner;
    };

    int addChords(const GridBox& box, int lev, float rise[4]);
    void addEvent(const Event& e);
    int trace(int start, const GridBox& lower, const GridBox& upper, bool visited[]);
    int wholeBox(const GridBox& box);

    std::array<Points, MAX_POLY> poly;
    int num = 0;
    std::array<Event, 12> ev;
    int nev = 0;
};

} // namespace HYX

#endif
