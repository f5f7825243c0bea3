// Benchmarks of the model on a generated 100,000-task list:
// - the date logic on a freshly loaded list (every code recomputed, the list sorted) and on a
//   sorted one (the changed lines sorted and merged back), and again when nothing changed (the
//   redisplay case: it must not redo the work);
// - loading (sorting) the lines into the store, parsing the file and encoding it, whole or in
//   the pieces a save writes;
// - the whole of `agendrix-cli assess` in memory: parse, load, assess, write the pieces.

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

enum class LoadedOrder { AsInTheFile, Sorted };

// Times assessments of the list just loaded, sorted first (outside the timing) or not.
void AssessLoadedList(benchmark::State& state, LoadedOrder order)
{
    TaskStore store;
    for (auto _ : state) {
        state.PauseTiming();
        store.Load(GeneratedLines());
        if (order == LoadedOrder::Sorted)
            benchmark::DoNotOptimize(store.Line(0).data());
        state.ResumeTiming();
        if (AssessDateItems(store, Now, DaysPerLevel) != Assessment::Recomputed) {
            state.SkipWithError("the date logic did not run on a freshly loaded list");
            break;
        }
        benchmark::DoNotOptimize(store.Line(0).data());
    }
    SetThroughput(state);
}

// The first assessment after a load, as a list is first shown: every date-based code is worked
// out on the lines as they lie in the file, then the list is sorted once, by its first read (the
// load leaves it unsorted until then).
void BM_AssessFreshList(benchmark::State& state) { AssessLoadedList(state, LoadedOrder::AsInTheFile); }
BENCHMARK(BM_AssessFreshList)->Unit(benchmark::kMillisecond);

// An assessment of a sorted list whose date-based codes all need work, as on a new day: the
// changed lines are sorted and merged back.
void BM_AssessSortedList(benchmark::State& state) { AssessLoadedList(state, LoadedOrder::Sorted); }
BENCHMARK(BM_AssessSortedList)->Unit(benchmark::kMillisecond);

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

// Loading the lines into the store and reading one, which sorts them.
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

// The pieces a save writes, handed to nothing.
void BM_WriteListFile(benchmark::State& state)
{
    TaskStore store;
    store.Load(GeneratedLines());
    AssessDateItems(store, Now, DaysPerLevel);
    for (auto _ : state) {
        std::size_t written = 0;
        WriteListFile(store.Lines(), [&written](std::string_view piece) {
            written += piece.size();
            return true;
        });
        benchmark::DoNotOptimize(written);
    }
    SetThroughput(state);
}
BENCHMARK(BM_WriteListFile)->Unit(benchmark::kMillisecond);

// What `agendrix-cli assess` does between reading and writing the file: the file is handed on a
// piece at a time, as a save does.
void BM_ParseLoadAssessEncode(benchmark::State& state)
{
    const std::string& bytes = GeneratedFile();
    for (auto _ : state) {
        TaskStore store;
        store.Load(ParseListFile(bytes, bench::ReferenceDay).Loaded);
        AssessDateItems(store, Now, DaysPerLevel);
        std::size_t written = 0;
        WriteListFile(store.Lines(), [&written](std::string_view piece) {
            written += piece.size();
            return true;
        });
        benchmark::DoNotOptimize(written);
    }
    SetThroughput(state);
}
BENCHMARK(BM_ParseLoadAssessEncode)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
