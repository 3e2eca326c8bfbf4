// One sounding level: pressure, height, temperature, dew point and wind, with a kind and
// flags saying where the level came from and what role it plays.
#ifndef HYX_UPALEVEL_H
#define HYX_UPALEVEL_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API UpaLevel {
public:
    // The two low bits give the kind of report list; higher bits are flags.
    enum Type { NONE = 0, MAN = 1, SIG = 2, WND = 3, SFC = 4, TROP = 16, MWND = 32, LCL = 64 };
    static constexpr int NUM_MANDATORY = 16;

    UpaLevel() = default;
    UpaLevel(float pp, float ph, float pt, float ptd, float pdir, float pspd) {
        set(pp, ph, pt, ptd, pdir, pspd);
    }

    void init() { *this = UpaLevel(); }
    void set(float pp, float ph, float pt, float ptd, float pdir, float pspd) {
        p = pp;
        h = ph;
        t = pt;
        td = ptd;
        dir = pdir;
        spd = pspd;
    }
    void setPres(float v) { p = v; }
    float getPres() const { return p; }
    void setHght(float v) { h = v; }
    float getHght() const { return h; }
    void setTemp(float v) { t = v; }
    float getTemp() const { return t; }
    void setDewpt(float v) { td = v; }
    float getDewpt() const { return td; }
    void setWDir(float v) { dir = v; }
    float getWDir() const { return dir; }
    void setWSpd(float v) { spd = v; }
    float getWSpd() const { return spd; }
    void setType(int v) { type = v; }
    int getType() const { return type; }

    // Fills the values missing here (and the kind, when none) from other; values present
    // here are kept.
    void update(const UpaLevel& other);
    void print() const;

    // Index of a mandatory pressure (1000 ... 10 mb) equal to p, or -1.
    static int getMandatoryIndex(float p);
    static bool isMandatory(float p) { return getMandatoryIndex(p) != -1; }
    static float getMandatoryPres(int i);

    int type = NONE;
    float p = Const::FMISS;
    float h = Const::FMISS;
    float t = Const::FMISS;
    float td = Const::FMISS;
    float dir = Const::FMISS;
    float spd = Const::FMISS;
};

} // namespace HYX

#endif
