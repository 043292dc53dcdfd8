#include "platform/drawing/LargeBlocks.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void GiveFreedPicturesBack() {
#if defined(__GLIBC__)
  // Setting the bound at all keeps the library from moving it.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

}  // namespace platform
