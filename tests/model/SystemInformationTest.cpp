#include "model/SystemInformation.h"

#include "ModelTest.h"

#include "support/RecordingShell.h"

#include <map>

namespace agendrix {
namespace {

    SystemFacts TwoScreens()
    {
        return SystemFacts { "5.0.0", "6.4.2", "xcb",
            { ScreenFacts { "HDMI-1", 0, 0, 1920, 1080, 1.0 },
                ScreenFacts { "DP-2", 1920, -120, 1280, 1024, 1.5 } },
            "/home/ann/agendrix", "/home/ann/agendrix/agendrix.ini", "/home/ann/agendrix/Skins/Midnight/" };
    }

    const std::string TwoScreensReport = "Agendrix 5.0.0\n"
                                         "Qt 6.4.2\n"
                                         "Platform: xcb\n"
                                         "Screen 1: HDMI-1, 1920 x 1080 at 0, 0, scale 1\n"
                                         "Screen 2: DP-2, 1280 x 1024 at 1920, -120, scale 1.5\n"
                                         "Program folder: /home/ann/agendrix\n"
                                         "Settings file: /home/ann/agendrix/agendrix.ini\n"
                                         "Skin: /home/ann/agendrix/Skins/Midnight/\n";

    using Start = std::pair<std::string, std::vector<std::string>>;

    TEST(SystemInformationTest, StartsTheFirstToolThatStartsElseShowsOurReportElseSaysItIsUnavailable)
    {
        struct Case {
            const char* Name;
            std::map<std::string, std::string> Installed;
            std::set<std::string> Failing;
            bool ReportsShow;
            SysInfoShown Expected;
            std::vector<Start> Tried;
            std::vector<PromptRequest> Asked;
        };
        const std::vector<PromptRequest> unavailable { test::InformationMessage(
            "System Information Is Unavailable At This Time") };
        const Case cases[] = {
            { "noToolAndNoBox", {}, {}, false, SysInfoShown::Unavailable, {}, unavailable },
            { "toolFailsToStartAndNoBox", { { "kinfocenter", "/usr/bin/kinfocenter" } },
                { "/usr/bin/kinfocenter" }, false, SysInfoShown::Unavailable,
                { { "/usr/bin/kinfocenter", {} } }, unavailable },
            { "noToolShowsOurReport", {}, {}, true, SysInfoShown::Report, {}, {} },
            { "onlyToolFailsToStartShowsOurReport", { { "hardinfo", "/usr/bin/hardinfo" } },
                { "/usr/bin/hardinfo" }, true, SysInfoShown::Report, { { "/usr/bin/hardinfo", {} } }, {} },
            { "aToolThatFailsGivesWayToTheNext",
                { { "hardinfo", "/usr/bin/hardinfo" }, { "kinfocenter", "/opt/kde/bin/kinfocenter" } },
                { "/usr/bin/hardinfo" }, true, SysInfoShown::Tool,
                { { "/usr/bin/hardinfo", {} }, { "/opt/kde/bin/kinfocenter", {} } }, {} },
            { "gnomeOpensItsOverviewPage", { { "gnome-control-center", "/usr/bin/gnome-control-center" } },
                {}, true, SysInfoShown::Tool, { { "/usr/bin/gnome-control-center", { "info-overview" } } },
                {} },
            { "aToolMadeForItBeforeTheDesktops",
                { { "xfce4-about", "/usr/bin/xfce4-about" }, { "hardinfo2", "/usr/local/bin/hardinfo2" },
                    { "kinfocenter", "/usr/bin/kinfocenter" } },
                {}, false, SysInfoShown::Tool, { { "/usr/local/bin/hardinfo2", {} } }, {} },
            { "kdeBeforeXfce",
                { { "xfce4-about", "/usr/bin/xfce4-about" }, { "kinfocenter", "/usr/bin/kinfocenter" } }, {},
                false, SysInfoShown::Tool, { { "/usr/bin/kinfocenter", {} } }, {} },
        };
        for (const Case& c : cases) {
            test::RecordingShell shell;
            shell.Installed = c.Installed;
            shell.Failing = c.Failing;
            test::ScriptedPrompts prompts;
            prompts.ReportsShow = c.ReportsShow;
            EXPECT_EQ(StartSysInfo(shell, prompts, TwoScreens()), c.Expected) << c.Name;
            EXPECT_EQ(shell.Tried, c.Tried) << c.Name;
            EXPECT_EQ(prompts.Asked, c.Asked) << c.Name;
            // Our box is offered exactly when no tool started.
            const std::vector<ReportRequest> offered = c.Expected == SysInfoShown::Tool
                ? std::vector<ReportRequest> {}
                : std::vector<ReportRequest> { { "System Information", TwoScreensReport } };
            EXPECT_EQ(prompts.Reports, offered) << c.Name;
        }
    }

    TEST(SystemInformationTest, TheReportNamesWhatABugReportNeeds)
    {
        struct Case {
            const char* Name;
            SystemFacts Facts;
            std::string Expected;
        };
        SystemFacts noScreen = TwoScreens();
        noScreen.Screens.clear();
        noScreen.Platform = "offscreen";
        const Case cases[] = {
            { "noScreen", noScreen,
                "Agendrix 5.0.0\nQt 6.4.2\nPlatform: offscreen\nScreens: none\n"
                "Program folder: /home/ann/agendrix\nSettings file: /home/ann/agendrix/agendrix.ini\n"
                "Skin: /home/ann/agendrix/Skins/Midnight/\n" },
            { "twoScreensWithTheirScaling", TwoScreens(), TwoScreensReport },
        };
        for (const Case& c : cases)
            EXPECT_EQ(SystemReport(c.Facts), c.Expected) << c.Name;
    }

} // namespace
} // namespace agendrix
