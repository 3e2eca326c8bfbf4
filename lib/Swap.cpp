// Byte order of binary numbers in files.
#include "HYX/Swap.h"

#include <cstring>

namespace HYX {

bool Swap::isBigEndian() {
    const uint16_t probe = 0x0102;
    unsigned char b[2];
    std::memcpy(b, &probe, 2);
    return b[0] == 0x01;
}

void Swap::swap(void* data, int size, int n) {
    if (!data || size < 2) return;
    auto* p = static_cast<unsigned char*>(data);
    for (int i = 0; i < n; ++i, p += size)
        for (int a = 0, b = size - 1; a < b; ++a, --b) {
            const unsigned char t = p[a];
            p[a] = p[b];
            p[b] = t;
        }
}

uint16_t Swap::getShortBE(const unsigned char* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint32_t Swap::getIntBE(const unsigned char* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

float Swap::getFloatBE(const unsigned char* p) {
    const uint32_t v = getIntBE(p);
    float f;
    std::memcpy(&f, &v, sizeof f);
    return f;
}

void Swap::putShortBE(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}

void Swap::putIntBE(unsigned char* p, uint32_t v) {
    for (int k = 0; k < 4; ++k) p[k] = static_cast<unsigned char>(v >> (24 - 8 * k));
}

void Swap::putFloatBE(unsigned char* p, float f) {
    uint32_t v;
    std::memcpy(&v, &f, sizeof v);
    putIntBE(p, v);
}

uint16_t Swap::getShortLE(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void Swap::putShortLE(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

} // namespace HYX
