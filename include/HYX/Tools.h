// Small numeric and text helpers shared by contouring, colours and variables.
#ifndef HYX_TOOLS_H
#define HYX_TOOLS_H

#include "HYX/Export.h"

namespace HYX {

class String;

class HYX_API Tools {
public:
    static bool isInt(const char* text);
    static bool isFloat(const char* text);
    // Compact decimal text without trailing zeros.
    static int toString(float v, String& out);
    // Decimal text with about n significant digits.
    static int toString(float v, int n, String& out);
    // Two-digit mantissa and exponent code: 500 -> 250, 1.5 -> 15, 0.25 -> 950.
    static int toInt(float v);
    // Rounded-up interval for about n steps between min and max.
    static float calcInterval(float max, float min, int n);

    static void printClean(const unsigned char* bytes, int n);
    static void printControl(const unsigned char* bytes, int n);
    static void dumpHex(const unsigned char* bytes, int n);
};

} // namespace HYX

#endif
