#include "CompletedItems.h"

#include "ListFile.h"
#include "TaskLine.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace agendrix {

std::string CompletedItemsPath(std::string_view listName)
{
    const std::string_view name = FileNameOf(listName);
    const std::size_t dot = name.rfind('.');
    const std::size_t folderLength = listName.size() - name.size();
    if (dot == std::string_view::npos)
        return std::string(listName) + ".cti";
    return std::string(listName.substr(0, folderLength + dot + 1)) + "cti";
}

bool IsCurrentCompletedHeader(std::string_view headerLine)
{
    const std::string_view version = headerLine.size() > 8 ? headerLine.substr(8, 5) : std::string_view {};
    return version == ProgramVersion || version == "2.1.0" || version == "3.0.0";
}

std::string OlderCompletedItemsName(std::string_view ctiPath, const DateTime& now)
{
    const int seconds = now.SecondsOfDay;
    return std::string(ctiPath.substr(0, ctiPath.size() >= 4 ? ctiPath.size() - 4 : 0))
        + std::to_string(now.Date.Year) + std::to_string(now.Date.Month) + std::to_string(now.Date.Day)
        + std::to_string(seconds / 3600) + std::to_string(seconds / 60 % 60) + std::to_string(seconds % 60)
        + ".CTI";
}

std::string NoCompletedItemsMessage() { return "No completed items found."; }

namespace {

    bool EndsWithCompleted(const TaskStore& tasks)
    {
        return !tasks.Empty() && IsCompletedLine(tasks.Lines().back());
    }

    // Moves the file aside under the dated name, or that name with "-2", "-3", ... before ".CTI"
    // when another export of the same second got there first; `movedTo` is the name taken.
    FileError MoveOlderFileAside(
        const std::string& ctiPath, const DateTime& now, FileOps& ops, std::string& movedTo)
    {
        const std::string dated = OlderCompletedItemsName(ctiPath, now);
        const std::string stem = dated.substr(0, dated.size() - 4);
        for (int n = 1; n < 1000; ++n) {
            const std::string name = n == 1 ? dated : stem + "-" + std::to_string(n) + ".CTI";
            if (ops.RenameNoReplace(ctiPath, name) == 0) {
                movedTo = name;
                return {};
            }
            if (errno != EEXIST) {
                const int errorNumber = errno;
                return FileError { ctiPath, errorNumber,
                    "Could not rename \"" + ctiPath + "\" to \"" + name + "\": " + std::strerror(errorNumber)
                        + "." };
            }
        }
        return FileError { ctiPath, EEXIST, "Could not find a free name to rename \"" + ctiPath + "\" to." };
    }

    // The bytes the completed-items file will hold before this export's lines are added.
    struct CtiStart {
        std::string Bytes;
        FileError Error;
        std::optional<std::size_t> PreviousSize; // of the file, when it exists and stays
        std::string MovedAside;
    };

    CtiStart StartOfCtiFile(const std::string& ctiPath, Prompts& prompts, const DateTime& now, FileOps& ops)
    {
        const std::string header = HeaderLine() + "\r\n";
        ReadResult existing = ReadWholeFile(ctiPath, ops);
        if (existing.What == ReadResult::Status::Missing)
            return { header, {}, std::nullopt, {} };
        if (existing.What == ReadResult::Status::Failed)
            return { {}, existing.Error, std::nullopt, {} };
        if (!IsCurrentCompletedHeader(LineCursor(existing.Bytes).Next().value_or(std::string_view {}))) {
            prompts.Ask(PromptRequest { "Agendrix",
                "A completed task items list in an older format already exists. It will be renamed to avoid "
                "overwriting.",
                PromptIcon::None, PromptButtons::Ok, PromptAnswer::Ok });
            CtiStart start { header, {}, std::nullopt, {} };
            start.Error = MoveOlderFileAside(ctiPath, now, ops, start.MovedAside);
            return start;
        }
        const std::size_t previousSize = existing.Bytes.size();
        if (!existing.Bytes.empty() && existing.Bytes.back() != '\n' && existing.Bytes.back() != '\r')
            existing.Bytes += "\r\n";
        return { std::move(existing.Bytes), {}, previousSize, {} };
    }

} // namespace

ExportResult ExportCompleted(ListDocument& document, Prompts& prompts, const DateTime& now, FileOps& ops)
{
    ExportResult result;
    if (document.ListName.starts_with("New")) {
        prompts.Tell("You must save the list before exporting items");
        result.What = ExportResult::Status::NotSaved;
        return result;
    }
    if (!EndsWithCompleted(document.Tasks)) {
        prompts.Tell(NoCompletedItemsMessage());
        result.What = ExportResult::Status::NothingToExport;
        return result;
    }
    result.CtiPath = CompletedItemsPath(document.ListName);
    CtiStart start = StartOfCtiFile(result.CtiPath, prompts, now, ops);
    if (!start.Error.Message.empty()) {
        prompts.Tell(start.Error.Message, PromptIcon::Critical);
        result.What = ExportResult::Status::Failed;
        result.Error = std::move(start.Error);
        return result;
    }
    const TaskLines lines = document.Tasks.Lines();
    std::size_t first = lines.size();
    while (first > 0 && IsCompletedLine(lines[first - 1]))
        --first;
    // Taken from the end of the list, the lines are written in descending order.
    for (std::size_t i = lines.size(); i > first; --i) {
        start.Bytes += lines[i - 1];
        start.Bytes += "\r\n";
    }
    result.Error = SaveFileAtomically(result.CtiPath, start.Bytes, ops);
    if (!result.Error.Message.empty()) {
        // The older file goes back under its name: a failed export changes nothing.
        if (!start.MovedAside.empty())
            ops.RenameNoReplace(start.MovedAside, result.CtiPath);
        prompts.Tell(result.Error.Message, PromptIcon::Critical);
        result.What = ExportResult::Status::Failed;
        return result;
    }
    result.PreviousSize = start.PreviousSize;
    result.MovedAside = std::move(start.MovedAside);
    result.Written = std::move(start.Bytes);
    while (EndsWithCompleted(document.Tasks)) {
        document.Tasks.Remove(document.Tasks.Count() - 1);
        ++result.Count;
    }
    document.Dirty = true;
    prompts.Tell("Completed items have been saved to:\n" + result.CtiPath);
    return result;
}

FileError RestoreCompletedItems(const ExportResult& result, FileOps& ops)
{
    if (result.What != ExportResult::Status::Exported)
        return {};
    if (result.PreviousSize)
        return SaveFileAtomically(
            result.CtiPath, std::string_view(result.Written).substr(0, *result.PreviousSize), ops);
    if (ops.Unlink(result.CtiPath) != 0 && errno != ENOENT) {
        const int errorNumber = errno;
        return FileError { result.CtiPath, errorNumber,
            "Could not remove \"" + result.CtiPath + "\" again: " + std::strerror(errorNumber) + "." };
    }
    if (!result.MovedAside.empty() && ops.RenameNoReplace(result.MovedAside, result.CtiPath) != 0) {
        const int errorNumber = errno;
        return FileError { result.CtiPath, errorNumber,
            "Could not rename \"" + result.MovedAside + "\" back to \"" + result.CtiPath
                + "\": " + std::strerror(errorNumber) + "." };
    }
    return {};
}

PurgeResult PurgeCompleted(ListDocument& document, Prompts& prompts)
{
    if (!EndsWithCompleted(document.Tasks)) {
        prompts.Tell(NoCompletedItemsMessage());
        return PurgeResult::NothingToPurge;
    }
    const PromptAnswer answer = prompts.Ask(PromptRequest { "Purge Completed Items",
        "Are you sure you would like to permanently remove all tasks in the current list marked as Complete?",
        PromptIcon::Exclamation, PromptButtons::YesNo, PromptAnswer::Yes });
    if (answer != PromptAnswer::Yes)
        return PurgeResult::Declined;
    DropCompletedFromTheEnd(document);
    return PurgeResult::Purged;
}

std::size_t DropCompletedFromTheEnd(ListDocument& document)
{
    std::size_t dropped = 0;
    for (; EndsWithCompleted(document.Tasks); ++dropped)
        document.Tasks.Remove(document.Tasks.Count() - 1);
    if (dropped > 0)
        document.Dirty = true;
    return dropped;
}

} // namespace agendrix
