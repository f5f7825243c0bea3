// Benchmarks of the model on a generated 100,000-task list:
// - the date logic on a freshly loaded list (every code recomputed, the list re-sorted), and
//   again when nothing changed (the redisplay case: it must not redo the work);
// - loading (sorting) the lines into the store, parsing the file and encoding it;
// - the whole of `agendrix-cli assess` in memory: parse, load, assess, encode.

#include "ListGenerator.h"

#include "model/DateLogic.h"
#include "model/ListFile.h"
#include "model/TaskStore.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace agendrix;

constexpr DateTime Now { bench::ReferenceDay, 12 * 3600 };
constexpr int DaysPerLevel = 3;

const std::vector<std::string>& GeneratedLines()
{
    static const std::vector<std::string> lines = bench::GenerateTaskLines(bench::ListShape {});
    return lines;
}

const std::string& GeneratedFile()
{
    static const std::string bytes = EncodeListFile(GeneratedLines());
    return bytes;
}

std::int64_t FileBytes(const std::vector<std::string>& lines)
{
    std::int64_t bytes = 0;
    for (const std::string& line : lines)
        bytes += static_cast<std::int64_t>(line.size()) + 2;
    return bytes;
}

void SetThroughput(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(GeneratedLines().size()));
    state.SetBytesProcessed(state.iterations() * FileBytes(GeneratedLines()));
}

// The first assessment after a load: every date-based code is worked out, the changed lines
// sorted and merged back.
void BM_AssessFreshList(benchmark::State& state)
{
    TaskStore store;
    for (auto _ : state) {
        state.PauseTiming();
        store.Load(GeneratedLines());
        state.ResumeTiming();
        if (AssessDateItems(store, Now, DaysPerLevel) != Assessment::Recomputed) {
            state.SkipWithError("the date logic did not run on a freshly loaded list");
            break;
        }
        benchmark::DoNotOptimize(store.Line(0).data());
    }
    SetThroughput(state);
}
BENCHMARK(BM_AssessFreshList)->Unit(benchmark::kMillisecond);

// A redisplay with neither the list nor the day changed: must cost next to nothing (the budget
// for redisplaying the rows is 1 ms in all).
void BM_AssessUnchanged(benchmark::State& state)
{
    TaskStore store;
    store.Load(GeneratedLines());
    AssessDateItems(store, Now, DaysPerLevel);
    for (auto _ : state) {
        const Assessment result = AssessDateItems(store, Now, DaysPerLevel);
        benchmark::DoNotOptimize(result);
        if (result != Assessment::Unchanged) {
            state.SkipWithError("the date logic ran again though nothing changed");
            break;
        }
    }
}
BENCHMARK(BM_AssessUnchanged)->Unit(benchmark::kNanosecond);

// The same day at another time: the key still matches, so this too returns at once.
void BM_AssessLaterSameDay(benchmark::State& state)
{
    TaskStore store;
    store.Load(GeneratedLines());
    AssessDateItems(store, Now, DaysPerLevel);
    const DateTime evening { bench::ReferenceDay, 20 * 3600 };
    for (auto _ : state)
        benchmark::DoNotOptimize(AssessDateItems(store, evening, DaysPerLevel));
}
BENCHMARK(BM_AssessLaterSameDay)->Unit(benchmark::kNanosecond);

// Loading the lines into the store, which sorts them.
void BM_LoadStore(benchmark::State& state)
{
    TaskStore store;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> lines = GeneratedLines();
        state.ResumeTiming();
        store.Load(std::move(lines));
        benchmark::DoNotOptimize(store.Line(0).data());
    }
    SetThroughput(state);
}
BENCHMARK(BM_LoadStore)->Unit(benchmark::kMillisecond);

void BM_ParseListFile(benchmark::State& state)
{
    const std::string& bytes = GeneratedFile();
    for (auto _ : state) {
        ParsedList parsed = ParseListFile(bytes, bench::ReferenceDay);
        benchmark::DoNotOptimize(parsed.Loaded.Handles.data());
    }
    SetThroughput(state);
}
BENCHMARK(BM_ParseListFile)->Unit(benchmark::kMillisecond);

void BM_EncodeListFile(benchmark::State& state)
{
    TaskStore store;
    store.Load(GeneratedLines());
    AssessDateItems(store, Now, DaysPerLevel);
    for (auto _ : state) {
        std::string bytes = EncodeListFile(store.Lines());
        benchmark::DoNotOptimize(bytes.data());
    }
    SetThroughput(state);
}
BENCHMARK(BM_EncodeListFile)->Unit(benchmark::kMillisecond);

// What `agendrix-cli assess` does between reading and writing the file.
void BM_ParseLoadAssessEncode(benchmark::State& state)
{
    const std::string& bytes = GeneratedFile();
    for (auto _ : state) {
        TaskStore store;
        store.Load(ParseListFile(bytes, bench::ReferenceDay).Loaded);
        AssessDateItems(store, Now, DaysPerLevel);
        std::string out = EncodeListFile(store.Lines());
        benchmark::DoNotOptimize(out.data());
    }
    SetThroughput(state);
}
BENCHMARK(BM_ParseLoadAssessEncode)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
