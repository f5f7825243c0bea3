#include "ListWindowFixture.h"
#include "QtSuites.h"

#include <QFile>
#include <QTest>

#include <tuple>

namespace agendrix {

namespace {

    const std::string Header = "Format: 5.0.0\r\n";

    std::string ListOf(int count)
    {
        std::string bytes = Header;
        for (int i = 0; i < count; ++i)
            bytes += "0" + std::to_string(2 + i % 7) + "\ttask " + std::to_string(100 + i)
                + "\t\t0\t20261206\t1\t0\t\r\n";
        return bytes;
    }

} // namespace

class ListWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir Folder;
    test::FixedClock Clock { DateTime { CivilDate { 2026, 12, 6 }, 12 * 3600 } };
    RecordingShell Desktop;

    std::string Path(std::string_view name) const
    {
        return QDir(Folder.path()).filePath(FromUtf8(name)).toStdString();
    }

    std::unique_ptr<frmList> Open(test::ScriptedPrompts& prompts, int tasks)
    {
        const std::string list = Path("list.agl");
        SaveFileAtomically(list, ListOf(tasks));
        Settings settings = DefaultSettings(ScreenMetrics {});
        auto window = std::make_unique<frmList>(
            ListWindowServices { Clock, prompts, Desktop, Folder.path() }, settings);
        window->Start(list);
        return window;
    }

private slots:
    void ScrollDownButtonStepsAtOnceThenWaitsASecond()
    {
        test::ScriptedPrompts prompts;
        auto window = Open(prompts, 3);
        const QPoint down(window->width() - 12, window->height() - 21);
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

    void WheelNotchMovesTwoUpOrOneDown()
    {
        test::ScriptedPrompts prompts;
        auto window = Open(prompts, 50);
        const QPoint inside(100, 100);
        auto wheel = [&](int delta) {
            QWheelEvent event(inside, window->mapToGlobal(inside), QPoint(), QPoint(0, delta), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(window.get(), &event);
        };
        wheel(-120);
        wheel(-120);
        wheel(-120);
        QCOMPARE(window->RowStart(), 3);
        wheel(120);
        QCOMPARE(window->RowStart(), 1);
    }

    void SmallWheelDeltasAddUpToNotches()
    {
        test::ScriptedPrompts prompts;
        auto window = Open(prompts, 50);
        const QPoint inside(100, 100);
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

    void AutoPurgeDropsCompletedTasksFromTheEndAndMarksTheListChanged()
    {
        test::ScriptedPrompts prompts;
        const std::string list = Path("purge.agl");
        SaveFileAtomically(list,
            Header
                + "04\topen\t\t0\t\t\t\t\r\n10\t2026/12/01 - done\t\t0\t\t\t\t\r\n10\t2026/12/02 - "
                  "also\t\t0\t\t\t\t\r\n");
        Settings settings = DefaultSettings(ScreenMetrics {});
        settings.AutoPurge = 1;
        frmList window(ListWindowServices { Clock, prompts, Desktop, Folder.path() }, settings);
        window.Start(list);
        QCOMPARE(window.Document().Tasks.Count(), std::size_t { 1 });
        QCOMPARE(std::string(window.Document().Tasks.Line(0)), std::string("04\topen\t\t0\t\t\t\t"));
        QVERIFY(window.Document().Dirty);
    }

    void HoverOverTheGripsAndLampsSaysWhatTheyAre()
    {
        test::ScriptedPrompts prompts;
        auto window = Open(prompts, 2);
        QTest::mouseMove(window.get(), QPoint(window->width() - 8, window->height() - 8));
        QCOMPARE(window->StatusLine(), QStringLiteral("Resize List"));
        QTest::mouseMove(window.get(), QPoint(15, 38)); // the first row's lamp
        QCOMPARE(window->toolTip(), QStringLiteral("Extreme Priority"));
        QTest::mouseMove(window.get(), QPoint(15, 38 + 24 * 3)); // an empty row
        QCOMPARE(window->StatusLine(), QStringLiteral("Right-click to add task"));
    }

    void ClosingADirtyListAsksYesOrNoAndWritesTheSettings()
    {
        test::ScriptedPrompts prompts;
        prompts.Answers = { PromptAnswer::No };
        auto window = Open(prompts, 2);
        const_cast<ListDocument&>(window->Document()).Dirty = true;
        window->close();
        QCOMPARE(prompts.Asked.size(), std::size_t { 1 });
        const PromptRequest& asked = prompts.Asked.front();
        QCOMPARE(asked.Title, std::string("Save Task List?"));
        QCOMPARE(asked.Text, std::string("Would you like to save the changes to list.agl?"));
        QVERIFY(asked.Buttons == PromptButtons::YesNo);
        QVERIFY(asked.Icon == PromptIcon::Question);
        const ReadResult settings = ReadWholeFile(Path(SettingsFileName));
        QVERIFY(settings.What == ReadResult::Status::Read);
        QCOMPARE(SplitLines(settings.Bytes).size(), std::size_t { 41 });
        QCOMPARE(ReadWholeFile(Path("list.agl")).Bytes, ListOf(2));
    }

    void SavingANewListAsksForAFileName()
    {
        test::ScriptedPrompts prompts;
        auto window = Open(prompts, 1);
        window->MyList(); // a list that does not exist yet: empty, not saved
        prompts.Chosen = Path("chosen.agl");
        window->Save();
        QCOMPARE(prompts.Dialogs.size(), std::size_t { 0 }); // My List has a path of its own
        const_cast<ListDocument&>(window->Document()).ListName = "New Task List 1";
        window->Save();
        QCOMPARE(prompts.Dialogs.size(), std::size_t { 1 });
        QCOMPARE(prompts.Dialogs.front().Title, std::string("Save Task List"));
        QCOMPARE(ReadWholeFile(Path("chosen.agl")).Bytes, Header);
        QCOMPARE(window->windowTitle(), QStringLiteral("chosen - Agendrix"));
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
            test::ScriptedPrompts prompts;
            prompts.Answers = { PromptAnswer::No };
            const std::string mine = Path("Agendrix.agl");
            QFile::remove(QString::fromStdString(mine));
            if (exists)
                SaveFileAtomically(mine, Header + "05\tMine\t\t0\t\t\t\t\r\n");
            auto window = Open(prompts, 2);
            QTRY_VERIFY_WITH_TIMEOUT(!window->Bars().Running(), 30000);
            const_cast<ListDocument&>(window->Document()).Dirty = true;
            window->MyList();
            QVERIFY2(prompts.Asked.size() == 1, name);
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
        test::ScriptedPrompts prompts;
        auto window = Open(prompts, 3);
        const QPoint grip(window->width() - 8, window->height() - 8);
        const std::tuple<const char*, int, Qt::KeyboardModifiers, int> cases[] = {
            { "farUpStopsAt80", -1000, Qt::NoModifier, 80 },
            { "snapsToTheNearestRow", -100, Qt::NoModifier, 438 }, // 534 - 100 = 434 -> 78 + 24 * 15
            { "shiftFollowsThePointer", -100, Qt::ShiftModifier, 434 },
        };
        for (const auto& [name, dy, modifiers, height] : cases) {
            window->resize(350, 534);
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
        // The strip starts 3 pixels down the window; a release counts within its 16 pixels.
        const std::tuple<const char*, int, bool> cases[] = {
            { "aboveTheStrip", 2, false },
            { "stripTop", 3, true },
            { "stripY14", 17, true },
            { "belowTheStrip", 19, false },
        };
        for (const auto& [name, releaseY, acts] : cases) {
            test::ScriptedPrompts prompts;
            auto window = Open(prompts, 1);
            const bool before = window->CurrentSettings().OpenRemote;
            const int remoteX = window->CurrentView().Layout.WindowControls.X + 8;
            QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(remoteX, 8));
            QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(remoteX, releaseY));
            QVERIFY2((window->CurrentSettings().OpenRemote != before) == acts, name);
        }
    }

    void BlockGripKeepsTheBlockBetween32And360()
    {
        const std::tuple<const char*, int, int> cases[] = {
            { "farDown", 1000, 360 }, { "farUp", -1000, 32 }, { "oneRowDown", 20, 72 }, // 48 + 20 snaps to 72
        };
        for (const auto& [name, dy, expected] : cases) {
            test::ScriptedPrompts prompts;
            auto window = Open(prompts, 3);
            QTest::mouseClick(
                window.get(), Qt::LeftButton, {}, QPoint(15, 38)); // the first lamp opens its block
            QCOMPARE(window->CurrentSettings().AccTextHgt, 48);
            const PixelRect grip = window->CurrentView().Layout.AccDrag;
            const QPoint at(grip.X + 4, grip.Y + 4);
            QTest::mousePress(window.get(), Qt::LeftButton, {}, at);
            QTest::mouseMove(window.get(), QPoint(at.x(), at.y() + dy));
            QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(at.x(), at.y() + dy));
            QVERIFY2(window->CurrentSettings().AccTextHgt == expected, name);
        }
    }

    void TrackClickScrollsEveryTenthOfASecondUntilTheThumbIsNear()
    {
        test::ScriptedPrompts prompts;
        auto window = Open(prompts, 100);
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
};

} // namespace agendrix

int RunListWindowTests(int argc, char** argv)
{
    agendrix::ListWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "frmListQtTest.moc"
