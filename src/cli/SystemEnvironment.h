#pragma once

#include "model/DateStatus.h"

#include <optional>
#include <string>
#include <vector>

namespace agendrix::cli {

// The local date and time from the system clock.
DateTime LocalNow();

// The date as the user's locale writes short dates (LC_TIME).
DateFormatter LocaleShortDate();

// DaysPerLevel from the settings file of the program folder, when there is one and it holds a
// readable value.
std::optional<int> DaysPerLevelFromSettings();

// The program folder: $AGENDRIX_HOME, else this executable's folder when it has Skins, else
// the per-user one.
std::string CurrentProgramFolder();

// Where the web page template is looked for: the program folder's, then the one shipped beside
// the executable (a build tree or a portable copy), then the installed one in its share folder.
std::vector<std::string> PageTemplatePlaces();

} // namespace agendrix::cli
