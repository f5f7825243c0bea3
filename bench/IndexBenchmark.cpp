// The list index of a folder of 1,000 lists of 50 tasks each, with each list's first five tasks
// (ShowTop5): the folder is read, every list's first six lines, and the index lines are built.
// Budget: under 100 ms.
#include "ListGenerator.h"

#include "model/FileAccess.h"
#include "model/ListIndex.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace agendrix;

constexpr int ListCount = 1000;
constexpr std::size_t TasksPerList = 50;

// A folder of lists made once for the whole run, removed at exit.
const std::string& ListFolder()
{
    static const std::string folder = [] {
        std::string path = (std::filesystem::temp_directory_path() / "agendrix-index-bench.XXXXXX").string();
        if (::mkdtemp(path.data()) == nullptr)
            std::abort();
        bench::ListShape shape;
        shape.Count = TasksPerList;
        const std::string list = bench::GenerateListFile(shape);
        for (int i = 0; i < ListCount; ++i)
            SaveFileAtomically(path + "/list" + std::to_string(i) + ".agl", list);
        std::atexit([] { std::filesystem::remove_all(ListFolder()); });
        return path + "/";
    }();
    return folder;
}

void BM_ListIndexOfAThousandLists(benchmark::State& state)
{
    const std::string& folder = ListFolder();
    for (auto _ : state) {
        const ListIndexRead read = ReadListIndex(folder, IndexNumbers::On, IndexTopTasks::On);
        if (read.Lines.size() != ListCount)
            return state.SkipWithError("the index lacks lists");
        benchmark::DoNotOptimize(read.Lines.data());
    }
}
BENCHMARK(BM_ListIndexOfAThousandLists)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
