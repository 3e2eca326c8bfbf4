// Quantities computed on one sounding level by name, with their units, and analyses of
// whole soundings (stability indices).
#ifndef HYX_UPACALC_H
#define HYX_UPACALC_H

namespace HYX {

class UpaLevel;
class UpaData;

class UpaCalc {
public:
    // The named quantity (case ignored) of a level holding degrees Celsius and knots;
    // missing when an input it needs is missing or the name is unknown.
    static float calc(const UpaLevel& lev, const char* var);
    // The unit of a quantity of calc(); "" for an unknown name.
    static const char* getUnits(const char* var);
};

} // namespace HYX

#endif
