// Byte order of binary numbers in files: values stored most significant byte first are
// read and written the same way on any machine.
#ifndef HYX_SWAP_H
#define HYX_SWAP_H

#include "HYX/Export.h"

#include <cstdint>

namespace HYX {

class HYX_API Swap {
public:
    static bool isBigEndian();
    // Reverses the bytes of each of n items of size bytes.
    static void swap(void* data, int size, int n);
    static uint16_t getShortBE(const unsigned char* p);
    static uint32_t getIntBE(const unsigned char* p);
    static float getFloatBE(const unsigned char* p);
    static void putShortBE(unsigned char* p, uint16_t v);
    static void putIntBE(unsigned char* p, uint32_t v);
    static void putFloatBE(unsigned char* p, float v);
    static uint16_t getShortLE(const unsigned char* p);
    static void putShortLE(unsigned char* p, uint16_t v);
};

} // namespace HYX

#endif
