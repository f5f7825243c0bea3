#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace agendrix::cli {

// Output made of many small pieces, handed to the stream a block of about 64 KiB at a time: a
// long list is written with few stream calls and its output is never held whole. Blocks end only
// at EndRow, so a position taken within a row stays valid until the row ends.
class OutputBuffer {
public:
    explicit OutputBuffer(std::ostream& out);
    // Writes what is left.
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void Append(std::string_view text) { Pending.append(text); }
    void Append(char c) { Pending.push_back(c); }

    std::size_t Position() const { return Pending.size(); }
    // Appends blanks until `width` bytes follow `start`, a Position() of the current row.
    void PadFrom(std::size_t start, std::size_t width);

    // Writes the rows collected so far once they fill a block. False once the stream has failed:
    // further rows would be lost, so there is no point in making them.
    bool EndRow();
    void Flush();

private:
    std::ostream& Out;
    std::string Pending;
};

} // namespace agendrix::cli
