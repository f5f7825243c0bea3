#pragma once

#include "model/CivilDate.h"
#include "model/ListPreload.h"
#include "model/Settings.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace agendrix {

// The folder of the running executable, found without Qt so that it is known before Qt starts.
std::string ExecutableFolder(const char* argv0);

// The program folder for that executable as the environment says, created when missing.
std::string ProgramFolderFor(const std::string& executableFolder);

// The program folder, found as the environment says and, for a per-user folder, created and
// given the shipped skins, help pages and web page template it lacks.
QString PrepareProgramFolder(const QString& executableFolder);

// The settings file of the program folder over the defaults for this screen, with the window's
// placement brought onto the screens (FitToScreens); a missing file leaves the defaults. Lines
// that cannot be read are named on standard error, and the file as it was is kept beside it as
// agendrix.ini.bak before anything can write over it.
Settings LoadSettings(const QString& programFolder);

// Starts reading, assessing and sorting the list the window will most likely open first, so
// that it is done while Qt starts: the list the command line names, as far as its raw
// `arguments` tell before Qt has taken its own options out of them, else the one the settings
// file of `programFolder` names, assessed with its days per level. Nothing when that list was
// never saved.
// The window takes the preload only when it opens that very list with those settings: a wrong
// guess costs the work, never a difference.
std::unique_ptr<ListPreload> PreloadFirstList(
    const std::string& programFolder, const std::vector<std::string>& arguments, const DateTime& now);

} // namespace agendrix
