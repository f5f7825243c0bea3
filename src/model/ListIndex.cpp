#include "ListIndex.h"

#include "TaskLine.h"
#include "Windows1252.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>

namespace agendrix {

namespace {
    constexpr std::size_t TopTaskCount = 5;

    std::string WithoutLastFour(std::string_view name)
    {
        return std::string(name.substr(0, name.size() >= 4 ? name.size() - 4 : 0));
    }

    bool EndsWithIgnoringCase(std::string_view name, std::string_view ending)
    {
        return name.size() >= ending.size()
            && std::equal(ending.begin(), ending.end(),
                name.end() - static_cast<std::ptrdiff_t>(ending.size()), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a))
                        == std::tolower(static_cast<unsigned char>(b));
                });
    }

    // A file's name as a description holds it (Windows-1252), without its last four characters.
    std::string Described(std::string_view name)
    {
        return WithoutTabs(Utf8ToWindows1252(WithoutLastFour(name)).bytes);
    }

    std::string Padded(std::size_t number, std::size_t digits)
    {
        std::string text = std::to_string(number);
        return std::string(digits > text.size() ? digits - text.size() : 0, '0') + text;
    }

    struct FolderEntry {
        std::string Name;
        struct stat Info;
    };

    // The regular files of a folder with their status; false with errno set when the folder
    // cannot be read.
    bool RegularFiles(const std::string& folder, std::vector<FolderEntry>& files)
    {
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (dir == nullptr)
            return false;
        while (const dirent* entry = ::readdir(dir)) {
            FolderEntry file { entry->d_name, {} };
            if (::stat((folder + file.Name).c_str(), &file.Info) == 0 && S_ISREG(file.Info.st_mode))
                files.push_back(std::move(file));
        }
        ::closedir(dir);
        return true;
    }

    // The first lines of a file, at most `count`, each with its line end.
    bool ReadFirstLines(const std::string& path, std::size_t count, std::string& start)
    {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return false;
        std::string line;
        for (std::size_t i = 0; i < count && std::getline(file, line); ++i)
            start += line + '\n';
        return !file.bad();
    }
} // namespace

std::string LocalMinuteKey(std::time_t time)
{
    std::tm local {};
    ::localtime_r(&time, &local);
    char key[64];
    std::snprintf(key, sizeof key, "%04d%02d%02d%02d%02d", (local.tm_year + 1900) % 10000, local.tm_mon + 1,
        local.tm_mday, local.tm_hour, local.tm_min);
    return key;
}

std::vector<std::string> IndexLines(
    std::vector<IndexedList> lists, std::string_view folder, IndexNumbers numbers)
{
    std::sort(lists.begin(), lists.end(), [](const IndexedList& a, const IndexedList& b) {
        return a.ModifiedKey != b.ModifiedKey ? a.ModifiedKey > b.ModifiedKey : a.Name > b.Name;
    });
    const std::size_t digits = std::to_string(lists.size()).size();
    std::vector<std::string> lines;
    lines.reserve(lists.size());
    for (std::size_t age = 0; age < lists.size(); ++age) {
        const IndexedList& list = lists[age];
        TaskFields fields;
        fields.Code = TwoDigitCode(static_cast<int>(std::min<std::size_t>(age + 2, CodeUnprioritized)));
        fields.Description = (numbers == IndexNumbers::On ? Padded(age, digits) + " - " : std::string())
            + Described(list.Name);
        fields.Information = list.TopTasks;
        fields.Date = list.ModifiedKey.substr(0, 8);
        fields.DaysToComplete = "3";
        fields.File = WithoutTabs(PathToFileText(std::string(folder) + list.Name));
        lines.push_back(BuildTaskLine(fields));
    }
    return lines;
}

std::string TopTasksOf(std::string_view start)
{
    std::string joined;
    std::size_t taken = 0;
    const std::vector<std::string_view> lines = SplitLines(start);
    for (std::size_t i = 1; i < lines.size() && taken < TopTaskCount; ++i, ++taken) {
        const std::string_view rest = lines[i].substr(std::min<std::size_t>(3, lines[i].size()));
        if (taken > 0)
            joined += Pilcrow;
        joined += rest.substr(0, rest.find('\t'));
    }
    // A file that is no list may hold any bytes: none of them may break the index's own lines.
    std::replace_if(
        joined.begin(), joined.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return joined;
}

ListIndexRead ReadListIndex(const std::string& folder, IndexNumbers numbers, IndexTopTasks topTasks)
{
    ListIndexRead read;
    std::vector<FolderEntry> files;
    if (!RegularFiles(folder, files)) {
        read.Unreadable.push_back(FileError {
            folder, errno, "Could not read the folder \"" + folder + "\": " + std::strerror(errno) + "." });
        return read;
    }
    std::vector<IndexedList> lists;
    for (const FolderEntry& file : files) {
        if (!EndsWithIgnoringCase(file.Name, ".agl"))
            continue;
        IndexedList list { file.Name, LocalMinuteKey(file.Info.st_mtime), {} };
        std::string start;
        if (topTasks == IndexTopTasks::On && !ReadFirstLines(folder + file.Name, TopTaskCount + 1, start)) {
            const int error = errno != 0 ? errno : EIO;
            read.Unreadable.push_back(FileError { folder + file.Name, error,
                "Could not read \"" + folder + file.Name + "\": " + std::strerror(error) + "." });
            continue;
        }
        list.TopTasks = TopTasksOf(start);
        lists.push_back(std::move(list));
    }
    read.Lines = IndexLines(std::move(lists), folder, numbers);
    return read;
}

std::vector<std::string> DirectoryLines(const std::vector<ListedFile>& files, std::string_view folder,
    const std::function<std::string(std::time_t)>& dateTimeText)
{
    std::vector<std::string> lines;
    lines.reserve(files.size());
    for (const ListedFile& file : files) {
        TaskFields fields;
        fields.Description = Described(file.Name);
        fields.Information = "Size: " + std::to_string(file.Size) + " bytes" + Pilcrow
            + "Date last modified: " + WithoutTabs(Utf8ToWindows1252(dateTimeText(file.Modified)).bytes);
        fields.Date = LocalMinuteKey(file.Modified).substr(0, 8);
        fields.DaysToComplete = "3";
        fields.File = WithoutTabs(PathToFileText(std::string(folder) + file.Name));
        lines.push_back(BuildTaskLine(fields));
    }
    return lines;
}

std::vector<ListedFile> FilesOfType(const std::string& folder, std::string_view extension)
{
    std::vector<FolderEntry> entries;
    RegularFiles(folder, entries);
    std::vector<ListedFile> files;
    for (const FolderEntry& entry : entries) {
        const std::size_t dot = entry.Name.rfind('.');
        const bool matches = extension.empty() ? dot == std::string::npos || dot == 0
                                               : dot != std::string::npos && dot > 0
                && EndsWithIgnoringCase(entry.Name, "." + std::string(extension))
                && entry.Name.size() - dot - 1 == extension.size();
        if (matches)
            files.push_back(ListedFile {
                entry.Name, static_cast<std::uintmax_t>(entry.Info.st_size), entry.Info.st_mtime });
    }
    std::sort(
        files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) { return a.Name < b.Name; });
    return files;
}

} // namespace agendrix
