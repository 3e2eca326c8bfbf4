// Quantities computed on one sounding level by name, with their units, and analyses of
// whole soundings (stability indices).
#ifndef HYX_UPACALC_H
#define HYX_UPACALC_H

#include "HYX/Export.h"

namespace HYX {

class UpaLevel;
class UpaData;
class VCoord;

class HYX_API UpaCalc {
public:
    // The named quantity (case ignored) of a level holding degrees Celsius and knots;
    // missing when an input it needs is missing or the name is unknown.
    static float calc(const UpaLevel& lev, const char* var);
    // The same for the quantity of index(var), for asking one quantity of many levels.
    static float calc(const UpaLevel& lev, int quantity);
    // The index of a named quantity (case ignored), as getName counts; -1 for an unknown name.
    static int index(const char* var);
    // The unit of a quantity of calc(); "" for an unknown name.
    static const char* getUnits(const char* var);
    // The i-th name calc knows, from 0; null past the last.
    static const char* getName(int i);

    // Stability indices from the sounding interpolated to 850, 700 and 500 mb (degrees C,
    // knots); missing when an input is missing.
    static float totalTotals(const UpaData& snd);
    static float verticalTotals(const UpaData& snd);
    static float crossTotals(const UpaData& snd);
    static float kIndex(const UpaData& snd);
    static float sweatIndex(const UpaData& snd);
    // Height difference (m) and temperature lapse rate (C per km) between two coordinates.
    static float thickness(const UpaData& snd, const VCoord& bot, const VCoord& top);
    static float lapseRate(const UpaData& snd, const VCoord& bot, const VCoord& top);
    // Precipitable water (mm) of the column from the surface (or the lowest level) up.
    static float precipWater(const UpaData& snd);
    // Pressure (mb) where the temperature first falls through 0 C above the surface: the
    // surface pressure when it is already freezing there, missing when it never does.
    static float freezingLevel(const UpaData& snd);
};

} // namespace HYX

#endif
