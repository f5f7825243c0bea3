#pragma once

#include "model/SystemInformation.h"

#include <QString>

#include <string>

namespace agendrix {

// The facts of the running program: its version, Qt's, the windowing platform and the screens as
// Qt reports them, with the program folder, its settings file and the skin folder `skinPath`
// (as the settings hold it, from the program folder) in use.
SystemFacts CurrentSystemFacts(const QString& programFolder, const std::string& skinPath);

} // namespace agendrix
