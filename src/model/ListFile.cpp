#include "ListFile.h"

#include "TaskLine.h"

#include "LargeBuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

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

    // Room for the handles of a file's lines and of some tasks added later. A vector that
    // regrows holds its old and its new storage at once, which for a long list of short lines is
    // more than the lines take, so it is sized from the line ends the file has: LFs, or CRs in a
    // file without any.
    std::size_t CountOf(std::string_view bytes, char c)
    {
        // Blocks of 255 bytes, so that the compiler can count in byte-wide vector lanes.
        std::size_t count = 0;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t end = std::min(bytes.size(), at + 255);
            std::uint8_t inBlock = 0;
            for (; at < end; ++at)
                inBlock = static_cast<std::uint8_t>(inBlock + (bytes[at] == c ? 1 : 0));
            count += inBlock;
        }
        return count;
    }

    std::size_t HandlesExpected(std::string_view bytes)
    {
        std::size_t count = CountOf(bytes, '\n');
        if (count == 0)
            count = CountOf(bytes, '\r');
        return count + count / 64 + 16;
    }

    // Bytes from `offset` on that a line of `size` bytes may take: its own, and the CR of a
    // CR LF after it, the LF then ending it.
    std::size_t RoomAt(std::string_view bytes, std::size_t offset, std::size_t size)
    {
        const std::size_t end = offset + size;
        return size + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 1 : 0);
    }

    // A line stays where it is, ended by a '\n' written over the first byte of its line end. An
    // older file's line is converted in its place when it fits there, as it does unless the
    // conversion made it longer; one that grew goes to the arena.
    LineHandle TakeLine(std::string& bytes, std::string_view line, ListFormat format, LineArena& arena,
        const CivilDate& today)
    {
        const auto offset = static_cast<std::size_t>(line.data() - bytes.data());
        std::size_t size = line.size();
        if (format != ListFormat::Current) {
            const std::string converted = format == ListFormat::Version20 ? ConvertOldLine(line, today)
                                                                          : ConvertVersion1Line(line, today);
            if (converted.size() > RoomAt(bytes, offset, size))
                return arena.Append(converted);
            converted.copy(bytes.data() + offset, converted.size());
            size = converted.size();
        }
        bytes[offset + size] = '\n';
        return LineArena::FileLine(offset);
    }
} // namespace

ParsedList ParseListFile(std::string bytes, const CivilDate& today)
{
    ParsedList parsed;
    if (bytes.starts_with(Utf8Mark)) {
        parsed.Conversion = Utf8ToWindows1252InPlace(bytes, Utf8Mark.size());
        parsed.Encoding = SourceEncoding::Utf8;
    }
    if (bytes.empty())
        return parsed;
    // Every line must have an end to write '\n' over; one more line end adds no line.
    if (bytes.back() != '\n' && bytes.back() != '\r')
        bytes.push_back('\n');
    LineCursor cursor(bytes);
    std::optional<std::string_view> line = cursor.Next();
    std::size_t lineNumber = 1;
    if (line && line->starts_with('F')) {
        parsed.Format = IsCurrentVersion(*line) ? ListFormat::Current : ListFormat::Version20;
        line = cursor.Next();
        ++lineNumber;
    } else {
        parsed.Format = ListFormat::Version1;
    }
    LoadedLines& loaded = parsed.Loaded;
    loaded.Handles.reserve(HandlesExpected(bytes));
    AdviseHugePages(loaded.Handles.data(), loaded.Handles.capacity() * sizeof(LineHandle));
    for (; line && !line->empty(); line = cursor.Next(), ++lineNumber) {
        RoomForOneMore(loaded.Handles);
        loaded.Handles.push_back(TakeLine(bytes, *line, parsed.Format, loaded.Arena, today));
    }
    if (line) {
        if (const std::size_t after = NonEmptyLines(cursor); after > 0)
            parsed.Stopped = ReadStop { lineNumber, after };
    }
    loaded.Arena.AdoptFile(std::move(bytes));
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
    // Built up piece by piece: GCC 12 mistakes "literal" + std::string for an overlapping copy.
    std::string text(1, '"');
    text += path;
    text += "\" has an empty line at line ";
    text += std::to_string(stop.EmptyLine);
    text += ". A list ends at its first empty line, so ";
    if (stop.LinesAfter == 1) {
        text += "the line after it was";
    } else {
        text += "the ";
        text += std::to_string(stop.LinesAfter);
        text += " lines after it were";
    }
    text += " not read and will be lost if this list is saved.";
    return text;
}

std::string Utf8ListMessage(std::string_view path, Lossiness conversion)
{
    std::string text(1, '"');
    text += path;
    text += "\" is UTF-8 text. Task lists are kept in Windows-1252, so its text was converted and will be "
            "saved in Windows-1252.";
    if (conversion == Lossiness::Replaced)
        text += " Characters that Windows-1252 cannot hold were replaced by \"?\".";
    return text;
}

bool WriteListFile(const TaskLines& lines, const WritePiece& write)
{
    // Pieces of 64 KiB make few writes and stay in the processor's cache; a line longer than
    // that goes on as it is rather than through a copy.
    constexpr std::size_t pieceSize = 64 * 1024;
    std::string piece = HeaderLine() + "\r\n";
    piece.reserve(pieceSize);
    for (const std::string_view line : lines) {
        if (piece.size() + line.size() + 2 > pieceSize) {
            if (!write(piece))
                return false;
            piece.clear();
        }
        if (line.size() + 2 > pieceSize) {
            if (!write(line) || !write("\r\n"))
                return false;
            continue;
        }
        piece += line;
        piece += "\r\n";
    }
    return write(piece);
}

FileError SaveTasksAtomically(const std::string& path, const TaskStore& tasks, FileOps& ops)
{
    return SaveFileAtomically(
        path, [&tasks](const WritePiece& write) { return WriteListFile(tasks.Lines(), write); }, ops);
}

FileError SaveList(ListDocument& document, const FileLock& lock, FileOps& ops)
{
    if (lock.What() == FileLock::State::Held)
        RemoveStaleTemporaries(document.ListName, ops);
    FileError error = SaveTasksAtomically(document.ListName, document.Tasks, ops);
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
    if (document.ListName.empty()) {
        document.ListName = std::string(NewListName);
        GetListResult untitled;
        untitled.What = GetListResult::Status::Untitled;
        return untitled;
    }
    return TakeListRead(document, recent, prompts, ReadList(document.ListName, today, ops));
}

ListRead ReadList(const std::string& listName, const CivilDate& today, FileOps& ops)
{
    ListRead read;
    GetListResult& result = read.Outcome;
    ReadResult file = ReadWholeFile(listName, ops);
    // A command line naming a file that does not exist leaves only its folder: no list there yet.
    if (file.What == ReadResult::Status::Missing || file.Error.ErrorNumber == EISDIR) {
        result.What = GetListResult::Status::Missing;
        if (file.What == ReadResult::Status::Failed)
            result.Error = std::move(file.Error);
        return read;
    }
    if (file.What == ReadResult::Status::Failed) {
        result.What = GetListResult::Status::Failed;
        result.Error = std::move(file.Error);
        return read;
    }
    ParsedList parsed = ParseListFile(std::move(file.Bytes), today);
    result.Format = parsed.Format;
    result.Stopped = parsed.Stopped;
    result.Encoding = parsed.Encoding;
    read.Conversion = parsed.Conversion;
    read.Tasks.Load(std::move(parsed.Loaded));
    return read;
}

bool TellsTheUser(const ListRead& read)
{
    const GetListResult& result = read.Outcome;
    return result.What == GetListResult::Status::Loaded
        && (result.Encoding == SourceEncoding::Utf8
            || (result.Format == ListFormat::Version20 && !read.Tasks.Empty())
            || result.Format == ListFormat::Version1 || result.Stopped);
}

GetListResult TakeListRead(ListDocument& document, RecentLists& recent, Prompts& prompts, ListRead read)
{
    UpdateRecentLists(recent, document.ListName);
    const GetListResult& result = read.Outcome;
    if (result.What != GetListResult::Status::Loaded)
        return result;
    if (result.Encoding == SourceEncoding::Utf8)
        prompts.Tell(Utf8ListMessage(document.ListName, read.Conversion));
    // The version 2.0 message comes before the first converted line, so a file without lines
    // shows none; the version 1 message comes after reading, lines or not.
    if (result.Format == ListFormat::Version20 && !read.Tasks.Empty())
        prompts.Tell(Version20Message());
    document.Tasks.Load(std::move(read.Tasks));
    if (result.Format == ListFormat::Version1)
        prompts.Tell(Version1Message());
    if (result.Stopped)
        prompts.Tell(ReadStopMessage(document.ListName, *result.Stopped), PromptIcon::Exclamation);
    document.Dirty = false;
    return result;
}

} // namespace agendrix
