#pragma once

#include <string>
#include <vector>

namespace agendrix::test {

// What a finished program left: its exit status (-1 when a signal ended it) and each stream.
struct ProgramRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs `program` with `arguments` as its argv, no shell between, so that names with blanks or
// quotes reach it as they are; waits for it and keeps both of its streams apart. Throws when the
// program cannot be started, so that a missing executable never reads as a failed run.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments);

} // namespace agendrix::test
