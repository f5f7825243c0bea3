#pragma once

#include "listwindow/frmList.h"

#include "model/FileAccess.h"
#include "skin/QtHelpers.h"

#include "support/FixedClock.h"
#include "support/ScriptedPrompts.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace agendrix {

// Remembers the documents handed to the desktop instead of opening them.
class RecordingShell : public Shell {
public:
    void OpenDocument(const std::string& path, const std::string& workingFolder) override
    {
        Opened.emplace_back(path, workingFolder);
    }
    std::vector<std::pair<std::string, std::string>> Opened;
};

// A list window on a list file in a fresh folder, with a fixed clock, scripted prompts and a
// recording desktop. The folder has no skins, so the window draws the plain default look.
struct ListWindowFixture {
    QTemporaryDir Folder;
    test::FixedClock Clock { DateTime { CivilDate { 2026, 12, 6 }, 12 * 3600 } };
    RecordingShell Desktop;
    test::ScriptedPrompts Prompts;
    Settings TheSettings = DefaultSettings(ScreenMetrics {});

    std::string Path(std::string_view name) const
    {
        return QDir(Folder.path()).filePath(FromUtf8(name)).toStdString();
    }

    std::unique_ptr<frmList> Open(const std::vector<std::string>& lines, const std::string& name = "list.agl")
    {
        std::string bytes = "Format: 5.0.0\r\n";
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        SaveFileAtomically(Path(name), bytes);
        auto window = std::make_unique<frmList>(
            ListWindowServices { Clock, Prompts, Desktop, Folder.path() }, TheSettings);
        window->Start(Path(name));
        return window;
    }
};

} // namespace agendrix
