// Numbers written as printf's "%.Nf" writes them.
#include "HYX/FixedText.h"

#include <cmath>
#include <cstdio>

namespace HYX {

int FixedText::put(char* out, float v, int decimals) {
    static constexpr double SCALE[] = {1, 10, 100, 1000, 10000};
    if (decimals < 0 || decimals > MAX_DECIMALS || !std::isfinite(v) || std::fabs(v) >= 1e14f)
        return std::snprintf(out, SIZE, "%.*f", decimals < 0 ? 0 : decimals, v);
    // A float has 24 significant bits and 10^4 = 2^4 x 625 adds 10 more, so the scaled value
    // is exact in a double and rounding it once to the nearest integer, ties to even, is the
    // rounding printf does on the exact decimal expansion.
    const long long units = std::llrint(std::fabs(static_cast<double>(v)) * SCALE[decimals]);
    char digits[24];
    int n = 0;
    long long rest = units;
    do {
        digits[n++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest > 0 || n <= decimals);
    int len = 0;
    if (std::signbit(v)) out[len++] = '-';
    while (n > decimals) out[len++] = digits[--n];
    if (decimals > 0) out[len++] = '.';
    while (n > 0) out[len++] = digits[--n];
    out[len] = 0;
    return len;
}

} // namespace HYX
