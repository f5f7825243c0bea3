#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// A package (".cfp") brings add-ons such as skins into the program folder. Its layout, all
// texts single-byte and each field ended by a Tab:
//   source name, package name, an unused field;
//   for each file: its size in bytes as decimal digits, then its path relative to the program
//   folder with folders separated by "\";
//   one byte 0 where the next file's size would begin;
//   the files' bytes in the order of the index, back to back.

// Limits that keep a hostile index from costing much memory or time before it is refused.
inline constexpr std::size_t MaxPackageEntries = 10'000;
inline constexpr std::size_t MaxPackagePathLength = 1'024; // bytes, as stored
inline constexpr std::size_t MaxPackageNameLength = 255; // bytes of one folder or file name
inline constexpr std::size_t MaxPackageHeaderField = 1'024; // bytes

struct PackageEntry {
    std::string StoredPath; // as the package spells it, with "\"
    std::vector<std::string> Components; // folders, then the file name
    std::uint64_t Offset = 0; // of the file's bytes from the start of the package
    std::uint64_t Size = 0;
};

struct PackageIndex {
    std::string Source;
    std::string Name;
    std::vector<PackageEntry> Entries;
    std::uint64_t DataSize = 0; // the sum of the entries' sizes
};

struct PackageReading {
    bool Valid = false;
    PackageIndex Index; // complete only when Valid
    std::string Problem; // why the package is refused, one sentence without the package's name
};

// Reads and checks the whole header and index of a package, and that the data holds exactly
// the files the index names. A valid index names only relative paths of non-empty components,
// none of them "." or "..", none holding a control character or a drive, no two the same
// ignoring case, and no file where another file needs a folder.
PackageReading ReadPackageIndex(std::string_view bytes);

struct PackageFile {
    std::string StoredPath; // with "\" between folders
    std::string Contents;
};

// The bytes of a package holding `files` in their order. The texts may not hold a Tab, and
// the paths must be ones ReadPackageIndex accepts; the caller checks them.
std::string EncodePackage(
    std::string_view source, std::string_view name, const std::vector<PackageFile>& files);

// "skins\Blue" for "skins/Blue": how a path given on a command line is stored.
std::string StoredPackagePath(std::string_view path);

// The problem with one stored path, or an empty text when it is a clean relative path.
std::string PackagePathProblem(std::string_view storedPath);

} // namespace agendrix
