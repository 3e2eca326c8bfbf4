// A sounding report as received: mandatory pressure levels, significant temperature
// levels and wind levels keyed by height in feet, kept in three separate lists.
#ifndef HYX_UPARAWINDATA_H
#define HYX_UPARAWINDATA_H

#include "HYX/Date.h"
#include "HYX/EarthPoint.h"
#include "HYX/Export.h"
#include "HYX/UpaLevel.h"

#include <array>

namespace HYX {

class HYX_API UpaRawinData {
public:
    static constexpr int max_man = 25;
    static constexpr int max_sig = 250;
    static constexpr int max_wnd = 150;

    UpaRawinData() { init(); }

    void init();

    void setId(const char* text);
    void setId(const char* text, int wmo_num, float plat, float plon);
    const char* getId() const { return id; }
    void setArea(const char* text);
    const char* getArea() const { return area; }
    void setWmo(int w) { wmo = w; }
    int getWmo() const { return wmo; }
    void setLat(float v) { lat = v; }
    float getLat() const { return lat; }
    void setLon(float v) { lon = v; }
    float getLon() const { return lon; }
    void getLoc(float& plat, float& plon) const {
        plat = lat;
        plon = lon;
    }
    EarthPoint getLoc() const { return EarthPoint(lat, lon, elev); }
    void setElev(float e) { elev = e; }
    float getElev() const { return elev; }
    void setDate(const Date& d) { date = d; }
    const Date& getDate() const { return date; }
    void setType(int t) { type = t; }
    int getType() const { return type; }
    // Hour x 100 + minute of the observation, or missing.
    int getTime() const;

    // Markers: indices into the mandatory list, or missing.
    void setSfc(int i) { sfc = i; }
    int getSfc() const { return sfc; }
    void setTrop(int i) { trop = i; }
    int getTrop() const { return trop; }
    void setMaxWnd(int i) { maxwnd = i; }
    int getMaxWnd() const { return maxwnd; }

    int getNumMan() const { return num_man; }
    int getNumSig() const { return num_sig; }
    int getNumWnd() const { return num_wnd; }
    // Merge into the entry of equal pressure (height for winds) or append; the index, -1
    // when the list is full, missing for a mandatory level without pressure.
    int addMan(const UpaLevel& lev);
    int addSig(const UpaLevel& lev);
    int addWnd(const UpaLevel& lev);
    int setMan(int i, const UpaLevel& lev);
    int setSig(int i, const UpaLevel& lev);
    int setWnd(int i, const UpaLevel& lev);
    UpaLevel getMan(int i) const;
    UpaLevel getSig(int i) const;
    UpaLevel getWnd(int i) const;
    float getManPr(int i) const;
    float getSigPr(int i) const;
    float getWndHt(int i) const;
    // Mandatory and significant levels by decreasing pressure, winds by increasing height;
    // equal keys keep their order and the markers follow their levels.
    void sort();
    void print() const;

private:
    char id[11];
    char area[11];
    int wmo;
    int type;
    Date date;
    float lat;
    float lon;
    float elev;
    // Slots from a list's count up are always clean (init clears the used ones).
    std::array<UpaLevel, max_man> man;
    int num_man = 0;
    int sfc;
    int maxwnd;
    int trop;
    std::array<UpaLevel, max_sig> sig;
    int num_sig = 0;
    std::array<UpaLevel, max_wnd> wnd;
    int num_wnd = 0;
    // Whether each list runs strictly in reading order (pressure falling, height rising):
    // then a level beyond the last is added without searching the list for its key.
    bool man_ordered = true;
    bool sig_ordered = true;
    bool wnd_ordered = true;
};

} // namespace HYX

#endif
