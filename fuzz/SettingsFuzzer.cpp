// Any bytes as the settings file.
//
// Properties:
// - reading never fails as a whole: bad lines are numbered within the 41 lines;
// - what we write has exactly 41 lines, each ended by CR LF, and reads back without a bad line;
// - writing is stable: SaveINI(LoadINI(SaveINI(s))) == SaveINI(s) for whatever was read, and
//   once written and read, the values themselves come back equal. (The first write may round a
//   window size to the seven digits the file keeps, so only the second trip compares values.)

#include "FuzzCheck.h"

#include "model/Settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace agendrix;

namespace {

bool HasExactlyLines(std::string_view bytes, int count)
{
    int lines = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string_view::npos)
            return false;
        const std::string_view line = bytes.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string_view::npos)
            return false;
        ++lines;
        start = end + 2;
    }
    return lines == count;
}

void CheckWritten(const Settings& settings)
{
    const std::string written = SaveINI(settings);
    FUZZ_CHECK(HasExactlyLines(written, SettingsLineCount));

    const SettingsReadResult again = LoadINI(written, DefaultSettings(ScreenMetrics {}));
    FUZZ_CHECK(again.BadLines.empty());
    FUZZ_CHECK(SaveINI(again.Values) == written);

    const SettingsReadResult third = LoadINI(SaveINI(again.Values), DefaultSettings(ScreenMetrics {}));
    FUZZ_CHECK(third.BadLines.empty());
    FUZZ_CHECK(third.Values == again.Values);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Settings defaults = DefaultSettings(ScreenMetrics {});

    SettingsReadResult read = LoadINI(bytes, defaults);
    int previous = 0;
    for (const int line : read.BadLines) {
        FUZZ_CHECK(line > previous && line <= SettingsLineCount);
        FUZZ_CHECK(!SettingName(line).empty());
        previous = line;
    }
    FUZZ_CHECK(read.Values.DaysPerLevel >= 1);
    FUZZ_CHECK(read.Values.AniSpeed >= 1 && read.Values.AniSpeed <= 10);
    if (read.Values.DefaultOpen > 0)
        FUZZ_CHECK(read.Values.ListName == read.Values.DefaultList);

    CheckWritten(read.Values);

    // With DefaultOpen 0 the list name is kept apart from the default list.
    read.Values.DefaultOpen = 0;
    CheckWritten(read.Values);
    return 0;
}
