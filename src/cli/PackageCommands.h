#pragma once

#include "CliArguments.h"
#include "CliCommands.h"

namespace agendrix::cli {

// pack OUT.cfp --source TEXT --name TEXT FILE...: the files under the paths given, "/" stored
// as "\", written atomically.
ExitCode PackFiles(const CliArguments& arguments, CliContext& context);

// unpack PACKAGE.cfp...: each package extracted into the program folder as the window does at
// start-up. A refused package is renamed with ".rejected" and makes the status 2; the others
// are still extracted.
ExitCode UnpackPackages(const CliArguments& arguments, CliContext& context);

} // namespace agendrix::cli
