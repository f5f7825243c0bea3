// Any bytes as a list file: parse, load into the store, assess the dates and encode again.
//
// Properties:
// - no line is lost: the parser keeps every line up to the first empty one, and the store, the
//   date logic and the encoder keep all of them;
// - a current-format file of plain CR LF lines re-encodes to exactly its lines in sorted order;
// - the date logic changes nothing but the code of date-based lines, gives each the code that
//   the day-by-day count of the task rules yields and the status that goes with it, keeps the
//   store sorted, and does not run again while nothing changed;
// - the file written a piece at a time is the file encoded whole, and reads back as the same
//   lines.

#include "FuzzCheck.h"

#include "model/CivilDate.h"
#include "model/DateLogic.h"
#include "model/DateStatus.h"
#include "model/ListFile.h"
#include "model/TaskLine.h"
#include "model/TaskStore.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace agendrix;

namespace {

constexpr CivilDate Today { 2026, 12, 6 };
constexpr DateTime Noon { Today, 12 * 3600 };
constexpr DateTime Midnight { Today, 0 };
constexpr std::string_view CurrentHeader = "Format: 5.0.0\r\n";

// The lines of a file, split the way the file format defines them: CR LF, LF, a lone CR or
// CR CR LF.
std::vector<std::string_view> ReferenceLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            if (bytes.substr(i, 3) == "\r\r\n")
                i += 3;
            else
                i += (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

// How many task lines the file holds: after the header (if the first line starts with "F"),
// up to the first empty line; and whether a non-empty line comes after that empty line.
std::pair<std::size_t, bool> ExpectedLineCount(std::string_view bytes)
{
    const std::vector<std::string_view> lines = ReferenceLines(bytes);
    std::size_t next = !lines.empty() && lines.front().starts_with('F') ? 1 : 0;
    std::size_t count = 0;
    for (; next < lines.size() && !lines[next].empty(); ++next)
        ++count;
    const bool more = std::any_of(lines.begin() + static_cast<std::ptrdiff_t>(next), lines.end(),
        [](std::string_view line) { return !line.empty(); });
    return { count, more };
}

// The lines of a current-format file made only of non-empty lines each ended by CR LF (the last
// one may lack it), or nothing when the file is not that plain.
std::optional<std::vector<std::string_view>> PlainCurrentLines(std::string_view bytes)
{
    if (!bytes.starts_with(CurrentHeader))
        return std::nullopt;
    std::string_view rest = bytes.substr(CurrentHeader.size());
    std::vector<std::string_view> lines;
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        const std::string_view line = rest.substr(0, end);
        if (line.empty() || line.find_first_of("\r\n") != std::string_view::npos)
            return std::nullopt;
        lines.push_back(line);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
    return lines;
}

// What the date logic must leave alone: all of a line but the code of a date-based line.
std::string_view Unrecoded(std::string_view line)
{
    if (!IsDateBasedLine(line))
        return line;
    return line.substr(line.find('\t'));
}

template <typename Lines> std::vector<std::string_view> SortedUnrecoded(const Lines& lines)
{
    std::vector<std::string_view> parts;
    parts.reserve(lines.size());
    for (const auto& line : lines)
        parts.push_back(Unrecoded(line));
    std::sort(parts.begin(), parts.end());
    return parts;
}

template <typename Lines> bool IsSorted(const Lines& lines)
{
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (TaskLineLess(lines[i], lines[i - 1]))
            return false;
    }
    return true;
}

// The counted days c, stepped one day at a time from the clock as the task rules describe it:
// a day is added before the test, so the step that passes the end is counted too. Sunday is 1 and
// Saturday 7. Nothing for spans too long to step through.
std::optional<std::int64_t> SteppedCount(std::int64_t today, bool atMidnight, std::int64_t due, int kind)
{
    if (today - due > 1500 || due - today > 1500)
        return std::nullopt;
    const auto counts = [kind](std::int64_t day) {
        const std::int64_t weekday = ((day + 4) % 7 + 7) % 7 + 1;
        const bool weekend = weekday == 1 || weekday == 7;
        return (kind == 0 && !weekend) || (kind == 1 && weekend) || kind == 2;
    };
    std::int64_t c = 0;
    // Before the due day: from the clock one day at a time until past midnight of the due day,
    // which from noon is the due day itself and from midnight the day after it. From the due day
    // on: from its midnight one day at a time until past the clock, which is tomorrow.
    const bool ahead = today < due;
    const std::int64_t first = ahead ? today + 1 : due + 1;
    const std::int64_t last = ahead ? (atMidnight ? due + 1 : due) : today + 1;
    for (std::int64_t day = first; day <= last; ++day) {
        if (counts(day))
            c += ahead ? 1 : -1;
    }
    return c;
}

struct DateTask {
    std::int64_t Due = 0;
    std::int64_t DaysToComplete = 0;
    int Kind = 0;
};

std::optional<DateTask> ReadDateTask(std::string_view line)
{
    const auto due = ParseYyyymmdd(GetField(line, TaskField::Date));
    if (!due)
        return std::nullopt;
    const long long kind = LeadingNumber(GetField(line, TaskField::DayKind));
    return DateTask { DaysFromCivil(*due), LeadingNumber(GetField(line, TaskField::DaysToComplete)),
        kind >= 0 && kind <= 2 ? static_cast<int>(kind) : 3 };
}

void CheckDateCodes(const TaskStore& store, const DateTime& now, int daysPerLevel)
{
    const std::int64_t today = DaysFromCivil(now.Date);
    for (std::size_t i = 0; i < store.Count(); ++i) {
        const std::string_view line = store.Line(i);
        const DateStatus status = StatusAt(store, i);
        if (!IsDateBasedLine(line)) {
            const auto code = PriorityCode(line);
            FUZZ_CHECK(status.What
                == (code && !StatusName(*code).empty() ? DateStatus::Kind::Named : DateStatus::Kind::Empty));
            continue;
        }
        FUZZ_CHECK(line.find('\t') == 2);
        const auto code = PriorityCode(line);
        FUZZ_CHECK(code && *code >= CodeBroken && *code <= CodeLow);
        const auto task = ReadDateTask(line);
        if (!task) {
            FUZZ_CHECK(*code == CodeBroken);
            continue;
        }
        // Days to complete that large are clamped by the model; leave them out.
        if (task->DaysToComplete < -100000 || task->DaysToComplete > 100000)
            continue;
        const auto c = SteppedCount(today, now.SecondsOfDay == 0, task->Due, task->Kind);
        if (!c)
            continue;
        const std::int64_t r = *c - task->DaysToComplete;
        int expected = CodeLow;
        if (r < 0)
            expected = *c <= 0 ? CodeBroken : CodeExtreme;
        else if (r <= 7 * daysPerLevel)
            expected = static_cast<int>(std::min<std::int64_t>(3 + r / daysPerLevel, CodeLow));
        FUZZ_CHECK(*code == expected);
        FUZZ_CHECK(status.What == (r >= 0 ? DateStatus::Kind::DueAhead : DateStatus::Kind::DueAgo));
        FUZZ_CHECK(status.StartDays == (r >= 0 ? r : -r));
        FUZZ_CHECK(status.DueDay == task->Due);
        FUZZ_CHECK(status.DayKind == task->Kind);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    // A file that starts with the UTF-8 mark is read as its Windows-1252 conversion.
    const bool utf8 = raw.starts_with("\xEF\xBB\xBF");
    const std::string converted = utf8 ? Utf8ToWindows1252(raw.substr(3)).bytes : std::string(raw);
    const std::string_view bytes = converted;

    ParsedList parsed = ParseListFile(std::string(raw), Today);
    FUZZ_CHECK((parsed.Encoding == SourceEncoding::Utf8) == utf8);
    const auto [expectedCount, stoppedEarly] = ExpectedLineCount(bytes);
    FUZZ_CHECK(parsed.Loaded.Handles.size() == expectedCount);
    FUZZ_CHECK(parsed.Stopped.has_value() == stoppedEarly);
    for (const std::string_view line : parsed.Loaded.Lines()) {
        FUZZ_CHECK(!line.empty());
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
    }
    // An empty file is an empty current list; otherwise only a header makes a later version.
    if (parsed.Format != ListFormat::Version1)
        FUZZ_CHECK(bytes.empty() || bytes.starts_with('F'));
    else
        FUZZ_CHECK(!bytes.starts_with('F'));

    const std::vector<std::string> fileLines(parsed.Loaded.Lines().begin(), parsed.Loaded.Lines().end());
    TaskStore store;
    store.Load(std::move(parsed.Loaded));
    FUZZ_CHECK(store.Count() == fileLines.size());
    FUZZ_CHECK(IsSorted(store.Lines()));

    // A plain current-format file: the encoder writes the header and the lines, sorted.
    if (const auto plain = utf8 ? std::nullopt : PlainCurrentLines(bytes)) {
        FUZZ_CHECK(parsed.Format == ListFormat::Current);
        std::vector<std::string> sorted(plain->begin(), plain->end());
        std::stable_sort(sorted.begin(), sorted.end(), TaskLineLess);
        std::string expected(CurrentHeader);
        for (const std::string& line : sorted) {
            expected += line;
            expected += "\r\n";
        }
        FUZZ_CHECK(EncodeListFile(store.Lines()) == expected);
    }

    const std::vector<std::string_view> before = SortedUnrecoded(fileLines);
    const std::uint64_t revision = store.Revision();

    FUZZ_CHECK(AssessDateItems(store, Noon, 3) == Assessment::Recomputed);
    FUZZ_CHECK(store.Count() == fileLines.size());
    FUZZ_CHECK(IsSorted(store.Lines()));
    FUZZ_CHECK(store.Revision() == revision);
    FUZZ_CHECK(SortedUnrecoded(store.Lines()) == before);
    CheckDateCodes(store, Noon, 3);
    FUZZ_CHECK(AssessDateItems(store, Noon, 3) == Assessment::Unchanged);
    FUZZ_CHECK(AssessDateItems(store, { Today, 18 * 3600 }, 3) == Assessment::Unchanged);

    // The status texts are made for the rows shown; every line must make one.
    const DateFormatter format = [](const CivilDate& date) { return FormatIso(date); };
    for (std::size_t i = 0; i < store.Count(); ++i)
        (void)StatusText(StatusAt(store, i), format);

    // Another setting and the midnight clock recompute; the lines stay the same apart from codes.
    FUZZ_CHECK(AssessDateItems(store, Noon, 1) == Assessment::Recomputed);
    CheckDateCodes(store, Noon, 1);
    FUZZ_CHECK(AssessDateItems(store, Midnight, 1) == Assessment::Recomputed);
    CheckDateCodes(store, Midnight, 1);
    FUZZ_CHECK(IsSorted(store.Lines()));
    FUZZ_CHECK(SortedUnrecoded(store.Lines()) == before);

    // What we write reads back as the same lines, in the current format; a save writes it a
    // piece at a time.
    const std::string encoded = EncodeListFile(store.Lines());
    FUZZ_CHECK(encoded.starts_with(CurrentHeader));
    std::string pieces;
    FUZZ_CHECK(WriteListFile(store.Lines(), [&pieces](std::string_view piece) {
        pieces += piece;
        return true;
    }));
    FUZZ_CHECK(pieces == encoded);
    const ParsedList reread = ParseListFile(encoded, Today);
    FUZZ_CHECK(reread.Format == ListFormat::Current);
    FUZZ_CHECK(std::ranges::equal(reread.Loaded.Lines(), store.Lines()));
    return 0;
}
