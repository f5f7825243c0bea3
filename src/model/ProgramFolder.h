#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace agendrix {

// Where the program folder may be, as read from the environment at start-up.
struct ProgramFolderInputs {
    std::string AgendrixHome; // $AGENDRIX_HOME, empty when unset
    std::string ExecutableFolder; // the folder of the running program
    std::string XdgDataHome; // $XDG_DATA_HOME, empty when unset
    std::string Home; // $HOME
};

// The program folder holds the skins, the settings and queue files and the lock file:
// $AGENDRIX_HOME when set; else the executable's folder when it has a Skins folder (a build
// tree or a portable copy); else $XDG_DATA_HOME/agendrix, by default ~/.local/share/agendrix.
std::string FindProgramFolder(const ProgramFolderInputs& inputs);

// The program folder of another running process, as it found it when it started: from the
// environment it was started with and the folder of its executable, read in /proc. Nothing
// when /proc does not tell: the process has ended, belongs to another user, is still being
// started, or has an empty environment.
std::optional<std::string> ProgramFolderOfProcess(pid_t pid);

// The entry of `folder` whose name equals `name` without regard to letter case, preferring an
// exact match; nothing when there is none.
std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, const std::string& name);

} // namespace agendrix
