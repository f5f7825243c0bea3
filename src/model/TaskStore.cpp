#include "TaskStore.h"

#include "TaskLine.h"

#include "LargeBuffer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace agendrix {

namespace {

    // Folds Windows-1252 letters to lower case: ASCII, the accented letters of 0xC0-0xDE (but
    // the multiplication sign 0xD7) and the pairs Š/š, Œ/œ, Ž/ž and Ÿ/ÿ.
    constexpr std::array<unsigned char, 256> MakeFoldTable()
    {
        std::array<unsigned char, 256> table {};
        for (int i = 0; i < 256; ++i)
            table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
        for (int c = 'A'; c <= 'Z'; ++c)
            table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c) {
            if (c != 0xD7)
                table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
        }
        table[0x8A] = 0x9A;
        table[0x8C] = 0x9C;
        table[0x8E] = 0x9E;
        table[0x9F] = 0xFF;
        return table;
    }

    constexpr std::array<unsigned char, 256> Fold = MakeFoldTable();

    // Index of the first byte where a and b differ, or the shorter length. Compares eight bytes
    // at a time: lines of one list share long prefixes (code, Tab, similar descriptions).
    std::size_t FirstDifference(std::string_view a, std::string_view b)
    {
        const std::size_t n = std::min(a.size(), b.size());
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t x = 0;
            std::uint64_t y = 0;
            std::memcpy(&x, a.data() + i, 8);
            std::memcpy(&y, b.data() + i, 8);
            if (x != y) {
                if constexpr (std::endian::native == std::endian::little)
                    return i + static_cast<std::size_t>(std::countr_zero(x ^ y)) / 8;
                break;
            }
        }
        while (i < n && a[i] == b[i])
            ++i;
        return i;
    }

    // Compares folded bytes from `from` on; the bytes before it must fold equally.
    int CompareFolded(std::string_view a, std::string_view b, std::size_t from)
    {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = from; i < n; ++i) {
            const unsigned char x = Fold[static_cast<unsigned char>(a[i])];
            const unsigned char y = Fold[static_cast<unsigned char>(b[i])];
            if (x != y)
                return x < y ? -1 : 1;
        }
        if (a.size() != b.size())
            return a.size() < b.size() ? -1 : 1;
        return 0;
    }

    int CompareFolded(std::string_view a, std::string_view b)
    {
        // Bytes that are equal fold equally, so folding starts where the raw bytes first differ.
        return CompareFolded(a, b, FirstDifference(a, b));
    }

    // The first sixteen folded bytes of a line as two numbers, so that most comparisons of a
    // sort are decided without reaching into the lines' memory. Missing bytes count as 0: equal
    // keys fall back to the full comparison, so the order is exactly TaskLineLess's.
    struct SortEntry {
        std::uint64_t High;
        std::uint64_t Low;
        std::uint32_t Index;
    };

    std::uint64_t FoldedWord(std::string_view line, std::size_t from)
    {
        std::uint64_t word = 0;
        for (std::size_t i = from; i < from + 8; ++i)
            word = (word << 8) | (i < line.size() ? Fold[static_cast<unsigned char>(line[i])] : 0);
        return word;
    }

    // TaskLineLess for two lines whose first sixteen folded bytes are known to be equal (bytes
    // past the end of a line counting as 0).
    bool LessAfterFoldedPrefix(std::string_view a, std::string_view b)
    {
        const std::size_t known = std::min({ a.size(), b.size(), std::size_t { 16 } });
        const int folded = CompareFolded(a, b, known + FirstDifference(a.substr(known), b.substr(known)));
        if (folded != 0)
            return folded < 0;
        return a < b;
    }

    // Sorts lines in O(n log n) on their folded prefixes, then puts each line (and the entries
    // of `companion` at the same index, when given) in its place by following the cycles of the
    // permutation, without a second vector.
    void SortLines(std::vector<std::string_view>& lines, std::vector<DateStatus>* companion = nullptr)
    {
        std::vector<SortEntry> entries;
        entries.reserve(lines.size());
        AdviseHugePages(entries.data(), lines.size() * sizeof(SortEntry));
        entries.resize(lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            entries[i] = SortEntry { FoldedWord(lines[i], 0), FoldedWord(lines[i], 8),
                static_cast<std::uint32_t>(i) };
        // First by the keys alone, which touches no line; then each run of equal keys by the
        // rest of its lines.
        std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
            return a.High != b.High ? a.High < b.High : a.Low < b.Low;
        });
        for (auto run = entries.begin(); run != entries.end();) {
            const auto end = std::find_if(run + 1, entries.end(),
                [&run](const SortEntry& e) { return e.High != run->High || e.Low != run->Low; });
            if (end - run > 1) {
                std::sort(run, end, [&lines](const SortEntry& a, const SortEntry& b) {
                    return LessAfterFoldedPrefix(lines[a.Index], lines[b.Index]);
                });
            }
            run = end;
        }
        // entries[i].Index is the line that belongs at i.
        for (std::size_t start = 0; start < entries.size(); ++start) {
            if (entries[start].Index == start)
                continue;
            const std::string_view heldLine = lines[start];
            const DateStatus heldStatus = companion ? (*companion)[start] : DateStatus {};
            std::size_t at = start;
            while (entries[at].Index != start) {
                const std::size_t from = entries[at].Index;
                lines[at] = lines[from];
                if (companion)
                    (*companion)[at] = (*companion)[from];
                entries[at].Index = static_cast<std::uint32_t>(at);
                at = from;
            }
            lines[at] = heldLine;
            if (companion)
                (*companion)[at] = heldStatus;
            entries[at].Index = static_cast<std::uint32_t>(at);
        }
    }

    struct LineLess {
        bool operator()(std::string_view a, std::string_view b) const { return TaskLineLess(a, b); }
    };

} // namespace

bool TaskLineLess(std::string_view a, std::string_view b)
{
    const int folded = CompareFolded(a, b);
    if (folded != 0)
        return folded < 0;
    return a < b;
}

void TaskStore::Changed(StoreChange::Kind what, std::size_t index, std::string_view line)
{
    ++Revision_;
    if (Listener)
        Listener(StoreChange { what, index, std::string(line) });
}

std::size_t TaskStore::Add(std::string_view line)
{
    const std::string_view held = Arena.Append(line);
    LiveBytes += held.size();
    const auto at = std::upper_bound(List1.begin(), List1.end(), held, LineLess {});
    const auto index = static_cast<std::size_t>(at - List1.begin());
    List1.insert(at, held);
    // Status entries follow their lines until the date logic rebuilds them.
    if (lstDateInfo.size() + 1 == List1.size())
        lstDateInfo.insert(lstDateInfo.begin() + static_cast<std::ptrdiff_t>(index), DateStatus {});
    Changed(StoreChange::Kind::Add, index, held);
    return index;
}

void TaskStore::Remove(std::size_t index)
{
    if (index >= List1.size())
        throw std::out_of_range("TaskStore::Remove: no line at that index");
    const std::string_view removed = List1[index];
    List1.erase(List1.begin() + static_cast<std::ptrdiff_t>(index));
    LiveBytes -= removed.size();
    if (lstDateInfo.size() == List1.size() + 1)
        lstDateInfo.erase(lstDateInfo.begin() + static_cast<std::ptrdiff_t>(index));
    Changed(StoreChange::Kind::Remove, index, removed);
    CompactIfWasteful();
}

std::size_t TaskStore::Replace(std::size_t index, std::string_view line)
{
    if (index >= List1.size())
        throw std::out_of_range("TaskStore::Replace: no line at that index");
    // The new line is copied in first: it may be a view of the line it replaces.
    const std::string kept(line);
    Remove(index);
    return Add(kept);
}

void TaskStore::Clear()
{
    List1.clear();
    lstDateInfo.clear();
    Arena = LineArena {};
    LiveBytes = 0;
    Changed(StoreChange::Kind::Clear, 0, {});
}

void TaskStore::Load(LoadedLines lines)
{
    if (lines.Lines.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("TaskStore::Load: too many lines");
    SortLines(lines.Lines);
    List1 = std::move(lines.Lines);
    Arena = std::move(lines.Arena);
    LiveBytes = 0;
    for (const std::string_view line : List1)
        LiveBytes += line.size();
    lstDateInfo.clear();
    Changed(StoreChange::Kind::Load, 0, {});
}

void TaskStore::Load(const std::vector<std::string>& lines)
{
    LoadedLines loaded;
    loaded.Lines.reserve(lines.size());
    for (const std::string& line : lines)
        loaded.Lines.push_back(loaded.Arena.Append(line));
    Load(std::move(loaded));
}

void TaskStore::CompactIfWasteful()
{
    constexpr std::size_t slack = 1024 * 1024;
    if (Arena.Size() <= 2 * LiveBytes + slack)
        return;
    LineArena fresh;
    for (std::string_view& line : List1)
        line = fresh.Append(line);
    Arena = std::move(fresh);
}

std::optional<AssessKey> TaskStore::AssessedFor() const
{
    if (LastAssessment && LastAssessment->Revision == Revision_ && lstDateInfo.size() == List1.size())
        return LastAssessment;
    return std::nullopt;
}

bool TaskStore::SetCode(std::string_view& line, int code)
{
    const std::string digits = TwoDigitCode(code);
    // A line without a Tab is all code field as far as this goes; only its first two bytes are
    // taken as the code.
    std::size_t firstTab = line.find('\t');
    if (firstTab == std::string_view::npos)
        firstTab = std::min<std::size_t>(line.size(), 2);
    if (firstTab == 2) {
        if (line[0] == digits[0] && line[1] == digits[1])
            return false;
        char* bytes = Arena.Writable(line);
        bytes[0] = digits[0];
        bytes[1] = digits[1];
        return true;
    }
    // A code field of another length is replaced whole, so that no Tab is overwritten.
    std::string changed = digits;
    changed += line.substr(firstTab);
    LiveBytes = LiveBytes - line.size() + changed.size();
    line = Arena.Append(changed);
    return true;
}

void TaskStore::Recode(const std::function<LineAssessment(std::string_view)>& assess)
{
    // Lines that keep their text stay in order among themselves, so only the changed ones need
    // sorting; the two runs are then merged. Each line's status entry travels with it.
    const std::size_t count = List1.size();
    List2.clear();
    std::vector<DateStatus> changedInfo;
    if (lstDateInfo.capacity() < count) {
        lstDateInfo = {};
        lstDateInfo.reserve(count);
        AdviseHugePages(lstDateInfo.data(), count * sizeof(DateStatus));
    }
    lstDateInfo.resize(count);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view line = List1[i];
        const LineAssessment result = assess(line);
        if (result.Code && SetCode(line, *result.Code)) {
            List2.push_back(line);
            changedInfo.push_back(result.Status);
        } else {
            List1[kept] = line;
            lstDateInfo[kept] = result.Status;
            ++kept;
        }
    }
    LastAssessment.reset();
    if (List2.empty())
        return;
    SortLines(List2, &changedInfo);
    // Merges from the back, in List1's own storage.
    std::size_t i = kept;
    std::size_t j = List2.size();
    for (std::size_t k = count; j > 0; --k) {
        if (i > 0 && TaskLineLess(List2[j - 1], List1[i - 1])) {
            --i;
            List1[k - 1] = List1[i];
            lstDateInfo[k - 1] = lstDateInfo[i];
        } else {
            --j;
            List1[k - 1] = List2[j];
            lstDateInfo[k - 1] = changedInfo[j];
        }
    }
    List2.clear();
}

void TaskStore::MarkAssessed(const AssessKey& key) { LastAssessment = key; }

} // namespace agendrix
