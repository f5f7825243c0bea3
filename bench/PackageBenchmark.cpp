// Extraction of a 50 MB package of 1,000 files (in 20 folders of 50 files) into an empty program
// folder, as start-up and `agendrix-cli unpack` do it: reading the package, checking its index
// and the paths on disk, writing each file to a temporary name and renaming it, syncing the file
// system and deleting the package. Budget: at least 200 MB/s.
//
// The program folder is made under $TMPDIR (else /tmp); give TMPDIR a folder on the disk the
// program folder lives on to measure that disk.

#include "model/PackageExtraction.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace agendrix;
namespace fs = std::filesystem;

constexpr std::size_t FileCount = 1'000;
constexpr std::size_t PackageBytes = 50 << 20;

std::string MakePackage()
{
    std::vector<PackageFile> files;
    for (std::size_t i = 0; i < FileCount; ++i) {
        std::string contents(PackageBytes / FileCount, '\0');
        for (std::size_t j = 0; j < contents.size(); ++j)
            contents[j] = static_cast<char>((i * 131 + j * 7) & 0xFF);
        files.push_back({ "Skins\\Set" + std::to_string(i / 50) + "\\file" + std::to_string(i) + ".bmp",
            std::move(contents) });
    }
    return EncodePackage("Benchmark", "Fifty megabytes", files);
}

fs::path Scratch()
{
    const char* tmp = std::getenv("TMPDIR");
    fs::path root
        = fs::path(tmp && *tmp ? tmp : "/tmp") / ("agendrix-package-bench-" + std::to_string(getpid()));
    fs::remove_all(root);
    return root;
}

void ExtractFiftyMegabytes(benchmark::State& state)
{
    const std::string package = MakePackage();
    const fs::path root = Scratch();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(root);
        fs::create_directories(root);
        std::ofstream(root / "bench.cfp", std::ios::binary)
            .write(package.data(), std::streamsize(package.size()));
        state.ResumeTiming();
        PackageExtraction extraction(root.string(), (root / "bench.cfp").string());
        while (extraction.Continue(4 << 20) == ExtractionState::Working) { }
        if (extraction.State() != ExtractionState::Finished)
            state.SkipWithError(extraction.Message().c_str());
    }
    fs::remove_all(root);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * package.size()));
}

BENCHMARK(ExtractFiftyMegabytes)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
