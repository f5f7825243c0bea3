#include "ListCopy.h"

#include "TaskLine.h"
#include "Windows1252.h"

namespace agendrix {

std::string ListCopyText(TaskLines lines)
{
    // Collected as Windows-1252 first and decoded once: one conversion of the whole text is
    // several times faster than one for each task.
    std::string bytes;
    for (const std::string_view line : lines) {
        bytes += GetField(line, TaskField::Description);
        bytes += "\r\n";
    }
    return Windows1252ToUtf8(bytes);
}

} // namespace agendrix
