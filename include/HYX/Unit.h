// Unit conversion through the unit table "units.lup" of the database directory, with a
// small cache of the pairs already looked up.
#ifndef HYX_UNIT_H
#define HYX_UNIT_H

#include "HYX/Export.h"
#include "HYX/UnitData.h"

#include <array>

namespace HYX {

class String;

class HYX_API Unit {
public:
    static constexpr int max_cvs = 10;

    Unit() { init(); }
    void init();

    bool valid(const char* in, const char* out);
    float convert(float value, const char* in, const char* out);
    // Looks the pair up in the table; fills d and returns 1 when an entry matches.
    int readFile(const char* in, const char* out, UnitData& d) const;

    static bool equal(const char* a, const char* b);
    // Names compare ignoring case, with a blank and '_' alike.
    static bool same(const char* a, const char* b);
    // Splits a unit string into its numeric factor and its name.
    static float getFactor(const char* units, String& name);
    // "name [units]" or "name (units)" into its two parts.
    static int parse(const char* s, String& name, String& units);
    static int simplify(char* units);
    static int simplify(String& units);
    // The units of a quantity in units in that was multiplied by factor; out, when
    // given, replaces the name.
    static int scale(const char* in, float factor, const char* out, String& result);

    int getNum() const { return ncvs; }
    void print() const;

private:
    int find(const char* in, const char* out) const;
    int lookup(const char* in, const char* out);

    std::array<UnitData, max_cvs> cvs;
    int ncvs = 0;
    int stamp = 0;    // last cache stamp given out
    UnitData scratch; // answer for a pair too long to cache
};

} // namespace HYX

#endif
