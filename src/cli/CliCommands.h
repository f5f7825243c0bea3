#pragma once

#include "CliArguments.h"

#include "model/DateStatus.h"
#include "model/FileOps.h"

#include <ostream>
#include <string>
#include <vector>

namespace agendrix::cli {

enum class ExitCode { Success = 0, Usage = 1, FileOrData = 2 };

// Everything a command needs from outside: the clock, the settings, and where to write.
struct CliContext {
    DateTime Now;
    int DaysPerLevel = 3;
    DateFormatter FormatDate;
    std::ostream& Out;
    std::ostream& Err;
    bool ColourOutput = false;
    FileOps& Ops = SystemFileOps();
    // Where export-html looks for the page template without --template, in order: the program
    // folder's, then the one shipped with the program. The first is named when none is there.
    std::vector<std::string> TemplatePlaces = {};
    // Where unpack extracts packages.
    std::string ProgramFolder = {};
};

ExitCode RunCommand(const CliArguments& arguments, CliContext& context);

} // namespace agendrix::cli
