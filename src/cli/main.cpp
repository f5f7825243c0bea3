#include "CliArguments.h"
#include "CliCommands.h"
#include "SystemEnvironment.h"

#include <cstdlib>
#include <iostream>
#include <malloc.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    using namespace agendrix::cli;
    // A command reads a whole list, sorts it and writes it again: large buffers come and go.
    // Keeping them in the heap lets the output reuse the memory of the input instead of
    // faulting in fresh pages, which costs more than the sorting itself.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    // Growing the heap in large steps leaves whole huge pages around the big buffers.
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << UsageText();
        return 0;
    }
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.Arguments) {
        std::cerr << "agendrix-cli: " << parsed.Error << "\n" << UsageText();
        return static_cast<int>(ExitCode::Usage);
    }
    const CliArguments& arguments = *parsed.Arguments;
    CliContext context {
        arguments.Today.value_or(LocalNow()),
        arguments.DaysPerLevel.value_or(DaysPerLevelFromSettings().value_or(3)),
        LocaleShortDate(),
        std::cout,
        std::cerr,
        isatty(STDOUT_FILENO) == 1 && std::getenv("NO_COLOR") == nullptr,
    };
    if (arguments.Command == CommandName::ExportHtml)
        context.TemplatePlaces = PageTemplatePlaces();
    if (arguments.Command == CommandName::Unpack)
        context.ProgramFolder = CurrentProgramFolder();
    const ExitCode code = RunCommand(arguments, context);
    std::cout.flush();
    return std::cout.good() ? static_cast<int>(code) : static_cast<int>(ExitCode::FileOrData);
}
