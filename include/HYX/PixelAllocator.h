// Memory for the pixels of an image. Blocks of a megabyte or more are asked of the kernel in
// huge pages where it offers them on request: faulting in a large picture page by page costs
// more than drawing it.
#ifndef HYX_PIXELALLOCATOR_H
#define HYX_PIXELALLOCATOR_H

#include "HYX/Export.h"

#include <cstddef>
#include <new>

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
    // Pixels added by resizing are left as they are: the image clears or fills them whole,
    // faster than byte by byte.
    template <class U> void construct(U* p) { ::new (static_cast<void*>(p)) U; }
    template <class U, class V> void construct(U* p, V&& v) {
        ::new (static_cast<void*>(p)) U(static_cast<V&&>(v));
    }
    template <class U> void destroy(U*) {}
    bool operator==(const PixelAllocator&) const { return true; }
    bool operator!=(const PixelAllocator&) const { return false; }
};

} // namespace HYX

#endif
