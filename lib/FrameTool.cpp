// Animation loop arithmetic.
#include "HYX/FrameTool.h"

namespace HYX {

int FrameTool::next(int cur, int step, int lo, int hi, int& direct) {
    if (hi < lo) hi = lo;
    int n = cur < 0 ? 0 : cur + (step != 0 ? step : (direct % 2 ? 1 : -1));
    if (n > hi) {
        if (direct >= 2) {
            n = hi - 1;
            direct = 2;
        } else {
            n = lo;
        }
    } else if (n < lo) {
        if (direct >= 2) {
            n = lo + 1;
            direct = 3;
        } else {
            n = hi;
        }
    }
    return n > hi ? hi : (n < lo ? lo : n);
}

float FrameTool::rate(float delay, int step) {
    if (step > 0) {
        delay -= delay < 1.6f ? 0.1f : 1.0f;
        if (delay < 0.05f) delay = 0.05f;
    } else if (step < 0) {
        if (delay >= 0.051f)
            delay += delay >= 1.01f ? 1.0f : 0.1f;
        else
            delay = 0.1f;
        if (delay > 10) delay = 10;
    }
    return delay;
}

} // namespace HYX
