#include "CliArguments.h"

#include <charconv>
#include <map>

namespace agendrix::cli {

std::string UsageText()
{
    return "Usage: agendrix-cli [--today YYYY-MM-DD[THH:MM[:SS]]] [--days-per-level N] COMMAND ...\n"
           "  show FILE [--json]\n"
           "  assess FILE [-o OUT]\n"
           "  add FILE --description TEXT [--info TEXT] [--priority extreme|very-high|high|4|3|2|low|\n"
           "      unprioritized|completed|broken|1..7] [--due YYYY-MM-DD [--days N] [--kind "
           "weekdays|weekends|all]]\n"
           "      [--file PATH]\n"
           "  complete FILE INDEX\n"
           "  export-completed FILE\n"
           "  purge FILE\n";
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

    // Walks the arguments once; each Take* either returns the next value or records an error.
    class ArgumentReader {
    public:
        explicit ArgumentReader(const std::vector<std::string>& args)
            : Args(args)
        {
        }

        bool AtEnd() const { return Position >= Args.size(); }
        const std::string& Peek() const { return Args[Position]; }
        std::string Next() { return Args[Position++]; }

        std::optional<std::string> ValueOf(const std::string& option)
        {
            if (AtEnd()) {
                Error = option + " needs a value.";
                return std::nullopt;
            }
            return Next();
        }

        std::string Error;

    private:
        const std::vector<std::string>& Args;
        std::size_t Position = 0;
    };

    bool ReadGlobalOption(ArgumentReader& reader, const std::string& option, CliArguments& result)
    {
        const auto value = reader.ValueOf(option);
        if (!value)
            return false;
        if (option == "--today") {
            result.Today = ParseIsoDateTime(*value);
            if (!result.Today)
                reader.Error = "--today takes a date as YYYY-MM-DD, optionally with THH:MM or THH:MM:SS: \""
                    + *value + "\" is not one.";
            return result.Today.has_value();
        }
        const auto days = WholeNumber(*value);
        if (!days || *days < 1 || *days > 4681) {
            reader.Error
                = "--days-per-level takes a whole number from 1 to 4681: \"" + *value + "\" is not one.";
            return false;
        }
        result.DaysPerLevel = static_cast<int>(*days);
        return true;
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
        };
        const auto found = commands.find(name);
        return found == commands.end() ? std::nullopt : std::optional(found->second);
    }

    bool ReadAddOption(
        ArgumentReader& reader, const std::string& option, CliArguments& result, bool& daysOrKind)
    {
        const auto value = reader.ValueOf(option);
        if (!value)
            return false;
        if (option == "--description") {
            result.Description = *value;
        } else if (option == "--info") {
            result.Information = *value;
        } else if (option == "--file") {
            result.AssociatedFile = *value;
        } else if (option == "--priority") {
            result.PriorityOption = PriorityOptionFromName(*value);
            if (!result.PriorityOption)
                reader.Error = "--priority does not know \"" + *value + "\".";
        } else if (option == "--due") {
            const auto due = ParseIsoDateTime(*value);
            if (!due || value->size() != 10)
                reader.Error = "--due takes a date as YYYY-MM-DD: \"" + *value + "\" is not one.";
            else
                result.Due = due->Date;
        } else if (option == "--days") {
            daysOrKind = true;
            const auto days = WholeNumber(*value);
            if (!days || *days < 0 || *days > 32767)
                reader.Error = "--days takes a whole number from 0 to 32767: \"" + *value + "\" is not one.";
            else
                result.Days = std::to_string(*days);
        } else if (option == "--kind") {
            daysOrKind = true;
            static const std::map<std::string, int> kinds { { "weekdays", 0 }, { "weekends", 1 },
                { "all", 2 } };
            const auto found = kinds.find(*value);
            if (found == kinds.end())
                reader.Error = "--kind takes weekdays, weekends or all: \"" + *value + "\" is not one.";
            else
                result.DayKind = found->second;
        } else {
            reader.Error = "add does not know the option " + option + ".";
        }
        return reader.Error.empty();
    }

    bool ReadAddArguments(ArgumentReader& reader, CliArguments& result)
    {
        bool daysOrKind = false;
        while (!reader.AtEnd()) {
            if (!ReadAddOption(reader, reader.Next(), result, daysOrKind))
                return false;
        }
        if (result.Description.empty())
            reader.Error = "add needs --description with a text.";
        else if (result.Due && result.PriorityOption)
            reader.Error
                = "--due makes a date-based task, whose priority comes from its dates: leave out --priority.";
        else if (daysOrKind && !result.Due)
            reader.Error = "--days and --kind belong to a date-based task: give --due as well.";
        return reader.Error.empty();
    }

    bool ReadCommandArguments(ArgumentReader& reader, CliArguments& result)
    {
        if (reader.AtEnd()) {
            reader.Error = "the command needs a FILE.";
            return false;
        }
        result.File = reader.Next();
        switch (result.Command) {
        case CommandName::Add:
            return ReadAddArguments(reader, result);
        case CommandName::Complete: {
            const auto index = reader.AtEnd() ? std::nullopt : WholeNumber(reader.Next());
            if (!index || *index < 0) {
                reader.Error = "complete needs the INDEX of a task: a whole number from 0.";
                return false;
            }
            result.Index = static_cast<std::size_t>(*index);
            break;
        }
        case CommandName::Show:
            if (!reader.AtEnd() && reader.Peek() == "--json") {
                reader.Next();
                result.Form = OutputForm::Json;
            }
            break;
        case CommandName::Assess:
            if (!reader.AtEnd() && reader.Peek() == "-o") {
                reader.Next();
                const auto out = reader.ValueOf("-o");
                if (!out)
                    return false;
                result.Output = *out;
            }
            break;
        default:
            break;
        }
        if (!reader.AtEnd()) {
            reader.Error = "unexpected argument \"" + reader.Peek() + "\".";
            return false;
        }
        return true;
    }

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args)
{
    ArgumentReader reader(args);
    CliArguments result;
    while (!reader.AtEnd() && reader.Peek().starts_with("--")) {
        const std::string option = reader.Next();
        if (option != "--today" && option != "--days-per-level") {
            reader.Error = "unknown option " + option + ".";
            return { std::nullopt, reader.Error };
        }
        if (!ReadGlobalOption(reader, option, result))
            return { std::nullopt, reader.Error };
    }
    if (reader.AtEnd())
        return { std::nullopt, "no command given." };
    const std::string name = reader.Next();
    const auto command = CommandFromName(name);
    if (!command)
        return { std::nullopt, "unknown command \"" + name + "\"." };
    result.Command = *command;
    if (!ReadCommandArguments(reader, result))
        return { std::nullopt, reader.Error };
    return { result, {} };
}

} // namespace agendrix::cli
