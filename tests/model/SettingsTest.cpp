#include "model/Settings.h"

#include "model/FileAccess.h"

#include "TestSupport.h"

#include <random>

namespace agendrix {
namespace {

    using test::CrLf;

    const ScreenMetrics Screen { 15, 800 };

    std::vector<std::string> FileLines(const std::string& bytes)
    {
        const std::vector<std::string_view> lines = SplitLines(bytes);
        return std::vector<std::string>(lines.begin(), lines.end());
    }

    // Every setting away from its default (DefaultOpen 0 keeps ListName as written).
    Settings Custom()
    {
        Settings s = DefaultSettings(Screen);
        s.AutoCtrls = 1;
        s.AutoTaskSel = 0;
        s.AniSpeed = 7;
        s.DefaultList = "/home/zoë/Listes/été.agl";
        s.DaysPerLevel = 5;
        s.AutoPurge = 1;
        s.ListName = "/home/me/買い物.agl";
        s.SkinPath = "/Skins/Blue Note/";
        s.WinLeft = 133.3333;
        s.WinTop = -20.5;
        s.WinWidth = 401.25;
        s.WinHeight = 612;
        s.OpenRemote = false;
        s.PrintClr = false;
        s.PrintCompletes = 0;
        s.PrintNm = "Office Laser (2nd floor)";
        s.PrintDs = 1;
        s.AccTextHgt = 96;
        s.NumOrder = 0;
        s.AlwaysOnTop = true;
        s.PrintSmall = 1;
        s.ShowTop5 = 1;
        s.DockWid = 3333.333;
        s.DockMode = 1;
        s.DockTabTop = 1234.5;
        for (std::size_t i = 0; i < RecentListCount; ++i)
            s.Recent[i] = "/lists/r" + std::to_string(i) + ".agl";
        s.Recent[1] = "/home/zoë/été.agl";
        s.Recent[2] = "/home/me/日本語のリスト.agl";
        return s;
    }

    TEST(SettingsTest, DefaultsWriteExactly41Lines)
    {
        std::vector<std::string> expected { "0", "1", "3", "0", "", "3", "0", "(Untitled)", "/Skins/Default/",
            "200", "100", "350", "534", "True", "True", "1", "", "0", "48", "1", "False", "0", "0", "4050",
            "0", "3000" };
        expected.resize(41);
        EXPECT_EQ(SaveINI(DefaultSettings(Screen)), CrLf(expected));
    }

    struct ScreenCase {
        std::string Name;
        ScreenMetrics Screen;
        double WinTop, WinHeight, DockWid, DockTabTop;
    };

    class DefaultSettingsTest : public ::testing::TestWithParam<ScreenCase> { };

    TEST_P(DefaultSettingsTest, FollowsTheScreen)
    {
        const ScreenCase& c = GetParam();
        const Settings s = DefaultSettings(c.Screen);
        EXPECT_EQ(s.WinLeft, 200);
        EXPECT_EQ(s.WinTop, c.WinTop);
        EXPECT_EQ(s.WinWidth, 350);
        EXPECT_EQ(s.WinHeight, c.WinHeight);
        EXPECT_EQ(s.DockWid, c.DockWid);
        EXPECT_EQ(s.DockTabTop, c.DockTabTop);
    }

    INSTANTIATE_TEST_SUITE_P(Screens, DefaultSettingsTest,
        ::testing::Values(ScreenCase { "ShortScreen", { 15, 500 }, 0, 500, 4050, 1875 },
            ScreenCase { "ScreenAsTallAsWindow", { 15, 534 }, 100, 534, 4050, 2002.5 },
            ScreenCase { "Dpi96", { 15, 1080 }, 100, 534, 4050, 4050 },
            ScreenCase { "Dpi120", { 12, 1000 }, 100, 534, 3240, 3000 }),
        test::CaseName());

    TEST(SettingsTest, NonDefaultValuesRoundTrip)
    {
        const Settings custom = Custom();
        const std::string bytes = SaveINI(custom);
        const SettingsReadResult read = LoadINI(bytes, DefaultSettings(Screen));
        EXPECT_EQ(read.Values, custom);
        EXPECT_TRUE(read.BadLines.empty());

        // Paths are Windows-1252 where they fit and UTF-8 where they do not.
        const std::vector<std::string> lines = FileLines(bytes);
        ASSERT_EQ(lines.size(), 41u);
        EXPECT_EQ(lines[4], "/home/zo\xEB/Listes/\xE9t\xE9.agl");
        EXPECT_EQ(lines[9], "133.3333");
        EXPECT_EQ(lines[13], "False");
        EXPECT_EQ(lines[27], "/home/zo\xEB/\xE9t\xE9.agl");
        EXPECT_EQ(lines[28], "/home/me/日本語のリスト.agl");
    }

    TEST(SettingsTest, LineEndsInsideTextDoNotShiftLines)
    {
        Settings s = Custom();
        s.PrintNm = "two\r\nlines";
        s.Recent[14] = "a\nb";
        const std::string bytes = SaveINI(s);
        EXPECT_EQ(FileLines(bytes).size(), 41u);
        const SettingsReadResult read = LoadINI(bytes, DefaultSettings(Screen));
        EXPECT_TRUE(read.BadLines.empty());
        EXPECT_EQ(read.Values.DaysPerLevel, 5);
        EXPECT_EQ(read.Values.Recent[13], s.Recent[13]);
    }

    struct BadLineCase {
        std::string Name;
        int Line;
        std::string Text;
        std::function<void(Settings&, const Settings&)> KeepDefault;
    };

    class BadLineTest : public ::testing::TestWithParam<BadLineCase> { };

    TEST_P(BadLineTest, KeepsDefaultAndReadsTheRest)
    {
        const BadLineCase& c = GetParam();
        std::vector<std::string> lines = FileLines(SaveINI(Custom()));
        lines[static_cast<std::size_t>(c.Line - 1)] = c.Text;
        const Settings defaults = DefaultSettings(Screen);

        const SettingsReadResult read = LoadINI(CrLf(lines), defaults);

        Settings expected = Custom();
        c.KeepDefault(expected, defaults);
        EXPECT_EQ(read.Values, expected);
        EXPECT_EQ(read.BadLines, std::vector { c.Line });
    }

    INSTANTIATE_TEST_SUITE_P(Lines, BadLineTest,
        ::testing::Values(BadLineCase { "DaysPerLevelLetters", 6, "abc",
                              [](Settings& s, const Settings& d) { s.DaysPerLevel = d.DaysPerLevel; } },
            BadLineCase { "DaysPerLevelZero", 6, "0",
                [](Settings& s, const Settings& d) { s.DaysPerLevel = d.DaysPerLevel; } },
            BadLineCase { "DaysPerLevelEmpty", 6, "",
                [](Settings& s, const Settings& d) { s.DaysPerLevel = d.DaysPerLevel; } },
            BadLineCase { "DefaultOpenSeven", 4, "7",
                [](Settings& s, const Settings& d) { s.DefaultOpen = d.DefaultOpen; } },
            BadLineCase { "BooleanMaybe", 14, "maybe",
                [](Settings& s, const Settings& d) { s.OpenRemote = d.OpenRemote; } },
            BadLineCase { "WinLeftTrailingJunk", 10, "12x",
                [](Settings& s, const Settings& d) { s.WinLeft = d.WinLeft; } },
            BadLineCase { "WinWidthNotANumber", 12, "nan",
                [](Settings& s, const Settings& d) { s.WinWidth = d.WinWidth; } },
            BadLineCase { "DockTabTopInfinite", 26, "1e400",
                [](Settings& s, const Settings& d) { s.DockTabTop = d.DockTabTop; } },
            BadLineCase { "AccTextHgtOverflow", 19, "99999999999",
                [](Settings& s, const Settings& d) { s.AccTextHgt = d.AccTextHgt; } }),
        test::CaseName());

    TEST(SettingsTest, BlanksAroundNumbersAreAccepted)
    {
        std::vector<std::string> lines = FileLines(SaveINI(Custom()));
        lines[2] = "  7 ";
        lines[5] = "\t5";
        lines[9] = " 133.3333 ";
        lines[13] = " False ";
        const SettingsReadResult read = LoadINI(CrLf(lines), DefaultSettings(Screen));
        EXPECT_EQ(read.Values, Custom());
        EXPECT_TRUE(read.BadLines.empty());
    }

    TEST(SettingsTest, ShortFileLeavesTheRestAtDefaultsAndExtraLinesAreIgnored)
    {
        const std::vector<std::string> all = FileLines(SaveINI(Custom()));
        const SettingsReadResult shortRead
            = LoadINI(CrLf({ all.begin(), all.begin() + 6 }), DefaultSettings(Screen));
        Settings expected = DefaultSettings(Screen);
        expected.AutoCtrls = 1;
        expected.AutoTaskSel = 0;
        expected.AniSpeed = 7;
        expected.DefaultList = Custom().DefaultList;
        expected.DaysPerLevel = 5;
        EXPECT_EQ(shortRead.Values, expected);
        EXPECT_TRUE(shortRead.BadLines.empty());

        const SettingsReadResult longRead
            = LoadINI(SaveINI(Custom()) + "junk\r\n12x\r\n", DefaultSettings(Screen));
        EXPECT_EQ(longRead.Values, Custom());
        EXPECT_TRUE(longRead.BadLines.empty());
    }

    TEST(SettingsTest, DefaultOpenChoosesListName)
    {
        for (const int defaultOpen : { 0, 1, 2 }) {
            SCOPED_TRACE(defaultOpen);
            Settings s = Custom();
            s.DefaultOpen = defaultOpen;
            const SettingsReadResult read = LoadINI(SaveINI(s), DefaultSettings(Screen));
            EXPECT_EQ(read.Values.DefaultOpen, defaultOpen);
            EXPECT_EQ(read.Values.ListName, defaultOpen == 0 ? s.ListName : s.DefaultList);
        }
    }

    TEST(SettingsTest, BinaryJunkNeverBreaksTheFile)
    {
        std::mt19937 random(41);
        const Settings defaults = DefaultSettings(Screen);
        for (int round = 0; round < 300; ++round) {
            std::string bytes(random() % 800, '\0');
            for (char& c : bytes)
                c = random() % 3 == 0 ? "\r\n 0123456789.-eE"[random() % 17] : static_cast<char>(random());
            SCOPED_TRACE(::testing::PrintToString(bytes));

            const SettingsReadResult read = LoadINI(bytes, defaults);

            ASSERT_TRUE(std::is_sorted(read.BadLines.begin(), read.BadLines.end()));
            for (const int line : read.BadLines)
                ASSERT_TRUE(line >= 1 && line <= 41) << line;
            // Whatever was read writes a proper file that reads back the same.
            const std::string written = SaveINI(read.Values);
            ASSERT_EQ(FileLines(written).size(), 41u);
            const SettingsReadResult again = LoadINI(written, defaults);
            EXPECT_TRUE(again.BadLines.empty());
            EXPECT_EQ(SaveINI(again.Values), written);
        }
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
