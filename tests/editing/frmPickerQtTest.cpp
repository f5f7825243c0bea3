#include "editing/frmPicker.h"

#include "FakeListHost.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace agendrix {

namespace {

    // Keeps the lines as they were just before each refresh, which the date logic rewrites.
    class RecordingHost : public FakeListHost {
    public:
        void ShowListItems() override
        {
            BeforeRefresh = Lines();
            FakeListHost::ShowListItems();
        }
        std::vector<std::string> BeforeRefresh;
    };

    const std::string DateBased04 = "04\tDentist\t\t1\t20261214\t2\t0\t";
    const std::string Fixed04 = "04\tPost the letter\t\t0\t20261210\t1\t0\t";
    const std::string Unprioritized = "09\tTidy the shed\t\t0\t20261210\t1\t0\t";
    const std::string DoneBefore = "10\t2026/11/30 - Old chore\t\t0\t20261201\t1\t0\t";

    QPoint CentreOf(int entry)
    {
        const PixelRect bar = LayOutPicker().Entries[static_cast<std::size_t>(entry)].Bar;
        return QPoint(bar.X + bar.Width / 2, bar.Y + bar.Height / 2);
    }

    // A pixel of the bar that no text or swatch covers.
    QPoint BarEdgeOf(int entry)
    {
        const PixelRect bar = LayOutPicker().Entries[static_cast<std::size_t>(entry)].Bar;
        return QPoint(bar.Right() - 4, bar.Y + bar.Height / 2);
    }

    QStringList Texts(const std::vector<std::string>& lines)
    {
        QStringList texts;
        for (const std::string& line : lines)
            texts.append(QString::fromStdString(line));
        return texts;
    }

    enum class Closing { ClickOutside, Escape, OtherProgram, OtherWindow };

    QColor QColorOf(const Rgb& c) { return QColor(c.Red, c.Green, c.Blue); }

} // namespace

class PickerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<RecordingHost> Host;
    QPointer<frmPicker> Picker;
    std::unique_ptr<QSignalSpy> ClosedSpy;

    frmPicker* Open(std::vector<std::string> lines, std::size_t index, QPoint at = QPoint(100, 100))
    {
        Host->List.Tasks.Load(lines);
        Picker = new frmPicker(*Host, index, at, QColor(255, 255, 255), nullptr);
        ClosedSpy = std::make_unique<QSignalSpy>(Picker.data(), &frmPicker::Closed);
        Picker->Open();
        return Picker;
    }

    void ReleaseOn(int entry)
    {
        QTest::mouseMove(Picker, CentreOf(entry));
        QTest::mousePress(Picker, Qt::LeftButton, {}, CentreOf(entry));
        QTest::mouseRelease(Picker, Qt::LeftButton, {}, CentreOf(entry));
    }

    // The picker unloaded once and is gone once the deferred deletion ran.
    void ExpectClosed()
    {
        QCOMPARE(ClosedSpy->count(), 1);
        QVERIFY(!Picker || !Picker->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Picker.isNull());
        QCOMPARE(Host->FloatCalls.back(), std::string("true Picker Unload"));
    }

    void ExpectUnchanged(const std::vector<std::string>& lines)
    {
        QCOMPARE(Texts(Host->Lines()), Texts(lines));
        QVERIFY(!Host->List.Dirty);
        QCOMPARE(Host->Refreshes, 0);
    }

    // Open, and the window told once that a picker floats over it.
    void ExpectStillOpen()
    {
        QVERIFY(Picker);
        QVERIFY(Picker->isVisible());
        QCOMPARE(ClosedSpy->count(), 0);
        QCOMPARE(Texts(Host->FloatCalls), Texts({ "false Picker Load" }));
    }

    QColor PixelAt(QPoint point) { return Picker->grab().toImage().pixelColor(point); }

private slots:
    void init() { Host = std::make_unique<RecordingHost>(); }

    void cleanup()
    {
        if (Picker)
            Picker->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Picker.isNull());
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }

    void IndexWithoutTaskUnloadsAtOnce()
    {
        Open({ Fixed04 }, 1);
        ExpectClosed();
        QCOMPARE(Texts(Host->FloatCalls), Texts({ "false Picker Load", "true Picker Unload" }));
        ExpectUnchanged({ Fixed04 });
    }

    void ReleaseOffTheEntriesChangesNothing()
    {
        Open({ Fixed04 }, 0);
        const PickerLayout layout = LayOutPicker();
        const PixelRect line = layout.Separators.front();
        // A separator, and the left and right borders beside the first entries.
        for (const QPoint point : { QPoint(line.X + 5, line.Y), QPoint(0, CentreOf(0).y()),
                 QPoint(layout.Width - 1, CentreOf(1).y()) }) {
            QTest::mousePress(Picker, Qt::LeftButton, {}, point);
            QTest::mouseRelease(Picker, Qt::LeftButton, {}, point);
        }
        ExpectStillOpen();
        ExpectUnchanged({ Fixed04 });
    }

    void ReleaseOfTheOpeningClickAppliesNothing_data()
    {
        QTest::addColumn<int>("entry");
        QTest::newRow("onThePreselection") << 4;
        QTest::newRow("movedToAnotherPriority") << 2;
        QTest::newRow("movedToDeleteTask") << DeleteTaskEntry;
    }

    void ReleaseOfTheOpeningClickAppliesNothing()
    {
        QFETCH(int, entry);
        Open({ Fixed04 }, 0);
        // The right button that opened the picker comes up wherever the pointer went meanwhile.
        QTest::mouseMove(Picker, CentreOf(entry));
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(CentreOf(entry)),
            QPointF(Picker->mapToGlobal(CentreOf(entry))), Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Picker, &release);
        ExpectStillOpen();
        ExpectUnchanged({ Fixed04 });
        QVERIFY(Host->Asked.Asked.empty());
        ReleaseOn(2); // a click of its own applies
        QCOMPARE(Texts(Host->Lines()), Texts({ "02\tPost the letter\t\t0\t20261210\t1\t0\t" }));
        ExpectClosed();
    }

    void ClosesWithoutChange_data()
    {
        QTest::addColumn<Closing>("way");
        QTest::newRow("clickOutside") << Closing::ClickOutside;
        QTest::newRow("escapeAfterArrow") << Closing::Escape;
        QTest::newRow("otherProgramActivated") << Closing::OtherProgram;
        QTest::newRow("otherWindowActivated") << Closing::OtherWindow;
    }

    void ClosesWithoutChange()
    {
        QFETCH(Closing, way);
        Open({ Fixed04 }, 0);
        // What the toolkit reports when the user switches programs, or to another of our windows.
        QEvent deactivate(QEvent::WindowDeactivate);
        switch (way) {
        case Closing::ClickOutside:
            QTest::mousePress(Picker, Qt::LeftButton, {}, QPoint(-1, CentreOf(0).y())); // left of the popup
            break;
        case Closing::Escape:
            QTest::keyClick(Picker, Qt::Key_Down);
            QTest::keyClick(Picker, Qt::Key_Escape);
            break;
        case Closing::OtherProgram:
            emit qApp->applicationStateChanged(Qt::ApplicationInactive);
            break;
        case Closing::OtherWindow:
            QCoreApplication::sendEvent(Picker, &deactivate);
            break;
        }
        ExpectUnchanged({ Fixed04 });
        ExpectClosed();
    }

    void PreselectionIsHighlighted_data()
    {
        QTest::addColumn<std::string>("line");
        QTest::addColumn<int>("entry");
        QTest::newRow("dateBasedCode04") << DateBased04 << 0;
        QTest::newRow("dateBasedCode01") << std::string("01\tLate\t\t1\t20261201\t1\t0\t") << 0;
        QTest::newRow("fixedCode04") << Fixed04 << 4;
        QTest::newRow("fixedBroken") << std::string("01\tSnapped\t\t0\t20261201\t1\t0\t") << 1;
        QTest::newRow("completed") << DoneBefore << 10;
        QTest::newRow("unreadableCodeIsUnprioritized") << std::string("x4\tOdd\t\t0\t20261201\t1\t0\t") << 9;
    }

    void PreselectionIsHighlighted()
    {
        QFETCH(std::string, line);
        QFETCH(int, entry);
        Open({ line }, 0);
        ExpectStillOpen();
        for (int other = 0; other < PickerEntryCount; ++other) {
            const QColor expected = QColorOf(other == entry ? PickerHighlight(entry) : PickerBackground);
            QCOMPARE(PixelAt(BarEdgeOf(other)), expected);
        }
    }

    void DateBasedWritesCode00AndFlag1_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("releaseOnAFixedTask") << false;
        QTest::newRow("enterOnThePreselection") << true;
    }

    void DateBasedWritesCode00AndFlag1()
    {
        QFETCH(bool, byEnter);
        Open({ byEnter ? DateBased04 : Fixed04 }, 0);
        if (byEnter)
            QTest::keyClick(Picker, Qt::Key_Return);
        else
            ReleaseOn(0);
        const std::string written
            = byEnter ? "00\tDentist\t\t1\t20261214\t2\t0\t" : "00\tPost the letter\t\t1\t20261210\t1\t0\t";
        QCOMPARE(Texts(Host->BeforeRefresh), Texts({ written }));
        // The refresh then works the code out from the date, as for every date-based task.
        QCOMPARE(Host->Lines().front().substr(0, 3), std::string("04\t"));
        QVERIFY(Host->List.Dirty);
        ExpectClosed();
    }

    void AutoPurgeRemovesTheCompletedTaskWithoutAQuestion()
    {
        Host->TheSettings.AutoPurge = 1;
        Open({ Fixed04, Unprioritized }, 1);
        ReleaseOn(10);
        QCOMPARE(Texts(Host->Lines()), Texts({ Fixed04 }));
        QVERIFY(Host->Asked.Asked.empty());
        QVERIFY(Host->List.Dirty);
        ExpectClosed();
    }

    void SelectsTheNewDescription_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<std::vector<std::string>>("selected");
        QTest::newRow("level") << 2 << std::vector<std::string> { "Tidy the shed" };
        QTest::newRow("completedWithPrefix")
            << 10 << std::vector<std::string> { "2026/12/06 - Tidy the shed" };
    }

    void SelectsTheNewDescription()
    {
        QFETCH(int, option);
        QFETCH(std::vector<std::string>, selected);
        Open({ Fixed04, Unprioritized }, 1);
        ReleaseOn(option);
        QCOMPARE(Texts(Host->Selected), Texts(selected));
        QVERIFY(Host->List.Dirty);
        ExpectClosed();
    }

    void DeleteTaskAsksThenDeletesOnlyOnYes_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("cancel") << PromptAnswer::Cancel;
        QTest::newRow("no") << PromptAnswer::No;
        QTest::newRow("yes") << PromptAnswer::Yes;
    }

    void DeleteTaskAsksThenDeletesOnlyOnYes()
    {
        QFETCH(PromptAnswer, answer);
        Host->Asked.Answers = { answer };
        Open({ Fixed04, Unprioritized }, 1);
        ReleaseOn(DeleteTaskEntry);
        const PromptRequest expected { "Agendrix", "Are you sure you wish to delete this task?",
            PromptIcon::Question, PromptButtons::YesNoCancel, PromptAnswer::Yes };
        QCOMPARE(Host->Asked.Asked.size(), 1u);
        QVERIFY(Host->Asked.Asked.front() == expected);
        if (answer == PromptAnswer::Yes) {
            QCOMPARE(Texts(Host->Lines()), Texts({ Fixed04 }));
            QVERIFY(Host->List.Dirty);
            QCOMPARE(Host->Refreshes, 1);
        } else {
            ExpectUnchanged({ Fixed04, Unprioritized });
        }
        ExpectClosed();
    }

    void ArrowKeysMoveTheSelectionWithoutApplying()
    {
        Open({ Fixed04 }, 0);
        const auto press = [this](Qt::Key key, int times) {
            for (int i = 0; i < times; ++i)
                QTest::keyClick(Picker, key);
        };
        press(Qt::Key_Down, PickerEntryCount + 2);
        QCOMPARE(PixelAt(BarEdgeOf(DeleteTaskEntry)), QColorOf(PickerHighlight(DeleteTaskEntry)));
        press(Qt::Key_Up, PickerEntryCount + 2);
        QCOMPARE(PixelAt(BarEdgeOf(0)), QColorOf(PickerHighlight(0)));
        press(Qt::Key_Down, 2);
        QCOMPARE(PixelAt(BarEdgeOf(2)), QColorOf(PickerHighlight(2)));
        QCOMPARE(PixelAt(BarEdgeOf(4)), QColorOf(PickerBackground));
        ExpectStillOpen();
        ExpectUnchanged({ Fixed04 });
        QVERIFY(Host->Asked.Asked.empty());
        QTest::keyClick(Picker, Qt::Key_Return);
        QCOMPARE(Texts(Host->Lines()), Texts({ "02\tPost the letter\t\t0\t20261210\t1\t0\t" }));
        ExpectClosed();
    }

    void PointerMovesTheHighlight()
    {
        Open({ Fixed04 }, 0);
        QTest::mouseMove(Picker, CentreOf(2));
        QCOMPARE(PixelAt(BarEdgeOf(2)), QColorOf(PickerHighlight(2)));
        QCOMPARE(PixelAt(BarEdgeOf(4)), QColorOf(PickerBackground));
        QTest::mouseMove(Picker, CentreOf(DeleteTaskEntry));
        QCOMPARE(PixelAt(BarEdgeOf(DeleteTaskEntry)), QColorOf(PickerHighlight(DeleteTaskEntry)));
        QCOMPARE(PixelAt(BarEdgeOf(2)), QColorOf(PickerBackground));
        const PixelRect line = LayOutPicker().Separators.back();
        QTest::mouseMove(Picker, QPoint(line.X + 5, line.Y));
        for (int entry = 0; entry < PickerEntryCount; ++entry)
            QCOMPARE(PixelAt(BarEdgeOf(entry)), QColorOf(PickerBackground));
        ExpectStillOpen();
        ExpectUnchanged({ Fixed04 });
    }

    void TaskMovedWhileOpenIsStillTheOneChanged()
    {
        Open({ Fixed04, Unprioritized }, 1);
        Host->List.Tasks.Add("02\tAnswer the phone\t\t0\t20261206\t1\t0\t");
        ReleaseOn(8);
        QCOMPARE(Texts(Host->Lines()),
            Texts({ "02\tAnswer the phone\t\t0\t20261206\t1\t0\t", Fixed04,
                "08\tTidy the shed\t\t0\t20261210\t1\t0\t" }));
        ExpectClosed();
    }

    void TaskGoneWhileOpenChangesNothing()
    {
        Open({ Fixed04, Unprioritized }, 1);
        Host->List.Tasks.Remove(1);
        ReleaseOn(2);
        ExpectUnchanged({ Fixed04 });
        ExpectClosed();
    }

    void ClosedIsEmittedOnlyOnce()
    {
        Open({ Fixed04 }, 0);
        ReleaseOn(4); // the line stays as it was, so a late release could still find the task
        QVERIFY(Picker);
        Picker->close();
        QTest::keyClick(Picker, Qt::Key_Escape);
        QTest::mouseRelease(Picker, Qt::LeftButton, {}, CentreOf(DeleteTaskEntry));
        QVERIFY(Host->Asked.Asked.empty());
        QCOMPARE(Host->FloatCalls.size(), 2u);
        ExpectClosed();
    }

    void OpensBesideThePointAndFlipsAtTheScreenEdge()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const PickerLayout layout = LayOutPicker();
        Open({ Fixed04 }, 0, screen.topLeft() + QPoint(40, 50));
        QCOMPARE(
            Picker->geometry(), QRect(screen.topLeft() + QPoint(40, 50), QSize(layout.Width, layout.Height)));
        Picker->close();
        ExpectClosed();
        const QPoint nearCorner = screen.bottomRight() - QPoint(10, 10);
        Open({ Fixed04 }, 0, nearCorner);
        QCOMPARE(Picker->pos(), nearCorner - QPoint(layout.Width, layout.Height));
    }
};

} // namespace agendrix

QTEST_MAIN(agendrix::PickerTest)
#include "frmPickerQtTest.moc"
