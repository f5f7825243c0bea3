#pragma once

#include "listwindow/frmList.h"

#include "model/FileAccess.h"
#include "skin/QtHelpers.h"

#include "support/FixedClock.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <QTest>
#include <QTimer>

#include <QApplication>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace agendrix {

// The first line of every list file the program writes.
inline const std::string ListHeader = "Format: 5.0.0\r\n";

// An error as the window shows it: the program's title, the Critical icon and OK.
inline PromptRequest CriticalMessage(std::string text)
{
    return PromptRequest { "Agendrix", std::move(text), PromptIcon::Critical, PromptButtons::Ok,
        PromptAnswer::Ok };
}

// `text` with every `placeholder` replaced by `value`, for expected texts that name a test's folder.
inline std::string ReplaceAll(std::string text, std::string_view placeholder, const std::string& value)
{
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size()))
        text.replace(at, placeholder.size(), value);
    return text;
}

// The visible top-level window of a class, such as the task editor a click opened.
inline QWidget* ShownWindow(const char* className)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits(className) && widget->isVisible())
            return widget;
    return nullptr;
}

// The window's list, to change behind its back as an edit would.
inline ListDocument& DocumentOf(frmList& window) { return const_cast<ListDocument&>(window.Document()); }

// `count` lines of the same dated task of level 5.
inline std::vector<std::string> PlainTasks(int count)
{
    return std::vector<std::string>(static_cast<std::size_t>(count), "05\ttask\t\t0\t20261206\t1\t0\t");
}

// A list window on a list file in a fresh folder, with a fixed clock, scripted prompts and a
// recording desktop. The folder has no skins, so the window draws the plain default look.
struct ListWindowFixture {
    test::TempFolder Folder;
    test::FixedClock Clock { DateTime { CivilDate { 2026, 12, 6 }, 12 * 3600 } };
    test::RecordingShell Desktop;
    test::ScriptedPrompts Prompts;
    Settings TheSettings = DefaultSettings(ScreenMetrics {});

    std::string Path(std::string_view name) const { return Folder / name; }
    ListWindowServices Services()
    {
        return ListWindowServices { Clock, Prompts, Desktop, FromUtf8(Folder.Path()) };
    }

    std::unique_ptr<frmList> Open(const std::vector<std::string>& lines, const std::string& name = "list.agl")
    {
        std::string bytes = ListHeader;
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        SaveFileAtomically(Path(name), bytes);
        auto window = std::make_unique<frmList>(Services(), TheSettings);
        window->Start(Path(name));
        return window;
    }
    std::unique_ptr<frmList> OpenShown(
        const std::vector<std::string>& lines, const std::string& name = "list.agl")
    {
        auto window = Open(lines, name);
        window->show();
        return window;
    }
};

inline QPoint Centre(const PixelRect& rect)
{
    return QPoint(rect.X + rect.Width / 2, rect.Y + rect.Height / 2);
}

// The middle of a visible row's lamp and of its description, as the window lays them out now.
inline QPoint LampOf(const frmList& window, int row)
{
    return Centre(window.CurrentView().Rows.Rows.at(static_cast<std::size_t>(row)).Lamp);
}
inline QPoint LabelOf(const frmList& window, int row)
{
    return Centre(window.CurrentView().Rows.Rows.at(static_cast<std::size_t>(row)).Label);
}

// The middle of the open information block's text.
inline QPoint DetailsOf(const frmList& window) { return Centre(window.CurrentView().Rows.Details.value()); }

// A point of the title bar that is neither the menu button nor a window button: the window's
// own background, where a press starts moving the window.
inline QPoint TitleBackgroundOf(const frmList& window)
{
    const PixelRect& buttons = window.CurrentView().Layout.WindowControls;
    return QPoint(buttons.X / 2, buttons.Y + buttons.Height / 2);
}

// A point of a row's control bar, in the bar's own pixels.
inline QPoint OnBar(const frmList& window, int row, int x, int y)
{
    const PixelRect& bar = window.CurrentView().Rows.Rows.at(static_cast<std::size_t>(row)).ControlBar;
    return QPoint(bar.X + x, bar.Y + y);
}

// The middle of a button of a row's open control bar, in the window's pixels.
inline QPoint OnBarButton(const frmList& window, int row, BarButton button)
{
    const QPoint inBar = Centre(BarButtonTarget(button));
    return OnBar(window, row, inBar.x(), inBar.y());
}

// The expand handle of a row's collapsed control bar, which is all of the collapsed bar.
inline QPoint ExpandHandleOf(const frmList& window, int row)
{
    return Centre(window.CurrentView().Rows.Rows.at(static_cast<std::size_t>(row)).ControlBar);
}

inline void Click(frmList& window, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(&window, button, {}, at);
    QTest::mouseRelease(&window, button, {}, at);
}

// Runs the control bar's animation to its end by firing its timer by hand, one paint at a time,
// instead of waiting for the real timer; false when it had not ended after more paints than
// rolling one bar up and another out can take.
inline bool FinishBarAnimation(frmList& window)
{
    // Two bars of all their frames, each frame painted as often as the slowest setting paints it.
    const int mostPaints = 2 * (BarAnimation::LastFrame + 1) * PaintsPerFrame(10);
    auto* timer = window.findChild<QTimer*>(QStringLiteral("BarAnimation"));
    if (timer == nullptr)
        return false;
    for (int paint = 0; paint < mostPaints && timer->isActive(); ++paint)
        QMetaObject::invokeMethod(timer, "timeout");
    return !timer->isActive() && !window.Bars().Running();
}

} // namespace agendrix
