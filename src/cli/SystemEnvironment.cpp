#include "SystemEnvironment.h"

#include "model/FileAccess.h"
#include "model/ProgramFolder.h"
#include "model/Settings.h"
#include "model/WebPage.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace agendrix::cli {

DateTime LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return DateTime { CivilDate { local.tm_year + 1900, local.tm_mon + 1, local.tm_mday },
        std::min(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec, 86399) };
}

DateFormatter LocaleShortDate()
{
    std::setlocale(LC_TIME, "");
    return [](const CivilDate& date) {
        std::tm time {};
        time.tm_year = date.Year - 1900;
        time.tm_mon = date.Month - 1;
        time.tm_mday = date.Day;
        char buffer[64];
        const std::size_t length = std::strftime(buffer, sizeof buffer, "%x", &time);
        return length == 0 ? FormatIso(date) : std::string(buffer, length);
    };
}

namespace {
    std::string Environment(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? value : "";
    }

    // The folder of this executable, empty when /proc does not tell.
    std::string ExecutableFolder()
    {
        std::error_code error;
        const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
        return error ? std::string {} : executable.parent_path().string();
    }

    std::string ProgramFolder()
    {
        return FindProgramFolder(ProgramFolderInputs {
            Environment("AGENDRIX_HOME"),
            ExecutableFolder(),
            Environment("XDG_DATA_HOME"),
            Environment("HOME"),
        });
    }
} // namespace

std::string CurrentProgramFolder() { return ProgramFolder(); }

std::vector<std::string> PageTemplatePlaces()
{
    const std::string name(PageTemplateFileName);
    const std::string executableFolder = ExecutableFolder();
    return { ProgramFolder() + "/" + name, executableFolder + "/" + name,
        executableFolder + "/../share/agendrix/" + name };
}

std::optional<int> DaysPerLevelFromSettings()
{
    const ReadResult read = ReadWholeFile(ProgramFolder() + "/" + std::string(SettingsFileName));
    if (read.What != ReadResult::Status::Read)
        return std::nullopt;
    const SettingsReadResult settings = LoadINI(read.Bytes, Settings {});
    const bool bad
        = std::find(settings.BadLines.begin(), settings.BadLines.end(), 6) != settings.BadLines.end();
    if (bad || SplitLines(read.Bytes).size() < 6)
        return std::nullopt;
    return settings.Values.DaysPerLevel;
}

} // namespace agendrix::cli
