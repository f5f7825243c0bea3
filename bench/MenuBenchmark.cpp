// The menu and the remote panel opening over the generated 100,000-task list, from the user's
// press on their button to their first paint on the X server: budgets 30 ms for the menu and
// 50 ms for the panel. Run under an X server (bench/menu-and-panel starts Xvfb and openbox).
#include "ListGenerator.h"

#include "listwindow/WindowManagerState.h"
#include "listwindow/frmList.h"
#include "listwindow/frmMenu.h"
#include "listwindow/frmRemote.h"
#include "model/FileAccess.h"
#include "skin/QtHelpers.h"
#include "support/FixedClock.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace agendrix;

// The program's list window on the generated list, with the program's default skin, shown and
// painted. The panel starts closed so that each round opens it.
struct ListWindowOnBigList {
    test::TempFolder Folder;
    test::FixedClock Clock { DateTime { bench::ReferenceDay, 12 * 3600 } };
    test::RecordingShell Desktop;
    test::ScriptedPrompts Prompts;
    Settings TheSettings = DefaultSettings(ScreenMetrics {});
    std::unique_ptr<frmList> Window;

    ListWindowOnBigList()
    {
        const std::string path = Folder / "Generated.agl";
        SaveFileAtomically(path, bench::GenerateListFile(bench::ListShape {}));
        CopySkins();
        TheSettings.OpenRemote = false;
        Window = std::make_unique<frmList>(
            ListWindowServices { Clock, Prompts, Desktop, FromUtf8(Folder.Path()) }, TheSettings);
        Window->Start(path);
        Settle();
    }
    void CopySkins()
    {
        const QDir skins(QStringLiteral(AGENDRIX_SKINS_DIR));
        for (const QString& skin : skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir from(skins.filePath(skin));
            const QDir to(FromUtf8(Folder / ("Skins/" + skin.toStdString())));
            to.mkpath(QStringLiteral("."));
            for (const QString& file : from.entryList(QDir::Files))
                QFile::copy(from.filePath(file), to.filePath(file));
        }
    }
    // Lets Qt send what it has to the X server and waits for the server to have done it: reading
    // a property of the root window is a round trip, answered after every earlier request.
    static void Settle()
    {
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(ActiveWindow());
    }
};

// Made in main once the application exists, and gone before it ends.
std::unique_ptr<ListWindowOnBigList> TheBigList;
ListWindowOnBigList& BigList() { return *TheBigList; }

// Sets Painted once `watched` gets its first paint event.
class FirstPaint : public QObject {
public:
    bool Painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        Painted = Painted || event->type() == QEvent::Paint;
        return false;
    }
};

QPoint Centre(const PixelRect& rect) { return QPoint(rect.X + rect.Width / 2, rect.Y + rect.Height / 2); }

// Presses and releases the left button at `at` of the list window, then runs the events until
// the window `opened` returns has been painted once and the server has drawn it. Returns the
// seconds that took, or a negative value when nothing opened.
template <typename Opened> double PressToFirstPaint(frmList& window, QPoint at, Opened opened)
{
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, at);
    QWidget* shown = opened();
    if (!shown)
        return -1;
    FirstPaint watch;
    shown->installEventFilter(&watch);
    while (!watch.Painted && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    ListWindowOnBigList::Settle();
    shown->removeEventFilter(&watch);
    return watch.Painted ? static_cast<double>(clock.nsecsElapsed()) / 1e9 : -1;
}

void BM_MenuPressToFirstPaint(benchmark::State& state)
{
    frmList& window = *BigList().Window;
    const QPoint button = Centre(window.CurrentView().Layout.MenuButton);
    for (auto _ : state) {
        const double seconds = PressToFirstPaint(window, button, [&] { return window.Menu(); });
        if (seconds < 0)
            return state.SkipWithError("the menu did not open and paint");
        state.SetIterationTime(seconds);
        window.Menu()->close();
        ListWindowOnBigList::Settle();
    }
    state.counters["tasks"] = static_cast<double>(window.Document().Tasks.Count());
}
BENCHMARK(BM_MenuPressToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_PanelPressToFirstPaint(benchmark::State& state)
{
    frmList& window = *BigList().Window;
    const PixelRect controls = window.CurrentView().Layout.WindowControls;
    const QPoint button(controls.X + 8, controls.Y + controls.Height / 2); // Remote, the first of four
    for (auto _ : state) {
        const double seconds = PressToFirstPaint(window, button, [&] { return window.Remote(); });
        if (seconds < 0)
            return state.SkipWithError("the panel did not open and paint");
        state.SetIterationTime(seconds);
        window.RemoteClosed();
        ListWindowOnBigList::Settle();
    }
    state.counters["tasks"] = static_cast<double>(window.Document().Tasks.Count());
}
BENCHMARK(BM_PanelPressToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    TheBigList = std::make_unique<ListWindowOnBigList>();
    benchmark::RunSpecifiedBenchmarks();
    TheBigList.reset();
    benchmark::Shutdown();
    return 0;
}
