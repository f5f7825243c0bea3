// The sidebar's slide: one tick of its timer as plain code, one step with the window moved on
// the X server, and a whole slide driven by the real 10 ms timer, whose frames per second are
// what the user sees. Run under an X server (bench/sidebar-slide starts Xvfb and openbox).
#include "geometry/Sidebar.h"
#include "listwindow/WindowManagerState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

using namespace agendrix;

constexpr int ScreenWidth = 1280;
constexpr int ScreenHeight = 1024;

SidebarSlide::Input PointerAway(int aniSpeed)
{
    SidebarSlide::Input input;
    input.Area = PixelRect { 0, 0, ScreenWidth, ScreenHeight };
    input.WindowWidth = 270;
    input.TabWidth = 18;
    input.AniSpeed = aniSpeed;
    return input;
}

// A frameless window of the sidebar's size at its place, shown and painted.
struct SidebarWindow {
    QWidget Window { nullptr, Qt::Window | Qt::FramelessWindowHint };
    QWidget Tab { nullptr, Qt::Tool | Qt::FramelessWindowHint };

    SidebarWindow()
    {
        Window.setGeometry(ScreenWidth - 270, 0, 270, ScreenHeight);
        Window.setStyleSheet(QStringLiteral("background: #dde6f4"));
        Tab.setGeometry(ScreenWidth - 270 - 18, 200, 18, 100);
        Window.show();
        Tab.show();
        Settle();
    }
    // Lets Qt send what it has to the X server and waits for the server to have done it: reading
    // a property of the root window is a round trip, answered after every earlier request.
    static void Settle()
    {
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(ActiveWindow());
    }
    void Apply(const SidebarSlide::Step& step)
    {
        Window.move(step.WindowLeft, 0);
        Tab.move(step.TabLeft, 200);
    }
};

// One tick as plain code: what the timer works out before it moves anything.
void BM_SidebarTick(benchmark::State& state)
{
    SidebarSlide slide;
    const SidebarSlide::Input input = PointerAway(3);
    for (auto _ : state) {
        if (slide.Hidden())
            slide = SidebarSlide();
        benchmark::DoNotOptimize(slide.Tick(input));
    }
}
BENCHMARK(BM_SidebarTick);

// One step of the slide with the window and its tab moved on the X server.
void BM_SidebarStepOnScreen(benchmark::State& state)
{
    SidebarWindow sidebar;
    SidebarSlide slide;
    const SidebarSlide::Input input = PointerAway(3);
    for (auto _ : state) {
        SidebarSlide::Step step = slide.Tick(input);
        if (step.What != SidebarSlide::Action::Move) {
            slide = SidebarSlide();
            step = SidebarSlide::Step { SidebarSlide::Action::Show, ScreenWidth - 270, ScreenWidth - 288, 0 };
        }
        sidebar.Apply(step);
        SidebarWindow::Settle();
    }
    state.SetLabel("geometry + move of window and tab, with a round trip to the server");
}
BENCHMARK(BM_SidebarStepOnScreen)->Unit(benchmark::kMicrosecond);

// A whole slide away at AniSpeed state.range(0), driven by a timer as the program's is: the
// frames it shows per second, which must stay at 60 or more.
void BM_WholeSlide(benchmark::State& state)
{
    SidebarWindow sidebar;
    const SidebarSlide::Input input = PointerAway(static_cast<int>(state.range(0)));
    double frames = 0;
    double seconds = 0;
    for (auto _ : state) {
        SidebarSlide slide;
        // Five ticks with the pointer away come before the slide; they move nothing.
        for (int tick = 1; tick < SidebarSlide::ShownTicks; ++tick)
            slide.Tick(input);
        QEventLoop loop;
        QTimer timer;
        int moves = 0;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            const SidebarSlide::Step step = slide.Tick(input);
            timer.setInterval(step.IntervalMs);
            if (step.What != SidebarSlide::Action::Move)
                return loop.quit();
            sidebar.Apply(step);
            SidebarWindow::Settle();
            ++moves;
        });
        QElapsedTimer clock;
        clock.start();
        timer.start(0);
        loop.exec();
        seconds += clock.nsecsElapsed() / 1e9;
        frames += moves;
        state.PauseTiming();
        sidebar.Apply(
            SidebarSlide::Step { SidebarSlide::Action::Show, ScreenWidth - 270, ScreenWidth - 288, 0 });
        SidebarWindow::Settle();
        state.ResumeTiming();
    }
    state.counters["frames_per_second"] = frames / seconds;
    state.counters["frames"] = frames / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WholeSlide)->Arg(3)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
