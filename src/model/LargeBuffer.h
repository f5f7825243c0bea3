#pragma once

#include <cstddef>

namespace agendrix {

// Tells the kernel that a large buffer that is about to be filled is better backed by huge
// pages. Filling fresh memory costs one page fault per 4 KiB page, which for a long list costs
// more than sorting it; with huge pages it is one fault per 2 MiB. Buffers under 1 MiB and
// systems without the feature are left alone. Call it after reserving and before writing.
void AdviseHugePages(const void* data, std::size_t size);

} // namespace agendrix
