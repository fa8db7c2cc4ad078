#include "shell/LargeBuffers.h"

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

} // namespace lw
