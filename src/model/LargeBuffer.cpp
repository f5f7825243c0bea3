#include "LargeBuffer.h"

#include <cstdint>
#include <sys/mman.h>

namespace agendrix {

void AdviseHugePages(const void* data, std::size_t size)
{
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t hugePage = 2 * 1024 * 1024;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    if (size < hugePage / 2)
        return;
    // The advice covers the huge pages the buffer touches at all: the neighbours it shares them
    // with are heap memory of ours too, and the kernel only uses a huge page where a whole one fits.
    const std::uintptr_t first = begin & ~(hugePage - 1);
    const std::uintptr_t last = (begin + size + hugePage - 1) & ~(hugePage - 1);
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

} // namespace agendrix
