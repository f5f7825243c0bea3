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

    // The first sixteen folded bytes of a line as two numbers, so that most comparisons of a
    // sort are decided without reaching into the lines' memory. Missing bytes count as 0: equal
    // keys fall back to the full comparison, so the order is exactly TaskLineLess's.
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

    // First by the keys alone, which touches no line; then each run of equal keys by the rest of
    // its lines.
    void SortOnKeys(std::span<LineHandle> handles, const LineArena& arena)
    {
        std::vector<SortEntry> entries;
        entries.reserve(handles.size());
        AdviseHugePages(entries.data(), handles.size() * sizeof(SortEntry));
        for (const LineHandle handle : handles) {
            const std::string_view line = arena.View(handle);
            entries.push_back(SortEntry {
                FoldedWord(line, 0), FoldedWord(line, 8), handle, static_cast<std::uint32_t>(line.size()) });
        }
        std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
            return a.High != b.High ? a.High < b.High : a.Low < b.Low;
        });
        for (auto run = entries.begin(); run != entries.end();) {
            const auto end = std::find_if(run + 1, entries.end(),
                [&run](const SortEntry& e) { return e.High != run->High || e.Low != run->Low; });
            if (end - run > 1) {
                std::sort(run, end, [&arena](const SortEntry& a, const SortEntry& b) {
                    return LessAfterFoldedPrefix(
                        { arena.Begin(a.Handle), a.Length }, { arena.Begin(b.Handle), b.Length });
                });
            }
            run = end;
        }
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
