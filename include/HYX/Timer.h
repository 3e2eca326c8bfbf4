// Elapsed wall-clock time and sleeping, for the window's event loop and animation. The
// clock can be replaced process-wide (for instance to run an animation on virtual time).
#ifndef HYX_TIMER_H
#define HYX_TIMER_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API Timer {
public:
    using NowFn = double (*)();
    using SleepFn = void (*)(double);

    Timer() { start(); }

    // Restarts the measurement.
    void start();
    // Seconds since start().
    double elapsed() const;
    // Sleeps t seconds; nothing for t <= 0.
    static void sleep(double t);
    // Seconds of the clock in use (since 1970 for the system clock).
    static double now();
    // Replaces the clock and the sleep; null restores the system's own.
    static void setClock(NowFn now_fn, SleepFn sleep_fn);

private:
    double start_time = 0;
};

} // namespace HYX

#endif
