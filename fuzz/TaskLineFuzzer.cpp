// Any bytes as one task line, and as text for the Windows-1252 codec.
//
// Properties:
// - every field is the text between the right Tabs, and splitting then building gives the line
//   back when it has exactly seven Tabs and no line end (a prefix of it otherwise);
// - the code reads as 0 to 10 only from two digits;
// - completing a line sets code "10", clears the date-based flag and inserts the date prefix;
// - a fitted line never exceeds 1024 bytes when its information text alone can absorb the
//   excess, and then keeps as much of the information text as fits;
// - information text encoding and decoding, and the codec, keep every byte.

#include "FuzzCheck.h"

#include "model/CivilDate.h"
#include "model/TaskLine.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace agendrix;

namespace {

constexpr CivilDate CompletionDay { 2026, 12, 4 };
constexpr std::string_view CompletionPrefix = "2026/12/04 - ";

constexpr TaskField AllFields[] = {
    TaskField::Code,
    TaskField::Description,
    TaskField::Information,
    TaskField::DateBased,
    TaskField::Date,
    TaskField::DaysToComplete,
    TaskField::DayKind,
    TaskField::File,
};

std::vector<std::string_view> SplitAtTabs(std::string_view line)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(
            line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return parts;
        start = tab + 1;
    }
}

void CheckFields(std::string_view line)
{
    const std::vector<std::string_view> parts = SplitAtTabs(line);
    for (std::size_t k = 0; k < std::size(AllFields); ++k) {
        const std::string_view field = GetField(line, AllFields[k]);
        FUZZ_CHECK(field == (k < parts.size() ? parts[k] : std::string_view {}));
        if (k > 0) {
            const std::size_t tab = FindTab(line, static_cast<int>(k));
            FUZZ_CHECK((k < parts.size()) == (tab != std::string_view::npos));
        }
    }

    const std::string rebuilt = BuildTaskLine(SplitTaskLine(line));
    const auto tabs = std::count(line.begin(), line.end(), '\t');
    if (tabs == 7 && line.find_first_of("\r\n") == std::string_view::npos)
        FUZZ_CHECK(rebuilt == line);
    if (tabs <= 7)
        FUZZ_CHECK(rebuilt == std::string(line) + std::string(static_cast<std::size_t>(7 - tabs), '\t'));
    else
        FUZZ_CHECK(line.starts_with(rebuilt) && line[rebuilt.size()] == '\t');
}

void CheckCode(std::string_view line)
{
    const auto code = PriorityCode(line);
    const bool digits
        = line.size() >= 2 && line[0] >= '0' && line[0] <= '9' && line[1] >= '0' && line[1] <= '9';
    FUZZ_CHECK(code.has_value() == (digits && (line[0] == '0' || line.substr(0, 2) == "10")));
    if (code) {
        FUZZ_CHECK(*code >= CodeNotAssessed && *code <= CodeCompleted);
        FUZZ_CHECK(TwoDigitCode(*code) == line.substr(0, 2));
        FUZZ_CHECK(StatusName(*code).empty() == (*code == CodeNotAssessed));
        FUZZ_CHECK(!EditorCaption(*code).empty());
    }
    FUZZ_CHECK(IsCompletedLine(line) == line.starts_with("10"));
    FUZZ_CHECK(IsDateBasedLine(line) == (GetField(line, TaskField::DateBased) == "1"));
}

void CheckCompleted(std::string_view line)
{
    const std::string done = CompleteTaskLine(line, CompletionDay);
    FUZZ_CHECK(done.starts_with("10"));
    FUZZ_CHECK(IsCompletedLine(done));
    FUZZ_CHECK(!IsDateBasedLine(done));
    if (line.size() < 3) {
        FUZZ_CHECK(done == "10\t" + std::string(CompletionPrefix));
        return;
    }
    FUZZ_CHECK(done.size() == line.size() + CompletionPrefix.size());
    FUZZ_CHECK(done[2] == line[2]);
    FUZZ_CHECK(std::string_view(done).substr(3, CompletionPrefix.size()) == CompletionPrefix);
    // Past the prefix the line is the old one, but for the date-based flag, which becomes "0".
    const std::string_view rest = std::string_view(done).substr(3 + CompletionPrefix.size());
    const std::string_view oldRest = line.substr(3);
    FUZZ_CHECK(rest.size() == oldRest.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != oldRest[i]) {
            ++differing;
            FUZZ_CHECK(rest[i] == '0' && oldRest[i] != '\t');
        }
    }
    FUZZ_CHECK(differing <= 1);
    // When the first two characters were not Tabs, the fields after the description are the same
    // but for the flag.
    if (line[0] != '\t' && line[1] != '\t') {
        for (const TaskField field : { TaskField::Information, TaskField::Date, TaskField::DaysToComplete,
                 TaskField::DayKind, TaskField::File })
            FUZZ_CHECK(GetField(done, field) == GetField(line, field));
        const std::string_view flag = GetField(line, TaskField::DateBased);
        if (!flag.empty())
            FUZZ_CHECK(GetField(done, TaskField::DateBased) == "0" + std::string(flag.substr(1)));
    }
}

void CheckFitted(std::string_view line)
{
    const TaskFields fields = SplitTaskLine(line);
    const std::string full = BuildTaskLine(fields);
    TaskFields bare = fields;
    bare.Information.clear();
    const std::size_t bareSize = BuildTaskLine(bare).size();

    const FittedLine fitted = BuildFittedTaskLine(fields);
    if (full.size() <= MaxTaskLineLength || fields.Information.empty()) {
        FUZZ_CHECK(fitted.Shortened == Shortening::None);
        FUZZ_CHECK(fitted.Line == full);
        return;
    }
    FUZZ_CHECK(fitted.Shortened == Shortening::InformationCut);
    const TaskFields kept = SplitTaskLine(fitted.Line);
    FUZZ_CHECK(fields.Information.starts_with(kept.Information));
    FUZZ_CHECK(kept.Information.size() < fields.Information.size());
    TaskFields others = kept;
    others.Information = fields.Information;
    FUZZ_CHECK(BuildTaskLine(others) == full);
    if (bareSize <= MaxTaskLineLength)
        FUZZ_CHECK(fitted.Line.size() == MaxTaskLineLength);
    else
        FUZZ_CHECK(kept.Information.empty());
}

void CheckInformationText(std::string_view text)
{
    const std::string stored = EncodeInformation(text);
    FUZZ_CHECK(stored.find_first_of("\t\r\n") == std::string::npos);
    FUZZ_CHECK(
        stored.size() == text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')));
    const std::string decoded = DecodeInformation(stored);
    FUZZ_CHECK(decoded.size() == stored.size());
    for (std::size_t i = 0, j = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r')
            continue;
        const char expected = c == '\t' ? ' ' : c == Pilcrow ? '\n' : c;
        FUZZ_CHECK(decoded[j] == expected);
        FUZZ_CHECK(stored[j] == (c == '\n' ? Pilcrow : c == '\t' ? ' ' : c));
        ++j;
    }
    const std::string single = WithoutTabs(text);
    FUZZ_CHECK(single.size() == text.size() && single.find('\t') == std::string::npos);
}

void CheckCodec(std::string_view bytes)
{
    const std::string utf8 = Windows1252ToUtf8(bytes);
    FUZZ_CHECK(IsValidUtf8(utf8));
    FUZZ_CHECK(utf8.size() >= bytes.size());
    const EncodedText back = Utf8ToWindows1252(utf8);
    FUZZ_CHECK(back.lossiness == Lossiness::Exact);
    FUZZ_CHECK(back.bytes == bytes);

    // The bytes as UTF-8 text: an exact encoding decodes to the same text.
    const EncodedText encoded = Utf8ToWindows1252(bytes);
    FUZZ_CHECK(encoded.bytes.size() <= bytes.size());
    if (!IsValidUtf8(bytes))
        FUZZ_CHECK(encoded.lossiness == Lossiness::Replaced);
    if (encoded.lossiness == Lossiness::Exact)
        FUZZ_CHECK(Windows1252ToUtf8(encoded.bytes) == bytes);

    // A path survives being written to one of our text files and read back.
    if (IsValidUtf8(bytes))
        FUZZ_CHECK(PathFromFileText(PathToFileText(bytes)) == bytes);
    // A path read from a file in Windows-1252 is written back as the same bytes.
    if (!IsValidUtf8(bytes))
        FUZZ_CHECK(PathToFileText(PathFromFileText(bytes)) == bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckFields(bytes);
    CheckCode(bytes);
    CheckCompleted(bytes);
    CheckFitted(bytes);
    CheckInformationText(bytes);
    CheckCodec(bytes);
    return 0;
}
