#include "OutputBuffer.h"

namespace agendrix::cli {

OutputBuffer::OutputBuffer(std::ostream& out)
    : Out(out)
{
    Pending.reserve(BlockSize);
}

OutputBuffer::~OutputBuffer() { Flush(); }

void OutputBuffer::Append(std::string_view text)
{
    if (Pending.size() + text.size() < BlockSize) {
        Pending.append(text);
        return;
    }
    // A text of a block or more goes to the stream as it is, not through a copy.
    Flush();
    if (text.size() < BlockSize) {
        Pending.append(text);
        return;
    }
    if (Out.good())
        Out.write(text.data(), static_cast<std::streamsize>(text.size()));
    Written += text.size();
}

void OutputBuffer::PadFrom(std::size_t start, std::size_t width)
{
    const std::size_t used = Position() - start;
    if (used >= width)
        return;
    Pending.append(width - used, ' ');
    if (Pending.size() >= BlockSize)
        Flush();
}

void OutputBuffer::Flush()
{
    if (!Pending.empty() && Out.good())
        Out.write(Pending.data(), static_cast<std::streamsize>(Pending.size()));
    Written += Pending.size();
    Pending.clear();
}

} // namespace agendrix::cli
