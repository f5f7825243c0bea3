#include "CliArguments.h"

#include "model/PackageIndex.h"

#include <array>
#include <charconv>
#include <map>

namespace agendrix::cli {

std::string UsageText()
{
    return "Usage: agendrix-cli [--today YYYY-MM-DD[THH:MM[:SS]]] [--days-per-level N] COMMAND ...\n"
           "  show FILE [--json]\n"
           "  assess FILE [-o OUT|-] [--force]\n"
           "  add FILE --description TEXT [--info TEXT] [--priority extreme|very-high|high|4|3|2|low|\n"
           "      unprioritized|completed|broken|1..7] [--due YYYY-MM-DD [--days N] [--kind "
           "weekdays|weekends|all]]\n"
           "      [--file PATH] [--force]\n"
           "  complete FILE INDEX [--force]\n"
           "  export-completed FILE [--force]\n"
           "  purge FILE [--force]\n"
           "  index FOLDER [--json] [--numbered] [--top5]\n"
           "  export-html FILE -o OUT|- [--template TEMPLATE] [--color]\n"
           "  import-text TEXTFILE -o OUT|- [--numbers]\n"
           "  pack OUT.cfp --source TEXT --name TEXT FILE...\n"
           "  unpack PACKAGE.cfp...\n"
           "Options may come before or after FILE and INDEX, --today and --days-per-level anywhere;\n"
           "-- ends the options, so that a FILE may begin with \"-\". -o - writes the list to standard "
           "output.\n"
           "Commands that write the list refuse, with exit 2, to save a list whose reading stopped at an\n"
           "empty line with more lines after it, unless --force is given.\n";
}

std::optional<int> PriorityOptionFromName(const std::string& name)
{
    static const std::map<std::string, int> names {
        { "broken", 1 },
        { "extreme", 2 },
        { "very-high", 3 },
        { "high", 4 },
        { "middle", 6 },
        { "low", 8 },
        { "unprioritized", 9 },
        { "completed", 10 },
    };
    if (const auto found = names.find(name); found != names.end())
        return found->second;
    if (name.size() == 1 && name[0] >= '1' && name[0] <= '7')
        return 9 - (name[0] - '0');
    return std::nullopt;
}

namespace {

    std::optional<long long> WholeNumber(const std::string& text)
    {
        long long value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc {} || end != text.data() + text.size() || text.empty())
            return std::nullopt;
        return value;
    }

    constexpr unsigned Bit(CommandName command) { return 1U << static_cast<unsigned>(command); }
    // A global option: before the command as well as anywhere after it.
    constexpr unsigned AnyCommand = ~0U;

    enum class TakesValue { No, Yes };

    struct OptionRule {
        std::string_view Name;
        TakesValue Value;
        unsigned Commands; // the commands it belongs to, one bit each
    };

    // The commands that save the list they read.
    constexpr unsigned Writers = Bit(CommandName::Assess) | Bit(CommandName::Add) | Bit(CommandName::Complete)
        | Bit(CommandName::ExportCompleted) | Bit(CommandName::Purge);

    constexpr std::array<OptionRule, 19> Rules { {
        { "--today", TakesValue::Yes, AnyCommand },
        { "--days-per-level", TakesValue::Yes, AnyCommand },
        { "--json", TakesValue::No, Bit(CommandName::Show) | Bit(CommandName::Index) },
        { "--numbered", TakesValue::No, Bit(CommandName::Index) },
        { "--top5", TakesValue::No, Bit(CommandName::Index) },
        { "-o", TakesValue::Yes,
            Bit(CommandName::Assess) | Bit(CommandName::ExportHtml) | Bit(CommandName::ImportText) },
        { "--numbers", TakesValue::No, Bit(CommandName::ImportText) },
        { "--force", TakesValue::No, Writers },
        { "--description", TakesValue::Yes, Bit(CommandName::Add) },
        { "--info", TakesValue::Yes, Bit(CommandName::Add) },
        { "--priority", TakesValue::Yes, Bit(CommandName::Add) },
        { "--due", TakesValue::Yes, Bit(CommandName::Add) },
        { "--days", TakesValue::Yes, Bit(CommandName::Add) },
        { "--kind", TakesValue::Yes, Bit(CommandName::Add) },
        { "--file", TakesValue::Yes, Bit(CommandName::Add) },
        { "--template", TakesValue::Yes, Bit(CommandName::ExportHtml) },
        { "--color", TakesValue::No, Bit(CommandName::ExportHtml) },
        { "--source", TakesValue::Yes, Bit(CommandName::Pack) },
        { "--name", TakesValue::Yes, Bit(CommandName::Pack) },
    } };

    // The rule of `name` where it stands: before the command only global options are known.
    const OptionRule* FindRule(std::string_view name, std::optional<CommandName> command)
    {
        for (const OptionRule& rule : Rules) {
            if (rule.Name != name)
                continue;
            const bool belongs = command ? (rule.Commands & Bit(*command)) != 0 : rule.Commands == AnyCommand;
            return belongs ? &rule : nullptr;
        }
        return nullptr;
    }

    // "-" alone and negative numbers are operands: no option name is empty or begins with a digit.
    bool IsOptionToken(const std::string& token)
    {
        return token.size() > 1 && token[0] == '-' && (token[1] < '0' || token[1] > '9');
    }

    std::optional<CommandName> CommandFromName(const std::string& name)
    {
        static const std::map<std::string, CommandName> commands {
            { "show", CommandName::Show },
            { "assess", CommandName::Assess },
            { "add", CommandName::Add },
            { "complete", CommandName::Complete },
            { "export-completed", CommandName::ExportCompleted },
            { "purge", CommandName::Purge },
            { "index", CommandName::Index },
            { "export-html", CommandName::ExportHtml },
            { "import-text", CommandName::ImportText },
            { "pack", CommandName::Pack },
            { "unpack", CommandName::Unpack },
        };
        const auto found = commands.find(name);
        return found == commands.end() ? std::nullopt : std::optional(found->second);
    }

    // Each Read*Option returns the usage error, or nothing when the value was taken.
    std::string ReadGlobalOption(std::string_view option, const std::string& value, CliArguments& result)
    {
        if (option == "--today") {
            result.Today = ParseIsoDateTime(value);
            if (!result.Today)
                return "--today takes a date as YYYY-MM-DD, optionally with THH:MM or THH:MM:SS: \"" + value
                    + "\" is not one.";
            return {};
        }
        const auto days = WholeNumber(value);
        if (!days || *days < 1 || *days > 4681)
            return "--days-per-level takes a whole number from 1 to 4681: \"" + value + "\" is not one.";
        result.DaysPerLevel = static_cast<int>(*days);
        return {};
    }

    std::string ReadDateOption(std::string_view option, const std::string& value, CliArguments& result)
    {
        if (option == "--due") {
            const auto due = ParseIsoDateTime(value);
            if (!due || value.size() != 10)
                return "--due takes a date as YYYY-MM-DD: \"" + value + "\" is not one.";
            result.Due = due->Date;
        } else if (option == "--days") {
            const auto days = WholeNumber(value);
            if (!days || *days < 0 || *days > 32767)
                return "--days takes a whole number from 0 to 32767: \"" + value + "\" is not one.";
            result.Days = std::to_string(*days);
        } else {
            static const std::map<std::string, int> kinds { { "weekdays", 0 }, { "weekends", 1 },
                { "all", 2 } };
            const auto found = kinds.find(value);
            if (found == kinds.end())
                return "--kind takes weekdays, weekends or all: \"" + value + "\" is not one.";
            result.DayKind = found->second;
        }
        return {};
    }

    std::string ReadAddOption(std::string_view option, const std::string& value, CliArguments& result)
    {
        if (option == "--description") {
            result.Description = value;
        } else if (option == "--info") {
            result.Information = value;
        } else if (option == "--file") {
            // A path with a line break or a Tab cannot be kept in a task line without changing it.
            if (value.find_first_of("\r\n\t") != std::string::npos)
                return "--file cannot hold a line break or a Tab: a task keeps its file path on one line.";
            result.AssociatedFile = value;
        } else if (option == "--priority") {
            result.PriorityOption = PriorityOptionFromName(value);
            if (!result.PriorityOption)
                return "--priority does not know \"" + value + "\".";
        } else {
            return ReadDateOption(option, value, result);
        }
        return {};
    }

    std::string ReadPackOption(std::string_view option, const std::string& value, CliArguments& result)
    {
        // A package's header fields end at a Tab, and its texts are shown on one line.
        if (value.find_first_of("\t\r\n") != std::string::npos)
            return std::string(option) + " cannot hold a Tab or a line break.";
        if (value.size() > MaxPackageHeaderField)
            return std::string(option) + " is longer than " + std::to_string(MaxPackageHeaderField)
                + " bytes.";
        (option == "--source" ? result.Source : result.PackageName) = value;
        return {};
    }

    // Walks the arguments once. Options may stand anywhere after the command, global ones also
    // before it; every other argument is the command's name or one of its operands.
    class ArgumentParser {
    public:
        explicit ArgumentParser(const std::vector<std::string>& args)
            : Args(args)
        {
        }

        ParsedArguments Parse()
        {
            if (ReadAll() && TakeOperands() && CheckAdd() && CheckOutput() && CheckPack())
                return { Result, {} };
            return { std::nullopt, Error };
        }

    private:
        bool ReadAll()
        {
            bool optionsEnded = false;
            while (Position < Args.size()) {
                const std::string& token = Args[Position++];
                if (!optionsEnded && token == "--") {
                    optionsEnded = true;
                    continue;
                }
                const bool isOption = !optionsEnded && IsOptionToken(token);
                if (!(isOption ? ReadOption(token) : ReadOperand(token)))
                    return false;
            }
            return true;
        }

        bool ReadOption(const std::string& token)
        {
            // --name=value is the same as --name value.
            const std::size_t equals = token.starts_with("--") ? token.find('=') : std::string::npos;
            const std::string option = token.substr(0, equals);
            const OptionRule* rule = FindRule(option, Command);
            if (!rule)
                Error = Command ? CommandWord + " does not know the option " + option + "."
                                : "unknown option " + option + ".";
            else if (rule->Value == TakesValue::No && equals != std::string::npos)
                Error = option + " takes no value.";
            else if (rule->Value == TakesValue::No)
                Error = ReadFlag(option);
            else if (equals != std::string::npos)
                Error = ReadValue(option, token.substr(equals + 1));
            else if (Position >= Args.size())
                Error = option + " needs a value.";
            else
                Error = ReadValue(option, Args[Position++]);
            return Error.empty();
        }

        std::string ReadFlag(std::string_view option)
        {
            if (option == "--json")
                Result.Form = OutputForm::Json;
            else if (option == "--numbered")
                Result.Numbered = IndexNumbers::On;
            else if (option == "--top5")
                Result.TopTasks = IndexTopTasks::On;
            else if (option == "--color")
                Result.Colour = PageColour::ByCategory;
            else if (option == "--numbers")
                Result.Numbers = LineNumbers::With;
            else
                Result.Force = WhenReadStopped::WriteAnyway;
            return {};
        }

        std::string ReadValue(std::string_view option, const std::string& value)
        {
            if (option == "--today" || option == "--days-per-level")
                return ReadGlobalOption(option, value, Result);
            if (option == "-o") {
                Result.Output = value;
                if (value.empty())
                    return "-o needs a file name, or - for standard output: the name given is empty.";
                return {};
            }
            if (option == "--template") {
                Result.Template = value;
                if (value.empty())
                    return "--template needs a file name: the name given is empty.";
                return {};
            }
            if (option == "--source" || option == "--name")
                return ReadPackOption(option, value, Result);
            if (option == "--days" || option == "--kind")
                DaysOrKind = true;
            return ReadAddOption(option, value, Result);
        }

        bool ReadOperand(const std::string& token)
        {
            if (Command) {
                Operands.push_back(token);
                return true;
            }
            Command = CommandFromName(token);
            if (!Command) {
                Error = "unknown command \"" + token + "\".";
                return false;
            }
            CommandWord = token;
            Result.Command = *Command;
            return true;
        }

        bool TakeOperands()
        {
            if (!Command) {
                Error = "no command given.";
                return false;
            }
            std::size_t expected = 1;
            // The usage text's name of what the command reads.
            const std::string file = Result.Command == CommandName::ImportText ? "TEXTFILE"
                : Result.Command == CommandName::Index                         ? "FOLDER"
                : Result.Command == CommandName::Pack                          ? "OUT.cfp"
                : Result.Command == CommandName::Unpack                        ? "PACKAGE.cfp"
                                                                               : "FILE";
            if (Operands.empty()) {
                Error = CommandWord + " needs a " + file + ".";
                return false;
            }
            Result.File = Operands[0];
            if (Result.File.empty()) {
                Error = CommandWord + " needs a " + file + ": the name given is empty.";
                return false;
            }
            if (Result.Command == CommandName::Pack || Result.Command == CommandName::Unpack) {
                Result.Files.assign(
                    Operands.begin() + (Result.Command == CommandName::Pack ? 1 : 0), Operands.end());
                expected = Operands.size();
            }
            if (Result.Command == CommandName::Complete) {
                const auto index = Operands.size() < 2 ? std::nullopt : WholeNumber(Operands[1]);
                if (!index || *index < 0) {
                    Error = "complete needs the INDEX of a task: a whole number from 0.";
                    return false;
                }
                Result.Index = static_cast<std::size_t>(*index);
                expected = 2;
            }
            if (Operands.size() > expected)
                Error = "unexpected argument \"" + Operands[expected] + "\".";
            return Error.empty();
        }

        bool CheckAdd()
        {
            if (Result.Command != CommandName::Add)
                return true;
            if (Result.Description.empty())
                Error = "add needs --description with a text.";
            else if (Result.Due && Result.PriorityOption)
                Error = "--due makes a date-based task, whose priority comes from its dates: leave out "
                        "--priority.";
            else if (DaysOrKind && !Result.Due)
                Error = "--days and --kind belong to a date-based task: give --due as well.";
            return Error.empty();
        }

        // The commands that make a new file need to be told where it goes.
        bool CheckOutput()
        {
            if (Result.Command == CommandName::ExportHtml && Result.Output.empty())
                Error = "export-html needs -o OUT for the web page, or -o - for standard output.";
            else if (Result.Command == CommandName::ImportText && Result.Output.empty())
                Error = "import-text needs -o OUT, the list file to write, or -o - for standard output.";
            return Error.empty();
        }

        // A package holds what it is given under the paths given, so those must be ones that
        // every extraction accepts.
        bool CheckPack()
        {
            if (Result.Command == CommandName::Unpack)
                Error = FirstEmpty("unpack needs a PACKAGE.cfp: a name given is empty.");
            if (Result.Command != CommandName::Pack)
                return Error.empty();
            if (Result.Source.empty() || Result.PackageName.empty())
                Error = "pack needs --source and --name, each with a text.";
            else if (Result.Files.empty())
                Error = "pack needs at least one FILE to put in the package.";
            for (std::size_t i = 0; Error.empty() && i < Result.Files.size(); ++i)
                if (const std::string problem = PackagePathProblem(StoredPackagePath(Result.Files[i]));
                    !problem.empty())
                    Error = "pack cannot store " + Result.Files[i] + ": " + problem;
            return Error.empty();
        }

        std::string FirstEmpty(const std::string& message) const
        {
            for (const std::string& file : Result.Files)
                if (file.empty())
                    return message;
            return {};
        }

        const std::vector<std::string>& Args;
        std::size_t Position = 0;
        std::optional<CommandName> Command;
        std::string CommandWord;
        std::vector<std::string> Operands;
        bool DaysOrKind = false;
        CliArguments Result;
        std::string Error;
    };

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) { return ArgumentParser(args).Parse(); }

} // namespace agendrix::cli
