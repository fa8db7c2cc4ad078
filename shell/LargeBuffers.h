#pragma once

namespace lw {

// Page pictures are buffers of many megabytes, made and dropped at every
// run. By default the C library keeps such a buffer's memory once one has
// been freed, so the program would hold every size it ever reached; from
// here on buffers of a megabyte or more go back to the system when freed.
// Call once, first thing in main.
void returnLargeBuffersToTheSystem();

// Drawing a page at full size leaves tens of megabytes of small freed
// blocks scattered through the heap, which the C library keeps; this gives
// them back. Call when a picture's work is done (about a millisecond).
void returnFreedMemoryToTheSystem();

} // namespace lw
