// A merged sounding: up to 300 levels sorted from the ground upward, each with pressure
// and height, with markers for the surface, tropopause and maximum-wind levels, and its
// vertical interpolation in pressure, height or potential temperature.
#ifndef HYX_UPADATA_H
#define HYX_UPADATA_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/UpaLevel.h"
#include "HYX/VCoord.h"

#include <vector>

namespace HYX {

class HYX_API UpaData {
public:
    static constexpr int MAXLEV = 300;

    UpaData() { init(); }

    void init();
    // Appends a level; its index, or -1 when the sounding is full.
    int addLevel(const UpaLevel& lev);
    // Room for n levels (at most MAXLEV), so that adding them allocates once.
    void reserveLevels(int n);
    int delLevel(int i);
    // Fills the missing values of level i from lev; the kind is kept.
    int updateLevel(int i, const UpaLevel& lev);
    int setNum(int n);
    int getNum() const { return num; }
    UpaLevel getLevel(int i) const;

    // Per-level access; a negative index counts from the top (-1 is the highest level).
    int getType(int i) const;
    int setType(int i, int t);
    float getPres(int i) const;
    int setPres(int i, float v);
    float getHght(int i) const;
    int setHght(int i, float v);
    float getTemp(int i) const;
    int setTemp(int i, float v);
    float getDewp(int i) const;
    int setDewp(int i, float v);
    float getDir(int i) const;
    int setDir(int i, float v);
    float getSpd(int i) const;
    int setSpd(int i, float v);
    float getTempK(int i) const;
    float getDewpK(int i) const;
    bool validPres(int i) const { return getPres(i) != Const::FMISS; }
    bool validHght(int i) const { return getHght(i) != Const::FMISS; }
    bool validTemp(int i) const { return getTemp(i) != Const::FMISS; }
    bool validDewp(int i) const { return getDewp(i) != Const::FMISS; }
    bool validDir(int i) const { return getDir(i) != Const::FMISS; }
    bool validSpd(int i) const { return getSpd(i) != Const::FMISS; }
    bool isLevelMandatory(int i) const { return UpaLevel::isMandatory(getPres(i)); }

    // Station
    void setId(const char* text);
    const char* getId() const { return id; }
    void setArea(const char* text);
    const char* getArea() const { return area; }
    void setGenName(const char* text);
    const char* getGenName() const { return gen_name; }
    void setWmo(int w) { wmo = w; }
    int getWmo() const { return wmo; }
    void setLoc(float plat, float plon) {
        lat = plat;
        lon = plon;
    }
    float getLat() const { return lat; }
    float getLon() const { return lon; }
    // The station elevation, also given to the surface level when one is marked.
    void setElev(float e);
    float getElev() const { return elev; }
    void setDate(const Date& d) { date = d; }
    const Date& getDate() const { return date; }
    void setFhour(int h) { fhour = h; }
    int getFhour() const { return fhour; }
    void setType(int t) { type = t; }
    int getType() const { return type; }

    // Markers: level indices or missing.
    void setSfc(int i) { sfc = i; }
    int getSfc() const { return sfc; }
    void setTrop(int i) { trop = i; }
    int getTrop() const { return trop; }
    void setMaxWnd(int i) { maxwnd = i; }
    int getMaxWnd() const { return maxwnd; }
    bool isSfc() const { return sfc != Const::MISS; }
    int getSfc(UpaLevel& l) const { return getMarked(sfc, l); }
    int getTrop(UpaLevel& l) const { return getMarked(trop, l); }
    int getMaxWnd(UpaLevel& l) const { return getMarked(maxwnd, l); }
    float getSfcPres() const;
    float getSfcHght() const;
    void setSfcHght(float h) { setElev(h); }
    // 0 (not missing) without a tropopause or maximum wind.
    float getTropPres() const;
    float getMaxWndPres() const;

    void sortPres();
    void sortHeight();
    // Heights from pressures (sorted by decreasing pressure) and pressures from heights
    // (sorted by increasing height), each anchored on the values already known.
    void calcHeight();
    void calcPres();
    // Fill missing temperatures, dew points and winds between known ones, in log pressure.
    void interpTemps();
    void interpWinds();
    // The state at a vertical coordinate; returns the split index (or the surface marker
    // for the surface, -1 for coordinates that cannot be interpolated).
    int interp(const VCoord& c, UpaLevel& out) const;
    // The same, for many pressures of one sounding: logs holds pressCoords() of the sounding
    // as it is now, so that the levels' logarithms are taken once.
    int interp(const VCoord& c, UpaLevel& out, const std::vector<double>& logs) const;
    std::vector<double> pressCoords() const;
    int interp(int ctype, float val, UpaLevel& out) const {
        return interp(VCoord(ctype, val), out);
    }
    void print() const;

private:
    int index(int i) const;
    int getMarked(int marker, UpaLevel& lev) const;
    float field(int i, float UpaLevel::*f) const;
    int setField(int i, float UpaLevel::*f, float v);
    void sortBy(bool byHeight);
    void fillLogP(float UpaLevel::*f);
    float layerTemp(int lo, int hi) const;

    int type;
    Date date;
    int fhour;
    char gen_name[20];
    char id[20];
    char area[20];
    int wmo;
    float lat;
    float lon;
    float elev;
    // The levels, num of them: a sounding holds only the room its levels take.
    std::vector<UpaLevel> lev;
    int num = 0;
    int sfc;
    int maxwnd;
    int trop;
};

} // namespace HYX

#endif
