#include "frmList.h"

#include "frmMenu.h"

#include "environment/HelpPage.h"
#include "geometry/MenuLayout.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>

namespace agendrix {

namespace {
    struct Shortcut {
        const char* Key;
        const char* Description;
    };
    constexpr Shortcut Shortcuts[] = {
        { "Alt+[space]", "Agendrix Menu" },
        { "Alt+I", "Index of lists in current directory" },
        { "Alt+M", "Go to Agendrix.agl list" },
        { "Alt+S", "Save list" },
        { "Alt+A", "Save list As" },
        { "Alt+P", "Print list" },
        { "Alt+F", "Find text" },
        { "Alt+C", "Copy list" },
        { "Alt+D", "List directory of files" },
        { "Alt+R", "Import text list" },
        { "Alt+W", "Export to web page" },
        { "Alt+T", "Agendrix Online" },
        { "Alt+K", "Show keyboard shortcuts" },
    };

    // The list merger is installed beside the program as agendrix-lm; one the user put in the
    // program folder comes first.
    QString ListMergerPath(const QString& programFolder)
    {
        const QString name = QStringLiteral("/agendrix-lm");
        const QString own = programFolder + name;
        if (QFileInfo(own).isExecutable())
            return own;
        const QString beside = QCoreApplication::applicationDirPath() + name;
        return QFileInfo(beside).isExecutable() ? beside : own;
    }
} // namespace

void frmList::ShowKeyboardShortcuts()
{
    std::string text = "Keyboard Shortcuts\n\n";
    for (const Shortcut& shortcut : Shortcuts)
        text += std::string(shortcut.Key) + '\t' + shortcut.Description + '\n';
    NoHide = true;
    SetWindFloat(false, "Keyboard Shortcuts");
    Services.ThePrompts.Ask({ "Keyboard Shortcuts", text, PromptIcon::Information });
    NoHide = false;
    SetWindFloat(true, "Keyboard Shortcuts");
}

void frmList::ToggleAlwaysOnTop()
{
    if (TheSettings.InSidebar()) {
        Services.ThePrompts.Ask({ "Agendrix", "You cannot set the Always On Top option when in Sidebar Mode",
            PromptIcon::Information });
        return;
    }
    TheSettings.AlwaysOnTop = !TheSettings.AlwaysOnTop;
    SetWindFloat(true, "Always On Top");
}

void frmList::ShowHelp()
{
    const QString page = FindHelpPage(Services.ProgramFolder, QCoreApplication::applicationDirPath());
    if (!QFileInfo::exists(page)) {
        Services.ThePrompts.Ask({ "Agendrix", "The help page " + page.toStdString() + " is missing." });
        return;
    }
    Services.TheShell.OpenDocument(page.toStdString(), Services.ProgramFolder.toStdString());
}

void frmList::LaunchListMerger()
{
    const QString merger = ListMergerPath(Services.ProgramFolder);
    if (!QFileInfo(merger).isExecutable()) {
        Services.ThePrompts.Ask({ "Agendrix",
            "Agendrix List Merger not detected.\n\nPlease download the List Merger from our site\nand "
            "extract to "
            "the Agendrix directory.",
            PromptIcon::Information });
        return;
    }
    if (!Services.TheShell.StartProgram(merger.toStdString(), {}))
        Services.ThePrompts.Ask({ "Agendrix",
            "The list merger " + merger.toStdString() + " could not be started.", PromptIcon::Exclamation });
}

bool frmList::ListMergerPresent() const
{
    return QFileInfo(ListMergerPath(Services.ProgramFolder)).isExecutable();
}

frmMenu* frmList::OpenMenu(QPoint topLeft)
{
    if (TheMenu)
        TheMenu->close();
    // While the menu is open the sidebar stays out and the window gives up staying on top, so
    // that a dialog an entry opens is not hidden behind it.
    NoHide = true;
    SetWindFloat(false, "menu");
    TheMenu = new frmMenu(*this, Skin.Menu);
    const QRect area = screen()->availableGeometry();
    const PixelRect placed = MenuAtPointer(topLeft.x(), topLeft.y(), TheMenu->width(), TheMenu->height(),
        { area.x(), area.y(), area.width(), area.height() });
    TheMenu->move(placed.X, placed.Y);
    TheMenu->show();
    TheMenu->setFocus();
    return TheMenu;
}

void frmList::childEvent(QChildEvent* event)
{
    // An in-place editor with the focus gets the access keys first; the window takes them back
    // through its filter.
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    QWidget::childEvent(event);
}

frmMenu* frmList::Menu() const { return TheMenu; }

void frmList::MenuEntryDone()
{
    SetWindFloat(true, "menu");
    NoHide = false;
    activateWindow();
}

void frmList::ShowOnline()
{
    const QString helpPage = FindHelpPage(Services.ProgramFolder, QCoreApplication::applicationDirPath());
    Services.TheShell.OpenDocument(
        HomePageAddress(helpPage).toStdString(), Services.ProgramFolder.toStdString());
}

// The lamp of visible row 1 steps from code 10 (completed) to code 2.
void frmList::AnimatePriority() { AniPriority(10, 2, 1); }

frmMenu* frmList::OpenMenuUnderButton()
{
    return OpenMenu(QPoint(x() + MenuMetrics::ButtonOffsetX, y() + MenuMetrics::ButtonOffsetY));
}

} // namespace agendrix
