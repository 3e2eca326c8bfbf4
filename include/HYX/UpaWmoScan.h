// A cursor over the text of a coded upper-air report that takes it group by group, and the
// conversions of the TEMP and PILOT codes shared by the decoders.
#ifndef HYX_UPAWMOSCAN_H
#define HYX_UPAWMOSCAN_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API UpaWmoScan {
public:
    explicit UpaWmoScan(const char* text);

    // The next group matches pattern when it has exactly one character per pattern character
    // ('d' a digit, 'x' a digit or '/', anything else itself) and white space follows it.
    // peek leaves the group for the next attempt; take consumes it (with the white space).
    bool peek(const char* pattern);
    bool take(const char* pattern);
    // A word of 1 to maxlen characters followed by white space, the two covering at least
    // minmatch characters; copied into word (room for maxlen + 1).
    bool takeWord(int maxlen, int minmatch, char* word);
    // The word at the cursor equals text exactly.
    bool isWord(const char* text) const;
    // One of the first n words equals text.
    bool hasWord(const char* text, int n) const;
    // Consumes the group that the last successful peek found.
    void skip();

    // The group found by the last successful peek or take.
    const char* group() const { return grp; }
    // The number in len characters of that group from pos; missing when any is not a digit.
    int field(int pos, int len) const;

    int getPos() const { return pos; }
    void setPos(int p) { pos = p; }

    // Height in metres of a standard surface from its three coded digits (metres or
    // decametres with the thousands implied by the surface); missing when hhh is missing or
    // the surface is not one of the coded standard surfaces.
    static float stdHeight(int p, int hhh);
    // The same, except that the 925 hPa height may pass 1000 m: of hhh and hhh + 1000 the
    // one nearer the standard atmosphere's 925 hPa height.
    static float stdHeightFull(int p, int hhh);
    static bool isStdSurface(int p);
    // Temperature and dew point from TTT and DD; each missing when its digits are, and the
    // dew point missing for DD 99 too unless full is set (then 99 is the code table's
    // depression of 49 degrees).
    static void tempDewpt(int ttt, int dd, float& t, float& td, bool full = false);
    // A wind group: 1 a wind (missing when its digits are, or when the direction is beyond
    // 360), 0 not a wind group because dd exceeds 36, -1 not a wind group because the speed
    // exceeds what the code allows. Speeds in m/s are converted to knots.
    static int wind(int dd, int fff, bool knots, float& dir, float& spd);

private:
    int match(const char* pattern) const;

    const char* text;
    int pos = 0;
    char grp[16] = {0};
    int glen = 0;
    int next = 0; // where the cursor goes when the peeked group is consumed
};

} // namespace HYX

#endif
