// Any bytes as a text file imported as a list, with and without line numbers.
//
// Properties:
// - every task line has the eight fields of an imported task: code "09", a description, no
//   information, not date-based, the import's date, 3 days, weekdays, no file; it fits in 1024
//   bytes;
// - a description is never empty, never begins or ends with a blank and holds no control
//   character, so that nothing in it can break a list file;
// - with line numbers, the n-th description begins with n as at least three digits and " - ",
//   and both imports give as many tasks, in the same order of their texts;
// - ASCII text gives, line by line, what a plain reading of it gives: each line between CR, LF
//   or CR LF, control characters as blanks, blanks trimmed, empty lines skipped; and it is never
//   said to have lost characters;
// - the tasks, written as a list file and read back, are the same lines.

#include "FuzzCheck.h"

#include "model/CivilDate.h"
#include "model/ListFile.h"
#include "model/TaskLine.h"
#include "model/TextImport.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace agendrix;

namespace {

constexpr CivilDate ImportDay { 2026, 12, 6 };

bool IsBlankOrControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

std::vector<std::string> Lines(const ImportedText& imported)
{
    const TaskLines lines = imported.Loaded.Lines();
    return { lines.begin(), lines.end() };
}

void CheckTaskLine(std::string_view line)
{
    FUZZ_CHECK(line.size() <= MaxTaskLineLength);
    FUZZ_CHECK(std::count(line.begin(), line.end(), '\t') == 7);
    FUZZ_CHECK(GetField(line, TaskField::Code) == "09");
    FUZZ_CHECK(GetField(line, TaskField::Information).empty());
    FUZZ_CHECK(GetField(line, TaskField::DateBased) == "0");
    FUZZ_CHECK(GetField(line, TaskField::Date) == "20261206");
    FUZZ_CHECK(GetField(line, TaskField::DaysToComplete) == "3");
    FUZZ_CHECK(GetField(line, TaskField::DayKind) == "0");
    FUZZ_CHECK(GetField(line, TaskField::File).empty());
    const std::string_view description = GetField(line, TaskField::Description);
    FUZZ_CHECK(!description.empty());
    FUZZ_CHECK(description.front() != ' ' && description.back() != ' ');
    FUZZ_CHECK(std::none_of(
        description.begin(), description.end(), [](char c) { return c != ' ' && IsBlankOrControl(c); }));
}

// "007 - ", "1234 - ".
std::string NumberPrefix(std::size_t number)
{
    std::string digits = std::to_string(number);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    return digits + " - ";
}

// The texts of the non-blank lines of ASCII text, read one byte at a time.
std::vector<std::string> PlainReading(std::string_view text)
{
    std::vector<std::string> texts;
    std::string line;
    const auto endLine = [&] {
        const std::size_t first = line.find_first_not_of(' ');
        if (first != std::string::npos)
            texts.push_back(line.substr(first, line.find_last_not_of(' ') - first + 1));
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            endLine();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += IsBlankOrControl(text[i]) ? ' ' : text[i];
        }
    }
    endLine();
    return texts;
}

void CheckPlainText(
    std::string_view text, const std::vector<std::string>& lines, const ImportedText& imported)
{
    FUZZ_CHECK(imported.Conversion == Lossiness::Exact);
    const std::vector<std::string> expected = PlainReading(text);
    FUZZ_CHECK(expected.size() == lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view description = GetField(lines[i], TaskField::Description);
        // A line too long for a task keeps its beginning, without the blanks the cut left at its end.
        FUZZ_CHECK(expected[i].starts_with(description));
        FUZZ_CHECK(description.size() == expected[i].size() || imported.CutLines > 0);
    }
}

void CheckNumbered(const std::vector<std::string>& plain, const std::vector<std::string>& numbered)
{
    FUZZ_CHECK(plain.size() == numbered.size());
    for (std::size_t i = 0; i < numbered.size(); ++i) {
        const std::string_view description = GetField(numbered[i], TaskField::Description);
        const std::string prefix = NumberPrefix(i + 1);
        FUZZ_CHECK(description.starts_with(prefix));
        // The number takes room from the text, which may then be cut shorter.
        const std::string_view text = GetField(plain[i], TaskField::Description);
        FUZZ_CHECK(text.starts_with(description.substr(prefix.size())));
    }
}

void CheckListFileRoundTrip(const std::vector<std::string>& lines)
{
    TaskStore store;
    store.Load(lines);
    const TaskLines sorted = store.Lines();
    const ParsedList parsed = ParseListFile(EncodeListFile(sorted), ImportDay);
    FUZZ_CHECK(!parsed.Stopped);
    const TaskLines read = parsed.Loaded.Lines();
    FUZZ_CHECK(std::equal(read.begin(), read.end(), sorted.begin(), sorted.end()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ImportedText plain = ImportTextLines(text, LineNumbers::Without, ImportDay);
    const ImportedText numbered = ImportTextLines(text, LineNumbers::With, ImportDay);
    FUZZ_CHECK(!plain.TooLarge && !numbered.TooLarge);
    FUZZ_CHECK(plain.Conversion == numbered.Conversion);
    const std::vector<std::string> plainLines = Lines(plain);
    const std::vector<std::string> numberedLines = Lines(numbered);
    for (const std::string& line : plainLines)
        CheckTaskLine(line);
    for (const std::string& line : numberedLines)
        CheckTaskLine(line);
    CheckNumbered(plainLines, numberedLines);
    if (IsAscii(text))
        CheckPlainText(text, plainLines, plain);
    CheckListFileRoundTrip(numberedLines);
    return 0;
}
