#include "ui/memory.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ui {

void returnLargeBlocksToTheSystem() {
#if defined(__GLIBC__)
    // Setting the threshold also stops glibc from moving it.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

}  // namespace ui
