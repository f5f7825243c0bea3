#include "CliCommands.h"
#include "PackageCommands.h"

#include "OutputBuffer.h"
#include "StreamPrompts.h"
#include "TaskTable.h"

#include "model/CompletedItems.h"
#include "model/DateLogic.h"
#include "model/FileLock.h"
#include "model/ListFile.h"
#include "model/ListIndex.h"
#include "model/TaskEditing.h"
#include "model/TextImport.h"
#include "model/WebPage.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <filesystem>

namespace agendrix::cli {

namespace {

    enum class WhenMissing { Fail, StartEmpty };

    // The name a file is reported and kept under: absolute, as the window names lists.
    std::string AbsoluteName(const std::string& file)
    {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(file, error);
        return error ? file : absolute.lexically_normal().string();
    }

    // Loads the list (older formats converted, with their notes on the error stream) and
    // assesses it. Returns false after reporting the error. A command that writes the list back
    // refuses one whose reading stopped at an empty line, as the lines after it would be lost,
    // unless told to write anyway.
    bool LoadList(ListDocument& document, const std::string& file, WhenMissing whenMissing,
        WhenReadStopped whenStopped, CliContext& context)
    {
        document.ListName = AbsoluteName(file);
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
        if (result.Stopped && whenStopped == WhenReadStopped::Refuse) {
            context.Err
                << "agendrix-cli: Nothing was written: reading \"" << document.ListName
                << "\" stopped at its empty line " << result.Stopped->EmptyLine
                << ", and writing it would lose the lines after it. Give --force to write it anyway.\n";
            return false;
        }
        AssessDateItems(document.Tasks, context.Now, context.DaysPerLevel);
        return true;
    }

    // A command that reads the list, changes it and writes it back, all under the list's lock,
    // so that another program's change made meanwhile is never overwritten.
    struct Writer {
        const CliArguments& Arguments;
        CliContext& Context;
        const FileLock& Lock;

        bool Load(ListDocument& document, WhenMissing whenMissing = WhenMissing::Fail) const
        {
            return LoadList(document, Arguments.File, whenMissing, Arguments.Force, Context);
        }

        ExitCode Save(ListDocument& document) const
        {
            const FileError error = SaveList(document, Lock, Context.Ops);
            if (error.Message.empty())
                return ExitCode::Success;
            Context.Err << "agendrix-cli: " << error.Message << '\n';
            return ExitCode::FileOrData;
        }
    };

    ExitCode Show(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!LoadList(document, arguments.File, WhenMissing::Fail, WhenReadStopped::WriteAnyway, context))
            return ExitCode::FileOrData;
        if (arguments.Form == OutputForm::Json)
            WriteJson(context.Out, document.Tasks, context.FormatDate);
        else
            WriteTable(context.Out, document.Tasks, context.FormatDate,
                context.ColourOutput ? Colour::On : Colour::Off);
        return ExitCode::Success;
    }

    // The index of a folder's lists, as the window's list index shows it; lists that cannot be
    // read are named on the error stream and left out, and make the exit status say so.
    ExitCode Index(const CliArguments& arguments, CliContext& context)
    {
        const std::string folder = arguments.File.ends_with('/') ? arguments.File : arguments.File + "/";
        const ListIndexRead read = ReadListIndex(folder, arguments.Numbered, arguments.TopTasks);
        for (const FileError& error : read.Unreadable)
            context.Err << "agendrix-cli: " << error.Message << '\n';
        // Nothing was read and something failed (a missing folder): no empty table under the error.
        if (read.Lines.empty() && !read.Unreadable.empty())
            return ExitCode::FileOrData;
        TaskStore tasks;
        tasks.Load(read.Lines);
        if (arguments.Form == OutputForm::Json)
            WriteJson(context.Out, tasks, context.FormatDate);
        else
            WriteTable(
                context.Out, tasks, context.FormatDate, context.ColourOutput ? Colour::On : Colour::Off);
        return read.Unreadable.empty() ? ExitCode::Success : ExitCode::FileOrData;
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

    ExitCode Assess(const Writer& writer)
    {
        ListDocument document;
        if (!writer.Load(document))
            return ExitCode::FileOrData;
        const std::string& output = writer.Arguments.Output;
        if (output == StandardOutput) {
            WriteListFile(writer.Context.Out, document.Tasks);
            return ExitCode::Success;
        }
        if (!output.empty())
            document.ListName = output;
        return writer.Save(document);
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

    ExitCode Add(const Writer& writer)
    {
        const CliArguments& arguments = writer.Arguments;
        CliContext& context = writer.Context;
        ListDocument document;
        if (!writer.Load(document, WhenMissing::StartEmpty))
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
        return writer.Save(document);
    }

    ExitCode Complete(const Writer& writer)
    {
        CliContext& context = writer.Context;
        const std::size_t index = writer.Arguments.Index;
        ListDocument document;
        if (!writer.Load(document))
            return ExitCode::FileOrData;
        if (!CompleteTask(document, index, context.Now.Date)) {
            context.Err << "agendrix-cli: \"" << document.ListName << "\" has no task at index " << index
                        << " (it has " << document.Tasks.Count() << ").\n";
            return ExitCode::FileOrData;
        }
        AssessDateItems(document.Tasks, context.Now, context.DaysPerLevel);
        return writer.Save(document);
    }

    // Moves the completed tasks to the ".cti" file and saves the list; when the list cannot be
    // saved, the ".cti" file gets back what it held, so that both files stay as they were.
    ExitCode ExportCompletedItems(const Writer& writer)
    {
        CliContext& context = writer.Context;
        ListDocument document;
        if (!writer.Load(document))
            return ExitCode::FileOrData;
        StreamPrompts prompts(context.Err, PromptAnswer::Yes);
        const ExportResult result = ExportCompleted(document, prompts, context.Now, context.Ops);
        if (result.What == ExportResult::Status::Failed)
            return ExitCode::FileOrData;
        if (result.What != ExportResult::Status::Exported)
            return ExitCode::Success;
        const ExitCode saved = writer.Save(document);
        if (saved != ExitCode::Success) {
            const FileError restored = RestoreCompletedItems(result, context.Ops);
            context.Err << "agendrix-cli: "
                        << (restored.Message.empty() ? "The completed tasks stay in the list; \""
                                       + result.CtiPath + "\" was given back what it held."
                                                     : restored.Message)
                        << '\n';
        }
        return saved;
    }

    ExitCode Purge(const Writer& writer)
    {
        ListDocument document;
        if (!writer.Load(document))
            return ExitCode::FileOrData;
        StreamPrompts prompts(writer.Context.Err, PromptAnswer::Yes);
        if (PurgeCompleted(document, prompts) != PurgeResult::Purged)
            return ExitCode::Success;
        return writer.Save(document);
    }

    // The template --template names, else the first of the context's places that holds one.
    TemplateCut FindTemplate(const CliArguments& arguments, const CliContext& context)
    {
        if (!arguments.Template.empty())
            return LoadPageTemplate(arguments.Template, context.Ops);
        const std::vector<std::string>& places = context.TemplatePlaces;
        const auto found = std::find_if(places.begin(), places.end(), FileExists);
        if (found != places.end())
            return LoadPageTemplate(*found, context.Ops);
        return LoadPageTemplate(
            places.empty() ? std::string(PageTemplateFileName) : places.front(), context.Ops);
    }

    // The list as a web page, to a file or to standard output. The list is only read.
    ExitCode ExportHtml(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!LoadList(document, arguments.File, WhenMissing::Fail, WhenReadStopped::WriteAnyway, context))
            return ExitCode::FileOrData;
        const TemplateCut cut = FindTemplate(arguments, context);
        if (!cut.Template) {
            context.Err << "agendrix-cli: " << cut.Error << '\n';
            return ExitCode::FileOrData;
        }
        const std::string today = FormatIso(context.Now.Date);
        const PageDetails details { document.ListName, today, arguments.Colour };
        const auto produce = [&](const WritePiece& write) {
            return WriteWebPage(*cut.Template, document.Tasks.Lines(), details, write);
        };
        if (arguments.Output == StandardOutput) {
            produce([&context](std::string_view piece) {
                context.Out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                return context.Out.good();
            });
            return ExitCode::Success;
        }
        if (IsTheListFile(arguments.Output, document.ListName)) {
            context.Err << "agendrix-cli: " << PageOverListMessage(arguments.Output) << '\n';
            return ExitCode::FileOrData;
        }
        const FileError error = SaveFileAtomically(arguments.Output, produce, context.Ops);
        if (error.Message.empty())
            return ExitCode::Success;
        context.Err << "agendrix-cli: " << error.Message << '\n';
        return ExitCode::FileOrData;
    }

    // Puts the tasks of the text file in the document's store, with the notes on what changed
    // on the error stream. Returns false after reporting the error.
    bool ImportInto(ListDocument& document, const CliArguments& arguments, CliContext& context)
    {
        const std::string path = AbsoluteName(arguments.File);
        TextImport imported = ImportTextFile(path, arguments.Numbers, context.Now.Date, context.Ops);
        if (imported.What == TextImport::Status::Failed) {
            context.Err << "agendrix-cli: " << imported.Error.Message << '\n';
            return false;
        }
        if (const std::string notice = ImportNotice(path, imported.Text); !notice.empty())
            context.Err << notice << '\n';
        document.Tasks.Load(std::move(imported.Text.Loaded));
        return true;
    }

    ExitCode ImportToStandardOutput(const CliArguments& arguments, CliContext& context)
    {
        ListDocument document;
        if (!ImportInto(document, arguments, context))
            return ExitCode::FileOrData;
        WriteListFile(context.Out, document.Tasks);
        return ExitCode::Success;
    }

    ExitCode ImportText(const Writer& writer)
    {
        ListDocument document;
        if (!ImportInto(document, writer.Arguments, writer.Context))
            return ExitCode::FileOrData;
        document.ListName = writer.Arguments.Output;
        return writer.Save(document);
    }

    // The file a writing command writes: the output file of assess and import-text when -o names
    // one.
    std::string WrittenFile(const CliArguments& arguments)
    {
        const bool toOutput
            = arguments.Command == CommandName::Assess || arguments.Command == CommandName::ImportText;
        if (toOutput && !arguments.Output.empty() && arguments.Output != StandardOutput)
            return arguments.Output;
        return arguments.File;
    }

    ExitCode RunWriter(const CliArguments& arguments, CliContext& context)
    {
        const FileLock lock(WrittenFile(arguments), SaveLockWaitMs);
        if (lock.What() == FileLock::State::Busy) {
            context.Err << "agendrix-cli: " << lock.Error().Message << '\n';
            return ExitCode::FileOrData;
        }
        const Writer writer { arguments, context, lock };
        switch (arguments.Command) {
        case CommandName::Assess:
            return Assess(writer);
        case CommandName::Add:
            return Add(writer);
        case CommandName::Complete:
            return Complete(writer);
        case CommandName::ExportCompleted:
            return ExportCompletedItems(writer);
        case CommandName::Purge:
            return Purge(writer);
        case CommandName::ImportText:
            return ImportText(writer);
        case CommandName::Show:
        case CommandName::Index:
        case CommandName::ExportHtml:
        case CommandName::Pack:
        case CommandName::Unpack:
            break;
        }
        return ExitCode::Usage;
    }

} // namespace

ExitCode RunCommand(const CliArguments& arguments, CliContext& context)
{
    if (arguments.Command == CommandName::Show)
        return Show(arguments, context);
    if (arguments.Command == CommandName::Index)
        return Index(arguments, context);
    if (arguments.Command == CommandName::ExportHtml)
        return ExportHtml(arguments, context);
    if (arguments.Command == CommandName::Pack)
        return PackFiles(arguments, context);
    if (arguments.Command == CommandName::Unpack)
        return UnpackPackages(arguments, context);
    // Standard output needs no lock: no list file is written.
    if (arguments.Command == CommandName::ImportText && arguments.Output == StandardOutput)
        return ImportToStandardOutput(arguments, context);
    return RunWriter(arguments, context);
}

} // namespace agendrix::cli
