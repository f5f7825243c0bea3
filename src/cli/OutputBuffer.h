#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace agendrix::cli {

// Output made of many small pieces, handed to the stream a block of about 64 KiB at a time: a
// long list is written with few stream calls and its output is never held whole, nor is a row
// longer than a block (a task line may take megabytes).
class OutputBuffer {
public:
    explicit OutputBuffer(std::ostream& out);
    // Writes what is left.
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void Append(std::string_view text);
    void Append(char c)
    {
        Pending.push_back(c);
        if (Pending.size() >= BlockSize)
            Flush();
    }

    // Bytes appended so far, written or not; a position stays valid however much is written.
    std::size_t Position() const { return Written + Pending.size(); }
    // Appends blanks until `width` bytes follow `start`, a Position() of the current row.
    void PadFrom(std::size_t start, std::size_t width);

    // Ends a row. False once the stream has failed: further rows would be lost, so there is no
    // point in making them.
    bool EndRow() const { return Out.good(); }
    void Flush();

private:
    static constexpr std::size_t BlockSize = 64 * 1024;

    std::ostream& Out;
    std::string Pending;
    std::size_t Written = 0; // bytes handed to the stream, or dropped once it failed
};

} // namespace agendrix::cli
