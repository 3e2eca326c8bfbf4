// Memory for the pixels of an image.
#include "HYX/PixelAllocator.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace HYX {

unsigned char* PixelAllocator::allocate(size_t n) {
    void* p = nullptr;
    if (n >= LARGE) {
        const size_t whole = (n + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
        p = std::aligned_alloc(HUGE_PAGE, whole);
        if (p) ::madvise(p, whole, MADV_HUGEPAGE);
    } else {
        p = std::malloc(n ? n : 1);
    }
    if (!p) throw std::bad_alloc();
    return static_cast<unsigned char*>(p);
}

void PixelAllocator::deallocate(unsigned char* p, size_t) { std::free(p); }

} // namespace HYX
