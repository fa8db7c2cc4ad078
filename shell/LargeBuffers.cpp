#include "shell/LargeBuffers.h"

// Any C library header tells whether this is the GNU C library.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace lw {

void returnLargeBuffersToTheSystem() {
#if defined(__GLIBC__)
    // A fixed threshold also stops the library from raising it after each
    // large free.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
}

void returnFreedMemoryToTheSystem() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace lw
