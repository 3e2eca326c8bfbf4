// A level or a layer between two levels, each of one of many level kinds (isobaric,
// height, sigma, cloud layers...), with its compact text syntax (500mb, p850-500, sfc,
// 3000ft), a short text form, a label and the GRIB edition 1 level codes.
#ifndef HYX_LEVEL_H
#define HYX_LEVEL_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class String;
class VCoord;

class HYX_API Level {
public:
    enum Type {
        NONE = -9999,
        SND = 0,
        SFC = 1,
        CLD_BOT = 2,
        CLD_TOP = 3,
        FRZ = 4,
        LCL = 5,
        MWND = 6,
        TROP = 7,
        TOP = 8,
        SEABOT = 9,
        PR = 100,
        MSL = 101,
        HT = 102,
        HAG = 103,
        SIG = 104,
        HYB = 105,
        HBG = 106,
        POT = 107,
        PAG = 108,
        POT_VORT = 109,
        ETA = 111,
        MISC = 199,
        WHOLE = 200,
        TOP_FRZ = 204,
        GSCLD_BOT = 206,
        GSCLD_TOP = 207,
        BLCLD_BOT = 209,
        BLCLD_TOP = 210,
        BLCLD_LYR = 211,
        LCLD_BOT = 212,
        LCLD_TOP = 213,
        LCLD_LYR = 214,
        CLD_CEIL = 215,
        PBL = 220,
        MCLD_BOT = 222,
        MCLD_TOP = 223,
        MCLD_LYR = 224,
        HCLD_BOT = 232,
        HCLD_TOP = 233,
        HCLD_LYR = 234,
        CONV_BOT = 242,
        CONV_TOP = 243,
        CONV_LYR = 244,
        WBZERO = 245,
        MAXEPOT = 246,
        EQUILIB = 247,
        SCCLD_BOT = 248,
        SCCLD_TOP = 249,
        DCCLD_BOT = 251,
        DCCLD_TOP = 252,
        SCLW_BOT = 253,
        SCLW_TOP = 254
    };

    // One part of a level: its kind and value.
    struct Lev {
        int type = NONE;
        float lev = Const::FMISS;
    };

    Level() = default;
    Level(int type1, float lev1, int type2, float lev2) { set(type1, lev1, type2, lev2); }
    Level(int type, float lev1, float lev2) { set(type, lev1, lev2); }
    Level(int type, float lev) { set(type, lev); }
    explicit Level(const char* text) { decode(text); }

    void init();
    bool isSet() const { return l1.type != NONE; }
    bool valid() const { return isSet() && l1.lev != Const::FMISS; }

    void set(int type1, float lev1, int type2, float lev2);
    void set(int type, float lev1, float lev2);
    void set(int type, float lev);
    int set(const char* text) { return decode(text); }
    // Parses a level text; 0 (level unset) for an empty, "none" or unreadable text.
    int decode(const char* text);

    int getType() const { return l1.type; }
    int getType1() const { return l1.type; }
    int getType2() const { return l2.type; }
    float getLev1() const { return l1.lev; }
    float getLev2() const { return l2.lev; }

    // The sounding coordinate of the lower (first) and upper (second) part; 0 when the
    // kind has no sounding coordinate.
    int getLower(VCoord& c) const;
    int getUpper(VCoord& c) const;

    int toString(String& out) const;
    int toLabel(String& out) const;
    int toTypeCode() const { return toTypeCode(l1.type, l2.type); }
    int toTypeCode(int type) const { return toTypeCode(type, NONE); }
    static int toTypeCode(int type1, int type2);
    int toLevelCode() const;

    bool isLayer() const { return l2.type != NONE; }
    bool isPres() const { return l1.type == PR; }
    bool isHght() const { return l1.type == HT; }
    bool isPot() const { return l1.type == POT; }
    void print() const;

    Lev l1;
    Lev l2;

private:
    // Result of decoding one part: 0 nothing, 1 bare number, 2 number with unit, 3 keyword.
    static int decodeLev(const char* text, Lev& out, float& factor);
    static void orderPair(Lev& a, Lev& b, bool largerFirst);
    // Writes one part in full (text form or label) into buf.
    static void formatLev(const Lev& l, bool layer, bool label, char* buf, int size);
    static bool bareNumber(const Lev& l, bool layer);
    int format(String& out, bool label) const;
};

} // namespace HYX

#endif
