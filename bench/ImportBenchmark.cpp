// Benchmarks of the text import on the descriptions of the generated 100,000-task list, written
// as a UTF-8 text file (one line in fifty blank, one in seven indented):
// - ImportTextLines alone, with and without line numbers;
// - all of `agendrix-cli import-text` but the file reading and writing: import, load, sort, and
//   the pieces a save writes.

#include "ListGenerator.h"

#include "model/ListFile.h"
#include "model/TaskLine.h"
#include "model/TextImport.h"
#include "model/Windows1252.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace agendrix;

const std::string& GeneratedText()
{
    static const std::string text = [] {
        std::string windows1252;
        std::size_t number = 0;
        for (const std::string& line : bench::GenerateTaskLines(bench::ListShape {})) {
            ++number;
            if (number % 50 == 0)
                windows1252 += "\n";
            windows1252 += number % 7 == 0 ? "    " : "";
            windows1252 += GetField(line, TaskField::Description);
            windows1252 += '\n';
        }
        return Windows1252ToUtf8(windows1252);
    }();
    return text;
}

void Import(benchmark::State& state, LineNumbers numbers)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = GeneratedText();
        state.ResumeTiming();
        ImportedText imported = ImportTextLines(std::move(text), numbers, bench::ReferenceDay);
        benchmark::DoNotOptimize(imported.Loaded.Handles.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(GeneratedText().size()));
}

void BM_ImportTextLines(benchmark::State& state) { Import(state, LineNumbers::Without); }
BENCHMARK(BM_ImportTextLines)->Unit(benchmark::kMillisecond);

void BM_ImportTextLinesNumbered(benchmark::State& state) { Import(state, LineNumbers::With); }
BENCHMARK(BM_ImportTextLinesNumbered)->Unit(benchmark::kMillisecond);

void BM_ImportLoadSortWrite(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = GeneratedText();
        state.ResumeTiming();
        TaskStore store;
        store.Load(ImportTextLines(std::move(text), LineNumbers::With, bench::ReferenceDay).Loaded);
        std::size_t written = 0;
        WriteListFile(store.Lines(), [&written](std::string_view piece) {
            written += piece.size();
            return true;
        });
        benchmark::DoNotOptimize(written);
    }
}
BENCHMARK(BM_ImportLoadSortWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
