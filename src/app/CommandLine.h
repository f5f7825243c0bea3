#pragma once

#include <string>
#include <vector>

namespace agendrix {

enum class StartKind { Normal, Refresh };

struct StartRequest {
    std::string ListPath; // absolute, or empty
    StartKind Kind = StartKind::Normal;
};

// The list path of the command line: the arguments joined as one line, with a surrounding pair of
// double quotes dropped. The file name is spelled as the folder spells it (matched without regard
// to case); a file that does not exist leaves only its folder. "Refresh" marks a restart by the
// program itself.
StartRequest ParseCommandLine(const std::vector<std::string>& arguments, const std::string& workingFolder);

} // namespace agendrix
