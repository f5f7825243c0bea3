#include "LineOrder.h"

#include "LargeBuffer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

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

    // Sixteen folded bytes of a line as two numbers, so that most comparisons of a sort are
    // decided without reaching into the lines' memory. Missing bytes count as 0: equal keys are
    // looked at further, so the order is exactly TaskLineLess's.
    struct SortEntry {
        std::uint64_t High;
        std::uint64_t Low;
        LineHandle Handle;
        // The line's length, which fills what would be padding, so that comparing two lines with
        // equal keys need not look for their ends.
        std::uint32_t Length;
    };

    std::uint64_t FoldedWord(std::string_view line, std::size_t from)
    {
        // Byte 0 folds to 0, so a line's missing bytes can be read as zeros.
        unsigned char bytes[8] = {};
        if (from < line.size())
            std::memcpy(bytes, line.data() + from, std::min<std::size_t>(8, line.size() - from));
        std::uint64_t word = 0;
        for (const unsigned char byte : bytes)
            word = (word << 8) | Fold[byte];
        return word;
    }

    constexpr std::size_t KeyBytes = 16;
    // Lines still equal after this many folded bytes are compared whole: each round of keys
    // reads the lines of a run again.
    constexpr std::size_t DeepestKey = 8 * KeyBytes;

    void SetKey(SortEntry& entry, std::string_view line, std::size_t from)
    {
        entry.High = FoldedWord(line, from);
        entry.Low = FoldedWord(line, from + 8);
    }

    std::string_view LineOf(const SortEntry& entry, const LineArena& arena)
    {
        return { arena.Begin(entry.Handle), entry.Length };
    }

    bool SameKey(const SortEntry& a, const SortEntry& b) { return a.High == b.High && a.Low == b.Low; }

    void SortFrom(std::span<SortEntry> entries, const LineArena& arena, std::size_t from);

    // Entries whose lines fold equally before byte `from`: sorted on keys of their next sixteen
    // folded bytes, rather than by comparisons that would read two lines each, until every line
    // has ended or the lines are long alike.
    void SortRun(std::span<SortEntry> run, const LineArena& arena, std::size_t from)
    {
        const bool ended
            = std::all_of(run.begin(), run.end(), [from](const SortEntry& e) { return e.Length <= from; });
        if (ended || from >= DeepestKey) {
            std::sort(run.begin(), run.end(), [&arena](const SortEntry& a, const SortEntry& b) {
                return TaskLineLess(LineOf(a, arena), LineOf(b, arena));
            });
            return;
        }
        for (SortEntry& entry : run)
            SetKey(entry, LineOf(entry, arena), from);
        SortFrom(run, arena, from);
    }

    // Entries keyed on the folded bytes from `from` on: first by the keys alone, which touches no
    // line; then each run of equal keys further.
    void SortFrom(std::span<SortEntry> entries, const LineArena& arena, std::size_t from)
    {
        std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
            return a.High != b.High ? a.High < b.High : a.Low < b.Low;
        });
        for (auto run = entries.begin(); run != entries.end();) {
            const auto end = std::find_if(
                run + 1, entries.end(), [&run](const SortEntry& e) { return !SameKey(e, *run); });
            if (end - run > 1)
                SortRun(std::span(run, end), arena, from + KeyBytes);
            run = end;
        }
    }

    void SortOnKeys(std::span<LineHandle> handles, const LineArena& arena)
    {
        std::vector<SortEntry> entries;
        entries.reserve(handles.size());
        AdviseHugePages(entries.data(), handles.size() * sizeof(SortEntry));
        for (const LineHandle handle : handles) {
            const std::string_view line = arena.View(handle);
            SortEntry& entry
                = entries.emplace_back(SortEntry { 0, 0, handle, static_cast<std::uint32_t>(line.size()) });
            SetKey(entry, line, 0);
        }
        SortFrom(entries, arena, 0);
        for (std::size_t i = 0; i < entries.size(); ++i)
            handles[i] = entries[i].Handle;
    }

} // namespace

bool TaskLineLess(std::string_view a, std::string_view b)
{
    // Bytes that are equal fold equally, so folding starts where the raw bytes first differ.
    const int folded = CompareFolded(a, b, FirstDifference(a, b));
    if (folded != 0)
        return folded < 0;
    return a < b;
}

void SortLines(std::span<LineHandle> handles, const LineArena& arena, std::size_t lineBytes)
{
    // Keys are worth their memory where lines and keys together take at most 1.5 times what the
    // lines take; a list of 2,000,000 lines "x" sorts without them.
    if (2 * handles.size() * (sizeof(SortEntry) + sizeof(LineHandle)) <= 3 * lineBytes) {
        SortOnKeys(handles, arena);
        return;
    }
    std::sort(handles.begin(), handles.end(),
        [&arena](LineHandle a, LineHandle b) { return TaskLineLess(arena.View(a), arena.View(b)); });
}

} // namespace agendrix
