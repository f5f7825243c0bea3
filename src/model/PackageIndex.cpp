#include "PackageIndex.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_set>

namespace agendrix {

namespace {

    bool IsControl(char c)
    {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    }

    bool IsSeparator(char c) { return c == '\\' || c == '/'; }

    // The path as it can be shown in a message: control characters as "?", and cut when long.
    std::string Shown(std::string_view path)
    {
        constexpr std::size_t Longest = 80;
        std::string shown(path.substr(0, Longest));
        std::replace_if(shown.begin(), shown.end(), IsControl, '?');
        if (path.size() > Longest)
            shown += "...";
        return "\"" + shown + "\"";
    }

    std::string LowerAscii(std::string text)
    {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return text;
    }

    std::vector<std::string> SplitPath(std::string_view path)
    {
        std::vector<std::string> components;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= path.size(); ++i) {
            if (i == path.size() || IsSeparator(path[i])) {
                components.emplace_back(path.substr(start, i - start));
                start = i + 1;
            }
        }
        return components;
    }

    std::string ComponentProblem(std::string_view path, std::string_view component)
    {
        if (component.empty())
            return "the path " + Shown(path) + " has an empty folder name.";
        if (component == "." || component == "..")
            return "the path " + Shown(path) + " names the folder \"" + std::string(component)
                + "\": a package may only write beneath the program folder.";
        if (component.find(':') != std::string_view::npos)
            return "the path " + Shown(path) + " names a drive or holds a colon.";
        if (component.size() > MaxPackageNameLength)
            return "the path " + Shown(path) + " has a name longer than "
                + std::to_string(MaxPackageNameLength) + " bytes.";
        return {};
    }

    // Walks the bytes of a package, field by field.
    class IndexReader {
    public:
        explicit IndexReader(std::string_view bytes)
            : Bytes(bytes)
        {
        }

        PackageReading Read()
        {
            PackageReading reading;
            reading.Valid
                = ReadHeader(reading.Index) && ReadEntries(reading.Index) && CheckData(reading.Index);
            reading.Problem = Problem;
            if (!reading.Valid)
                reading.Index = {};
            return reading;
        }

    private:
        // The next field of at most `limit` bytes, without its Tab.
        std::optional<std::string_view> Field(std::size_t limit, std::string_view what)
        {
            const std::string_view rest = Bytes.substr(Position);
            const std::size_t tab = rest.substr(0, limit + 1).find('\t');
            if (tab == std::string_view::npos) {
                Problem = rest.size() <= limit
                    ? "it ends in the middle of " + std::string(what) + "."
                    : std::string(what) + " is longer than " + std::to_string(limit) + " bytes.";
                return std::nullopt;
            }
            Position += tab + 1;
            return rest.substr(0, tab);
        }

        bool ReadHeader(PackageIndex& index)
        {
            const auto source = Field(MaxPackageHeaderField, "the name of its source");
            const auto name = source ? Field(MaxPackageHeaderField, "its name") : std::nullopt;
            const auto unused
                = name ? Field(MaxPackageHeaderField, "the third field of its header") : std::nullopt;
            if (!unused)
                return false;
            index.Source = *source;
            index.Name = *name;
            return true;
        }

        bool ReadEntries(PackageIndex& index)
        {
            while (true) {
                if (Position >= Bytes.size()) {
                    Problem = "its index ends before the mark that closes it.";
                    return false;
                }
                if (Bytes[Position] == '\0') {
                    ++Position;
                    return true;
                }
                if (index.Entries.size() == MaxPackageEntries) {
                    Problem = "its index names more than " + std::to_string(MaxPackageEntries) + " files.";
                    return false;
                }
                if (!ReadEntry(index))
                    return false;
            }
        }

        bool ReadEntry(PackageIndex& index)
        {
            const std::string number = "file " + std::to_string(index.Entries.size() + 1);
            // 20 digits hold every 64-bit size; more cannot fit any file.
            const auto sizeText = Field(20, "the size of " + number);
            if (!sizeText)
                return false;
            std::uint64_t size = 0;
            const auto [end, error]
                = std::from_chars(sizeText->data(), sizeText->data() + sizeText->size(), size);
            if (sizeText->empty() || error != std::errc {} || end != sizeText->data() + sizeText->size()) {
                Problem = "the size of " + number + ", " + Shown(*sizeText) + ", is not a number of bytes.";
                return false;
            }
            const auto path = Field(MaxPackagePathLength, "the path of " + number);
            if (!path)
                return false;
            if (Problem = PackagePathProblem(*path); !Problem.empty())
                return false;
            // The total never passes the package's own size, so adding to it cannot overflow.
            if (size > Bytes.size() - index.DataSize) {
                Problem = "the size of " + Shown(*path) + ", " + std::to_string(size)
                    + " bytes, goes past the end of the package.";
                return false;
            }
            PackageEntry entry { std::string(*path), SplitPath(*path), index.DataSize, size };
            index.DataSize += size;
            if (!Unique(entry))
                return false;
            index.Entries.push_back(std::move(entry));
            return true;
        }

        // No two files with the same name ignoring case, and no file where a folder must be.
        bool Unique(const PackageEntry& entry)
        {
            std::string key;
            for (std::size_t i = 0; i + 1 < entry.Components.size(); ++i) {
                key += LowerAscii(entry.Components[i]);
                if (Files.contains(key)) {
                    Problem = "the path " + Shown(entry.StoredPath)
                        + " needs a folder where another file of the " + "package goes.";
                    return false;
                }
                Folders.insert(key);
                key += '/';
            }
            key += LowerAscii(entry.Components.back());
            if (Folders.contains(key) || !Files.insert(key).second) {
                Problem = "the path " + Shown(entry.StoredPath)
                    + " names a file or folder that the package names already (letter case aside).";
                return false;
            }
            return true;
        }

        bool CheckData(PackageIndex& index)
        {
            const std::uint64_t data = Bytes.size() - Position;
            if (index.DataSize > data) {
                const auto past = std::find_if(index.Entries.begin(), index.Entries.end(),
                    [&](const PackageEntry& entry) { return entry.Offset + entry.Size > data; });
                Problem = "the size of " + Shown(past->StoredPath) + ", " + std::to_string(past->Size)
                    + " bytes, goes past the end of the package.";
                return false;
            }
            if (index.DataSize < data) {
                Problem = "it holds " + std::to_string(data - index.DataSize)
                    + " bytes more than the files its index names.";
                return false;
            }
            for (PackageEntry& entry : index.Entries)
                entry.Offset += Position;
            return true;
        }

        std::string_view Bytes;
        std::size_t Position = 0;
        std::string Problem;
        std::unordered_set<std::string> Files;
        std::unordered_set<std::string> Folders;
    };

} // namespace

std::string PackagePathProblem(std::string_view storedPath)
{
    if (storedPath.empty())
        return "a path of its index is empty.";
    if (std::any_of(storedPath.begin(), storedPath.end(), IsControl))
        return "the path " + Shown(storedPath) + " holds a control character.";
    if (IsSeparator(storedPath.front()))
        return "the path " + Shown(storedPath)
            + " is absolute: a package may only write beneath the program "
              "folder.";
    if (storedPath.size() > MaxPackagePathLength)
        return "the path " + Shown(storedPath) + " is longer than " + std::to_string(MaxPackagePathLength)
            + " bytes.";
    for (const std::string& component : SplitPath(storedPath))
        if (std::string problem = ComponentProblem(storedPath, component); !problem.empty())
            return problem;
    return {};
}

PackageReading ReadPackageIndex(std::string_view bytes) { return IndexReader(bytes).Read(); }

std::string EncodePackage(
    std::string_view source, std::string_view name, const std::vector<PackageFile>& files)
{
    std::string bytes;
    std::size_t data = 0;
    for (const PackageFile& file : files)
        data += file.Contents.size();
    bytes.reserve(data + files.size() * 32 + source.size() + name.size() + 4);
    bytes.append(source).append(1, '\t').append(name).append("\t\t");
    for (const PackageFile& file : files)
        bytes.append(std::to_string(file.Contents.size()))
            .append(1, '\t')
            .append(file.StoredPath)
            .append(1, '\t');
    bytes += '\0';
    for (const PackageFile& file : files)
        bytes += file.Contents;
    return bytes;
}

std::string StoredPackagePath(std::string_view path)
{
    std::string stored(path);
    std::replace(stored.begin(), stored.end(), '/', '\\');
    return stored;
}

} // namespace agendrix
