#pragma once

// Makes large, realistic task lists for the benchmarks: the same seed always gives the same
// bytes, on every platform and with every standard library.

#include "model/CivilDate.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace agendrix::bench {

inline constexpr std::size_t DefaultTaskCount = 100000;
inline constexpr std::uint64_t DefaultSeed = 1;
// The day the generated due dates are spread around; the benchmarks assess the list on it.
inline constexpr CivilDate ReferenceDay { 2026, 12, 6 };

struct ListShape {
    std::size_t Count = DefaultTaskCount;
    std::uint64_t Seed = DefaultSeed;
    CivilDate Today = ReferenceDay;
};

// The task lines in file order (not sorted), as Windows-1252 bytes:
// - about a third date-based, of all three day kinds, due from half a year before Today to a
//   year after it, carrying stale codes "00" to "08";
// - the rest spread over the codes "01" to "10", the completed ones with the date prefix;
// - descriptions and information texts with accented letters, information texts with "¶"
//   line breaks, some associated file paths. Every line fits in 1024 bytes.
std::vector<std::string> GenerateTaskLines(const ListShape& shape);

// The whole list file: "Format: 5.0.0" and the lines, each ended by CR LF.
std::string GenerateListFile(const ListShape& shape);

} // namespace agendrix::bench
