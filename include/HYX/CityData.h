// One station of a city file: name, state and region codes, identifier, flags,
// position, elevation and WMO number.
#ifndef HYX_CITYDATA_H
#define HYX_CITYDATA_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API CityData {
public:
    static constexpr int name_len = 17;
    static constexpr int state_len = 3;
    static constexpr int region_len = 3;
    static constexpr int id_len = 10;

    CityData() { init(); }
    void init();

    void setName(const char* s);
    void setState(const char* s);
    void setRegion(const char* s);
    void setId(const char* s);
    void setLocation(float la, float lo, float elev) {
        lat = la;
        lon = lo;
        el = elev;
    }
    void setWmo(long n) { wmo = n; }
    void setPrior(int p) { prior = p; }
    void setFlags(char m, char u) {
        mos = m;
        ua = u;
    }
    void setNum(int n) { num = n; }

    const char* getId() const { return id; }
    const char* getName() const { return name; }
    const char* getState() const { return state; }
    const char* getRegion() const { return region; }
    long getWmo() const { return wmo; }
    float getLat() const { return lat; }
    float getLon() const { return lon; }
    float getElev() const { return el; }
    int getPrior() const { return prior; }
    int getNum() const { return num; }
    char getMos() const { return mos; }
    char getUa() const { return ua; }
    void print() const;

    char name[name_len];
    char state[state_len];
    char region[region_len];
    char id[id_len];
    int prior;
    char mos;
    char ua;
    float lat;
    float lon;
    float el;
    long wmo;
    int num;
};

} // namespace HYX

#endif
