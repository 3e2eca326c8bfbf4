// The values of one column of a cross section by name: everything a sounding level gives
// (UpaCalc), and what the section adds: the wind across and along the section, which needs
// the section's direction there, and the stability of the sounding's own layers.
#ifndef HYX_COLUMNCALC_H
#define HYX_COLUMNCALC_H

#include "HYX/Export.h"
#include "HYX/Wind.h"

#include <vector>

namespace HYX {

class UpaData;
class UpaLevel;

class HYX_API ColumnCalc {
public:
    // snd: the column's sounding, which must outlive the object; direction: the section's
    // bearing there, missing where the section has none (a time section).
    ColumnCalc(const UpaData& snd, float direction);

    // The named quantity (case ignored) at a level interpolated from the column's sounding,
    // in the units of getUnits; missing where it cannot be computed.
    float value(const char* name, const UpaLevel& level) const;
    // A name looked up once, for asking its quantity of many levels and columns:
    // value(quantity(name), level) is value(name, level).
    struct Quantity {
        int section = -1; // among the quantities the section adds (getName), or -1
        int level = -1;   // among those of UpaCalc, or -1
    };
    static Quantity quantity(const char* name);
    float value(const Quantity& q, const UpaLevel& level) const;
    // The barb of a barb variable at the level: wbarb the wind itself, sbarb the wind turned
    // into the section (along it to the right of the page, across it to the left upwards);
    // an invalid wind where there is none.
    Wind barb(const char* name, const UpaLevel& level) const;

    // The units of a quantity; "" for a name neither the section nor UpaCalc knows.
    static const char* getUnits(const char* name);
    // The i-th name the section adds to those of UpaCalc, from 0; null past the last.
    static const char* getName(int i);
    // Quantities that need the direction of a line of stations.
    static bool needsLine(const char* name);
    static bool isBarb(const char* name);

private:
    struct Layer {
        float p0, p1; // pressures of the lower and the upper level
        float lapse;  // K/km
        float bvf;    // 1/s, missing where the layer is unstable
    };
    const Layer* layerAt(float p) const;
    void findLayers() const;

    const UpaData* sounding;
    float direction;
    // The layers between the sounding's levels that carry a temperature of their own,
    // from the ground up, once asked for.
    mutable bool layered = false;
    mutable std::vector<Layer> layers;
};

} // namespace HYX

#endif
