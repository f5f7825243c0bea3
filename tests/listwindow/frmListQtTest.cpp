#include "ListWindowFixture.h"
#include "QtSuites.h"
#include "ScriptedPrintDialog.h"

#include "support/Bytes.h"

#include "environment/frmAbout.h"

#include <QPointer>
#include <QTest>

#include <tuple>

namespace agendrix {

namespace {

    std::vector<std::string> TasksOf(int count)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i)
            lines.push_back("0" + std::to_string(2 + i % 7) + "\ttask " + std::to_string(100 + i)
                + "\t\t0\t20261206\t1\t0\t");
        return lines;
    }

    // What an access key's command leaves behind on a changed list. The switch has no default:
    // a new command does not compile until its outcome is written here.
    struct KeyOutcome {
        bool Saved = false;
        std::size_t Questions = 0;
        std::size_t Dialogs = 0;
        bool OpensMyList = false;
        std::size_t InputBoxes = 0; // each cancelled
    };

    KeyOutcome OutcomeOf(ListCommand command)
    {
        switch (command) {
        case ListCommand::Save:
            return { true, 0, 0, false };
        case ListCommand::SaveAs:
            return { false, 0, 1, false }; // the file dialog is cancelled
        case ListCommand::MyList:
            return { false, 1, 0, true };
        case ListCommand::ListIndex:
            return { false, 1, 0, false }; // the changes are not saved, the index shows
        case ListCommand::DirectoryListing:
            return { false, 0, 1, false };
        case ListCommand::Find:
            return { false, 0, 0, false, 1 };
        case ListCommand::ExportWebPage:
            return { false, 0, 1, false }; // the file dialog is cancelled
        case ListCommand::Print:
            return { false, 0, 0, false }; // the print dialog is cancelled
        case ListCommand::CopyList:
            return { false, 0, 0, false };
        case ListCommand::ImportTextList:
            return { false, 1, 1, false }; // the file dialog is cancelled
        case ListCommand::KeyboardShortcuts:
            return { false, 1, 0, false };
        case ListCommand::OpenMenu:
            return {}; // the menu opens and asks nothing
        case ListCommand::Online:
            return {}; // the browser opens the home page
        case ListCommand::AlwaysOnTop:
        case ListCommand::SidebarMode:
        case ListCommand::Help:
        case ListCommand::About:
        case ListCommand::ListMerger:
        case ListCommand::AnimatePriority:
            break; // menu entries only: no key reaches them
        // The remote panel's commands have no access key of the list window.
        case ListCommand::OpenListFile:
        case ListCommand::NewList:
        case ListCommand::ExportCompleted:
        case ListCommand::PurgeCompleted:
        case ListCommand::AddTask:
        case ListCommand::EditTask:
        case ListCommand::DeleteTask:
        case ListCommand::Options:
        case ListCommand::SkinBrowser:
            break;
        }
        return {};
    }

} // namespace

class ListWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ScrollDownButtonStepsAtOnceThenWaitsASecond()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(TasksOf(3));
        const QPoint down = Centre(window->CurrentView().Layout.ScrollDown);
        QTest::mousePress(window.get(), Qt::LeftButton, {}, down);
        QCOMPARE(window->RowStart(), 1);
        auto* timer = window->findChild<QTimer*>(QStringLiteral("AutoScroll"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, down);
        QVERIFY(!timer->isActive());
        // Further presses reach the empty row after the last task, and stop there.
        for (int i = 0; i < 3; ++i) {
            QTest::mousePress(window.get(), Qt::LeftButton, {}, down);
            QTest::mouseRelease(window.get(), Qt::LeftButton, {}, down);
        }
        QCOMPARE(window->RowStart(), 3);
    }

    void SmallWheelDeltasAddUpToNotches()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(TasksOf(50));
        const QPoint inside = LabelOf(*window, 2);
        auto wheel = [&](int delta, int times) {
            for (int i = 0; i < times; ++i) {
                QWheelEvent event(inside, window->mapToGlobal(inside), QPoint(0, delta / 8), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::ScrollUpdate, false);
                QApplication::sendEvent(window.get(), &event);
            }
        };
        wheel(-40, 2);
        QCOMPARE(window->RowStart(), 0); // two thirds of a notch
        wheel(-40, 7);
        QCOMPARE(window->RowStart(), 3); // three notches towards the user, one task each
        wheel(15, 7);
        QCOMPARE(window->RowStart(), 3);
        wheel(15, 1);
        QCOMPARE(window->RowStart(), 1); // a notch away from the user moves two tasks
    }

    void HoverOverTheGripsAndLampsSaysWhatTheyAre()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(TasksOf(2));
        QTest::mouseMove(window.get(), Centre(window->CurrentView().Layout.ResizeGrip));
        QCOMPARE(window->StatusLine(), QStringLiteral("Resize List"));
        QTest::mouseMove(window.get(), LampOf(*window, 0));
        QCOMPARE(window->toolTip(), QStringLiteral("Extreme Priority"));
        QTest::mouseMove(window.get(), LampOf(*window, 3)); // an empty row
        QCOMPARE(window->StatusLine(), QStringLiteral("Right-click to add task"));
    }

    void OnlyANewSizeComposesTheSurfaceAgain()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(TasksOf(2));
        QTest::mouseMove(window.get(), Centre(window->CurrentView().Layout.ResizeGrip));
        QCOMPARE(window->StatusLine(), QStringLiteral("Resize List"));
        QResizeEvent unchanged(window->size(), window->size());
        QApplication::sendEvent(window.get(), &unchanged);
        QCOMPARE(window->StatusLine(), QStringLiteral("Resize List"));
        const int rows = window->CurrentView().Layout.RowsShown;
        window->resize(window->width(), window->height() + 24);
        QCOMPARE(window->StatusLine(), QStringLiteral("Rows Shown: %1").arg(rows + 1));
    }

    void ClosingADirtyListAsksYesOrNoAndWritesTheSettings()
    {
        ListWindowFixture fixture;
        fixture.Prompts.Answers = { PromptAnswer::No };
        auto window = fixture.Open(TasksOf(2));
        DocumentOf(*window).Dirty = true;
        window->close();
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t { 1 });
        const PromptRequest& asked = fixture.Prompts.Asked.front();
        QCOMPARE(asked.Title, std::string("Save Task List?"));
        QCOMPARE(asked.Text, std::string("Would you like to save the changes to list.agl?"));
        QVERIFY(asked.Buttons == PromptButtons::YesNo);
        QVERIFY(asked.Icon == PromptIcon::Question);
        const ReadResult settings = ReadWholeFile(fixture.Path(SettingsFileName));
        QVERIFY(settings.What == ReadResult::Status::Read);
        QCOMPARE(SplitLines(settings.Bytes).size(), std::size_t { 41 });
        QCOMPARE(ReadWholeFile(fixture.Path("list.agl")).Bytes, ListHeader + test::CrLf(TasksOf(2)));
    }

    void SavingANewListAsksForAFileName()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(TasksOf(1));
        window->MyList(); // a list that does not exist yet: empty, not saved
        fixture.Prompts.Chosen = fixture.Path("chosen.agl");
        window->Save();
        QCOMPARE(fixture.Prompts.Dialogs.size(), std::size_t { 0 }); // My List has a path of its own
        DocumentOf(*window).ListName = "New Task List 1";
        window->Save();
        QCOMPARE(fixture.Prompts.Dialogs.size(), std::size_t { 1 });
        QCOMPARE(fixture.Prompts.Dialogs.front().Title, std::string("Save Task List"));
        QCOMPARE(ReadWholeFile(fixture.Path("chosen.agl")).Bytes, ListHeader);
        QCOMPARE(window->windowTitle(), QStringLiteral("chosen - Agendrix"));
    }

    void AccessKeysRunTheirCommands_data()
    {
        QTest::addColumn<char>("key");
        QTest::addColumn<int>("command"); // -1: none
        QTest::newRow("altQRunsNothing") << 'Q' << -1;
        for (const ListCommandEntry& entry : ListCommands())
            if (entry.AccessKey != 0) // menu and panel entries have no key of the list window
                QTest::newRow(std::string(entry.Caption).c_str())
                    << entry.AccessKey << static_cast<int>(entry.Command);
    }

    void AccessKeysRunTheirCommands()
    {
        QFETCH(char, key);
        QFETCH(int, command);
        const ListCommandEntry* entry = command < 0 ? nullptr : &EntryOf(static_cast<ListCommand>(command));
        QCOMPARE(CommandWithAccessKey(key), entry); // every key runs one command only
        const KeyOutcome expected = entry ? OutcomeOf(entry->Command) : KeyOutcome {};
        ListWindowFixture fixture;
        if (expected.Questions > 0)
            fixture.Prompts.Answers = { PromptAnswer::No }; // the changes are not saved
        fixture.Prompts.Texts.assign(expected.InputBoxes, std::nullopt);
        auto window = fixture.Open(TasksOf(2));
        window->UsePrintDialog(std::make_unique<ScriptedPrintDialog>());
        DocumentOf(*window).Dirty = true;
        QTest::keyClick(window.get(), static_cast<Qt::Key>(key), Qt::AltModifier);
        QCOMPARE(!window->Document().Dirty, expected.Saved);
        QCOMPARE(fixture.Prompts.Asked.size(), expected.Questions);
        QCOMPARE(fixture.Prompts.Dialogs.size(), expected.Dialogs);
        QCOMPARE(fixture.Prompts.TextsAsked.size(), expected.InputBoxes);
        QCOMPARE(window->Document().ListName == fixture.Path("Agendrix.agl"), expected.OpensMyList);
    }

    void MyListNamesItsPathAndAnimatesTheBar()
    {
        // The changes of the open list are not saved (No); a missing list starts empty and keeps
        // the mark of changes, an existing one is read from the file.
        const std::tuple<const char*, bool, std::size_t, bool> cases[] = {
            { "missingFile", false, 0, true },
            { "existingFile", true, 1, false },
        };
        for (const auto& [name, exists, tasks, dirty] : cases) {
            ListWindowFixture fixture;
            fixture.Prompts.Answers = { PromptAnswer::No };
            const std::string mine = fixture.Path("Agendrix.agl");
            if (exists)
                SaveFileAtomically(mine, ListHeader + "05\tMine\t\t0\t\t\t\t\r\n");
            auto window = fixture.Open(TasksOf(2));
            QVERIFY(FinishBarAnimation(*window));
            DocumentOf(*window).Dirty = true;
            window->MyList();
            QVERIFY2(fixture.Prompts.Asked.size() == 1, name);
            QVERIFY2(window->Document().ListName == mine, name);
            QVERIFY2(window->CurrentSettings().ListName == mine, name);
            QVERIFY2(window->Document().Tasks.Count() == tasks, name);
            QVERIFY2(window->Document().Dirty == dirty, name);
            QVERIFY2(window->CurrentView().Caption == QStringLiteral(" - Agendrix"), name);
            QVERIFY2(window->Bars().Running(), name);
        }
    }

    void WindowGripSnapsToRowsUnlessShiftAndStopsAtItsMinimum()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(TasksOf(3));
        const std::tuple<const char*, int, Qt::KeyboardModifiers, int> cases[] = {
            { "farUpStopsAt80", -1000, Qt::NoModifier, 80 },
            { "snapsToTheNearestRow", -100, Qt::NoModifier, 438 }, // 534 - 100 = 434 -> 78 + 24 * 15
            { "shiftFollowsThePointer", -100, Qt::ShiftModifier, 434 },
        };
        for (const auto& [name, dy, modifiers, height] : cases) {
            window->resize(350, 534);
            const QPoint grip = Centre(window->CurrentView().Layout.ResizeGrip);
            QTest::mousePress(window.get(), Qt::LeftButton, {}, grip);
            QMouseEvent move(QEvent::MouseMove, QPointF(grip.x(), grip.y() + dy),
                QPointF(window->mapToGlobal(QPoint(grip.x(), grip.y() + dy))), Qt::NoButton, Qt::LeftButton,
                modifiers);
            QApplication::sendEvent(window.get(), &move);
            QCOMPARE(window->height(), height);
            QMouseEvent release(QEvent::MouseButtonRelease, move.position(), move.globalPosition(),
                Qt::LeftButton, Qt::NoButton, modifiers);
            QApplication::sendEvent(window.get(), &release);
            QVERIFY2(window->height() == height, name);
            QCOMPARE(window->CurrentSettings().WinHeight, height);
            QCOMPARE(window->CurrentView().Caption, QStringLiteral(" - list.agl"));
        }
    }

    void WindowButtonReleaseIsMeasuredFromTheStrip()
    {
        // A release counts within the 16 pixels from the strip's top, below as well as on it.
        const std::tuple<const char*, int, bool> cases[] = {
            { "aboveTheStrip", -1, false },
            { "stripTop", 0, true },
            { "stripY14", 14, true },
            { "belowTheStrip", 16, false },
        };
        for (const auto& [name, releaseY, acts] : cases) {
            ListWindowFixture fixture;
            auto window = fixture.Open(TasksOf(1));
            const bool before = window->CurrentSettings().OpenRemote;
            const PixelRect strip = window->CurrentView().Layout.WindowControls;
            const QPoint remote(strip.X + 8, strip.Y + strip.Height / 2); // the first of the strip's buttons
            QTest::mousePress(window.get(), Qt::LeftButton, {}, remote);
            QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(remote.x(), strip.Y + releaseY));
            QVERIFY2((window->CurrentSettings().OpenRemote != before) == acts, name);
        }
    }

    void BlockGripKeepsTheBlockBetween32And360()
    {
        const std::tuple<const char*, int, int> cases[] = {
            { "farDown", 1000, 360 }, { "farUp", -1000, 32 }, { "oneRowDown", 20, 72 }, // 48 + 20 snaps to 72
        };
        for (const auto& [name, dy, expected] : cases) {
            ListWindowFixture fixture;
            auto window = fixture.Open(TasksOf(3));
            QTest::mouseClick(
                window.get(), Qt::LeftButton, {}, LampOf(*window, 0)); // the lamp opens its block
            QCOMPARE(window->CurrentSettings().AccTextHgt, 48);
            const QPoint at = Centre(window->CurrentView().Layout.AccDrag);
            QTest::mousePress(window.get(), Qt::LeftButton, {}, at);
            QTest::mouseMove(window.get(), QPoint(at.x(), at.y() + dy));
            QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(at.x(), at.y() + dy));
            QVERIFY2(window->CurrentSettings().AccTextHgt == expected, name);
        }
    }

    void TrackClickScrollsEveryTenthOfASecondUntilTheThumbIsNear()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(TasksOf(100));
        const PixelRect track = window->CurrentView().Rows.SliderTrack;
        const QPoint below(track.X + 6, track.Y + track.Height - 60);
        QTest::mousePress(window.get(), Qt::LeftButton, {}, below);
        QCOMPARE(window->RowStart(), 1);
        auto* timer = window->findChild<QTimer*>(QStringLiteral("AutoScroll"));
        QCOMPARE(timer->interval(), 100);
        int ticks = 0;
        while (timer->isActive() && ticks < 200) {
            QMetaObject::invokeMethod(timer, "timeout");
            ++ticks;
        }
        QVERIFY(!timer->isActive());
        // The tick that stops it still steps once, after seeing the thumb within 8 pixels.
        QVERIFY(std::abs(window->CurrentView().ThumbTop - static_cast<float>(below.y())) <= 8 + 5);
        QCOMPARE(window->RowStart(), ticks + 1);
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, below);
    }

    void TheAboutBoxTakesTheWindowOffTheTopWhileItIsOpen_data()
    {
        QTest::addColumn<bool>("alwaysOnTop");
        QTest::newRow("normalWindow") << false;
        QTest::newRow("alwaysOnTop") << true;
    }
    void TheAboutBoxTakesTheWindowOffTheTopWhileItIsOpen()
    {
        QFETCH(bool, alwaysOnTop);
        ListWindowFixture fixture;
        fixture.TheSettings.AlwaysOnTop = alwaysOnTop;
        auto window = fixture.OpenShown(TasksOf(3));
        const auto onTop
            = [&window] { return window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint); };
        QCOMPARE(onTop(), alwaysOnTop);
        QPointer<frmAbout> box = window->ShowAbout();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->parentWidget(), window.get());
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);
        QVERIFY(!onTop());
        box->close();
        QCOMPARE(onTop(), alwaysOnTop);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box.isNull());
        QVERIFY(fixture.Prompts.Asked.empty());
    }

    // The shelf is seeded from the window's clock: one clock draws one shelf, another clock another.
    void TheAboutBoxShelfFollowsTheClock()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(TasksOf(3));
        const auto shelfAfterTicks = [&window] {
            QPointer<frmAbout> box = window->ShowAbout();
            auto* timer = box->findChild<QTimer*>(QStringLiteral("Timer1"));
            for (int tick = 0; tick < 120; ++tick)
                QMetaObject::invokeMethod(timer, "timeout");
            const QImage picture = box->ShelfPicture().toImage();
            box->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return picture;
        };
        const QImage first = shelfAfterTicks();
        QCOMPARE(shelfAfterTicks(), first);
        fixture.Clock.Set(DateTime { CivilDate { 2026, 12, 6 }, 12 * 3600 + 1 });
        QVERIFY(shelfAfterTicks() != first);
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowTest);

#include "frmListQtTest.moc"
