// Memory for the pixels of an image. Blocks of a megabyte or more are asked of the kernel in
// huge pages where it offers them on request: faulting in a large picture page by page costs
// more than drawing it.
#ifndef HYX_PIXELALLOCATOR_H
#define HYX_PIXELALLOCATOR_H

#include "HYX/Export.h"

#include <cstddef>

namespace HYX {

class HYX_API PixelAllocator {
public:
    using value_type = unsigned char;
    static constexpr size_t LARGE = size_t(1) << 20;
    static constexpr size_t HUGE_PAGE = size_t(2) << 20;

    template <class U> struct rebind { using other = PixelAllocator; };

    PixelAllocator() = default;
    unsigned char* allocate(size_t n);
    void deallocate(unsigned char* p, size_t n);
    bool operator==(const PixelAllocator&) const { return true; }
    bool operator!=(const PixelAllocator&) const { return false; }
};

} // namespace HYX

#endif
