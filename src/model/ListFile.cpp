#include "ListFile.h"

#include "TaskLine.h"

#include "LargeBuffer.h"

#include <algorithm>
#include <cerrno>

namespace agendrix {

std::string HeaderLine() { return "Format: " + std::string(ProgramVersion); }

std::string ConvertOldLine(std::string_view line, const CivilDate& today)
{
    const std::size_t fourth = FindTab(line, 4);
    if (fourth == std::string_view::npos)
        return std::string(line);
    const std::size_t fifth = line.find('\t', fourth + 1);
    if (fifth == std::string_view::npos)
        return std::string(line);
    std::string converted;
    converted.reserve(line.size() + 8);
    converted.append(line.substr(0, fourth + 1));
    converted += FormatYyyymmdd(today);
    converted.append(line.substr(fifth));
    return converted;
}

std::string ConvertVersion1Line(std::string_view line, const CivilDate& today)
{
    // The old numbering ran the other way: 0 completed up to 10 broken. Junk codes read as 0
    // and values past 10 as 10, so every line gets a code of the current range.
    const long long oldCode
        = std::clamp(LeadingNumber(line.substr(0, std::min<std::size_t>(2, line.size()))), 0LL, 10LL);
    std::string converted = TwoDigitCode(static_cast<int>(10 - oldCode));
    if (line.size() > 2)
        converted.append(line.substr(2));
    return ConvertOldLine(converted, today);
}

namespace {
    bool IsCurrentVersion(std::string_view header)
    {
        const std::string_view version = header.size() > 8 ? header.substr(8, 5) : std::string_view {};
        if (version == "2.1.0")
            return true;
        if (version.empty() || version[0] < '0' || version[0] > '9')
            return true;
        return version[0] >= '3';
    }

    constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

    // Counts the non-empty lines left after reading stopped.
    std::size_t NonEmptyLines(LineCursor& cursor)
    {
        std::size_t count = 0;
        while (const auto line = cursor.Next())
            count += line->empty() ? 0 : 1;
        return count;
    }
} // namespace

ParsedList ParseListFile(std::string bytes, const CivilDate& today)
{
    ParsedList parsed;
    if (bytes.starts_with(Utf8Mark)) {
        EncodedText converted = Utf8ToWindows1252(std::string_view(bytes).substr(Utf8Mark.size()));
        bytes = std::move(converted.bytes);
        parsed.Encoding = SourceEncoding::Utf8;
        parsed.Conversion = converted.lossiness;
    }
    if (bytes.empty())
        return parsed;
    LoadedLines& loaded = parsed.Loaded;
    const std::string_view text = loaded.Arena.Adopt(std::move(bytes));
    LineCursor cursor(text);
    std::optional<std::string_view> line = cursor.Next();
    std::size_t lineNumber = 1;
    if (line && line->starts_with('F')) {
        parsed.Format = IsCurrentVersion(*line) ? ListFormat::Current : ListFormat::Version20;
        line = cursor.Next();
        ++lineNumber;
    } else {
        parsed.Format = ListFormat::Version1;
    }
    // About 60 bytes a line is typical; reserving avoids most regrowth of a long list.
    loaded.Lines.reserve(text.size() / 48 + 1);
    AdviseHugePages(loaded.Lines.data(), loaded.Lines.capacity() * sizeof(std::string_view));
    for (; line && !line->empty(); line = cursor.Next(), ++lineNumber) {
        switch (parsed.Format) {
        case ListFormat::Current:
            loaded.Lines.push_back(*line);
            break;
        case ListFormat::Version20:
            loaded.Lines.push_back(loaded.Arena.Append(ConvertOldLine(*line, today)));
            break;
        case ListFormat::Version1:
            loaded.Lines.push_back(loaded.Arena.Append(ConvertVersion1Line(*line, today)));
            break;
        }
    }
    if (line) {
        if (const std::size_t after = NonEmptyLines(cursor); after > 0)
            parsed.Stopped = ReadStop { lineNumber, after };
    }
    return parsed;
}

std::string Version20Message()
{
    return "This file is in Version 2.0 format, it will be\n"
           "converted to Version 3 format the next\n"
           "time you save. Dated items will not have\n"
           "their dates retained, we apologise for any\n"
           "inconvenience.";
}

std::string Version1Message()
{
    return "This list is in Agendrix Verson 1 format, the list will\n"
           "be converted to Version 2 format when you next save.\n"
           "Dated items will not have their dates retained, we\n"
           "apologise for any inconvenience.\n"
           "\n"
           "NOTE: Agendrix Version 1 cannot read V2.1 files.";
}

std::string ReadStopMessage(std::string_view path, const ReadStop& stop)
{
    const std::string count = stop.LinesAfter == 1
        ? "the line after it was"
        : "the " + std::to_string(stop.LinesAfter) + " lines after it were";
    return "\"" + std::string(path) + "\" has an empty line at line " + std::to_string(stop.EmptyLine)
        + ". A list ends at its first empty line, so " + count
        + " not read and will be lost if this list is saved.";
}

std::string Utf8ListMessage(std::string_view path, Lossiness conversion)
{
    std::string text = "\"" + std::string(path)
        + "\" is UTF-8 text. Task lists are kept in Windows-1252, so its text was converted and will be "
          "saved in Windows-1252.";
    if (conversion == Lossiness::Replaced)
        text += " Characters that Windows-1252 cannot hold were replaced by \"?\".";
    return text;
}

FileError SaveList(ListDocument& document, const FileLock& lock, FileOps& ops)
{
    if (lock.What() == FileLock::State::Held)
        RemoveStaleTemporaries(document.ListName, ops);
    FileError error = SaveFileAtomically(document.ListName, EncodeListFile(document.Tasks.Lines()), ops);
    if (error.Message.empty())
        document.Dirty = false;
    return error;
}

FileError SaveListLocked(ListDocument& document, FileOps& ops)
{
    const FileLock lock(document.ListName, SaveLockWaitMs);
    if (lock.What() == FileLock::State::Busy)
        return lock.Error();
    return SaveList(document, lock, ops);
}

GetListResult GetList(
    ListDocument& document, RecentLists& recent, Prompts& prompts, const CivilDate& today, FileOps& ops)
{
    GetListResult result;
    if (document.ListName.empty()) {
        document.ListName = std::string(NewListName);
        result.What = GetListResult::Status::Untitled;
        return result;
    }
    UpdateRecentLists(recent, document.ListName);
    ReadResult read = ReadWholeFile(document.ListName, ops);
    // A command line naming a file that does not exist leaves only its folder: no list there yet.
    if (read.What == ReadResult::Status::Missing || read.Error.ErrorNumber == EISDIR) {
        result.What = GetListResult::Status::Missing;
        if (read.What == ReadResult::Status::Failed)
            result.Error = std::move(read.Error);
        return result;
    }
    if (read.What == ReadResult::Status::Failed) {
        result.What = GetListResult::Status::Failed;
        result.Error = std::move(read.Error);
        return result;
    }
    ParsedList parsed = ParseListFile(std::move(read.Bytes), today);
    result.Format = parsed.Format;
    result.Stopped = parsed.Stopped;
    result.Encoding = parsed.Encoding;
    if (parsed.Encoding == SourceEncoding::Utf8)
        prompts.Tell(Utf8ListMessage(document.ListName, parsed.Conversion));
    // The version 2.0 message comes before the first converted line, so a file without lines
    // shows none; the version 1 message comes after reading, lines or not.
    if (parsed.Format == ListFormat::Version20 && !parsed.Loaded.Lines.empty())
        prompts.Tell(Version20Message());
    document.Tasks.Load(std::move(parsed.Loaded));
    if (parsed.Format == ListFormat::Version1)
        prompts.Tell(Version1Message());
    if (parsed.Stopped)
        prompts.Tell(ReadStopMessage(document.ListName, *parsed.Stopped), PromptIcon::Exclamation);
    document.Dirty = false;
    return result;
}

} // namespace agendrix
