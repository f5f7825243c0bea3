#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "listwindow/frmRemote.h"

#include <QTest>

#include <optional>
#include <tuple>
#include <vector>

namespace agendrix {
namespace {

    // Stands in for the list window: records what the panel asks of it.
    struct RecordingRemoteHost : RemoteHost {
        std::vector<ListCommand> Ran;
        bool Purges = false;
        std::vector<bool> PurgeSettings;
        int ClosedCount = 0;
        PanelPlacement Placement { ListMode::Normal, { 0, 0, 1024, 768 }, { 100, 50, 400, 300 }, 0, 0 };

        void Run(ListCommand command) override { Ran.push_back(command); }
        bool AutoPurges() const override { return Purges; }
        void SetAutoPurge(bool on) override
        {
            Purges = on;
            PurgeSettings.push_back(on);
        }
        PanelPlacement RemotePlacement() const override { return Placement; }
        void RemoteClosed() override { ++ClosedCount; }
    };

    QPoint CentreOfCommand(int command) { return Centre(RemoteButtonPlace(command)); }

} // namespace

class RemotePanelTest : public QObject {
    Q_OBJECT
private slots:
    // A press and a release make a click only on the same picture; the background drags. Each
    // picture names itself in a tooltip.
    void PicturesRunTheirCommandsAndNameThemselves()
    {
        using C = ListCommand;
        const QPoint background(150, 30);
        const struct {
            const char* Name;
            QPoint Press, Release;
            std::optional<ListCommand> Command;
            const char* Tooltip; // at the press
        } cases[] = {
            { "background", background, background, std::nullopt, "" },
            { "pressOnNewReleaseOnOpen", CentreOfCommand(3), CentreOfCommand(1), std::nullopt,
                "Start a new task list" },
            { "releaseOffThePicture", CentreOfCommand(6), background, std::nullopt, "Add a task" },
            { "openList", CentreOfCommand(1), CentreOfCommand(1), C::OpenListFile,
                "Open an existing task list" },
            { "saveList", CentreOfCommand(2), CentreOfCommand(2), C::Save, "Save current task list" },
            { "newList", CentreOfCommand(3), CentreOfCommand(3), C::NewList, "Start a new task list" },
            { "export", CentreOfCommand(4), CentreOfCommand(4), C::ExportCompleted,
                "Export and remove completed tasks" },
            { "purge", CentreOfCommand(5), CentreOfCommand(5), C::PurgeCompleted,
                "Delete all completed tasks" },
            { "add", CentreOfCommand(6), CentreOfCommand(6), C::AddTask, "Add a task" },
            { "edit", CentreOfCommand(7), CentreOfCommand(7), C::EditTask, "Edit selected task" },
            { "delete", CentreOfCommand(8), CentreOfCommand(8), C::DeleteTask, "Delete selected task" },
            { "options", CentreOfCommand(9), CentreOfCommand(9), C::Options,
                "Set options and associate file type" },
            { "skins", CentreOfCommand(10), CentreOfCommand(10), C::SkinBrowser, "Select Agendrix skin" },
            { "autoPurge", Centre(RemotePlaces::CheckLabel), Centre(RemotePlaces::CheckLabel), std::nullopt,
                "Purge items as soon as they are marked complete" },
            { "close", Centre(RemotePlaces::Close), Centre(RemotePlaces::Close), std::nullopt, "Close" },
        };
        for (const auto& c : cases) {
            QVERIFY2(frmRemote::TooltipAt(c.Press) == QString::fromUtf8(c.Tooltip), c.Name);
            RecordingRemoteHost host;
            frmRemote panel(host, nullptr);
            panel.show();
            QTest::mousePress(&panel, Qt::LeftButton, {}, c.Press);
            QTest::mouseRelease(&panel, Qt::LeftButton, {}, c.Release);
            const std::vector<ListCommand> want
                = c.Command ? std::vector { *c.Command } : std::vector<ListCommand> {};
            QVERIFY2(host.Ran == want, c.Name);
        }
    }

    void AccessKeysRunTheirCommands()
    {
        using C = ListCommand;
        // "E&dit" and "&Delete" share D: it goes to Edit, the first of them.
        const std::tuple<const char*, Qt::Key, Qt::KeyboardModifiers, std::optional<ListCommand>> cases[] = {
            { "letterOfNoCommand", Qt::Key_Q, Qt::AltModifier, std::nullopt },
            { "withoutAlt", Qt::Key_O, Qt::NoModifier, std::nullopt },
            { "altO", Qt::Key_O, Qt::AltModifier, C::OpenListFile },
            { "altS", Qt::Key_S, Qt::AltModifier, C::Save },
            { "altN", Qt::Key_N, Qt::AltModifier, C::NewList },
            { "altE", Qt::Key_E, Qt::AltModifier, C::ExportCompleted },
            { "altP", Qt::Key_P, Qt::AltModifier, C::PurgeCompleted },
            { "altA", Qt::Key_A, Qt::AltModifier, C::AddTask },
            { "altD", Qt::Key_D, Qt::AltModifier, C::EditTask },
            { "altT", Qt::Key_T, Qt::AltModifier, C::Options },
            { "altK", Qt::Key_K, Qt::AltModifier, C::SkinBrowser },
            { "altI", Qt::Key_I, Qt::AltModifier, C::ListIndex },
        };
        for (const auto& [name, key, modifiers, expected] : cases) {
            RecordingRemoteHost host;
            frmRemote panel(host, nullptr);
            QTest::keyClick(&panel, key, modifiers);
            const std::vector<ListCommand> want
                = expected ? std::vector { *expected } : std::vector<ListCommand> {};
            QVERIFY2(host.Ran == want, name);
            QVERIFY2(host.PurgeSettings.empty(), name);
        }
    }

    void TabMovesTheFocusAndEnterRunsTheFocusedCommand()
    {
        RecordingRemoteHost host;
        frmRemote panel(host, nullptr);
        QCOMPARE(panel.FocusedCommand(), 0);
        QTest::keyClick(&panel, Qt::Key_Return);
        QVERIFY(host.Ran.empty()); // nothing has the focus yet
        QTest::keyClick(&panel, Qt::Key_Tab);
        QTest::keyClick(&panel, Qt::Key_Tab);
        QCOMPARE(panel.FocusedCommand(), 2);
        QCOMPARE(panel.LookOf(2), RemoteButtonLook::Focused);
        QCOMPARE(panel.LookOf(1), RemoteButtonLook::Normal);
        QTest::keyClick(&panel, Qt::Key_Return);
        QTest::keyClick(&panel, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(&panel, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(panel.FocusedCommand(), 11); // back from the first to the last, List Index
        QTest::keyClick(&panel, Qt::Key_Space);
        QVERIFY((host.Ran == std::vector { ListCommand::Save, ListCommand::ListIndex }));
    }

    void ButtonsShowPressedWhileHeldAndFocusedAfterRelease()
    {
        RecordingRemoteHost host;
        frmRemote panel(host, nullptr);
        panel.show();
        QTest::mousePress(&panel, Qt::LeftButton, {}, CentreOfCommand(7));
        QCOMPARE(panel.LookOf(7), RemoteButtonLook::Pressed);
        QCOMPARE(panel.LookOf(8), RemoteButtonLook::Normal);
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, CentreOfCommand(7));
        QCOMPARE(panel.LookOf(7), RemoteButtonLook::Focused);
        QTest::mousePress(&panel, Qt::LeftButton, {}, Centre(RemotePlaces::Close));
        QCOMPARE(panel.CloseLook(), RemoteButtonLook::Pressed);
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(150, 30)); // slid off: no close
        QCOMPARE(panel.CloseLook(), RemoteButtonLook::Normal);
        QCOMPARE(host.ClosedCount, 0);
    }

    void AutoPurgeTogglesFromTheBoxTheLabelAndTheKey()
    {
        RecordingRemoteHost host;
        frmRemote panel(host, nullptr);
        panel.show();
        QTest::mouseClick(&panel, Qt::LeftButton, {}, Centre(RemotePlaces::Check));
        QTest::mouseClick(&panel, Qt::LeftButton, {}, Centre(RemotePlaces::CheckLabel));
        QTest::keyClick(&panel, Qt::Key_U, Qt::AltModifier);
        QVERIFY((host.PurgeSettings == std::vector { true, false, true }));
        QVERIFY(host.Ran.empty());
    }

    void TitleMarkFollowsActivation()
    {
        RecordingRemoteHost host;
        frmRemote panel(host, nullptr);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&panel, &activate);
        QVERIFY(panel.ShowsActiveTitle());
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&panel, &deactivate);
        QVERIFY(!panel.ShowsActiveTitle());
    }

    void BackgroundDragMovesThePanelAndCloseTellsTheHost()
    {
        RecordingRemoteHost host;
        frmRemote panel(host, nullptr);
        panel.move(300, 200);
        panel.show();
        const QPoint start = panel.pos();
        QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(150, 30));
        QTest::mouseMove(&panel, QPoint(170, 20));
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(170, 20));
        QCOMPARE(panel.pos(), start + QPoint(20, -10));
        QVERIFY(host.Ran.empty());
        QTest::mouseClick(&panel, Qt::LeftButton, {}, Centre(RemotePlaces::Close));
        QCOMPARE(host.ClosedCount, 1);
        QVERIFY(!panel.isVisible());
    }

    void RemoteButtonAndOpenRemoteOpenThePanelBesideTheWindow()
    {
        const std::tuple<const char*, bool, bool> cases[] = {
            // name, OpenRemote at start, Remote button clicked
            { "shutAtStart", false, false },
            { "buttonOpensIt", false, true },
            { "openAtStart", true, false },
            { "buttonClosesAnOpenOne", true, true },
        };
        for (const auto& [name, atStart, clicked] : cases) {
            ListWindowFixture fixture;
            fixture.TheSettings.OpenRemote = atStart;
            fixture.TheSettings.WinLeft = 20;
            fixture.TheSettings.WinTop = 30;
            auto window = fixture.Open(PlainTasks(1));
            window->resize(300, 250);
            if (clicked) {
                const PixelRect strip = window->CurrentView().Layout.WindowControls;
                QTest::mouseClick(
                    window.get(), Qt::LeftButton, {}, QPoint(strip.X + 8, strip.Y + strip.Height / 2));
            }
            const bool open = atStart != clicked;
            QVERIFY2((window->Remote() != nullptr) == open, name);
            QVERIFY2(window->CurrentSettings().OpenRemote == open, name);
            if (open) {
                QVERIFY2(window->Remote()->isVisible(), name);
                QCOMPARE(window->Remote()->pos(), window->geometry().topRight() + QPoint(1, 0));
            }
        }
    }

    void NewListCountsTheListsStartedSinceTheStart()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(PlainTasks(2));
        for (const char* expected : { "New Task List 1", "New Task List 2", "New Task List 3" }) {
            window->Run(ListCommand::NewList);
            QCOMPARE(window->Document().ListName, std::string(expected));
            QCOMPARE(window->Document().Tasks.Count(), std::size_t { 0 });
            QVERIFY(!window->Document().Dirty);
        }
        QCOMPARE(window->CurrentView().Caption, QStringLiteral(" - New Task List 3"));
        auto restarted = fixture.Open(PlainTasks(1));
        restarted->Run(ListCommand::NewList);
        QCOMPARE(restarted->Document().ListName, std::string("New Task List 1"));
    }

    void DeleteRemovesTheCurrentTaskWithoutAQuestion()
    {
        const std::tuple<const char*, std::vector<std::string>, std::size_t, bool> cases[] = {
            // name, tasks, tasks left, changed
            { "emptyList", {}, 0, false },
            { "currentTaskGoes", { "02\tfirst\t\t0\t20261206\t1\t0\t", "05\tsecond\t\t0\t20261206\t1\t0\t" },
                1, true },
        };
        for (const auto& [name, lines, left, changed] : cases) {
            ListWindowFixture fixture;
            auto window = fixture.Open(lines);
            window->Run(ListCommand::DeleteTask);
            QVERIFY2(window->Document().Tasks.Count() == left, name);
            QVERIFY2(window->Document().Dirty == changed, name);
            QVERIFY2(fixture.Prompts.Asked.empty(), name);
            if (left == 1)
                QVERIFY2(window->Document().Tasks.Line(0).find("second") != std::string::npos, name);
        }
    }

    void OpenListAsksForAFileAndACancelKeepsTheList()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(PlainTasks(2));
        const std::string before = window->Document().ListName;
        window->Run(ListCommand::OpenListFile);
        QCOMPARE(fixture.Prompts.Dialogs.size(), std::size_t { 1 });
        QCOMPARE(fixture.Prompts.Dialogs.front().Title, std::string("Open Task List"));
        QCOMPARE(fixture.Prompts.Dialogs.front().InitialPath, before);
        QCOMPARE(window->Document().ListName, before);
        QCOMPARE(window->Document().Tasks.Count(), std::size_t { 2 });
        QVERIFY(!window->HoldsSidebar()); // NoHide is cleared again

        SaveFileAtomically(fixture.Path("other.agl"), ListHeader + PlainTasks(1).front() + "\r\n");
        fixture.Prompts.Chosen = fixture.Path("other.agl");
        window->Run(ListCommand::OpenListFile);
        QCOMPARE(window->Document().ListName, fixture.Path("other.agl"));
        QCOMPARE(window->Document().Tasks.Count(), std::size_t { 1 });
    }

    void PlaceMeFollowsTheHostsPlacement()
    {
        RecordingRemoteHost host;
        frmRemote panel(host, nullptr);
        panel.move(7, 9);
        host.Placement.List = { 900, 50, 100, 300 }; // no room right of the list
        panel.PlaceMe();
        QCOMPARE(panel.pos(), QPoint(7, 9));
        host.Placement.List = { 100, 50, 400, 300 };
        panel.PlaceMe();
        QCOMPARE(panel.pos(), QPoint(500, 50));
        host.Placement.Mode = ListMode::Sidebar;
        host.Placement.DockWidth = 250;
        panel.PlaceMe();
        QCOMPARE(panel.pos(), QPoint(1024 - 250 - RemotePlaces::Width, 0));
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(RemotePanelTest);

#include "frmRemoteQtTest.moc"
