#include "model/Settings.h"

#include "model/FileAccess.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    const ScreenMetrics Screen { 15, 800 };

    std::vector<std::string> FileLines(const std::string& bytes) { return test::Texts(SplitLines(bytes)); }

    // A file with every setting away from its default (DefaultOpen 0 keeps ListName as written).
    std::vector<std::string> CustomLines()
    {
        std::vector<std::string> lines { "1", "0", "7", "0", "/home/zo\xEB/Listes/\xE9t\xE9.agl", "5", "1",
            "/home/me/買い物.agl", "/Skins/Blue Note/", "133.3333", "-20.5", "401.25", "612", "False",
            "False", "0", "Office Laser (2nd floor)", "1", "96", "0", "True", "1", "1", "3333.333", "1",
            "1234.5", "/lists/r0.agl", "/home/zo\xEB/\xE9t\xE9.agl", "/home/me/日本語のリスト.agl" };
        for (int i = 3; i < 15; ++i)
            lines.push_back("/lists/r" + std::to_string(i) + ".agl");
        return lines;
    }

    TEST(SettingsTest, DefaultsWriteExactly41Lines)
    {
        std::vector<std::string> expected { "0", "1", "3", "0", "", "3", "0", "(Untitled)", "/Skins/Default/",
            "200", "100", "350", "534", "True", "True", "1", "", "0", "48", "1", "False", "0", "0", "4050",
            "0", "3000" };
        expected.resize(41);
        EXPECT_EQ(SaveINI(DefaultSettings(Screen)), CrLf(expected));
    }

    TEST(SettingsTest, DefaultsFollowTheScreen)
    {
        const std::tuple<const char*, ScreenMetrics, double, double, double, double> cases[] = {
            { "shortScreen", { 15, 500 }, 0, 500, 4050, 1875 },
            { "screenAsTallAsWindow", { 15, 534 }, 100, 534, 4050, 2002.5 },
            { "dpi96", { 15, 1080 }, 100, 534, 4050, 4050 },
            { "dpi120", { 12, 1000 }, 100, 534, 3240, 3000 },
        };
        for (const auto& [name, screen, winTop, winHeight, dockWid, dockTabTop] : cases) {
            Settings expected;
            expected.WinTop = winTop;
            expected.WinHeight = winHeight;
            expected.DockWid = dockWid;
            expected.DockTabTop = dockTabTop;
            EXPECT_EQ(SaveINI(DefaultSettings(screen)), SaveINI(expected)) << name;
        }
    }

    TEST(SettingsTest, NonDefaultValuesRoundTrip)
    {
        const SettingsReadResult read = LoadINI(CrLf(CustomLines()), DefaultSettings(Screen));
        EXPECT_TRUE(read.BadLines.empty());
        // Paths are Windows-1252 where they fit and UTF-8 where they do not.
        EXPECT_EQ(read.Values.DefaultList, "/home/zoë/Listes/été.agl");
        EXPECT_EQ(read.Values.ListName, "/home/me/買い物.agl");
        EXPECT_EQ(read.Values.DaysPerLevel, 5);
        EXPECT_EQ(read.Values.WinLeft, 133.3333);
        EXPECT_EQ(read.Values.WinTop, -20.5);
        EXPECT_FALSE(read.Values.OpenRemote);
        EXPECT_TRUE(read.Values.AlwaysOnTop);
        EXPECT_EQ(read.Values.DockTabTop, 1234.5);
        EXPECT_EQ(read.Values.Recent[1], "/home/zoë/été.agl");
        EXPECT_EQ(read.Values.Recent[14], "/lists/r14.agl");
        EXPECT_EQ(FileLines(SaveINI(read.Values)), CustomLines());

        // A line end inside a text value would shift every later line.
        Settings s = read.Values;
        s.PrintNm = "two\r\nlines";
        s.Recent[14] = "a\nb";
        const std::vector<std::string> written = FileLines(SaveINI(s));
        ASSERT_EQ(written.size(), 41u);
        EXPECT_EQ(written[16], "two  lines");
        EXPECT_EQ(written[40], "a b");
    }

    TEST(SettingsTest, UnreadableLineKeepsItsDefaultAndTheRestIsRead)
    {
        // The line number, the text put there, and whether it can be read.
        const std::tuple<const char*, int, const char*, bool> cases[] = {
            { "daysPerLevelLetters", 6, "abc", false },
            { "daysPerLevelZero", 6, "0", false },
            { "daysPerLevelEmpty", 6, "", false },
            { "defaultOpenSeven", 4, "7", false },
            { "flagTwo", 1, "2", false },
            { "aniSpeedEleven", 3, "11", false },
            { "booleanMaybe", 14, "maybe", false },
            { "winLeftTrailingJunk", 10, "12x", false },
            { "winWidthNotANumber", 12, "nan", false },
            { "dockTabTopInfinite", 26, "1e400", false },
            { "accTextHgtOverflow", 19, "99999999999", false },
            { "aniSpeedBlanks", 3, "  7 ", true },
            { "daysPerLevelTab", 6, "\t5", true },
            { "winLeftBlanks", 10, " 133.3333 ", true },
            { "booleanBlanks", 14, " False ", true },
            { "booleanMinusOne", 21, "-1", true },
        };
        const std::vector<std::string> defaults = FileLines(SaveINI(DefaultSettings(Screen)));
        for (const auto& [name, line, text, readable] : cases) {
            const std::size_t at = static_cast<std::size_t>(line - 1);
            std::vector<std::string> lines = CustomLines();
            lines[at] = text;
            const SettingsReadResult read = LoadINI(CrLf(lines), DefaultSettings(Screen));
            std::vector<std::string> expected = CustomLines();
            expected[at] = readable ? expected[at] : defaults[at];
            EXPECT_EQ(FileLines(SaveINI(read.Values)), expected) << name;
            EXPECT_EQ(read.BadLines, readable ? std::vector<int> {} : std::vector { line }) << name;
        }
    }

    TEST(SettingsTest, ShortFileLeavesTheRestAtDefaultsAndExtraLinesAreIgnored)
    {
        const std::vector<std::string> custom = CustomLines();
        std::vector<std::string> expected = FileLines(SaveINI(DefaultSettings(Screen)));
        std::copy(custom.begin(), custom.begin() + 6, expected.begin());
        const SettingsReadResult shortRead
            = LoadINI(CrLf({ custom.begin(), custom.begin() + 6 }), DefaultSettings(Screen));
        EXPECT_EQ(FileLines(SaveINI(shortRead.Values)), expected);
        EXPECT_TRUE(shortRead.BadLines.empty());

        const SettingsReadResult longRead
            = LoadINI(CrLf(custom) + "junk\r\n12x\r\n", DefaultSettings(Screen));
        EXPECT_EQ(FileLines(SaveINI(longRead.Values)), custom);
        EXPECT_TRUE(longRead.BadLines.empty());
    }

    TEST(SettingsTest, DefaultOpenChoosesListName)
    {
        const std::tuple<const char*, StartList, const char*> cases[] = {
            { "0", StartList::LastAccessed, "/home/me/買い物.agl" },
            { "1", StartList::DefaultList, "/home/zoë/Listes/été.agl" },
            { "2", StartList::DefaultListIndex, "/home/zoë/Listes/été.agl" },
        };
        for (const auto& [defaultOpen, startList, listName] : cases) {
            std::vector<std::string> lines = CustomLines();
            lines[3] = defaultOpen;
            const Settings read = LoadINI(CrLf(lines), DefaultSettings(Screen)).Values;
            EXPECT_EQ(read.ListAtStart(), startList) << defaultOpen;
            EXPECT_EQ(read.ListName, listName) << defaultOpen;
        }
    }

    // Each switch reads its own line of the file; both values are tried, as defaults differ.
    TEST(SettingsTest, SwitchesReadTheirOwnLines)
    {
        using Switch = bool (Settings::*)() const;
        const std::tuple<const char*, std::size_t, const char*, Switch, bool> cases[] = {
            { "autoCtrlsOff", 1, "0", &Settings::AutoExpandsBars, false },
            { "autoCtrlsOn", 1, "1", &Settings::AutoExpandsBars, true },
            { "autoTaskSelOff", 2, "0", &Settings::AutoSelectsTasks, false },
            { "autoTaskSelOn", 2, "1", &Settings::AutoSelectsTasks, true },
            { "autoPurgeOff", 7, "0", &Settings::AutoPurges, false },
            { "autoPurgeOn", 7, "1", &Settings::AutoPurges, true },
            { "dockModeOff", 25, "0", &Settings::InSidebar, false },
            { "dockModeOn", 25, "1", &Settings::InSidebar, true },
        };
        for (const auto& [name, lineNumber, value, isOn, on] : cases) {
            std::vector<std::string> lines = FileLines(SaveINI(DefaultSettings(Screen)));
            lines[lineNumber - 1] = value;
            const Settings read = LoadINI(CrLf(lines), DefaultSettings(Screen)).Values;
            EXPECT_EQ((read.*isOn)(), on) << name;
        }
    }

    TEST(SettingsTest, FirstListIsTheCommandLinesElseTheSettingsOne)
    {
        Settings settings = DefaultSettings(Screen);
        settings.ListName = "/lists/last.agl";
        settings.DefaultList = "/lists/default.agl";
        const std::tuple<const char*, int, std::string, std::string> cases[] = {
            { "nothingNamed", 0, "", "" },
            { "lastList", 0, "", "/lists/last.agl" },
            { "defaultListAsReadIntoListName", 1, "", "/lists/last.agl" },
            { "indexOfTheDefaultListOpensNoList", 2, "", "" },
            { "commandLineOverLast", 0, "/given.agl", "/given.agl" },
            { "commandLineOverIndex", 2, "/given.agl", "/given.agl" },
        };
        for (const auto& [name, defaultOpen, commandLine, expected] : cases) {
            Settings chosen = settings;
            chosen.DefaultOpen = defaultOpen;
            if (std::string_view(name) == "nothingNamed")
                chosen.ListName.clear();
            EXPECT_EQ(FirstListName(chosen, commandLine), expected) << name;
        }
    }

    TEST(SettingsTest, UnreadableLinesAreNamedInOneSentence)
    {
        const std::tuple<const char*, std::vector<int>, int, std::string> cases[] = {
            { "copyFailed", { 6 }, ENOSPC,
                "Could not read line 6 (DaysPerLevel) of \"/p/agendrix.ini\", which keeps its default; the "
                "original "
                "file could not be kept as \"/p/agendrix.ini.bak\": No space left on device." },
            { "oneLine", { 26 }, 0,
                "Could not read line 26 (DockTabTop) of \"/p/agendrix.ini\", which keeps its default; the "
                "original "
                "file is kept as \"/p/agendrix.ini.bak\"." },
            { "twoLines", { 1, 19 }, 0,
                "Could not read lines 1 (AutoCtrls) and 19 (AccTextHgt) of \"/p/agendrix.ini\", which keep "
                "their "
                "defaults; the original file is kept as \"/p/agendrix.ini.bak\"." },
            { "threeLines", { 3, 4, 6 }, 0,
                "Could not read lines 3 (AniSpeed), 4 (DefaultOpen) and 6 (DaysPerLevel) of "
                "\"/p/agendrix.ini\", "
                "which keep their defaults; the original file is kept as \"/p/agendrix.ini.bak\"." },
        };
        for (const auto& [name, lines, backupError, expected] : cases)
            EXPECT_EQ(UnreadableSettingsMessage("/p/agendrix.ini", lines, "/p/agendrix.ini.bak", backupError),
                expected)
                << name;
    }

    TEST(SettingsTest, SettingNamesByLine)
    {
        EXPECT_EQ(SettingName(0), "");
        EXPECT_EQ(SettingName(1), "AutoCtrls");
        EXPECT_EQ(SettingName(6), "DaysPerLevel");
        EXPECT_EQ(SettingName(26), "DockTabTop");
        EXPECT_EQ(SettingName(27), "RecentLists");
        EXPECT_EQ(SettingName(41), "RecentLists");
        EXPECT_EQ(SettingName(42), "");
    }

} // namespace
} // namespace agendrix
