#pragma once

#include "environment/EnvironmentHost.h"

#include "support/ScriptedPrompts.h"

#include <QString>

#include <set>
#include <string>
#include <vector>

namespace agendrix::test {

// The list window as the options dialog, the about box and the skin browser see it: it records the calls that
// bracket a dialog, the settings at each redisplay and each skin loaded. A skin path in
// `BrokenSkins` loads but is not whole, as a folder lacking the window's pictures.
class RecordingEnvironmentHost : public EnvironmentHost {
public:
    ListDocument List;
    Settings TheSettings;
    ScriptedPrompts Asked;
    QString Folder = QStringLiteral("/opt/agendrix");
    std::vector<std::string> Calls; // "NoHide true", "Float false Tools Load", ...
    std::vector<Settings> Redisplayed; // the settings as each redisplay found them
    std::vector<std::string> SkinsLoaded;
    std::set<std::string> BrokenSkins;

    ListDocument& Document() override { return List; }
    const Settings& CurrentSettings() const override { return TheSettings; }
    Prompts& ThePrompts() override { return Asked; }
    CivilDate Today() const override { return CivilDate { 2026, 12, 6 }; }
    QString ProgramFolder() const override { return Folder; }
    bool Docked() const override { return false; }
    void SetWindFloat(bool autoFloat, const char* source) override
    {
        Calls.push_back(std::string("Float ") + (autoFloat ? "true " : "false ") + source);
    }
    void SetNoHide(bool noHide) override { Calls.push_back(noHide ? "NoHide true" : "NoHide false"); }

    Settings& EditSettings() override { return TheSettings; }
    void RedisplayList() override { Redisplayed.push_back(TheSettings); }
    bool ChangeSkin(const std::string& skinPath) override
    {
        SkinsLoaded.push_back(skinPath);
        TheSettings.SkinPath = skinPath;
        return !BrokenSkins.contains(skinPath);
    }

protected:
    void ShowListItems() override { }
    void SelectRowShowing(const std::string&) override { }
};

} // namespace agendrix::test
