// Printing and copying the generated 100,000-task list (agendrix_make_list's list, sorted as the
// window holds it): the pages laid out and written as a PDF into memory, reported as pages per
// second; and the text Copy List puts on the clipboard, budget under 100 ms.
#include "ListGenerator.h"

#include "listwindow/PrintPainter.h"
#include "model/ListCopy.h"
#include "model/TaskStore.h"

#include <QBuffer>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

namespace {

using namespace agendrix;

const TaskStore& GeneratedList()
{
    static const TaskStore store = [] {
        TaskStore tasks;
        tasks.Load(bench::GenerateTaskLines(bench::ListShape {}));
        tasks.SortNow();
        return tasks;
    }();
    return store;
}

void BM_CopyListText(benchmark::State& state)
{
    const TaskStore& tasks = GeneratedList();
    for (auto _ : state) {
        const std::string text = ListCopyText(tasks.Lines());
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_CopyListText)->Unit(benchmark::kMillisecond);

// Arguments: the information texts printed (1) or not (0).
void BM_PrintListToPdf(benchmark::State& state)
{
    const TaskLines lines = GeneratedList().Lines();
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    const PrintOptions options { true, state.range(0) != 0, false, false };
    int pages = 0;
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        const std::optional<int> printed
            = PrintList(writer, PrintJob { views, options, {}, "12/6/26", "/bench/Generated.agl" });
        if (!printed)
            return state.SkipWithError("the PDF writer could not be painted on");
        pages += *printed;
        state.counters["bytes"] = static_cast<double>(pdf.size());
    }
    state.counters["pages"] = benchmark::Counter(pages / static_cast<double>(state.iterations()));
    state.counters["pages_per_second"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintListToPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

} // namespace
