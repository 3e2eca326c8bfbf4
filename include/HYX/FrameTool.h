// Arithmetic of the window's animation loop: the frame that follows in a plain or a
// back-and-forth loop within the loop's bounds, and the steps of the loop speed.
#ifndef HYX_FRAMETOOL_H
#define HYX_FRAMETOOL_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API FrameTool {
public:
    // The frame after cur (cur < 0: the first one): step frames on, or for step 0 one
    // frame in the loop's direction. direct 0 or 1 is a plain loop (1 forward) that wraps
    // around, 2 or 3 a back-and-forth loop (3 forward) that turns at lo and hi, updating
    // direct. The result lies within lo..hi.
    static int next(int cur, int step, int lo, int hi, int& direct);
    // The frame delay one step faster (step 1) or slower (step -1): steps of 0.1 s below
    // about 1.5 s and of 1 s above, between 0.05 s and 10 s.
    static float rate(float delay, int step);
};

} // namespace HYX

#endif
