#pragma once

#include "Prompts.h"
#include "Shell.h"

#include <string>
#include <vector>

namespace agendrix {

// One screen as the windowing system reports it: its place and size in device-independent
// pixels and how many device pixels make one of them.
struct ScreenFacts {
    std::string Name;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    double Scale = 1.0;
};

// What a bug report needs to know of the program's surroundings.
struct SystemFacts {
    std::string ProgramVersion;
    std::string QtVersion;
    std::string Platform; // the windowing platform: xcb, wayland, offscreen
    std::vector<ScreenFacts> Screens;
    std::string ProgramFolder;
    std::string SettingsFile;
    std::string Skin; // the folder of the skin in use
};

// A system-information program of the desktop and the arguments that open its overview.
struct SystemInfoTool {
    std::string Program;
    std::vector<std::string> Arguments;

    bool operator==(const SystemInfoTool&) const = default;
};

// The tools tried, in order: those made for system information first, as they show the most,
// then the information pages of the KDE, GNOME and Xfce desktops.
const std::vector<SystemInfoTool>& SystemInfoTools();

// The facts as lines of text, one a screen.
std::string SystemReport(const SystemFacts& facts);

enum class SysInfoShown { Tool, Report, Unavailable };

// cmdSysInfo: starts the first installed tool that starts; without one, shows the facts in a
// box of our own; when even that cannot be shown, says that system information is unavailable.
SysInfoShown StartSysInfo(Shell& shell, Prompts& prompts, const SystemFacts& facts);

inline constexpr std::string_view SysInfoUnavailable = "System Information Is Unavailable At This Time";

} // namespace agendrix
