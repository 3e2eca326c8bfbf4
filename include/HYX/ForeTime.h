// The time of a field relative to the initial time of its data: an analysis, a forecast
// hour or a period (range, average, accumulation, difference, maximum, minimum).
#ifndef HYX_FORETIME_H
#define HYX_FORETIME_H

#include "HYX/DateVal.h"
#include "HYX/Export.h"

namespace HYX {

class String;

class HYX_API ForeTime {
public:
    // Values of type.
    enum Type { FORE = 0, ANAL = 1, RNG = 2, AVG = 3, ACC = 4, DIF = 5, MAX = 6, MIN = 7, ANY = 9 };
    // Values of unit.
    enum Unit { MINUTES = 0, HOURS = 1, DAYS = 2, MONTHS = 3 };

    ForeTime() { init(); }
    explicit ForeTime(const char* text) { decode(text); }
    ForeTime(int t, float t1, float t2) { set(t, t1, t2); }
    ForeTime(int t, int u, float t1, float t2) { set(t, u, t1, t2); }
    explicit ForeTime(int code) { set(code); }

    void init();
    // Texts such as 12, 12hr, h12, d2, e1, anal, 12-6acc, anal-6acc, time-6acc.
    // 1 for an absolute time, 0 for relative, empty or "miss" texts.
    int decode(const char* text);
    int set(const char* text) { return decode(text); }
    int set(int t, float t1, float t2);
    int set(int t, int u, float t1, float t2);
    // Inverse of toCode.
    int set(int code);

    void setEnd(const DateVal& d) { end = d; }
    DateVal getEnd() const { return end; }
    bool validEnd() const { return !end.allMissing(); }
    void setOffset(float o) { off = o; }
    float getOffset() const { return off; }
    int getType() const { return type; }
    int getUnit() const { return unit; }
    // A period rather than a single time.
    bool isTypeComplex() const { return type >= RNG && type <= 8; }
    void setTime1(float t) { tim1 = t; }
    float getTime1() const { return tim1; }
    void setTime2(float t) { tim2 = t; }
    float getTime2() const { return tim2; }
    bool isSet() const { return tim1 != Const::FMISS || tim2 != Const::FMISS; }
    bool valid() const { return isSet(); }

    // The end of a range, average, accumulation or difference, else the time.
    float getFore() const;
    float getHours() const;
    int getSeconds() const;

    int toString(String& out) const;
    int toTimeLabel(String& out) const;
    static int toTimeLabel(float hours, String& out);
    int toTimeLabelDay(String& out) const;
    int toVarLabel(String& out) const;
    int toCode() const;
    void print() const;

    static const char* getTypeWord(int t);

private:
    int type;
    int unit;
    float tim1;
    float tim2;
    float off;
    DateVal end;
};

} // namespace HYX

#endif
