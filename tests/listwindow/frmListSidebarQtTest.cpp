#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "geometry/Sidebar.h"
#include "geometry/WindowButtons.h"
#include "listwindow/frmDockTab.h"
#include "model/FileAccess.h"

#include <QScreen>
#include <QTest>

#include <cmath>

namespace agendrix {

namespace {

    QRect Available(const QWidget& window) { return window.screen()->availableGeometry(); }

    // The middle of a window button, in the list window's pixels.
    QPoint ButtonOf(const frmList& window, WindowButton button)
    {
        const PixelRect& strip = window.CurrentView().Layout.WindowControls;
        return QPoint(strip.X + PressedCellOffset(button) + 8, strip.Y + strip.Height / 2);
    }

    double TwipsPerPix(const QWidget& window) { return 1440.0 / window.logicalDpiX(); }

    // A drag of the tab by `moved` pixels with `button`, as the user makes it.
    void DragTab(const frmDockTab& tab, Qt::MouseButton button, QPoint moved)
    {
        auto& widget = const_cast<frmDockTab&>(tab);
        const QPoint at(tab.width() / 2, tab.height() / 2);
        QTest::mousePress(&widget, button, {}, at);
        QMouseEvent move(
            QEvent::MouseMove, at + moved, widget.mapToGlobal(at + moved), Qt::NoButton, button, {});
        QApplication::sendEvent(&widget, &move);
        QTest::mouseRelease(&widget, button, {}, at + moved);
    }

    int Settled(double twips, const QWidget& window)
    {
        return static_cast<int>(std::lround(twips / TwipsPerPix(window)));
    }

} // namespace

class ListWindowSidebarTest : public QObject {
    Q_OBJECT

private slots:
    // Entering sidebar mode keeps the normal placement, and leaving it restores exactly that.
    void TheSidebarTakesTheRightEdgeAndGivesThePlacementBack()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open({ "05\tA task" });
        window->setGeometry(123, 77, 345, 456);
        const QRect normal = window->geometry();

        window->AutoDockModeAct(frmList::DockChange::Toggle);

        const QRect area = Available(*window);
        const int dockWidth = Settled(fixture.TheSettings.DockWid, *window);
        QCOMPARE(
            window->geometry(), QRect(area.right() + 1 - dockWidth, area.top(), dockWidth, area.height()));
        QVERIFY(window->CurrentSettings().InSidebar());
        QVERIFY(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        const frmDockTab* tab = window->DockTab();
        QVERIFY(tab && tab->isVisible());
        QCOMPARE(tab->geometry().right() + 1, window->x());
        QCOMPARE(tab->windowTitle(), QStringLiteral("Agendrix Drag Tab"));
        QVERIFY(window->findChild<QTimer*>(QStringLiteral("Dock"))->isActive());

        window->AutoDockModeAct(frmList::DockChange::Toggle);

        QCOMPARE(window->geometry(), normal);
        QVERIFY(!window->CurrentSettings().InSidebar());
        QVERIFY(window->DockTab() == nullptr);
        QVERIFY(!window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!window->findChild<QTimer*>(QStringLiteral("Dock"))->isActive());
    }

    // A start in sidebar mode docks at once; the placement it would restore is the settings'.
    // Whatever the settings say of the sidebar's width and the tab's top, both stay on screen.
    void ASidebarStartStaysOnTheScreenWhateverTheSettings()
    {
        const struct {
            const char* Name;
            double DockWidPixels;
            double TabTopPixels;
        } cases[] = {
            { "negativeWidth", -270, 100 },
            { "zeroWidth", 0, 100 },
            { "widerThanTheScreen", 100000, 100 },
            { "tabAboveTheScreen", 270, -5000 },
            { "tabBelowTheScreen", 270, 100000 },
            { "usual", 270, 100 },
        };
        for (const auto& c : cases) {
            ListWindowFixture fixture;
            fixture.TheSettings.DockMode = 1;
            fixture.TheSettings.DockWid = c.DockWidPixels * 15;
            fixture.TheSettings.DockTabTop = c.TabTopPixels * 15;
            auto window = fixture.Open({ "05\tA task" });
            const QRect area = Available(*window);

            QVERIFY2(area.contains(window->geometry()), c.Name);
            QVERIFY2(window->width() >= MinSidebarWidth, c.Name);
            QVERIFY2(window->geometry().right() == area.right(), c.Name);
            QVERIFY2(window->DockTab() && area.contains(window->DockTab()->geometry()), c.Name);

            window->AutoDockModeAct(frmList::DockChange::Toggle);
            QVERIFY2(window->geometry()
                    == QRect(static_cast<int>(fixture.TheSettings.WinLeft),
                        static_cast<int>(fixture.TheSettings.WinTop),
                        static_cast<int>(fixture.TheSettings.WinWidth),
                        static_cast<int>(fixture.TheSettings.WinHeight)),
                c.Name);
        }
    }

    // The sidebar keeps its place: Minimise, Maximise and moving the window do nothing, while
    // Exit still ends it, and the settings keep the normal placement and the mode.
    void TheSidebarRefusesMinimiseMaximiseAndMovingButExits()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open({ "05\tA task" });
        const QRect normal = window->geometry();
        window->AutoDockModeAct(frmList::DockChange::Toggle);
        const QRect docked = window->geometry();

        Click(*window, ButtonOf(*window, WindowButton::Minimise));
        Click(*window, ButtonOf(*window, WindowButton::Maximise));
        const QPoint background = TitleBackgroundOf(*window);
        QTest::mousePress(window.get(), Qt::LeftButton, {}, background);
        QTest::mouseMove(window.get(), background + QPoint(-300, 50));
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, background + QPoint(-300, 50));

        QVERIFY(!window->isMinimized());
        QVERIFY(!window->isMaximized());
        QCOMPARE(window->geometry(), docked);
        Click(*window, ButtonOf(*window, WindowButton::Exit));
        QVERIFY(!window->isVisible());
        const ReadResult settings = ReadWholeFile(fixture.Path(SettingsFileName));
        QVERIFY(settings.What == ReadResult::Status::Read);
        const SettingsReadResult read = LoadINI(settings.Bytes, fixture.TheSettings);
        QVERIFY(read.Values.InSidebar());
        QCOMPARE(QRect(static_cast<int>(read.Values.WinLeft), static_cast<int>(read.Values.WinTop),
                     static_cast<int>(read.Values.WinWidth), static_cast<int>(read.Values.WinHeight)),
            normal);
    }

    // Dragging the tab with the left button resizes the sidebar, never under 200 pixels; with
    // another button it moves the tab up and down. The release keeps both in the settings.
    void DraggingTheTabResizesTheSidebarOrMovesTheTab()
    {
        const struct {
            const char* Name;
            Qt::MouseButton Button;
            QPoint Moved;
            int ExpectedWidth; // 0: the area's width less the tab's
            int ExpectedTopChange;
        } cases[] = {
            { "farRightStopsAtTheLeast", Qt::LeftButton, { 5000, 0 }, MinSidebarWidth, 0 },
            { "fiftyLeftWidens", Qt::LeftButton, { -50, 30 }, 320, 0 },
            { "farLeftStopsAtTheScreen", Qt::LeftButton, { -5000, 0 }, 0, 0 },
            { "rightButtonMovesTheTabDown", Qt::RightButton, { -50, 40 }, 270, 40 },
        };
        for (const auto& c : cases) {
            ListWindowFixture fixture;
            fixture.TheSettings.DockWid = 270 * 15;
            fixture.TheSettings.DockTabTop = 100 * 15;
            auto window = fixture.Open({ "05\tA task" });
            window->AutoDockModeAct(frmList::DockChange::Toggle);
            const frmDockTab& tab = *window->DockTab();
            const int topBefore = tab.y();
            const QRect area = Available(*window);

            DragTab(tab, c.Button, c.Moved);

            const int expectedWidth = c.ExpectedWidth != 0 ? c.ExpectedWidth : area.width() - tab.width();
            QVERIFY2(window->width() == expectedWidth, c.Name);
            QVERIFY2(window->geometry().right() == area.right(), c.Name);
            QVERIFY2(tab.geometry().right() + 1 == window->x(), c.Name);
            QVERIFY2(tab.y() == topBefore + c.ExpectedTopChange, c.Name);
            QVERIFY2(Settled(window->CurrentSettings().DockWid, *window) == expectedWidth, c.Name);
            QVERIFY2(Settled(window->CurrentSettings().DockTabTop, *window) == tab.y(), c.Name);
            QVERIFY2(tab.Dragging() == frmDockTab::DragKind::None, c.Name);
        }
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowSidebarTest);

#include "frmListSidebarQtTest.moc"
