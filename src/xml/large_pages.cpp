#include "xml/large_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vesko {

void AdviseLargePages([[maybe_unused]] void* data, [[maybe_unused]] size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
    // Below a few huge pages the faults saved do not matter.
    if (bytes < 4 * kHugePage) {
        return;
    }
    const auto begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = (begin + bytes) & ~(kHugePage - 1);
    if (end > first) {
        // Only a hint: where it is refused, the buffer simply gets ordinary pages.
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
#endif
}

}  // namespace vesko
