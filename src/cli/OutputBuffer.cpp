#include "OutputBuffer.h"

namespace agendrix::cli {

namespace {
    constexpr std::size_t BlockSize = 64 * 1024;
}

OutputBuffer::OutputBuffer(std::ostream& out)
    : Out(out)
{
    // A block and the row that fills it: rows of up to 4 KiB never make the string regrow.
    Pending.reserve(BlockSize + 4096);
}

OutputBuffer::~OutputBuffer() { Flush(); }

void OutputBuffer::PadFrom(std::size_t start, std::size_t width)
{
    const std::size_t used = Pending.size() - start;
    if (used < width)
        Pending.append(width - used, ' ');
}

bool OutputBuffer::EndRow()
{
    if (Pending.size() >= BlockSize)
        Flush();
    return Out.good();
}

void OutputBuffer::Flush()
{
    if (!Pending.empty() && Out.good())
        Out.write(Pending.data(), static_cast<std::streamsize>(Pending.size()));
    Pending.clear();
}

} // namespace agendrix::cli
