// Date texts: month and weekday names, parsing of date texts, date and hour labels.
#ifndef HYX_DATETOOL_H
#define HYX_DATETOOL_H

#include "HYX/Export.h"

namespace HYX {

class Date;
class ForeTime;
class String;
class Timezone;

class HYX_API DateTool {
public:
    static const char* const months[12];
    static const char* const months_lc[12];
    static const char* const months_long[12];
    static const char* const day_of_week[7];

    // "#YYYYMMDDHHNN" gives the seconds of that time, anything else its integer value.
    static long getSeconds(const char* text);
    // H or H:M as minutes (a negative H also subtracts M); 0 otherwise.
    static int getMinutes(const char* text);
    static int getCurrent(String& out);
    static int getCurrent(const char* format, String& out);

    // Reads a date text such as "12Z  4 DEC 2026" or "Valid 1230Z 04 DEC 26"; 0 when no
    // known form fits (the date is then unset).
    static int decode(const char* text, Date& date);
    // Month number from a month name in either case; 0 when unknown.
    static int decodeMonth(const char* text);
    // Names by number (month 1-12, weekday 0-6); the empty text out of range.
    static const char* getMonth(int m);
    static const char* getMonthLower(int m);
    static const char* getMonthLong(int m);
    static const char* getDayWeek(int w);

    // Date labels such as "12Z  4 DEC 26" or "6 AM CST [12Z]  4 DEC 26"; bit 0 of type adds
    // the weekday. 0 with an empty label when the date is not set.
    static int createLabel(const char* prefix, const Date& date, const Timezone& tz, int type,
                           String& out);
    static int createLabel(const char* prefix, const Date& date, const Timezone& tz, String& out);
    static int createLabel(const Date& date, const Timezone& tz, String& out);
    // The label of the date moved by that many hours (missing hours: not moved).
    static int createLabel(const Date& date, const Timezone& tz, float hours, String& out);
    // "prefix 36 hour for <valid time label>" (" valid " for negative forecast hours).
    static int createLabel(const Date& date, const Timezone& tz, const char* prefix,
                           const ForeTime& fore, String& out);
    // "36 hour", "1.5 day"...; the empty text for 0 and missing.
    static int createHourLabel(float hours, int days, String& out);
    static void print(long secs);
};

} // namespace HYX

#endif
