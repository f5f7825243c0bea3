#include "LineArena.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace agendrix {

namespace {
    std::size_t LengthSize(std::size_t length)
    {
        std::size_t bytes = 1;
        for (; length >= 0x80; length >>= 7)
            ++bytes;
        return bytes;
    }

    void AppendLength(std::string& to, std::size_t length)
    {
        for (; length >= 0x80; length >>= 7)
            to.push_back(static_cast<char>(0x80 | (length & 0x7F)));
        to.push_back(static_cast<char>(length));
    }
} // namespace

void LineArena::AdoptFile(std::string bytes)
{
    if (bytes.size() > MaxSegmentSize)
        throw std::length_error("LineArena: a file of more than 1 GiB");
    File = std::move(bytes);
}

std::size_t LineArena::AppendedSize(std::size_t size) { return size + LengthSize(size); }

void LineArena::Reserve(std::size_t lines, std::size_t bytes)
{
    // A length takes one byte, and one more for each 7 bits past the first 7: at most
    // 1 + size / 128 bytes.
    Added.reserve(Added.size() + bytes + lines + bytes / 128);
}

LineHandle LineArena::Append(std::string_view line)
{
    const std::size_t needed = AppendedSize(line.size());
    const std::size_t offset = Added.size();
    if (needed > MaxSegmentSize - offset)
        throw std::length_error("LineArena: more than 1 GiB of added lines");
    if (Added.capacity() - offset < needed) {
        // Grown by half rather than doubled: a long list's edits should not double its memory.
        // The old bytes stay until the line is copied, as it may be one of them.
        std::string grown;
        grown.reserve(std::max(offset + needed, Added.capacity() + Added.capacity() / 2));
        grown.append(Added);
        AppendLength(grown, line.size());
        grown.append(line);
        Added.swap(grown);
    } else {
        AppendLength(Added, line.size());
        Added.append(line);
    }
    return AddedTag | static_cast<LineHandle>(offset);
}

const char* LineArena::Begin(LineHandle handle) const
{
    if ((handle & AddedTag) == 0)
        return File.data() + handle;
    const char* at = Added.data() + (handle & ~AddedTag);
    while ((static_cast<unsigned char>(*at) & 0x80) != 0)
        ++at;
    return at + 1;
}

std::string_view LineArena::View(LineHandle handle) const
{
    if ((handle & AddedTag) != 0) {
        const char* at = Added.data() + (handle & ~AddedTag);
        std::size_t length = 0;
        for (int shift = 0;; shift += 7) {
            const auto byte = static_cast<unsigned char>(*at++);
            length |= static_cast<std::size_t>(byte & 0x7F) << shift;
            if (byte < 0x80)
                break;
        }
        return { at, length };
    }
    const char* begin = File.data() + handle;
    const std::size_t rest = File.size() - handle;
    const void* end = std::memchr(begin, '\n', rest);
    return { begin, end ? static_cast<std::size_t>(static_cast<const char*>(end) - begin) : rest };
}

char* LineArena::Writable(LineHandle handle)
{
    // The bytes belong to this arena's own strings, which are not const.
    return const_cast<char*>(View(handle).data());
}

void RoomForOneMore(std::vector<LineHandle>& handles)
{
    if (handles.size() == handles.capacity())
        handles.reserve(handles.capacity() + handles.capacity() / 8 + 16);
}

} // namespace agendrix
