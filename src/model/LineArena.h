#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// Storage for the bytes of task lines. Lines are handed out as views that stay valid as long as
// the arena lives: memory is only ever added, never moved. A loaded file keeps its lines where
// they were read, so a long list costs its file size and one view a line, not one allocation
// a line.
class LineArena {
public:
    // Takes over a whole buffer and returns a view of it.
    std::string_view Adopt(std::string bytes);
    // Copies a line into the arena.
    std::string_view Append(std::string_view line);
    // Writable access to bytes the arena holds, for changing a line in place.
    char* Writable(std::string_view heldView) const { return const_cast<char*>(heldView.data()); }

    // Bytes held, in use or not.
    std::size_t Size() const { return Held; }

private:
    static constexpr std::size_t ChunkSize = 64 * 1024;

    std::vector<std::unique_ptr<std::string>> Buffers;
    std::vector<std::unique_ptr<char[]>> Chunks;
    std::size_t ChunkUsed = ChunkSize; // bytes used of the last chunk
    std::size_t ChunkCapacity = ChunkSize;
    std::size_t Held = 0;
};

} // namespace agendrix
