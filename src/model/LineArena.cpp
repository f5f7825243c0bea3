#include "LineArena.h"

#include <algorithm>
#include <cstring>

namespace agendrix {

std::string_view LineArena::Adopt(std::string bytes)
{
    Held += bytes.size();
    Buffers.push_back(std::make_unique<std::string>(std::move(bytes)));
    return *Buffers.back();
}

std::string_view LineArena::Append(std::string_view line)
{
    if (line.empty())
        return {};
    if (ChunkCapacity - ChunkUsed < line.size()) {
        ChunkCapacity = std::max(ChunkSize, line.size());
        Chunks.push_back(std::make_unique_for_overwrite<char[]>(ChunkCapacity));
        ChunkUsed = 0;
        Held += ChunkCapacity;
    }
    char* at = Chunks.back().get() + ChunkUsed;
    std::memcpy(at, line.data(), line.size());
    ChunkUsed += line.size();
    return { at, line.size() };
}

} // namespace agendrix
