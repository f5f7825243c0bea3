#include "frmDockTab.h"
#include "frmList.h"

#include "WindowManagerState.h"

#include "editing/InlineEditors.h"
#include "skin/QtHelpers.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace agendrix {

namespace {
    int Pixels(double twips, double twipsPerPix)
    {
        return static_cast<int>(std::lround(twips / twipsPerPix));
    }

} // namespace

void frmList::AutoDockModeAct(DockChange change)
{
    const bool enter = change == DockChange::Toggle ? !TheSettings.InSidebar() : TheSettings.InSidebar();
    if (enter)
        EnterSidebar(change);
    else if (TheSettings.InSidebar() || Tab)
        LeaveSidebar();
}

void frmList::EnterSidebar(DockChange change)
{
    if (isMaximized() || isMinimized())
        showNormal();
    // A start applies the mode before the window was shown: the settings keep the placement
    // that leaving the sidebar restores.
    if (change == DockChange::Toggle && isVisible()) {
        TheSettings.WinLeft = x();
        TheSettings.WinTop = y();
        TheSettings.WinWidth = width();
        TheSettings.WinHeight = height();
    }
    TheSettings.DockMode = 1;
    FollowScreen(QGuiApplication::screenAt(geometry().center()));
    if (!Tab) {
        Tab = std::make_unique<frmDockTab>();
        connect(Tab.get(), &frmDockTab::Touched, this, [this] { Slide.Touch(); });
        connect(Tab.get(), &frmDockTab::WidthDragStarted, this, [this] { NoHide = true; });
        connect(Tab.get(), &frmDockTab::WidthDragged, this, &frmList::DragTabWidth);
        connect(Tab.get(), &frmDockTab::HeightDragged, this, &frmList::DragTabHeight);
        connect(Tab.get(), &frmDockTab::DragEnded, this, &frmList::EndTabDrag);
    }
    Tab->LoadSkin(Services.ProgramFolder, QString::fromStdString(TheSettings.SkinPath));
    const PixelRect rect
        = SidebarRect(SidebarArea(), Pixels(TheSettings.DockWid, TwipsPerPix()), Tab->width());
    setGeometry(rect.X, rect.Y, rect.Width, rect.Height);
    PlaceDockTab(Pixels(TheSettings.DockTabTop, TwipsPerPix()));
    // At a start the tab shows after the window, which the window manager then makes the
    // active one rather than the tab.
    if (isVisible())
        Tab->show();
    Slide = SidebarSlide();
    DockTimer.start(SidebarSlide::FirstIntervalMs);
    SetWindFloat(true, "Sidebar Mode");
    SetTaskbarButton(*this, TaskbarButton::Hidden);
    update();
}

void frmList::LeaveSidebar()
{
    TheSettings.DockMode = 0;
    DockTimer.stop();
    Tab.reset();
    setGeometry(static_cast<int>(TheSettings.WinLeft), static_cast<int>(TheSettings.WinTop),
        static_cast<int>(TheSettings.WinWidth), static_cast<int>(TheSettings.WinHeight));
    SetTaskbarButton(*this, TaskbarButton::Shown);
    if (!isVisible() && !NowLoading)
        show();
    SetWindFloat(true, "Sidebar Mode");
    update();
}

void frmList::FollowScreen(QScreen* screen)
{
    if (DockScreen)
        disconnect(DockScreen, nullptr, this, nullptr);
    DockScreen = screen != nullptr ? screen : QGuiApplication::primaryScreen();
    if (DockScreen)
        connect(DockScreen, &QScreen::availableGeometryChanged, this, &frmList::ReplaceSidebar);
}

void frmList::ReplaceSidebar()
{
    if (!TheSettings.InSidebar() || !Tab)
        return;
    if (!DockScreen || DockScreen->availableGeometry().width() < MinSidebarWidth)
        FollowScreen(QGuiApplication::primaryScreen());
    const PixelRect area = SidebarArea();
    const PixelRect rect = SidebarRect(area, width(), Tab->width());
    setGeometry(rect.X, rect.Y, rect.Width, rect.Height);
    PlaceDockTab(Tab->y());
    if (Slide.Hidden())
        Tab->move(area.Right() - Tab->width(), Tab->y());
}

PixelRect frmList::SidebarArea() const
{
    const QScreen* screen = DockScreen ? DockScreen.data() : QGuiApplication::primaryScreen();
    // Without a screen (all monitors gone, a placeholder of no size) the sidebar stays where a
    // 1024 by 768 screen would show it, as a placement from the settings does.
    if (screen == nullptr || screen->availableGeometry().width() < MinSidebarWidth
        || screen->availableGeometry().height() <= 0)
        return PixelRect { 0, 0, 1024, 768 };
    const QRect area = screen->availableGeometry();
    return PixelRect { area.x(), area.y(), area.width(), area.height() };
}

void frmList::PlaceDockTab(int top)
{
    const PixelRect tab = DockTabRect(SidebarArea(), x(), Tab->width(), Tab->height(), top);
    Tab->move(tab.X, tab.Y);
}

void frmList::DockTick()
{
    if (!TheSettings.InSidebar() || !Tab) {
        DockTimer.stop();
        return;
    }
    const PixelRect area = SidebarArea();
    const std::optional<WId> active = ActiveWindow();
    SidebarSlide::Input now;
    now.Area = area;
    now.WindowWidth = width();
    now.TabWidth = Tab->width();
    // Edges included: the window's right edge is the screen's, where the pointer stops.
    now.PointerOverWindow = isVisible() && geometry().adjusted(0, 0, 1, 1).contains(QCursor::pos());
    now.OursInFront = active && IsSidebarWindow(*active);
    now.NoHide = NoHide;
    now.AniSpeed = TheSettings.AniSpeed;
    now.ScreenBeyond = QGuiApplication::screenAt(QPoint(area.Right(), area.Y + area.Height / 2)) != nullptr;
    ApplySidebarStep(Slide.Tick(now));
}

bool frmList::IsSidebarWindow(WId window) const
{
    if (window == winId() || (Tab && window == Tab->winId()))
        return true;
    // The remote panel, known by its title as it is a window of its own.
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::ranges::any_of(windows, [window](const QWidget* w) {
        return w->testAttribute(Qt::WA_WState_Created) && w->winId() == window
            && w->windowTitle() == QStringLiteral("Agendrix Remote");
    });
}

void frmList::ApplySidebarStep(const SidebarSlide::Step& step)
{
    DockTimer.setInterval(step.IntervalMs);
    switch (step.What) {
    case SidebarSlide::Action::Stay:
        return;
    case SidebarSlide::Action::Show: {
        const PixelRect rect = SidebarRect(SidebarArea(), width(), Tab->width());
        setGeometry(rect.X, rect.Y, rect.Width, rect.Height);
        if (!isVisible()) {
            // The window manager forgets a window's states when it is unmapped.
            SetTaskbarButton(*this, TaskbarButton::Hidden);
            show();
        }
        break;
    }
    case SidebarSlide::Action::Move:
        move(step.WindowLeft, y());
        break;
    case SidebarSlide::Action::Hide:
        // Out of sight rather than beyond the edge, where another screen may show it.
        RowEditors->Finish();
        hide();
        break;
    }
    Tab->move(step.TabLeft, Tab->y());
}

void frmList::DragTabWidth(int tabLeft)
{
    const PixelRect area = SidebarArea();
    const PixelRect rect = SidebarRect(area, SidebarWidthForTab(area, Tab->width(), tabLeft), Tab->width());
    setGeometry(rect.X, rect.Y, rect.Width, rect.Height);
    Tab->move(rect.X - Tab->width(), Tab->y());
}

void frmList::DragTabHeight(int tabTop) { PlaceDockTab(tabTop); }

void frmList::EndTabDrag()
{
    NoHide = false;
    TheSettings.DockTabTop = Tab->y() * TwipsPerPix();
    if (width() >= MinSidebarWidth - 1)
        TheSettings.DockWid = width() * TwipsPerPix();
}

} // namespace agendrix
