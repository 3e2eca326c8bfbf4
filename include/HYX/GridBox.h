// One box of four neighbouring grid points and its intersection with one contour level.
//
// Corners: 0 = (x, y), 1 = (x+1, y), 2 = (x, y+1), 3 = (x+1, y+1). Side 0 runs from corner 0
// to corner 1, side 1 from corner 3 to corner 1, side 2 from corner 2 to corner 3, side 3
// from corner 2 to corner 0; a crossing fraction is measured from the first corner named.
// Side codes: 0..1 a crossing fraction; -1 the side's reference corner lies on the level;
// -2 fraction below 0; -3 above 1; -4 both corners equal the level; -5 both corners equal
// each other but not the level.
#ifndef HYX_GRIDBOX_H
#define HYX_GRIDBOX_H

#include "HYX/Export.h"
#include "HYX/Point.h"

namespace HYX {

class Domain;
class Grid;

class HYX_API GridBox {
public:
    static constexpr int NO_CROSS = -2;
    // Values of equal.
    enum Equal { UNSET = -2, BELOW = -1, INSIDE = 0, ABOVE = 1 };

    GridBox() { init(); }
    void init();

    // Loads the corner values and plot positions of the box whose first point is (x, y).
    int set(const Grid& grid, const Domain& plot_domain, int x, int y);
    int set(const Grid& grid, const Domain& plot_domain, int x, int y, float lev);
    // Intersects the box with a level; returns the number of crossed sides.
    int setLevel(float lev);

    int setTweak(float f) {
        tweak = f;
        return 1;
    }
    float getTweak() const { return tweak; }
    float getLevel() const { return level; }
    float getMin() const { return min; }
    float getMax() const { return max; }
    float getTotalDsides() const { return tsides; }
    // Side number of the n-th crossing (in increasing side order), -1 when none.
    int getCross(int n) const { return n >= 0 && n < 4 ? cross[n] : -1; }
    int setCross(int n, int s);
    // Plot position of the n-th crossing.
    Point getCrossPoint(int n) const;
    // Plot position of the crossing on side s (invalid when the side is not crossed).
    Point getSidePoint(int s) const;
    Point getPoint(int k) const;
    float getVal(int k) const { return k >= 0 && k < 4 ? val[k] : -1.0f; }
    float getSide(int k) const { return k >= 0 && k < 4 ? side[k] : -1.0f; }
    int setNumSide(int n) {
        numside = n;
        return 1;
    }
    int getNumSide() const { return numside; }
    int getEqual() const { return equal; }
    int getSpan() const { return span; }
    int getProj() const { return proj; }
    bool isDataValid() const;
    bool isLocateValid() const;
    // The contour segments of the current level as drawn for lines (saddles take the
    // pairing that keeps corners 0 and 3 apart when the crossings lie near them); returns
    // the number of segments stored in a[i]-b[i].
    int getLineSegments(Point a[6], Point b[6]) const;

    void printVals() const;
    void printStats() const;

    // First corner, second corner and reference corner of each side.
    static int sideStart(int s) { return s_start[s & 3]; }
    static int sideEnd(int s) { return s_end[s & 3]; }
    static int sideRef(int s) { return s_ref[s & 3]; }

private:
    static const int s_start[4];
    static const int s_end[4];
    static const int s_ref[4];

    float val[4];
    float level;
    int proj;
    int span;
    Point pt[4];
    Point cpt[4];
    float side[4];
    int numside;
    int cross[4];
    float tsides;
    float min;
    float max;
    float tweak;
    int equal;
};

} // namespace HYX

#endif
