// Any bytes as a package (.cfp) index.
//
// Properties:
// - a refused package gives a reason and no entries;
// - an accepted one names clean relative paths only: each passes PackagePathProblem, has no
//   empty, "." or ".." component and no control character;
// - its files lie back to back inside the bytes and end exactly at their end;
// - written again with EncodePackage, it reads back as the same files.

#include "FuzzCheck.h"

#include "model/PackageIndex.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace agendrix;

namespace {

void CheckEntry(const PackageEntry& entry)
{
    FUZZ_CHECK(PackagePathProblem(entry.StoredPath).empty());
    FUZZ_CHECK(!entry.Components.empty());
    for (const std::string& component : entry.Components) {
        FUZZ_CHECK(!component.empty() && component != "." && component != "..");
        for (const char c : component)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F && c != '\\' && c != '/');
    }
}

void CheckRoundTrip(std::string_view bytes, const PackageIndex& index)
{
    std::vector<PackageFile> files;
    for (const PackageEntry& entry : index.Entries)
        files.push_back({ entry.StoredPath, std::string(bytes.substr(entry.Offset, entry.Size)) });
    const std::string again = EncodePackage(index.Source, index.Name, files);
    const PackageReading reread = ReadPackageIndex(again);
    FUZZ_CHECK(reread.Valid);
    FUZZ_CHECK(reread.Index.Entries.size() == files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const PackageEntry& entry = reread.Index.Entries[i];
        FUZZ_CHECK(entry.StoredPath == files[i].StoredPath);
        FUZZ_CHECK(std::string_view(again).substr(entry.Offset, entry.Size) == files[i].Contents);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PackageReading reading = ReadPackageIndex(bytes);
    if (!reading.Valid) {
        FUZZ_CHECK(!reading.Problem.empty());
        FUZZ_CHECK(reading.Index.Entries.empty());
        return 0;
    }
    FUZZ_CHECK(reading.Index.Entries.size() <= MaxPackageEntries);
    std::uint64_t end = size - reading.Index.DataSize;
    for (const PackageEntry& entry : reading.Index.Entries) {
        CheckEntry(entry);
        FUZZ_CHECK(entry.Offset == end);
        end += entry.Size;
    }
    FUZZ_CHECK(end == size);
    CheckRoundTrip(bytes, reading.Index);
    return 0;
}
