// Wall-clock timing with gettimeofday and usleep.
#include "HYX/Timer.h"

#include <sys/time.h>
#include <unistd.h>

namespace HYX {

namespace {

double systemNow() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) * 1e-6;
}

void systemSleep(double t) { usleep(static_cast<useconds_t>(t * 1e6)); }

Timer::NowFn now_fn = systemNow;
Timer::SleepFn sleep_fn = systemSleep;

} // namespace

void Timer::start() { start_time = now(); }

double Timer::elapsed() const { return now() - start_time; }

void Timer::sleep(double t) {
    if (t > 0) sleep_fn(t);
}

double Timer::now() { return now_fn(); }

void Timer::setClock(NowFn n, SleepFn s) {
    now_fn = n ? n : systemNow;
    sleep_fn = s ? s : systemSleep;
}

} // namespace HYX
