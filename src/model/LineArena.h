#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// Where a task line's bytes are in a LineArena: the segment in the top bit, the line's byte
// offset in that segment below it. Four bytes a line instead of a 16-byte view.
using LineHandle = std::uint32_t;

// Storage for the bytes of task lines, in two segments:
// - the file segment: a list file's bytes, taken over whole as they were read, in which every
//   line ends with '\n' (a line read from a file can hold none), so that the end of a line is
//   one memchr away and a long list costs its file size and one handle a line;
// - the added segment: lines added later, each after its length (7 bits a byte, low bits
//   first), so that it may hold any bytes.
// Memory is only ever added; bytes of lines no longer used stay until the arena is replaced.
// A handle stays valid as long as the arena lives; a view only until the next Append.
class LineArena {
public:
    // Each segment is at most 1 GiB, the size of the largest file we read.
    static constexpr std::size_t MaxSegmentSize = std::size_t { 1 } << 30;

    // Takes over a file's bytes, in which every line to be addressed ends with '\n'; the line
    // beginning at byte `offset` is then FileLine(offset).
    void AdoptFile(std::string bytes);
    static LineHandle FileLine(std::size_t offset) { return static_cast<LineHandle>(offset); }

    // Copies a line into the added segment; `line` may be a view of this arena.
    LineHandle Append(std::string_view line);
    // Makes room for `lines` more lines of `bytes` bytes in all, so that appending them grows
    // the added segment once.
    void Reserve(std::size_t lines, std::size_t bytes);

    std::string_view View(LineHandle handle) const;
    // Where the line's bytes begin, for a caller that knows their length.
    const char* Begin(LineHandle handle) const;
    // The first byte of a held line, for changing it in place without changing its length.
    char* Writable(LineHandle handle);

    // Bytes held, in use or not.
    std::size_t Size() const { return File.size() + Added.size(); }
    // What a line of `size` bytes adds to Size() when appended.
    static std::size_t AppendedSize(std::size_t size);

private:
    static constexpr LineHandle AddedTag = LineHandle { 1 } << 31;

    std::string File;
    std::string Added;
};

// Makes room for one more handle, growing by an eighth rather than doubling: while a vector
// regrows it holds its old and its new storage at once, which for a long list of short lines is
// more than the lines themselves take.
void RoomForOneMore(std::vector<LineHandle>& handles);

} // namespace agendrix
