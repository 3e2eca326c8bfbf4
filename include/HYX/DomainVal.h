// The values that define a domain: projection code, pole, parameters, centre, grid
// spacing and size, and the ellipsoidal-earth flag.
#ifndef HYX_DOMAINVAL_H
#define HYX_DOMAINVAL_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API DomainVal {
public:
    static constexpr int max_param = 5;

    DomainVal() { init(); }
    void init();
    void set(const DomainVal& v) { *this = v; }
    bool isSet() const { return proj != Const::MISS && proj >= 0; }
    // Same projection, pole, parameters, centre, spacing, size and ellipse flag.
    static bool compare(const DomainVal& a, const DomainVal& b);
    // Same projection, pole, parameters and ellipse flag; the extent may differ.
    static bool compareProj(const DomainVal& a, const DomainVal& b);

    int proj;
    float plat;
    float plon;
    float param[max_param];
    float clat;
    float clon;
    float dx;
    float dy;
    int nx;
    int ny;
    bool ellipse;
};

} // namespace HYX

#endif
