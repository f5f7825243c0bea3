#pragma once

#include "RecentLists.h"

#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

inline constexpr std::string_view SettingsFileName = "agendrix.ini";
inline constexpr std::string_view QueueFileName = "queue.ini";
// Held by the running instance for as long as it runs; a start that cannot take it hands over.
inline constexpr std::string_view LockFileName = "agendrix.lock";
inline constexpr int SettingsLineCount = 41;

// What the defaults depend on: the screen, measured by the app when it starts.
struct ScreenMetrics {
    double TwipsPerPix = 15; // 1440 / logical DPI
    double ScreenHeightPixels = 1080;
};

// What opens when the program starts without a list named on its command line, as the settings
// file's DefaultOpen line numbers it.
enum class StartList { LastAccessed = 0, DefaultList = 1, DefaultListIndex = 2 };

// Every setting the program keeps, one line each of the settings file in this order. Sizes are
// in the units of the file: pixels for the window placement, twips for DockWid and DockTabTop.
// Text values are held as the file system spells paths (UTF-8).
struct Settings {
    int AutoCtrls = 0;
    int AutoTaskSel = 1;
    int AniSpeed = 3;
    int DefaultOpen = 0;
    std::string DefaultList;
    int DaysPerLevel = 3;
    int AutoPurge = 0;
    std::string ListName = "(Untitled)";
    std::string SkinPath = "/Skins/Default/";
    double WinLeft = 200;
    double WinTop = 100;
    double WinWidth = 350;
    double WinHeight = 534;
    bool OpenRemote = true;
    bool PrintClr = true;
    int PrintCompletes = 1;
    std::string PrintNm;
    int PrintDs = 0;
    int AccTextHgt = 48;
    int NumOrder = 1;
    bool AlwaysOnTop = false;
    int PrintSmall = 0;
    int ShowTop5 = 0;
    double DockWid = 270 * 15;
    int DockMode = 0;
    double DockTabTop = 1080 * 15 / 4.0;
    RecentLists Recent;

    // The switches by what they mean. The fields keep the file's numbers: a flag is on at 1, but
    // the control bars' flag at any value but 0.
    bool AutoExpandsBars() const { return AutoCtrls != 0; }
    bool AutoSelectsTasks() const { return AutoTaskSel == 1; }
    bool AutoPurges() const { return AutoPurge == 1; }
    bool InSidebar() const { return DockMode == 1; }
    StartList ListAtStart() const { return static_cast<StartList>(DefaultOpen); }

    bool operator==(const Settings&) const = default;
};

// The defaults for this screen: DockWid 270 pixels and DockTabTop a quarter of the screen, both
// in twips; a default height taller than the screen becomes the screen's height at top 0.
Settings DefaultSettings(const ScreenMetrics& screen);

struct SettingsReadResult {
    Settings Values;
    // 1-based numbers of lines that held something unreadable and kept their default.
    std::vector<int> BadLines;
};

// Reads the settings file's bytes over `defaults`. A line that cannot be read keeps its default
// and reading goes on; a short file leaves the rest at their defaults; extra lines are ignored.
// When the list at start is not the last one accessed, ListName becomes DefaultList.
SettingsReadResult LoadINI(std::string_view bytes, const Settings& defaults);

// The list a start opens: the one its command line names, else the one the settings name; none
// with StartList::DefaultListIndex, where the start shows the index of the default list's folder.
std::string FirstListName(const Settings& settings, const std::string& commandLinePath);

// The whole settings file: exactly 41 lines, each ended by CR LF.
std::string SaveINI(const Settings& settings);

// The name of a settings line, for messages ("line 6 (DaysPerLevel)").
std::string_view SettingName(int lineNumber);

// One sentence for the user about the lines of the settings file at `path` that LoadINI could not
// read: each line with its setting's name, and that the original file is kept at `backupPath`,
// or why it could not be kept there (`backupError`, an errno value; 0 when it was kept).
std::string UnreadableSettingsMessage(const std::string& path, const std::vector<int>& badLines,
    const std::string& backupPath, int backupError);

} // namespace agendrix
