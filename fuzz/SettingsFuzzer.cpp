// Any bytes as the settings file.
//
// Properties:
// - reading never fails as a whole: bad lines are numbered within the 41 lines;
// - what we write has exactly 41 lines, each ended by CR LF, and reads back without a bad line;
// - writing is stable: SaveINI(LoadINI(SaveINI(s))) == SaveINI(s) for whatever was read, and
//   once written and read, the values themselves come back equal. (The first write may round a
//   window size to the seven digits the file keeps, so only the second trip compares values.)
// - whatever was read, the placement brought onto a screen fits it, and the message about bad
//   lines names each of them.

#include "FuzzCheck.h"

#include "model/Settings.h"
#include "model/WindowPlacement.h"

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

void CheckFitted(const Settings& settings)
{
    const ScreenArea screen { 0, 0, 1280, 1024 };
    const Settings fitted = FitToScreens(settings, { screen }, 15);
    FUZZ_CHECK(fitted.WinWidth >= 200 && fitted.WinWidth <= 1280);
    FUZZ_CHECK(fitted.WinHeight >= 80 && fitted.WinHeight <= 1024);
    FUZZ_CHECK(fitted.WinLeft + fitted.WinWidth >= 120 && fitted.WinLeft <= 1280 - 120);
    FUZZ_CHECK(fitted.WinTop >= 0 && fitted.WinTop <= 1024 - 30);
    FUZZ_CHECK(fitted.DockWid >= 200 * 15 && fitted.DockWid <= 1280 * 15);
    FUZZ_CHECK(fitted.DockTabTop >= 0 && fitted.DockTabTop <= (1024 - 30) * 15);
    FUZZ_CHECK(fitted.AccTextHgt >= 32 && fitted.AccTextHgt <= 360);
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
    if (!read.BadLines.empty()) {
        const std::string message
            = UnreadableSettingsMessage("/p/agendrix.ini", read.BadLines, "/p/agendrix.ini.bak", 0);
        for (const int line : read.BadLines)
            FUZZ_CHECK(message.find(std::to_string(line) + " (" + std::string(SettingName(line)) + ")")
                != std::string::npos);
    }
    CheckFitted(read.Values);

    CheckWritten(read.Values);

    // With DefaultOpen 0 the list name is kept apart from the default list.
    read.Values.DefaultOpen = 0;
    CheckWritten(read.Values);
    return 0;
}
