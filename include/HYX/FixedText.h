// Numbers written as printf's "%.Nf" writes them, without going through printf: output files
// of many coordinates spend most of their time formatting them.
#ifndef HYX_FIXEDTEXT_H
#define HYX_FIXEDTEXT_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API FixedText {
public:
    static constexpr int MAX_DECIMALS = 4;
    // Room for any float a caller passes: sign, 39 digits, point, decimals and the zero.
    static constexpr int SIZE = 48;

    // Writes v with the given number of decimals (0 to MAX_DECIMALS) into out (SIZE
    // characters) and returns the length; the text is the one "%.<decimals>f" gives.
    static int put(char* out, float v, int decimals);
};

} // namespace HYX

#endif
