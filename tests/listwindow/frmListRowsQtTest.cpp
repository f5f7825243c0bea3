#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "editing/InlineEditors.h"
#include "geometry/PickerLayout.h"

#include "model/TaskLine.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

namespace agendrix {

namespace {

    const std::vector<std::string> ThreeTasks { "04\tAlpha\tfirst note\t0\t20261210\t1\t0\t",
        "06\tBravo\t\t0\t20261210\t1\t0\t/docs/notes.txt", "07\tCharlie\t\t0\t20261210\t1\t0\t" };

    // How an edit or a window opened from the list ends.
    enum class Ending {
        DescriptionByEnter,
        DescriptionByEscape,
        InformationByCtrlA,
        TaskEditorCancelled,
        TaskEditorConfirmed,
        PickerApplied,
        PickerEscaped
    };

    QPoint PickerEntry(int entry)
    {
        return Centre(LayOutPicker().Entries.at(static_cast<std::size_t>(entry)).Bar);
    }

} // namespace

class ListWindowRowsTest : public QObject {
    Q_OBJECT

    // Opens the context menu of `target` with the pointer and chooses its Paste; `pasted` is set
    // once Paste was chosen.
    void PasteFromTheContextMenuOf(QWidget* target, bool& pasted)
    {
        // The menu may run a loop of its own: the choice is made from the event loop, once the
        // window system has shown the menu.
        QTimer::singleShot(0, this, [&pasted] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr || !QTest::qWaitForWindowExposed(menu))
                return;
            for (QAction* action : menu->actions())
                if (action->text().startsWith(QStringLiteral("&Paste")) && action->isEnabled()) {
                    action->trigger();
                    pasted = true;
                }
            menu->close();
        });
        const QPoint inside = target->rect().center();
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, inside, target->mapToGlobal(inside));
        QApplication::sendEvent(target, &menuEvent);
    }

    // Opens an in-place editor, the task editor or the picker from the window and ends it.
    void EndEditOrWindow(frmList& window, Ending ending)
    {
        switch (ending) {
        case Ending::DescriptionByEnter:
        case Ending::DescriptionByEscape:
            Click(window, LabelOf(window, 2));
            QTest::keyClicks(window.Editors().Text1(), QStringLiteral("Zulu"));
            QTest::keyClick(window.Editors().Text1(),
                ending == Ending::DescriptionByEnter ? Qt::Key_Return : Qt::Key_Escape);
            break;
        case Ending::InformationByCtrlA: {
            Click(window, LampOf(window, 0));
            Click(window, DetailsOf(window));
            QTest::keyClick(window.Editors().Text2(), Qt::Key_A, Qt::ControlModifier);
            break;
        }
        case Ending::TaskEditorCancelled:
        case Ending::TaskEditorConfirmed: {
            Click(window, LabelOf(window, 0), Qt::RightButton);
            QWidget* editor = ShownWindow("agendrix::frmTask");
            QVERIFY(editor);
            QVERIFY(QTest::qWaitForWindowActive(editor));
            QTest::keyClick(editor, ending == Ending::TaskEditorConfirmed ? Qt::Key_Return : Qt::Key_Escape);
            break;
        }
        case Ending::PickerApplied:
        case Ending::PickerEscaped: {
            Click(window, LampOf(window, 1), Qt::RightButton);
            QWidget* picker = ShownWindow("agendrix::frmPicker");
            QVERIFY(picker);
            if (ending == Ending::PickerApplied)
                QTest::mouseClick(picker, Qt::LeftButton, {}, PickerEntry(2));
            else
                QTest::keyClick(picker, Qt::Key_Escape);
            QVERIFY(ShownWindow("agendrix::frmPicker") == nullptr);
            break;
        }
        }
    }

private slots:
    void HoverOnTheOpenBarShowsTheButtonsText()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        QCOMPARE(window->Bars().OpenRow(), 0); // the first row's bar is open from the start
        // Which button holds a point is the geometry's to say; here, that the window shows its text.
        const std::tuple<int, int, const char*> cases[] = {
            { 22, 10, "" },
            { 10, 10, "Close Control Bar" },
            { 41, 10, "Show task information" },
        };
        for (const auto& [x, y, text] : cases) {
            QTest::mouseMove(window.get(), OnBar(*window, 0, x, y));
            QCOMPARE(window->StatusLine(), QString::fromUtf8(text));
            QCOMPARE(window->toolTip(), QString::fromUtf8(text));
        }
        QTest::mouseMove(window.get(), ExpandHandleOf(*window, 1));
        QCOMPARE(window->toolTip(), QStringLiteral("Expand Control Bar"));
    }

    void ReleaseAwayFromThePressedButtonDoesNothing()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        QTest::mousePress(window.get(), Qt::LeftButton, {}, OnBarButton(*window, 0, BarButton::Information));
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, OnBarButton(*window, 0, BarButton::GoToFile));
        QCOMPARE(window->ExpandedRow(), -1);
        QVERIFY(fixture.Prompts.Asked.empty());
        QVERIFY(fixture.Desktop.Opened.empty());
        Click(*window, OnBarButton(*window, 0, BarButton::Information));
        QCOMPARE(window->ExpandedRow(), 0);
        QCOMPARE(window->CurrentView().Details, QStringLiteral("first note"));
    }

    void ChoosingAnotherRowMidwayStopsTheRunningAnimation()
    {
        ListWindowFixture fixture;
        fixture.TheSettings.AniSpeed = 10; // six paints a frame
        auto window = fixture.Open(ThreeTasks);
        std::vector<std::pair<int, int>> paints;
        auto* timer = window->findChild<QTimer*>(QStringLiteral("BarAnimation"));
        QVERIFY(timer);
        connect(timer, &QTimer::timeout, this,
            [&] { paints.emplace_back(window->Bars().WideRow(), window->Bars().Frame()); });
        Click(*window, ExpandHandleOf(*window, 1));
        QVERIFY(window->Bars().Running());
        Click(*window, ExpandHandleOf(*window, 2)); // before a single frame was shown
        QVERIFY(FinishBarAnimation(*window));
        QCOMPARE(window->Bars().OpenRow(), 2);
        QCOMPARE(window->CurrentRow(), 2);
        QVERIFY(std::none_of(paints.begin(), paints.end(), [](auto p) { return p.first == 1; }));
        // Every frame of the unrolling bar stayed for six paints.
        const auto firstOfRow2
            = std::find_if(paints.begin(), paints.end(), [](auto p) { return p.first == 2; });
        QCOMPARE(std::count(firstOfRow2, paints.end(), std::make_pair(2, 3)), std::ptrdiff_t { 6 });
        QCOMPARE(paints.back(), std::make_pair(2, 24));
    }

    void CompletingTwicePrefixesTwiceAndFollowsTheTask()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        Click(*window, OnBarButton(*window, 0, BarButton::Complete));
        QVERIFY(window->Document().Dirty);
        QCOMPARE(std::string(window->Document().Tasks.Line(2)),
            std::string("10\t2026/12/06 - Alpha\tfirst note\t0\t20261210\t1\t0\t"));
        QVERIFY(FinishBarAnimation(*window));
        QCOMPARE(window->Bars().OpenRow(), 2); // auto-select moved the bar to it
        Click(*window, OnBarButton(*window, 2, BarButton::Complete));
        QCOMPARE(std::string(window->Document().Tasks.Line(2)),
            std::string("10\t2026/12/06 - 2026/12/06 - Alpha\tfirst note\t0\t20261210\t1\t0\t"));
    }

    void GoToFileAsksOpensAListHandsTheFileToTheDesktopOrSaysThereIsNoTask()
    {
        ListWindowFixture fixture;
        fixture.Prompts.Answers = { PromptAnswer::No };
        const std::string other = fixture.Path("Other.AGL");
        SaveFileAtomically(other, "Format: 5.0.0\r\n05\tElsewhere\t\t0\t\t\t\t\r\n");
        auto window
            = fixture.Open({ ThreeTasks[0], ThreeTasks[1], "08\tDelta\t\t0\t20261210\t1\t0\t" + other });
        Click(*window, OnBarButton(*window, 0, BarButton::GoToFile)); // no file: the question
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t { 1 });
        QCOMPARE(fixture.Prompts.Asked[0].Text,
            std::string(
                "This task does not have a task associated with it. Would you like to associate one now?"));
        QVERIFY(fixture.Prompts.Asked[0].Buttons == PromptButtons::YesNoCancel);
        QVERIFY(ShownWindow("agendrix::frmTask") == nullptr);

        Click(*window, ExpandHandleOf(*window, 1));
        QVERIFY(FinishBarAnimation(*window));
        Click(*window, OnBarButton(*window, 1, BarButton::GoToFile));
        QCOMPARE(fixture.Desktop.Opened.size(), std::size_t { 1 });
        QCOMPARE(fixture.Desktop.Opened[0].first, std::string("/docs/notes.txt"));
        QCOMPARE(fixture.Desktop.Opened[0].second, std::string("/docs/"));

        Click(*window, ExpandHandleOf(*window, 3)); // an empty row
        QVERIFY(FinishBarAnimation(*window));
        Click(*window, OnBarButton(*window, 3, BarButton::GoToFile));
        QCOMPARE(window->StatusLine(), QStringLiteral("No Task Information"));
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t { 1 });
        QCOMPARE(fixture.Desktop.Opened.size(), std::size_t { 1 });

        Click(*window, ExpandHandleOf(*window, 2));
        QVERIFY(FinishBarAnimation(*window));
        Click(*window, OnBarButton(*window, 2, BarButton::GoToFile)); // ".AGL" in capitals is a list
        QCOMPARE(window->Document().ListName, other);
        QCOMPARE(std::string(window->Document().Tasks.Line(0)), std::string("05\tElsewhere\t\t0\t\t\t\t"));
        QCOMPARE(window->CurrentRow(), 0);
    }

    void LampClicksToggleTheBlockOrOpenThePicker()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        const QPoint lamp = LampOf(*window, 1);
        Click(*window, lamp);
        QCOMPARE(window->ExpandedRow(), 1);
        Click(*window, lamp, Qt::MiddleButton);
        QCOMPARE(window->ExpandedRow(), -1);
        Click(*window, lamp, Qt::RightButton);
        QWidget* picker = ShownWindow("agendrix::frmPicker");
        QVERIFY(picker);
        // Its corner at the pointer (the lamp's left, 7, plus the press's x on the lamp): it opens to
        // the right of and below the pointer.
        QCOMPARE(picker->pos(), window->mapToGlobal(lamp));
        picker->close();
    }

    void RightClickOnAnEmptyRowOpensTheEditorAndRestoresTheRow()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        QTest::mousePress(window.get(), Qt::RightButton, {}, LabelOf(*window, 5));
        QWidget* editor = ShownWindow("agendrix::frmTask");
        QVERIFY(editor);
        QCOMPARE(window->CurrentRow(), 5); // the editor works on that row while it is open
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(window->CurrentRow(), 0); // nothing added: the row is restored
        QTest::mouseRelease(window.get(), Qt::RightButton, {}, LabelOf(*window, 5));
        QCOMPARE(window->Document().Tasks.Count(), std::size_t { 3 });
    }

    void DescriptionEditorCommitsOnEnterAndCancelsOnEscape()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        QLineEdit* text1 = window->Editors().Text1();
        Click(*window, LabelOf(*window, 0));
        QVERIFY(text1->isVisible());
        QCOMPARE(text1->width(), window->width() - 95 - 80); // the current row keeps its bar visible
        QCOMPARE(text1->text(), QStringLiteral("Alpha"));
        QTest::keyClick(text1, Qt::Key_Escape);
        QVERIFY(!text1->isVisible());
        QVERIFY(!window->Document().Dirty);

        Click(*window, LabelOf(*window, 2));
        QCOMPARE(text1->width(), window->width() - 95);
        text1->setText(QStringLiteral("Aardvark\tday")); // a pasted Tab
        QTest::keyClick(text1, Qt::Key_Return);
        QVERIFY(!text1->isVisible());
        QVERIFY(window->Document().Dirty);
        QCOMPARE(std::string(window->Document().Tasks.Line(2)),
            std::string("07\tAardvark day\t\t0\t20261210\t1\t0\t"));
    }

    void AccessKeysWorkAtOnceWhenAnEditOrAWindowEnds_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::newRow("descriptionByEnter") << Ending::DescriptionByEnter;
        QTest::newRow("descriptionByEscape") << Ending::DescriptionByEscape;
        QTest::newRow("informationByCtrlA") << Ending::InformationByCtrlA;
        QTest::newRow("taskEditorCancelled") << Ending::TaskEditorCancelled;
        QTest::newRow("taskEditorConfirmed") << Ending::TaskEditorConfirmed;
        QTest::newRow("pickerApplied") << Ending::PickerApplied;
        QTest::newRow("pickerEscaped") << Ending::PickerEscaped;
    }

    void AccessKeysWorkAtOnceWhenAnEditOrAWindowEnds()
    {
        QFETCH(Ending, ending);
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        EndEditOrWindow(*window, ending);
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY(window->isActiveWindow());
        QVERIFY(window->hasFocus());
        // Alt+S as the keyboard sends it: to the window system's window, which hands it on to its
        // focus.
        DocumentOf(*window).Dirty = true;
        QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::AltModifier);
        QVERIFY(!window->Document().Dirty);
        QVERIFY(fixture.Prompts.Dialogs.empty());
    }

    void PasteFromTheEditorsOwnMenuKeepsTheEditOpen_data()
    {
        QTest::addColumn<bool>("information");
        QTest::addColumn<std::size_t>("index");
        QTest::addColumn<std::string>("stored");
        QTest::newRow("description") << false << std::size_t { 2 }
                                     << std::string("07\tZulu\t\t0\t20261210\t1\t0\t");
        QTest::newRow("information") << true << std::size_t { 0 }
                                     << std::string("04\tAlpha\tZulu\t0\t20261210\t1\t0\t");
    }

    void PasteFromTheEditorsOwnMenuKeepsTheEditOpen()
    {
        QFETCH(bool, information);
        QFETCH(std::size_t, index);
        QFETCH(std::string, stored);
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QWidget* editor = window->Editors().Text1();
        QWidget* menuTarget = editor;
        if (information) {
            Click(*window, LampOf(*window, 0)); // open the first task's block
            Click(*window, DetailsOf(*window));
            editor = window->Editors().Text2();
            menuTarget = window->Editors().Text2()->viewport();
        } else {
            Click(*window, LabelOf(*window, 2));
        }
        QVERIFY(editor->hasFocus());
        QGuiApplication::clipboard()->setText(QStringLiteral("Zulu"));
        bool pasted = false;
        PasteFromTheContextMenuOf(menuTarget, pasted);
        QTRY_VERIFY(pasted && QApplication::activePopupWidget() == nullptr);
        QVERIFY(editor->isVisible());
        QVERIFY(!window->Document().Dirty);
        Click(*window, TitleBackgroundOf(*window)); // the focus goes to the window
        QVERIFY(!editor->isVisible());
        QCOMPARE(std::string(window->Document().Tasks.Line(index)), stored);
    }

    void InformationEditorKeepsLineBreaksAndCutsTheLine()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(ThreeTasks);
        Click(*window, LampOf(*window, 0)); // open the first task's block
        QPlainTextEdit* text2 = window->Editors().Text2();
        Click(*window, DetailsOf(*window));
        QVERIFY(text2->isVisible());
        QCOMPARE(text2->toPlainText(), QStringLiteral("first note"));
        QTest::keyClicks(text2, QStringLiteral("first"));
        QTest::keyClick(text2, Qt::Key_Return);
        QTest::keyClicks(text2, QStringLiteral("sec\tond"));
        QTest::keyClick(text2, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(!text2->isVisible());
        QCOMPARE(std::string(window->Document().Tasks.Line(0)),
            std::string("04\tAlpha\tfirst\xB6sec ond\t0\t20261210\t1\t0\t"));
        QVERIFY(fixture.Prompts.Asked.empty());

        const int room
            = static_cast<int>(MaxTaskLineLength - std::string("04\tAlpha\t\t0\t20261210\t1\t0\t").size());
        Click(*window, DetailsOf(*window));
        text2->setPlainText(QString(room + 6, QLatin1Char('x')));
        QTest::keyClick(text2, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(window->Document().Tasks.Line(0).size(), MaxTaskLineLength);
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t { 1 });
        QCOMPARE(fixture.Prompts.Asked[0].Text, ShorteningMessage());
    }

    void BlockShowsLineBreaksWhileTheTooltipKeepsTheMarks()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open({ "04\tAlpha\tfirst\xB6second\t0\t20261210\t1\t0\t" });
        Click(*window, LampOf(*window, 0)); // the lamp opens the block
        QCOMPARE(window->CurrentView().Details, QStringLiteral("first\nsecond"));
        QTest::mouseMove(window.get(), LabelOf(*window, 0));
        QCOMPARE(window->toolTip(), QStringLiteral("first\u00B6second"));
        QCOMPARE(window->CurrentView().Details, QStringLiteral("first\nsecond"));
    }

    void EmptyRowOffersToAddATaskAndHasNoInformation()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open({ ThreeTasks[0] });
        const int empty = 2;
        QTest::mouseMove(window.get(), LabelOf(*window, empty));
        QCOMPARE(window->toolTip(), QStringLiteral("Click to add Task."));
        QCOMPARE(window->StatusLine(), QStringLiteral("Right-click to add task"));
        QTest::mouseMove(window.get(), LampOf(*window, empty));
        QCOMPARE(window->toolTip(), QStringLiteral("Unprioritized"));
        Click(*window, LampOf(*window, empty));
        QCOMPARE(window->ExpandedRow(), empty);
        QCOMPARE(window->CurrentView().Details, QString());
    }

    void CurrentRowOutsideASmallerWindowWaitsForItToGrow()
    {
        ListWindowFixture fixture;
        std::vector<std::string> lines;
        for (int i = 0; i < 8; ++i)
            lines.push_back("04\tTask " + std::to_string(i) + "\t\t0\t\t\t\t");
        auto window = fixture.Open(lines);
        const QSize full = window->size();
        Click(*window, ExpandHandleOf(*window, 5));
        QVERIFY(window->Bars().Running());
        window->resize(full.width(), 78 + 24 * 3); // while the bar of row 5 unrolls
        const int shown = window->CurrentView().Layout.RowsShown;
        QVERIFY(shown <= 5);
        QCOMPARE(window->CurrentRow(), 5);
        QVERIFY(FinishBarAnimation(*window));
        QCOMPARE(window->Bars().WideRow(), -1);
        QCOMPARE(window->CurrentView().BarRow, -1);
        window->AnimateCtrls();
        QVERIFY(!window->Bars().Running());
        QCOMPARE(window->CurrentView().Rows.Rows.size(), static_cast<std::size_t>(shown));
        for (const RowPlacement& row : window->CurrentView().Rows.Rows)
            QCOMPARE(row.ControlBar.Width, CollapsedBarWidth);

        window->resize(full);
        QCOMPARE(window->CurrentRow(), 5);
        QCOMPARE(window->Bars().OpenRow(), 5);
        QVERIFY(!window->Bars().Running());
        QCOMPARE(window->CurrentView().BarRow, 5);
        QCOMPARE(window->CurrentView().BarFrame, BarAnimation::LastFrame);
        QCOMPARE(window->CurrentView().Rows.Rows[5].ControlBar.Width, OpenBarWidth);
    }

    void AutoExpandMovesTheBarWithThePointer()
    {
        ListWindowFixture fixture;
        fixture.TheSettings.AutoCtrls = 1;
        auto window = fixture.Open(ThreeTasks);
        QTest::mouseMove(window.get(), LabelOf(*window, 2));
        QCOMPARE(window->CurrentRow(), 2);
        QVERIFY(FinishBarAnimation(*window));
        QCOMPARE(window->Bars().OpenRow(), 2);
    }

    void LampTimersTouchOnlyTheirLampsAndAPriorityStepsByTheTenth()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open({ "01\tBroken\t\t0\t\t\t\t", "02\tExtreme\t\t0\t\t\t\t", ThreeTasks[0] });
        const auto band
            = [&](int row) { return window->CurrentView().RowViews[static_cast<std::size_t>(row)].LampBand; };
        const auto tick = [&](const char* name) {
            QMetaObject::invokeMethod(window->findChild<QTimer*>(QString::fromLatin1(name)), "timeout");
        };
        tick("ExtremeBlink");
        QCOMPARE(band(1), 176);
        tick("ExtremeBlink");
        QCOMPARE(band(1), 198);
        QCOMPARE(band(2), -1); // a High lamp never moves
        QCOMPARE(band(3), -1); // nor does an empty row's
        for (int i = 0; i < 50; ++i) {
            tick("BrokenFlicker");
            QVERIFY(band(0) == 220 || band(0) == 242 || band(0) == 264);
            QCOMPARE(band(2), -1);
        }

        window->AniPriority(10, 2, 2);
        auto* step = window->findChild<QTimer*>(QStringLiteral("PriorityStep"));
        QCOMPARE(step->interval(), 100);
        std::vector<int> bands;
        while (step->isActive() && bands.size() < 20) {
            tick("PriorityStep");
            bands.push_back(band(2));
        }
        QCOMPARE(bands, (std::vector<int> { 0, 22, 44, 66, 88, 110, 132, 154, 176 }));
    }

    void CompletingWithAutoPurgeRemovesTheTaskAndRollsTheBarUp()
    {
        ListWindowFixture fixture;
        fixture.TheSettings.AutoPurge = 1;
        auto window = fixture.Open(ThreeTasks);
        Click(*window, OnBarButton(*window, 0, BarButton::Complete));
        QCOMPARE(window->Document().Tasks.Count(), std::size_t { 2 });
        QCOMPARE(std::string(window->Document().Tasks.Line(0)), ThreeTasks[1]);
        QCOMPARE(window->CurrentRow(), -1);
        QVERIFY(window->Bars().Running());
        QVERIFY(FinishBarAnimation(*window));
        QCOMPARE(window->Bars().OpenRow(), -1);
        QCOMPARE(window->CurrentView().BarRow, -1);
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowRowsTest);

#include "frmListRowsQtTest.moc"
