#include "CliCommands.h"

#include "OutputBuffer.h"
#include "StreamPrompts.h"
#include "TaskTable.h"

#include "model/CompletedItems.h"
#include "model/DateLogic.h"
#include "model/ListFile.h"
#include "model/TaskEditing.h"
#include "model/Windows1252.h"

#include <filesystem>

namespace agendrix::cli {

namespace {

    enum class WhenMissing { Fail, StartEmpty };

    // Loads the list (older formats converted, with their notes on the error stream) and
    // assesses it. Returns false after reporting the error.
    bool LoadList(
        ListDocument& document, const std::string& file, WhenMissing whenMissing, CliContext& context)
    {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(file, error);
        document.ListName = error ? file : absolute.lexically_normal().string();
        RecentLists unused;
        StreamPrompts prompts(context.Err, PromptAnswer::Yes);
        const GetListResult result = GetList(document, unused, prompts, context.Now.Date, context.Ops);
        if (result.What == GetListResult::Status::Failed) {
            context.Err << "agendrix-cli: " << result.Error.Message << '\n';
            return false;
        }
        if (result.What == GetListResult::Status::Missing && whenMissing == WhenMissing::Fail) {
            if (!result.Error.Message.empty())
                context.Err << "agendrix-cli: " << result.Error.Message << '\n';
            else
                context.Err << "agendrix-cli: There is no list file \"" << document.ListName << "\".\n";
            return false;
        }
        AssessDateItems(document.Tasks, context.Now, context.DaysPerLevel);
        return true;
    }

    ExitCode Save(ListDocument& document, CliContext& context)
    {
        const FileError error = SaveListLocked(document, context.Ops);
        if (error.Message.empty())
            return ExitCode::Success;
        context.Err << "agendrix-cli: " << error.Message << '\n';
        return ExitCode::FileOrData;
    }

    ExitCode Show(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!LoadList(document, arguments.File, WhenMissing::Fail, context))
            return ExitCode::FileOrData;
        if (arguments.Form == OutputForm::Json)
            WriteJson(context.Out, document.Tasks, context.FormatDate);
        else
            WriteTable(context.Out, document.Tasks, context.FormatDate,
                context.ColourOutput ? Colour::On : Colour::Off);
        return ExitCode::Success;
    }

    // The bytes SaveList would write, on a stream.
    void WriteListFile(std::ostream& out, const TaskStore& tasks)
    {
        OutputBuffer buffer(out);
        buffer.Append(HeaderLine());
        buffer.Append("\r\n");
        for (std::size_t i = 0; i < tasks.Count() && buffer.EndRow(); ++i) {
            buffer.Append(tasks.Line(i));
            buffer.Append("\r\n");
        }
        buffer.Flush();
    }

    ExitCode Assess(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!LoadList(document, arguments.File, WhenMissing::Fail, context))
            return ExitCode::FileOrData;
        if (arguments.Output == StandardOutput) {
            WriteListFile(context.Out, document.Tasks);
            return ExitCode::Success;
        }
        if (!arguments.Output.empty())
            document.ListName = arguments.Output;
        return Save(document, context);
    }

    // Text from the command line is UTF-8; the list holds Windows-1252.
    std::string ToListText(const std::string& utf8, const char* what, CliContext& context)
    {
        EncodedText encoded = Utf8ToWindows1252(utf8);
        if (encoded.lossiness == Lossiness::Replaced)
            context.Err << "Some characters of the " << what
                        << " cannot be stored in a task list and were replaced by \"?\".\n";
        return std::move(encoded.bytes);
    }

    // Every line break as LF, the one the information text stores as "\xB6" (the encoding drops
    // CR): a CR LF pair stays one break and a lone CR is a break of its own.
    std::string WithLfBreaks(std::string_view text)
    {
        std::string lf;
        lf.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r')
                lf += text[i];
            else if (i + 1 == text.size() || text[i + 1] != '\n')
                lf += '\n';
        }
        return lf;
    }

    ExitCode Add(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!LoadList(document, arguments.File, WhenMissing::StartEmpty, context))
            return ExitCode::FileOrData;
        TaskEditorInput input = NewTaskDefaults(context.Now.Date);
        input.Description = ToListText(arguments.Description, "description", context);
        input.Information = ToListText(WithLfBreaks(arguments.Information), "information text", context);
        input.File = ToListText(arguments.AssociatedFile, "file path", context);
        if (arguments.Due) {
            input.PriorityOption = CodeNotAssessed;
            input.Date = *arguments.Due;
            input.DaysToComplete = arguments.Days;
            input.DayKind = arguments.DayKind;
        } else if (arguments.PriorityOption) {
            input.PriorityOption = *arguments.PriorityOption;
        }
        const EditedTask edited = BuildEditedTask(input, context.Now.Date);
        document.Tasks.Add(edited.Line);
        document.Dirty = true;
        if (edited.Shortened == Shortening::InformationCut)
            context.Err << ShorteningMessage() << '\n';
        AssessDateItems(document.Tasks, context.Now, context.DaysPerLevel);
        return Save(document, context);
    }

    ExitCode Complete(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!LoadList(document, arguments.File, WhenMissing::Fail, context))
            return ExitCode::FileOrData;
        if (!CompleteTask(document, arguments.Index, context.Now.Date)) {
            context.Err << "agendrix-cli: \"" << document.ListName << "\" has no task at index "
                        << arguments.Index << " (it has " << document.Tasks.Count() << ").\n";
            return ExitCode::FileOrData;
        }
        AssessDateItems(document.Tasks, context.Now, context.DaysPerLevel);
        return Save(document, context);
    }

    ExitCode ExportCompletedItems(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!LoadList(document, arguments.File, WhenMissing::Fail, context))
            return ExitCode::FileOrData;
        StreamPrompts prompts(context.Err, PromptAnswer::Yes);
        const ExportResult result = ExportCompleted(document, prompts, context.Now, context.Ops);
        switch (result.What) {
        case ExportResult::Status::Exported:
            return Save(document, context);
        case ExportResult::Status::Failed:
            return ExitCode::FileOrData;
        default:
            return ExitCode::Success;
        }
    }

    ExitCode Purge(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!LoadList(document, arguments.File, WhenMissing::Fail, context))
            return ExitCode::FileOrData;
        StreamPrompts prompts(context.Err, PromptAnswer::Yes);
        if (PurgeCompleted(document, prompts) != PurgeResult::Purged)
            return ExitCode::Success;
        return Save(document, context);
    }

} // namespace

ExitCode RunCommand(const CliArguments& arguments, CliContext& context)
{
    switch (arguments.Command) {
    case CommandName::Show:
        return Show(arguments, context);
    case CommandName::Assess:
        return Assess(arguments, context);
    case CommandName::Add:
        return Add(arguments, context);
    case CommandName::Complete:
        return Complete(arguments, context);
    case CommandName::ExportCompleted:
        return ExportCompletedItems(arguments, context);
    case CommandName::Purge:
        return Purge(arguments, context);
    }
    return ExitCode::Usage;
}

} // namespace agendrix::cli
