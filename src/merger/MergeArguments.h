#pragma once

#include <string>
#include <vector>

namespace agendrix::merger {

// The exit status of agendrix-lm.
enum class ExitCode { Success = 0, FileProblem = 1, Usage = 2 };

// The two copies of a list and the file their merge is written to; OUT may be one of them.
struct MergeRequest {
    std::string FirstList;
    std::string SecondList;
    std::string Output;
};

struct MergeArguments {
    enum class Action {
        Window, // no arguments: the program was started from the menu
        Help,
        Merge,
        Refused, // a usage error, which Error names
    };
    Action What = Action::Window;
    MergeRequest Request;
    std::string Error;
};

// `agendrix-lm A.agl B.agl -o OUT.agl`: the lists and -o in any order, "--output OUT" and
// "--output=OUT" as -o, "--" before a list whose name begins with "-".
MergeArguments ParseMergeArguments(const std::vector<std::string>& args);

std::string MergeUsageText();

} // namespace agendrix::merger
