#pragma once

#include "PackageIndex.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

enum class ExtractionState {
    Working, // more files to write
    Finished, // every file written and the package deleted
    Cancelled, // stopped between two files; the package stays for the next start
    Rejected, // refused before anything was written, and renamed with RejectedSuffix
    Failed, // a file could not be written; the package stays
};

inline constexpr const char* RejectedSuffix = ".rejected";

// Unpacks one package into the program folder a slice at a time, so that a window can show
// its progress between slices without running an event loop of its own.
//
// Nothing is written before the whole index has been checked (ReadPackageIndex) and every
// path has been walked on disk: a folder of a path that is a symbolic link or not a folder, or
// a file that is a link or not a regular file, refuses the package. Folders are then opened
// one by one from the program folder's descriptor with O_NOFOLLOW, so that no link, even one
// planted meanwhile, is ever followed, and each file is written to a temporary name beside its
// place and renamed into it.
class PackageExtraction {
public:
    PackageExtraction(std::string programFolder, std::string packagePath);
    ~PackageExtraction();
    PackageExtraction(const PackageExtraction&) = delete;
    PackageExtraction& operator=(const PackageExtraction&) = delete;

    // Writes up to about `byteBudget` bytes (at least one file boundary's worth of progress).
    ExtractionState Continue(std::size_t byteBudget);
    // Stops at the next boundary between two files; what was written stays.
    void Cancel() { CancelAsked = true; }

    ExtractionState State() const { return Now; }
    const PackageIndex& Index() const { return Reading.Index; }
    const std::string& PackagePath() const { return Package; }
    // The file being written: Index().Entries.size() once all are written.
    std::size_t CurrentFile() const { return Current; }
    std::uint64_t CurrentFileWritten() const { return Written; }
    // For Rejected and Failed: one sentence for the user that names the package and the reason.
    const std::string& Message() const { return Problem; }

private:
    bool MapPackage();
    void Reject(const std::string& reason);
    void Fail(const std::string& what, int errorNumber);
    void Fail(const std::string& reason);
    std::string CheckOnDisk() const;
    bool StartFile();
    bool CopyOut(std::uint64_t offset, std::size_t size);
    bool WriteSome(std::size_t& budget);
    bool FinishFile();
    void Finish();
    void CloseFile();

    std::string Folder;
    std::string Package;
    std::string_view Bytes; // the package, mapped
    PackageReading Reading;
    ExtractionState Now = ExtractionState::Working;
    std::string Problem;
    bool CancelAsked = false;
    int PackageFd = -1;
    int RootFd = -1;
    int FolderFd = -1; // the folder of the file being written
    int FileFd = -1;
    std::string TemporaryName;
    std::string FinalName;
    std::size_t Current = 0;
    std::uint64_t Written = 0;
};

// The packages waiting in the program folder: its regular files named "*.cfp" ignoring case,
// sorted by name.
std::vector<std::string> ListPackages(const std::string& programFolder);

// The file name of a path, for messages.
std::string PackageFileName(const std::string& path);

} // namespace agendrix
