// The list window's redraws: composing the skin surface at a new size, and the part of a row
// refresh that runs for every scroll step of a long list with nothing changed (the date logic's
// early return, then reading the rows shown).
#include "ListGenerator.h"

#include "listwindow/ListWindowView.h"
#include "listwindow/SurfacePainter.h"
#include "skin/SkinPictures.h"

#include "model/DateLogic.h"
#include "model/TaskLine.h"
#include "model/Windows1252.h"

#include <QPainter>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

using namespace agendrix;

const SkinPictures& DefaultSkin()
{
    static const SkinPictures skin = [] {
        // The source tree holds the shipped skins under skins/, found without regard to case.
        SkinPictures pictures;
        QString path = QStringLiteral("/Skins/Default/");
        pictures.LoadSkin(QStringLiteral(AGENDRIX_SOURCE_DIR), path);
        return pictures;
    }();
    return skin;
}

void BM_ComposeSurfaceAtNewSize(benchmark::State& state)
{
    const SkinPictures& skin = DefaultSkin();
    if (skin.Main.isNull())
        return state.SkipWithError("the Default skin was not found under skins/");
    int height = 534;
    for (auto _ : state) {
        height = height == 534 ? 558 : 534; // every drawing is at another size
        const SurfaceLayout layout = LayOutSurface({ 350, height, 2, 48 });
        QImage surface = ComposeSurface(layout, skin.Main, QSize(350, height));
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_ComposeSurfaceAtNewSize)->Unit(benchmark::kMicrosecond);

void BM_RedisplayRowsUnchanged(benchmark::State& state)
{
    TaskStore store;
    store.Load(bench::GenerateTaskLines(bench::ListShape {}));
    const DateTime now { bench::ReferenceDay, 12 * 3600 };
    AssessDateItems(store, now, 3);
    std::size_t rowStart = 0;
    for (auto _ : state) {
        AssessDateItems(store, now, 3);
        rowStart = (rowStart + 1) % (store.Count() - 20);
        for (std::size_t row = 0; row < 20; ++row) {
            const std::string_view line = store.Line(rowStart + row);
            benchmark::DoNotOptimize(PriorityCode(line));
            const std::string description = Windows1252ToUtf8(GetField(line, TaskField::Description));
            benchmark::DoNotOptimize(description.data());
            // Statuses are worked out for the rows shown, not kept for every line.
            const std::string status = StatusText(StatusAt(store, rowStart + row), FormatIso);
            benchmark::DoNotOptimize(status.data());
        }
    }
}
BENCHMARK(BM_RedisplayRowsUnchanged)->Unit(benchmark::kMicrosecond);

// A 350 by 534 window of 20 rows, the control bar of row 2 showing `frame`.
ListWindowView AnimatedView(const SkinPictures& skin, int frame)
{
    ListWindowView view;
    view.Layout = LayOutSurface({ 350, 534, -1, 48 });
    view.Surface = ComposeSurface(view.Layout, skin.Main, QSize(350, 534));
    view.Rows = LayOutRows({ 350, view.Layout.RowsShown, -1, 2, 0 });
    for (int row = 0; row < view.Layout.RowsShown; ++row) {
        RowView shown;
        shown.Code = 2 + row % 8;
        shown.Description = QStringLiteral("Task number %1 of the list").arg(row);
        shown.Empty = false;
        view.RowViews.push_back(shown);
    }
    view.BarRow = 2;
    view.BarFrame = frame;
    view.GlideDone = true;
    return view;
}

// One paint of the control-bar animation: the whole window (range 0) or only the bar's rectangle
// (range 1), which is what the window asks to repaint.
void BM_PaintAnimationFrame(benchmark::State& state)
{
    const SkinPictures& skin = DefaultSkin();
    if (skin.Main.isNull())
        return state.SkipWithError("the Default skin was not found under skins/");
    QImage target(350, 534, QImage::Format_RGB32);
    ListWindowView view = AnimatedView(skin, 0);
    for (auto _ : state) {
        view.BarFrame = (view.BarFrame + 1) % 25;
        QPainter painter(&target);
        if (state.range(0) == 1)
            painter.setClipRect(QRect(350 - 125, 30 + 2 * 24, 98, 20));
        PaintListWindow(painter, view, skin);
    }
}
BENCHMARK(BM_PaintAnimationFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
