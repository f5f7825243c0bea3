#include "SystemInformation.h"

#include <cstdio>

namespace agendrix {

namespace {
    std::string ScreenLine(std::size_t number, const ScreenFacts& screen)
    {
        char scale[32];
        std::snprintf(scale, sizeof scale, "%g", screen.Scale);
        return "Screen " + std::to_string(number) + ": " + screen.Name + ", " + std::to_string(screen.Width)
            + " x " + std::to_string(screen.Height) + " at " + std::to_string(screen.X) + ", "
            + std::to_string(screen.Y) + ", scale " + scale + "\n";
    }
} // namespace

const std::vector<SystemInfoTool>& SystemInfoTools()
{
    static const std::vector<SystemInfoTool> tools {
        { "hardinfo2", {} },
        { "hardinfo", {} },
        { "kinfocenter", {} },
        { "gnome-control-center", { "info-overview" } },
        { "xfce4-about", {} },
    };
    return tools;
}

std::string SystemReport(const SystemFacts& facts)
{
    std::string text = "Agendrix " + facts.ProgramVersion + "\n";
    text += "Qt " + facts.QtVersion + "\n";
    text += "Platform: " + facts.Platform + "\n";
    if (facts.Screens.empty())
        text += "Screens: none\n";
    for (std::size_t i = 0; i < facts.Screens.size(); ++i)
        text += ScreenLine(i + 1, facts.Screens[i]);
    text += "Program folder: " + facts.ProgramFolder + "\n";
    text += "Settings file: " + facts.SettingsFile + "\n";
    text += "Skin: " + facts.Skin + "\n";
    return text;
}

SysInfoShown StartSysInfo(Shell& shell, Prompts& prompts, const SystemFacts& facts)
{
    for (const SystemInfoTool& tool : SystemInfoTools()) {
        const std::optional<std::string> path = shell.FindProgram(tool.Program);
        if (path && shell.StartProgram(*path, tool.Arguments))
            return SysInfoShown::Tool;
    }
    if (prompts.ShowReport(ReportRequest { "System Information", SystemReport(facts) }))
        return SysInfoShown::Report;
    prompts.Tell(std::string(SysInfoUnavailable));
    return SysInfoShown::Unavailable;
}

} // namespace agendrix
