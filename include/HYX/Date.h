// A time whose parts may each be missing, kept with its seconds since 1970-01-01 in the
// date's own zone; stepping keeps missing parts missing.
#ifndef HYX_DATE_H
#define HYX_DATE_H

#include "HYX/DateVal.h"
#include "HYX/Export.h"

namespace HYX {

class String;

class HYX_API Date : public DateVal {
public:
    Date();
    Date(int y, int mo, int d, int h, int mi, float s);
    Date(const DateVal& v);
    explicit Date(const char* text);
    explicit Date(long secs);

    void init();
    // Every part from the seconds; the zone is kept.
    void set(long secs);
    // The current time, in UTC.
    void set();
    // "cu..." is the current time, else [#]YYYYMMDDHHNNSS.s with missing tails.
    int set(const char* text);
    int set(const DateVal& v);
    int set(const DateVal& v, int offset, const char* zone_name);
    int set(int y, int mo, int d, int h, int mi, float s);
    int setTime(int h, int mi, float s);

    DateVal get() const;
    void getVals(DateVal& v) const { v = get(); }
    int getYear() const { return year; }
    int getYear00() const { return year == Const::MISS ? Const::MISS : year % 100; }
    int getMonth() const { return month; }
    int getDay() const { return day; }
    int getHour() const { return hour; }
    int getMinute() const { return min; }
    float getSecond() const { return sec; }
    long getSeconds() const { return secs; }
    int getJulian() const { return jday; }
    int getDayOfWeek() const { return wday; }
    int getOffset() const { return off; }
    const char* getZone() const { return zone; }
    static long getCurrentSeconds();
    bool isSet() const { return secs != Const::MISS; }

    int setYear(int y);
    int setMonth(int m);
    int setDay(int d);
    int setHour(int h);
    int setMinute(int m);
    int setSecond(int s);
    int setFractionalSecond(float s);

    static bool isYearLeap(int y);
    bool isLeap() const { return year != Const::MISS && isYearLeap(year); }

    // Day number with 1970-01-01 = 1; setDays keeps the time of day.
    long getDays() const;
    int setDays(long n);
    // jday is the 1-based day of year of the date's year.
    int setJulian(int jd);
    // jd counts from 0 (1 January); 0 when outside the year.
    static int setJulian(int y, int jd, int& m, int& d);
    static int getJulian(int y, int m, int d);

    int addYears(int n);
    int addMonths(int n);
    int addDays(int n);
    int addHours(int n);
    int addMinutes(int n);
    int addSeconds(float s);
    int changeTimezone(int offset, const char* zone_name);
    // Round the part down to a multiple of step (and clear the smaller parts' fractions).
    int adjustSecond(int step);
    int adjustMinute(int step);
    int adjustHour(int step);
    void fix();

    int toText(const char* format, String& out) const;
    int toText(String& out) const;
    int toString(String& out) const;
    void print() const;
    void printSeconds() const;

private:
    void update();
    void fromSecs(long s);
    int step(long delta, float frac);

    int wday;
    int jday;
    long secs;
    int off;
    char zone[5];
};

} // namespace HYX

#endif
