#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "model/DateLogic.h"
#include "model/ListFile.h"
#include "model/ListPreload.h"
#include "model/QueueFile.h"
#include "model/Recovery.h"
#include "model/TaskLine.h"
#include "support/TaskLists.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <functional>
#include <future>
#include <optional>
#include <sys/stat.h>
#include <tuple>

namespace agendrix {

namespace {

    // Long enough for a test that holds the preload's worker to see what the window does
    // meanwhile; never reached when the window works.
    constexpr auto HoldAtMost = std::chrono::seconds(20);

    // Everything of a start that the user sees or that a later command works on.
    struct StartSeen {
        bool AskedWhileShown = false;
        std::vector<PromptRequest> Asked;
        std::vector<std::string> Lines;
        bool Dirty = false;
        std::string ListName;
        RecentLists Recent;
        QString Caption;
        std::vector<std::tuple<int, QString, QString, bool>> Rows; // code, description, status, empty
        bool Visible = false;
        bool Whole = false; // the window shows the whole list

        bool operator==(const StartSeen&) const = default;
    };

    StartSeen Seen(const frmList& window, const test::ScriptedPrompts& prompts)
    {
        StartSeen seen { false, prompts.Asked, {}, window.Document().Dirty, window.Document().ListName,
            window.CurrentSettings().Recent, window.CurrentView().Caption, {}, window.isVisible(),
            window.WholeListShown() };
        for (const std::string_view line : window.Document().Tasks.Lines())
            seen.Lines.emplace_back(line);
        for (const RowView& row : window.CurrentView().RowViews)
            seen.Rows.emplace_back(row.Code, row.Description, row.DateText, row.Empty);
        return seen;
    }

    // Runs `atFirstPaint` when the watched window is first painted.
    class FirstPaintSpy : public QObject {
    public:
        explicit FirstPaintSpy(std::function<void()> atFirstPaint)
            : AtFirstPaint(std::move(atFirstPaint))
        {
        }
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && AtFirstPaint)
                std::exchange(AtFirstPaint, {})();
            return QObject::eventFilter(watched, event);
        }

    private:
        std::function<void()> AtFirstPaint;
    };

    // The lines without a header, as a file of the oldest format holds them.
    std::string Version1File(const std::vector<std::string>& lines)
    {
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        return bytes;
    }

    QTimer* QueueCheck(const frmList& window)
    {
        return window.findChild<QTimer*>(QStringLiteral("QueueCheck"));
    }

    // One notch of the wheel away from the user, over the window's first row.
    void WheelDown(frmList& window)
    {
        const QPoint inside = LabelOf(window, 0);
        QWheelEvent event(inside, window.mapToGlobal(inside), QPoint(0, -15), QPoint(0, -120), Qt::NoButton,
            Qt::NoModifier, Qt::ScrollUpdate, false);
        QApplication::sendEvent(&window, &event);
    }

    // A long list whose preload's worker waits before the sort until Release is called.
    struct HeldLongList {
        explicit HeldLongList(ListWindowFixture& fixture)
            : Path(fixture.Path("list.agl"))
        {
            SaveFileAtomically(Path, EncodeListFile(test::ManyTasks(1000, { 2026, 12, 6 })));
            const std::shared_future<void> held = Hold.get_future().share();
            Preload.emplace(
                ListPreload::Request { Path, fixture.Clock.Now(), fixture.TheSettings.DaysPerLevel },
                SystemFileOps(), [held] { held.wait_for(HoldAtMost); });
        }
        ~HeldLongList() { Release(); }
        void Release()
        {
            if (!Released)
                Hold.set_value();
            Released = true;
        }

        std::string Path;
        std::promise<void> Hold;
        bool Released = false;
        std::optional<ListPreload> Preload;
    };

} // namespace

class ListWindowStartTest : public QObject {
    Q_OBJECT

private slots:
    // A start with a preload of its list says, asks and shows what a start that reads the list
    // itself does, whatever the file and whatever the user answers; every message comes before
    // the window shows.
    void APreloadedListStartsAsOneReadThen()
    {
        const std::vector<std::string> many = test::ManyTasks(1000, { 2026, 12, 6 });
        std::vector<std::string> manyCompletedLast = many;
        for (int i = 0; i < 5; ++i)
            manyCompletedLast.push_back("10\t2026/12/01 - Done " + std::to_string(i));
        // More completed tasks than the others fill the first rows with, and after them all a
        // line without a code, which keeps them from being purged from the end of the list.
        std::vector<std::string> mostlyCompleted { "zz\tNo code" };
        for (int i = 0; i < 600; ++i)
            mostlyCompleted.push_back((i < 100 ? "05\tOpen " : "10\t2026/12/01 - Done ") + std::to_string(i));
        // name, the file's bytes (nothing: a FIFO), the recovery copy's, the answers, AutoPurge
        using Case = std::tuple<const char*, std::optional<std::string>, std::optional<std::string>,
            std::deque<PromptAnswer>, int>;
        const Case cases[] = {
            { "fifo", std::nullopt, std::nullopt, {}, 0 },
            { "empty", "", std::nullopt, {}, 0 },
            { "stopsAtAnEmptyLine", "Format: 5.0.0\r\n04\ta\r\n\r\n05\tb\r\n", std::nullopt, {}, 0 },
            { "version1", "02\tOld\t\t0\tx\t\t\t\r\n", std::nullopt, {}, 0 },
            { "utf8",
                "\xEF\xBB\xBF"
                "Format: 5.0.0\r\n04\tCaf\xC3\xA9\r\n",
                std::nullopt, {}, 0 },
            { "few", EncodeListFile(test::ManyTasks(20, { 2026, 12, 6 })), std::nullopt, {}, 0 },
            { "many", EncodeListFile(many), std::nullopt, {}, 0 },
            { "manyInVersion1", Version1File(many), std::nullopt, {}, 0 },
            { "manyStoppingAtAnEmptyLine", EncodeListFile(many) + "\r\n04\tafter\r\n", std::nullopt, {}, 0 },
            { "manyRestoredFromACopy", EncodeListFile(many), EncodeListFile({ "03\tRecovered" }),
                { PromptAnswer::Yes }, 0 },
            { "manyWithACopyDiscarded", EncodeListFile(many), EncodeListFile({ "03\tRecovered" }),
                { PromptAnswer::No }, 0 },
            { "manyPurged", EncodeListFile(manyCompletedLast), std::nullopt, {}, 1 },
            { "manyNotPurged", EncodeListFile(mostlyCompleted), std::nullopt, {}, 1 },
        };
        for (const auto& [name, bytes, copy, answers, autoPurge] : cases) {
            ListWindowFixture fixture;
            fixture.TheSettings.AutoPurge = autoPurge;
            const std::string path = fixture.Path("list.agl");
            const auto prepare = [&] {
                if (bytes)
                    SaveFileAtomically(path, *bytes);
                else
                    QVERIFY(::mkfifo(path.c_str(), 0600) == 0 || errno == EEXIST);
                if (copy)
                    SaveFileAtomically(fixture.Path(".list.agl.recovered"), *copy);
            };
            const auto start = [&](ListPreload* preload) {
                test::ScriptedPrompts prompts;
                prompts.Answers = answers;
                frmList window(ListWindowServices { fixture.Clock, prompts, fixture.Desktop,
                                   FromUtf8(fixture.Folder.Path()) },
                    fixture.TheSettings);
                bool askedWhileShown = false;
                prompts.OnAsk
                    = [&](const PromptRequest&) { askedWhileShown = askedWhileShown || window.isVisible(); };
                window.Start(path, preload);
                // Whether the whole list came is part of what the start is seen to do.
                std::ignore = QTest::qWaitFor([&] { return window.WholeListShown(); }, 20000);
                StartSeen seen = Seen(window, prompts);
                seen.AskedWhileShown = askedWhileShown;
                return seen;
            };
            prepare();
            const StartSeen read = start(nullptr);
            prepare();
            ListPreload preload({ path, fixture.Clock.Now(), fixture.TheSettings.DaysPerLevel });
            const StartSeen preloaded = start(&preload);

            QVERIFY2(preloaded == read, name);
            QVERIFY2(read.Visible, name);
            QVERIFY2(preloaded.Whole, name);
            QVERIFY2(!read.AskedWhileShown, name);
            QVERIFY2(preload.HasRest() == std::string_view(name).starts_with("many"), name);
        }
    }

    // The first rows of a long list are painted while the rest is sorted, and the user's input
    // waits for the whole list: none of it may reach a store that holds the first rows only.
    void ALongListPaintsItsFirstRowsAndIgnoresInputUntilItIsWhole()
    {
        ListWindowFixture fixture;
        HeldLongList list(fixture);
        frmList window(fixture.Services(), fixture.TheSettings);
        std::optional<StartSeen> atFirstPaint;
        FirstPaintSpy spy([&] { atFirstPaint = Seen(window, fixture.Prompts); });
        window.installEventFilter(&spy);

        window.Start(list.Path, &*list.Preload);

        QVERIFY(!window.WholeListShown());
        QTRY_VERIFY(atFirstPaint);
        QCOMPARE(atFirstPaint->Lines.size(), ListPreload::FirstRowCount);
        QVERIFY(!QueueCheck(window)->isActive());
        WheelDown(window);
        Click(window, LabelOf(window, 0), Qt::RightButton);
        QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(window.RowStart(), 0);
        QVERIFY(!ShownWindow("agendrix::frmTask"));
        QVERIFY(fixture.Prompts.Asked.empty());

        list.Release();
        QTRY_VERIFY_WITH_TIMEOUT(window.WholeListShown(), 20000);
        const StartSeen whole = Seen(window, fixture.Prompts);
        QCOMPARE(whole.Lines.size(), std::size_t { 1000 });
        QVERIFY(std::equal(atFirstPaint->Lines.begin(), atFirstPaint->Lines.end(), whole.Lines.begin()));
        QVERIFY(atFirstPaint->Rows == whole.Rows);
        QVERIFY(QueueCheck(window)->isActive());
        WheelDown(window);
        QVERIFY(window.RowStart() > 0);
    }

    // Closing while the rest of the list is sorted ends the program as it does otherwise; the
    // rest, when it comes, opens nothing.
    void ClosedWhileTheRestIsSortedTheProgramStillEnds()
    {
        ListWindowFixture fixture;
        HeldLongList list(fixture);
        frmList window(fixture.Services(), fixture.TheSettings);
        FirstPaintSpy spy([&] {
            QTimer::singleShot(0, &window, [&] {
                window.close();
                list.Release();
            });
        });
        window.installEventFilter(&spy);
        window.Start(list.Path, &*list.Preload);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(20000);

        QCOMPARE(QCoreApplication::exec(), 0);

        guard.stop();
        QVERIFY(!window.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(window.WholeListShown(), 20000);
        QVERIFY(!QueueCheck(window)->isActive());
    }

    // An end asked for by the system while the rest is sorted comes at once, writes the settings
    // and keeps no recovery copy: the list was not changed.
    void TerminatedWhileTheRestIsSortedEndsAtOnce()
    {
        ListWindowFixture fixture;
        HeldLongList list(fixture);
        frmList window(fixture.Services(), fixture.TheSettings);
        window.Start(list.Path, &*list.Preload);
        QSignalSpy ended(&window, &frmList::Terminated);

        window.Terminate();

        QCOMPARE(ended.count(), 1);
        QVERIFY(!window.WholeListShown());
        QVERIFY(FileExists(fixture.Path(SettingsFileName)));
        QVERIFY(!FileExists(fixture.Path(".list.agl.recovered")));
    }

    // A list handed over while the rest is sorted waits in the queue file, and is opened once
    // the window has its whole first list.
    void AHandOverWhileTheRestIsSortedWaitsForTheWholeList()
    {
        ListWindowFixture fixture;
        HeldLongList list(fixture);
        SaveFileAtomically(fixture.Path("other.agl"), EncodeListFile({ "04\tOther" }));
        frmList window(fixture.Services(), fixture.TheSettings);
        window.Start(list.Path, &*list.Preload);
        QCOMPARE(
            WriteQueueFile(fixture.Path(QueueFileName), fixture.Path("other.agl")).Message, std::string());

        window.CheckQueue(); // as the folder watcher calls it

        QVERIFY(FileExists(fixture.Path(QueueFileName)));
        QCOMPARE(window.Document().ListName, list.Path);
        list.Release();
        QTRY_VERIFY_WITH_TIMEOUT(window.WholeListShown(), 20000);
        QCOMPARE(window.Document().ListName, fixture.Path("other.agl"));
        QVERIFY(!FileExists(fixture.Path(QueueFileName)));
    }

    // A preload of another list than the one opened is left as it was.
    void APreloadOfAnotherListIsNotTaken()
    {
        ListWindowFixture fixture;
        SaveFileAtomically(fixture.Path("other.agl"), EncodeListFile({ "04\tOther" }));
        ListPreload preload(
            { fixture.Path("other.agl"), fixture.Clock.Now(), fixture.TheSettings.DaysPerLevel });
        SaveFileAtomically(fixture.Path("list.agl"), EncodeListFile({ "05\tOpened" }));
        frmList window(fixture.Services(), fixture.TheSettings);

        window.Start(fixture.Path("list.agl"), &preload);

        QCOMPARE(std::string(window.Document().Tasks.Line(0)), std::string("05\tOpened"));
        QCOMPARE(std::string(preload.TakeFirst().Tasks.Line(0)), std::string("04\tOther"));
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowStartTest);

#include "frmListStartQtTest.moc"
