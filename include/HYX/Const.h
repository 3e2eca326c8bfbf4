// Shared constants: the missing value and the physical and geometric constants.
#ifndef HYX_CONST_H
#define HYX_CONST_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API Const {
public:
    static constexpr int MISS = -9999;
    static constexpr float FMISS = -9999.0f;
    static constexpr float PI = 3.1415927f;
    static constexpr float TWO_PI = 6.2831855f;
    static constexpr float DRC = 0.017453292f; // degrees to radians
    static constexpr float RDC = 57.29578f;    // radians to degrees
    static constexpr float EARTH = 63.7122f;   // earth radius in units of 100 km
    static constexpr float R = 287.05f;        // gas constant of dry air, J/(kg K)
    static constexpr float G = 9.8f;           // gravity, m/s2
    static constexpr float CP = 1004.0f;       // specific heat at constant pressure
    static constexpr float CV = 717.0f;        // specific heat at constant volume

    static bool isMiss(float v) { return v == FMISS; }
    static bool isMiss(int v) { return v == MISS; }
    static bool valid(float v) { return v != FMISS; }
};

} // namespace HYX

#endif
