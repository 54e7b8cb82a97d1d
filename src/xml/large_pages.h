#pragma once
// A hint for the large buffers of a load. The text of a file of tens of megabytes
// lives in freshly mapped memory, and with ordinary pages filling it costs one page
// fault per 4 KiB: on a 49 MB file that was most of the load. Where the system offers
// huge pages on request, one fault then fills 2 MiB.

#include <cstddef>

namespace vesko {

// Asks for huge pages under the part of [data, data + bytes) that they can cover,
// before the buffer is first written. Small buffers and other systems: nothing.
void AdviseLargePages(void* data, size_t bytes);

}  // namespace vesko
