#pragma once

#include "model/Settings.h"

#include <QString>

namespace agendrix {

// The program folder, found as the environment says and, for a per-user folder, created and
// given the shipped skins on the first start.
QString PrepareProgramFolder(const QString& executableFolder);

// The settings file of the program folder over the defaults for this screen; a missing file
// leaves the defaults.
Settings LoadSettings(const QString& programFolder);

} // namespace agendrix
