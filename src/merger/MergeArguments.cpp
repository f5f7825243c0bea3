#include "MergeArguments.h"

#include <array>

namespace agendrix::merger {

namespace {

    MergeArguments Refuse(std::string error)
    {
        MergeArguments refused;
        refused.What = MergeArguments::Action::Refused;
        refused.Error = std::move(error);
        return refused;
    }

    // Takes the value of -o; false after setting the error.
    bool TakeOutput(MergeArguments& parsed, const std::string& option, const std::string* value)
    {
        if (!parsed.Request.Output.empty())
            parsed.Error
                = "the output file was named twice (\"" + parsed.Request.Output + "\", then " + option + ").";
        else if (value == nullptr)
            parsed.Error = option + " needs the name of the file to write the merged list to.";
        else if (value->empty())
            parsed.Error = option + " was given an empty file name.";
        else
            parsed.Request.Output = *value;
        return parsed.Error.empty();
    }

    // Takes a list name; false after setting the error.
    bool TakeList(MergeArguments& parsed, const std::string& name, std::size_t& lists)
    {
        constexpr std::array<const char*, 2> which = { "first list", "second list" };
        if (lists == which.size()) {
            parsed.Error = "too many arguments: \"" + name + "\" (give two lists and -o OUT).";
            return false;
        }
        if (name.empty()) {
            parsed.Error = std::string("the ") + which[lists] + " was given an empty file name.";
            return false;
        }
        (lists == 0 ? parsed.Request.FirstList : parsed.Request.SecondList) = name;
        ++lists;
        return true;
    }

    // Checks what the whole line must have once every argument is taken.
    MergeArguments Completed(MergeArguments parsed, std::size_t lists)
    {
        if (lists == 0)
            return Refuse("no lists were named: give the two copies of the list to merge.");
        if (lists == 1)
            return Refuse("the second list is missing: give the two copies of the list to merge.");
        if (parsed.Request.Output.empty())
            return Refuse("-o OUT is missing: name the file to write the merged list to.");
        parsed.What = MergeArguments::Action::Merge;
        return parsed;
    }

} // namespace

MergeArguments ParseMergeArguments(const std::vector<std::string>& args)
{
    MergeArguments parsed;
    if (args.empty())
        return parsed;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            parsed.What = MergeArguments::Action::Help;
            return parsed;
        }
    }
    std::size_t lists = 0;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool taken = true;
        if (optionsEnded || arg == "-" || !arg.starts_with('-'))
            taken = TakeList(parsed, arg, lists);
        else if (arg == "--")
            optionsEnded = true;
        else if (arg == "-o" || arg == "--output")
            taken = TakeOutput(parsed, arg, i + 1 < args.size() ? &args[++i] : nullptr);
        else if (arg.starts_with("--output=")) {
            const std::string value = arg.substr(9);
            taken = TakeOutput(parsed, "--output", &value);
        } else
            parsed.Error = "unknown option \"" + arg + "\".";
        if (!taken || !parsed.Error.empty())
            return Refuse(parsed.Error);
    }
    return Completed(std::move(parsed), lists);
}

std::string MergeUsageText()
{
    return "Usage: agendrix-lm A.agl B.agl -o OUT.agl\n"
           "       agendrix-lm                (the Agendrix List Merger window)\n"
           "Merges two copies of a task list into OUT (which may be A or B; it is replaced whole).\n"
           "A task of B with the description and date of a task of A is one task, kept once with the\n"
           "higher priority (a task completed in either copy stays completed); every other task of\n"
           "both is kept, A's first in their order, then B's.\n"
           "Exit status: 0 merged, 1 a file could not be read or written (nothing was written),\n"
           "2 usage error.\n";
}

} // namespace agendrix::merger
