#include "PackageExtraction.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace agendrix {

namespace {

    // One write call at most this large, so that a slice's budget is kept closely.
    constexpr std::size_t LargestWrite = 8 << 20;

    bool SameIgnoringCase(std::string_view a, std::string_view b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
            const auto lower
                = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
            return lower(x) == lower(y);
        });
    }

    // The entry of the folder `folderFd` that `name` means: itself when it exists, else one that
    // differs only in letter case, else `name` (to be created).
    std::string ExistingName(int folderFd, const std::string& name)
    {
        struct stat status { };
        if (fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
            return name;
        const int listFd = openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR* folder = listFd < 0 ? nullptr : fdopendir(listFd);
        if (!folder) {
            if (listFd >= 0)
                close(listFd);
            return name;
        }
        std::string found = name;
        while (const dirent* entry = readdir(folder)) {
            if (SameIgnoringCase(entry->d_name, name)) {
                found = entry->d_name;
                break;
            }
        }
        closedir(folder);
        return found;
    }

    int OpenSubfolder(int folderFd, const std::string& name)
    {
        return openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }

    void CloseIfOpen(int& fd)
    {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }

    std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

    // Why the entry `name` of `folderFd` cannot be written through or over, or nothing when it
    // is missing or of the kind wanted.
    std::string KindProblem(int folderFd, const std::string& name, const std::string& path, bool wantFolder)
    {
        struct stat status { };
        if (fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT
                ? std::string()
                : "the path " + Quoted(path) + " cannot be checked: " + std::strerror(errno) + ".";
        if (S_ISLNK(status.st_mode))
            return "the path " + Quoted(path) + " leads through the symbolic link " + Quoted(name)
                + ", and a package never writes through a link.";
        if (wantFolder ? !S_ISDIR(status.st_mode) : !S_ISREG(status.st_mode))
            return "the path " + Quoted(path) + " needs " + Quoted(name) + " to be a "
                + (wantFolder ? "folder" : "regular file") + ", and it is not.";
        return {};
    }

    std::string PathProblemOnDisk(int rootFd, const PackageEntry& entry)
    {
        int folderFd = dup(rootFd);
        std::string problem;
        for (std::size_t i = 0; folderFd >= 0 && problem.empty(); ++i) {
            const bool isFolder = i + 1 < entry.Components.size();
            const std::string name = ExistingName(folderFd, entry.Components[i]);
            problem = KindProblem(folderFd, name, entry.StoredPath, isFolder);
            if (!isFolder || !problem.empty())
                break;
            const int next = OpenSubfolder(folderFd, name);
            close(folderFd);
            folderFd = next; // missing: nothing further can be in the way
        }
        CloseIfOpen(folderFd);
        return problem;
    }

    bool WriteAll(int fd, const char* data, std::size_t size)
    {
        while (size > 0) {
            const ssize_t written = write(fd, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

} // namespace

std::string PackageFileName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

PackageExtraction::PackageExtraction(std::string programFolder, std::string packagePath)
    : Folder(std::move(programFolder))
    , Package(std::move(packagePath))
{
    if (!MapPackage())
        return;
    Reading = ReadPackageIndex(Bytes);
    RootFd = open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!Reading.Valid)
        Reject(Reading.Problem);
    else if (RootFd < 0)
        Fail("the program folder " + Quoted(Folder) + " cannot be opened", errno);
    else if (const std::string problem = CheckOnDisk(); !problem.empty())
        Reject(problem);
}

PackageExtraction::~PackageExtraction()
{
    CloseFile();
    CloseIfOpen(RootFd);
    CloseIfOpen(PackageFd);
    if (!Bytes.empty())
        munmap(const_cast<char*>(Bytes.data()), Bytes.size());
}

// The package is mapped rather than read: its files go from the page cache to their targets
// without a copy of the whole package in memory first.
bool PackageExtraction::MapPackage()
{
    int fd = open(Package.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    struct stat status { };
    if (fd < 0 || fstat(fd, &status) != 0) {
        Fail("the package cannot be read", errno);
        CloseIfOpen(fd);
        return false;
    }
    void* mapped = MAP_FAILED;
    if (S_ISREG(status.st_mode) && status.st_size > 0)
        mapped = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    const int error = errno;
    PackageFd = fd;
    if (!S_ISREG(status.st_mode)) {
        Fail("it is not a regular file.");
        return false;
    }
    if (status.st_size == 0)
        return true;
    if (mapped == MAP_FAILED) {
        Fail("the package cannot be read", error);
        return false;
    }
    madvise(mapped, static_cast<std::size_t>(status.st_size), MADV_SEQUENTIAL);
    Bytes = std::string_view(static_cast<const char*>(mapped), static_cast<std::size_t>(status.st_size));
    return true;
}

std::string PackageExtraction::CheckOnDisk() const
{
    for (const PackageEntry& entry : Reading.Index.Entries)
        if (std::string problem = PathProblemOnDisk(RootFd, entry); !problem.empty())
            return problem;
    return {};
}

void PackageExtraction::Reject(const std::string& reason)
{
    Now = ExtractionState::Rejected;
    Reading.Index.Entries.clear();
    const std::string name = PackageFileName(Package);
    Problem = "The package " + Quoted(name) + " was refused and renamed to " + Quoted(name + RejectedSuffix)
        + ": " + reason;
    if (rename(Package.c_str(), (Package + RejectedSuffix).c_str()) != 0)
        Problem += " It could not be renamed (" + std::string(std::strerror(errno)) + ").";
}

void PackageExtraction::Fail(const std::string& what, int errorNumber)
{
    Fail(what + ": " + std::strerror(errorNumber) + ".");
}

void PackageExtraction::Fail(const std::string& reason)
{
    CloseFile();
    Now = ExtractionState::Failed;
    Problem = "The package " + Quoted(PackageFileName(Package)) + " could not be extracted: " + reason
        + " It stays in the program folder for the next start.";
}

ExtractionState PackageExtraction::Continue(std::size_t byteBudget)
{
    while (Now == ExtractionState::Working) {
        if (FileFd < 0) {
            if (Current == Reading.Index.Entries.size()) {
                Finish();
                break;
            }
            if (CancelAsked) {
                Now = ExtractionState::Cancelled;
                break;
            }
            if (!StartFile())
                break;
        }
        if (!WriteSome(byteBudget) || Written < Reading.Index.Entries[Current].Size)
            break;
        if (!FinishFile() || byteBudget == 0)
            break;
    }
    return Now;
}

bool PackageExtraction::StartFile()
{
    const PackageEntry& entry = Reading.Index.Entries[Current];
    FolderFd = dup(RootFd);
    for (std::size_t i = 0; FolderFd >= 0 && i + 1 < entry.Components.size(); ++i) {
        const std::string name = ExistingName(FolderFd, entry.Components[i]);
        int next = OpenSubfolder(FolderFd, name);
        if (next < 0 && errno == ENOENT && (mkdirat(FolderFd, name.c_str(), 0777) == 0 || errno == EEXIST))
            next = OpenSubfolder(FolderFd, name);
        const int error = errno;
        close(FolderFd);
        FolderFd = next;
        errno = error;
    }
    if (FolderFd < 0) {
        Fail("the folder of " + Quoted(entry.StoredPath) + " cannot be opened", errno);
        return false;
    }
    FinalName = ExistingName(FolderFd, entry.Components.back());
    TemporaryName = ".agendrix-" + std::to_string(getpid()) + "-" + std::to_string(Current) + ".part";
    constexpr int Flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    FileFd = openat(FolderFd, TemporaryName.c_str(), Flags, 0666);
    if (FileFd < 0 && errno == EEXIST && unlinkat(FolderFd, TemporaryName.c_str(), 0) == 0)
        FileFd = openat(FolderFd, TemporaryName.c_str(), Flags, 0666);
    if (FileFd < 0) {
        Fail("the file " + Quoted(entry.StoredPath) + " cannot be created", errno);
        return false;
    }
    return true;
}

// The kernel copies between the two files where it can, without the bytes passing through this
// process; elsewhere they are written from the mapped package.
bool PackageExtraction::CopyOut(std::uint64_t offset, std::size_t size)
{
    auto from = static_cast<off_t>(offset);
    while (size > 0 && PackageFd >= 0) {
        const ssize_t copied = copy_file_range(PackageFd, &from, FileFd, nullptr, size, 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            break;
        if (copied <= 0)
            return false;
        size -= static_cast<std::size_t>(copied);
    }
    return WriteAll(FileFd, Bytes.data() + from, size);
}

bool PackageExtraction::WriteSome(std::size_t& budget)
{
    const PackageEntry& entry = Reading.Index.Entries[Current];
    while (Written < entry.Size && budget > 0) {
        const std::size_t size
            = std::min({ budget, LargestWrite, static_cast<std::size_t>(entry.Size - Written) });
        if (!CopyOut(entry.Offset + Written, size)) {
            Fail("the file " + Quoted(entry.StoredPath) + " cannot be written", errno);
            return false;
        }
        Written += size;
        budget -= size;
    }
    return true;
}

bool PackageExtraction::FinishFile()
{
    const PackageEntry& entry = Reading.Index.Entries[Current];
    const int fd = FileFd;
    FileFd = -1;
    if (close(fd) != 0) {
        Fail("the file " + Quoted(entry.StoredPath) + " cannot be written", errno);
        return false;
    }
    // Checked again: a link planted since the package was checked is refused, not replaced.
    if (const std::string problem = KindProblem(FolderFd, FinalName, entry.StoredPath, false);
        !problem.empty()) {
        Fail(problem);
        return false;
    }
    if (renameat(FolderFd, TemporaryName.c_str(), FolderFd, FinalName.c_str()) != 0) {
        Fail("the file " + Quoted(entry.StoredPath) + " cannot take its place", errno);
        return false;
    }
    TemporaryName.clear();
    CloseIfOpen(FolderFd);
    ++Current;
    Written = 0;
    return true;
}

void PackageExtraction::Finish()
{
    // The package is the only copy of what was written: the files reach the disk before it goes.
    syncfs(RootFd);
    if (unlink(Package.c_str()) != 0 && errno != ENOENT)
        Fail("the package cannot be deleted", errno);
    else
        Now = ExtractionState::Finished;
}

void PackageExtraction::CloseFile()
{
    CloseIfOpen(FileFd);
    if (!TemporaryName.empty() && FolderFd >= 0)
        unlinkat(FolderFd, TemporaryName.c_str(), 0);
    TemporaryName.clear();
    CloseIfOpen(FolderFd);
}

std::vector<std::string> ListPackages(const std::string& programFolder)
{
    std::vector<std::string> packages;
    DIR* folder = opendir(programFolder.c_str());
    if (!folder)
        return packages;
    while (const dirent* entry = readdir(folder)) {
        const std::string_view name = entry->d_name;
        struct stat status { };
        if (name.size() > 4 && SameIgnoringCase(name.substr(name.size() - 4), ".cfp")
            && fstatat(dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(status.st_mode))
            packages.push_back(programFolder + "/" + std::string(name));
    }
    closedir(folder);
    std::sort(packages.begin(), packages.end());
    return packages;
}

} // namespace agendrix
