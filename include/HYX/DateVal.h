// The parts of a calendar time (year to second), each of which may be missing.
#ifndef HYX_DATEVAL_H
#define HYX_DATEVAL_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API DateVal {
public:
    // Cumulative number of days at the end of each month.
    static const int num_day[12];
    static const int num_day_leap[12];

    DateVal() { init(); }
    DateVal(int y, int mo, int d, int h, int mi, float s) { set(y, mo, d, h, mi, s); }

    void init();
    void set(int y, int mo, int d, int h, int mi, float s);
    // Brings set parts into range (years 0-49 are 2000-2049, 50-199 are 1950-2099);
    // 0 when every part is missing.
    int validate();
    // Seconds since 1970-01-01 00:00 of the (validated) parts, missing parts counting as
    // their start; leap days follow the four-year rule valid from 1901 to 2099.
    long computeSecs();
    // Seconds of the parts as they stand, without validation.
    long rawSecs() const;
    bool allMissing() const;
    void print() const;

    int year;
    int month;
    int day;
    int hour;
    int min;
    float sec;
};

} // namespace HYX

#endif
