// The parts of a calendar time and their conversion to seconds since 1970.
#include "HYX/DateVal.h"

#include <cmath>
#include <cstdio>

namespace HYX {

const int DateVal::num_day[12] = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
const int DateVal::num_day_leap[12] = {31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};

void DateVal::init() {
    year = month = day = hour = min = Const::MISS;
    sec = Const::FMISS;
}

void DateVal::set(int y, int mo, int d, int h, int mi, float s) {
    year = y;
    month = mo;
    day = d;
    hour = h;
    min = mi;
    sec = s;
}

bool DateVal::allMissing() const {
    return year == Const::MISS && month == Const::MISS && day == Const::MISS &&
           hour == Const::MISS && min == Const::MISS && sec == Const::FMISS;
}

int DateVal::validate() {
    if (allMissing()) return 0;
    if (year != Const::MISS) {
        if (year < 0) year = 1980;
        if (year < 50)
            year += 2000;
        else if (year < 200)
            year += 1900;
    }
    if (month != Const::MISS && (month < 1 || month > 12)) month = 1;
    if (day != Const::MISS && (day < 1 || day > 31)) day = 1;
    if (hour != Const::MISS && (hour < 0 || hour > 23)) hour = 0;
    if (min != Const::MISS && (min < 0 || min > 60)) min = 0;
    // Written so that a NaN second is also brought back to 0.
    if (sec != Const::FMISS && !(sec >= 0.0f && sec <= 60.0f)) sec = 0.0f;
    return 1;
}

long DateVal::rawSecs() const {
    long s = 0;
    if (sec != Const::FMISS) s += static_cast<long>(sec);
    if (min != Const::MISS) s += 60L * min;
    if (hour != Const::MISS) s += 3600L * hour;
    if (day != Const::MISS) s += 86400L * (day - 1);
    const int m = month == Const::MISS ? 1 : month;
    const long y = year == Const::MISS ? 1970 : year;
    if (m >= 2 && m <= 12) s += 86400L * num_day[m - 2];
    // Floor division keeps the four-year rule consistent before 1900 as well.
    const long q = y - 1900;
    long leap = (q >= 0 ? q / 4 : -((-q + 3) / 4)) - 17;
    if (m <= 2 && y % 4 == 0) --leap;
    s += 86400L * leap;
    s += (y - 1970) * 365L * 86400L;
    return s;
}

long DateVal::computeSecs() {
    if (!validate()) return Const::MISS;
    return rawSecs();
}

void DateVal::print() const {
    if (year != Const::MISS)
        std::printf("%4.4d/", year);
    else
        std::printf("MMMM/");
    if (month != Const::MISS)
        std::printf("%2.2d/", month);
    else
        std::printf("MM/");
    if (day != Const::MISS)
        std::printf("%2.2d ", day);
    else
        std::printf("MM ");
    if (hour != Const::MISS)
        std::printf("%2.2d:", hour);
    else
        std::printf("MM:");
    if (min != Const::MISS)
        std::printf("%2.2d:", min);
    else
        std::printf("MM:");
    if (sec == Const::FMISS)
        std::printf("MM");
    else if (sec >= 10.0f)
        std::printf("%6.3f", sec);
    else
        std::printf("0%5.3f", sec);
    std::printf("\n");
}

} // namespace HYX
