#pragma once

#include "editing/ListHost.h"

#include "model/CompletedItems.h"
#include "model/DateLogic.h"
#include "model/TaskLine.h"

#include "support/ScriptedPrompts.h"

#include <string>
#include <vector>

namespace agendrix {

// A list window without a window: it keeps the list, records what the editors asked of it and
// shows `RowsShown` rows from `RowStart`.
class FakeListHost : public ListHost {
public:
    ListDocument List;
    Settings TheSettings;
    test::ScriptedPrompts Asked;
    CivilDate Date { 2026, 12, 6 };
    QString Folder;
    int RowStart = 0;
    int RowsShown = 6;
    int Refreshes = 0;
    std::vector<std::string> Selected; // every SelectRowShowing call
    std::vector<std::string> FloatCalls; // "false Picker Load", ...
    bool NoHide = false;
    bool IsDocked = false;

    ListDocument& Document() override { return List; }
    const Settings& CurrentSettings() const override { return TheSettings; }
    Prompts& ThePrompts() override { return Asked; }
    CivilDate Today() const override { return Date; }
    QString ProgramFolder() const override { return Folder; }
    void ShowListItems() override
    {
        AssessDateItems(List.Tasks, DateTime { Date, 12 * 3600 }, TheSettings.DaysPerLevel);
        if (TheSettings.AutoPurges())
            DropCompletedFromTheEnd(List);
        ++Refreshes;
    }
    void SelectRowShowing(const std::string& description) override { Selected.push_back(description); }
    bool Docked() const override { return IsDocked; }
    void SetWindFloat(bool autoFloat, const char* source) override
    {
        FloatCalls.push_back(std::string(autoFloat ? "true " : "false ") + source);
    }
    void SetNoHide(bool noHide) override { NoHide = noHide; }

    std::vector<std::string> Lines() const
    {
        return { List.Tasks.Lines().begin(), List.Tasks.Lines().end() };
    }
};

} // namespace agendrix
