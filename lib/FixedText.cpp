// Numbers written as printf's "%.Nf" writes them.
#include "HYX/FixedText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace HYX {

int FixedText::put(char* out, float v, int decimals) {
    static constexpr double SCALE[] = {1, 10, 100, 1000, 10000};
    if (decimals < 0 || decimals > MAX_DECIMALS || !std::isfinite(v) || std::fabs(v) >= 1e14f)
        return std::snprintf(out, SIZE, "%.*f", decimals < 0 ? 0 : decimals, v);
    // A float has 24 significant bits and 10^4 = 2^4 x 625 adds 10 more, so the scaled value
    // is exact in a double and rounding it once to the nearest integer, ties to even, is the
    // rounding printf does on the exact decimal expansion.
    const long long units = std::llrint(std::fabs(static_cast<double>(v)) * SCALE[decimals]);
    // Digits from the last one backwards into the end of a buffer, then copied out.
    char buf[SIZE];
    char* const end = buf + sizeof buf;
    char* q = end;
    auto emit = [&](auto rest) {
        for (int i = 0; i < decimals; ++i, rest /= 10) *--q = static_cast<char>('0' + rest % 10);
        if (decimals > 0) *--q = '.';
        do {
            *--q = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest > 0);
    };
    // Page coordinates fit the narrower division, which is several times cheaper.
    if (units <= 0xffffffffLL)
        emit(static_cast<std::uint32_t>(units));
    else
        emit(static_cast<unsigned long long>(units));
    if (std::signbit(v)) *--q = '-';
    const int len = static_cast<int>(end - q);
    std::memcpy(out, q, len);
    out[len] = 0;
    return len;
}

} // namespace HYX
