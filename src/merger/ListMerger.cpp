#include "ListMerger.h"

#include "model/FileAccess.h"
#include "model/FileLock.h"
#include "model/ListFile.h"

#include <optional>
#include <string_view>

namespace agendrix::merger {

namespace {

    std::string Quoted(std::string_view path) { return "\"" + std::string(path) + "\""; }

    // What must be named before anything is read: the window's fields may be left empty.
    std::string MissingName(const MergeRequest& request)
    {
        if (request.FirstList.empty())
            return "Name the first list to merge.";
        if (request.SecondList.empty())
            return "Name the second list to merge.";
        if (request.Output.empty())
            return "Name the output file to write the merged list to.";
        return {};
    }

    // The notes GetList shows when it opens a list, for the same findings.
    void NoteConversions(const std::string& path, const ParsedList& parsed, std::vector<std::string>& notes)
    {
        if (parsed.Encoding == SourceEncoding::Utf8)
            notes.push_back(Utf8ListMessage(path, parsed.Conversion));
        if (parsed.Format == ListFormat::Version20 && !parsed.Loaded.Handles.empty())
            notes.push_back(Version20Message());
        if (parsed.Format == ListFormat::Version1)
            notes.push_back(Version1Message());
    }

    // Reads one list; nothing and the error in `outcome` when it cannot be merged.
    std::optional<ParsedList> ReadCopy(
        const std::string& path, const CivilDate& today, FileOps& ops, MergeOutcome& outcome)
    {
        ReadResult file = ReadWholeFile(path, ops);
        if (file.What == ReadResult::Status::Missing) {
            outcome.Message = "There is no list file " + Quoted(path) + ".";
            return std::nullopt;
        }
        if (file.What == ReadResult::Status::Failed) {
            outcome.Message = std::move(file.Error.Message);
            return std::nullopt;
        }
        ParsedList parsed = ParseListFile(std::move(file.Bytes), today);
        NoteConversions(path, parsed, outcome.Notes);
        if (const std::optional<ReadStop>& stop = parsed.Stopped) {
            outcome.Message = "Nothing was written: reading " + Quoted(path) + " stopped at its empty line "
                + std::to_string(stop->EmptyLine) + ", and the merge would lose the "
                + std::to_string(stop->LinesAfter) + (stop->LinesAfter == 1 ? " line" : " lines")
                + " after it.";
            return std::nullopt;
        }
        return parsed;
    }

    std::vector<std::string_view> Views(const ParsedList& parsed)
    {
        const TaskLines lines = parsed.Loaded.Lines();
        return { lines.begin(), lines.end() };
    }

} // namespace

MergeOutcome MergeListFiles(const MergeRequest& request, const CivilDate& today, FileOps& ops)
{
    MergeOutcome outcome;
    outcome.Status = ExitCode::Usage;
    outcome.Message = MissingName(request);
    if (!outcome.Message.empty())
        return outcome;
    outcome.Status = ExitCode::FileProblem;
    // Held from reading to writing, so that a save of OUT meanwhile (OUT may be A or B, open in
    // the window) is never overwritten unseen.
    const FileLock lock(request.Output, SaveLockWaitMs);
    if (lock.What() == FileLock::State::Busy) {
        outcome.Message = lock.Error().Message;
        return outcome;
    }
    const std::optional<ParsedList> first = ReadCopy(request.FirstList, today, ops, outcome);
    if (!first)
        return outcome;
    const std::optional<ParsedList> second = ReadCopy(request.SecondList, today, ops, outcome);
    if (!second)
        return outcome;
    const MergedLines merged = MergeTaskLines(Views(*first), Views(*second));
    if (lock.What() == FileLock::State::Held)
        RemoveStaleTemporaries(request.Output, ops);
    const FileError error = SaveFileAtomically(request.Output, EncodeListFile(merged.Lines), ops);
    if (!error.Message.empty()) {
        outcome.Message = error.Message;
        return outcome;
    }
    outcome.Status = ExitCode::Success;
    outcome.Counts = merged.Counts;
    outcome.Message = MergeReport(request, merged.Counts);
    return outcome;
}

std::string MergeReport(const MergeRequest& request, const MergeCounts& counts)
{
    const std::size_t tasks = counts.KeptFromA + counts.AddedFromB;
    return "merged " + std::to_string(tasks) + (tasks == 1 ? " task" : " tasks") + " from "
        + Quoted(request.FirstList) + " and " + Quoted(request.SecondList) + " into " + Quoted(request.Output)
        + " (" + std::to_string(counts.Matched) + " matched)";
}

} // namespace agendrix::merger
