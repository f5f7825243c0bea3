#pragma once

#include "model/Settings.h"

#include <QString>

#include <string>

namespace agendrix {

// The folder of the running executable, found without Qt so that it is known before Qt starts.
std::string ExecutableFolder(const char* argv0);

// The program folder for that executable as the environment says, created when missing.
std::string ProgramFolderFor(const std::string& executableFolder);

// The program folder, found as the environment says and, for a per-user folder, created and
// given the shipped skins on the first start.
QString PrepareProgramFolder(const QString& executableFolder);

// The settings file of the program folder over the defaults for this screen, with the window's
// placement brought onto the screens (FitToScreens); a missing file leaves the defaults. Lines
// that cannot be read are named on standard error, and the file as it was is kept beside it as
// agendrix.ini.bak before anything can write over it.
Settings LoadSettings(const QString& programFolder);

} // namespace agendrix
