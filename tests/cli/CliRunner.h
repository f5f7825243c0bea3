#pragma once

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"

#include "model/CivilDate.h"

#include "support/RunProgram.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix::cli {

// Runs command lines in process at 2026-12-06 12:00 with DaysPerLevel 3 and ISO dates, on files
// in a fresh folder, and keeps what they printed.
class CliRunner : public testing::Test {
protected:
    ExitCode Run(const std::vector<std::string>& args, FileOps& ops = SystemFileOps())
    {
        Out.str({});
        Err.str({});
        const ParsedArguments parsed = ParseArguments(args);
        EXPECT_TRUE(parsed.Arguments) << parsed.Error;
        if (!parsed.Arguments)
            return ExitCode::Usage;
        CliContext context { DateTime { CivilDate { 2026, 12, 6 }, 12 * 3600 }, 3, FormatIso, Out, Err, false,
            ops, TemplatePlaces, ProgramFolder };
        return RunCommand(*parsed.Arguments, context);
    }

    std::string List(std::string_view name) const { return Folder / name; }

    test::TempFolder Folder;
    std::vector<std::string> TemplatePlaces; // where export-html looks for its template
    std::string ProgramFolder; // where unpack extracts
    std::ostringstream Out;
    std::ostringstream Err;
};

// Runs the real program, for what only a process shows: its exit status, and its output and then
// its errors in `output`. The arguments are separated by blanks.
inline int RunProgram(const std::string& arguments, std::string& output)
{
    std::vector<std::string> argv;
    std::istringstream words(arguments);
    for (std::string word; words >> word;)
        argv.push_back(word);
    const test::ProgramRun run = test::RunProgram(AGENDRIX_CLI, argv);
    output = run.Out + run.Err;
    return run.Status;
}

} // namespace agendrix::cli
