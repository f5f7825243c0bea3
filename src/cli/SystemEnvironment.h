#pragma once

#include "model/DateStatus.h"

#include <optional>
#include <string>

namespace agendrix::cli {

// The local date and time from the system clock.
DateTime LocalNow();

// The date as the user's locale writes short dates (LC_TIME).
DateFormatter LocaleShortDate();

// DaysPerLevel from the settings file of the program folder, when there is one and it holds a
// readable value.
std::optional<int> DaysPerLevelFromSettings();

} // namespace agendrix::cli
