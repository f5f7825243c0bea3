#include "TaskStore.h"

#include <algorithm>
#include <array>
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

    int CompareFolded(std::string_view a, std::string_view b)
    {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char x = Fold[static_cast<unsigned char>(a[i])];
            const unsigned char y = Fold[static_cast<unsigned char>(b[i])];
            if (x != y)
                return x < y ? -1 : 1;
        }
        if (a.size() != b.size())
            return a.size() < b.size() ? -1 : 1;
        return 0;
    }

    struct LineLess {
        bool operator()(const std::string& a, const std::string& b) const { return TaskLineLess(a, b); }
    };

} // namespace

bool TaskLineLess(std::string_view a, std::string_view b)
{
    const int folded = CompareFolded(a, b);
    if (folded != 0)
        return folded < 0;
    return a < b;
}

void TaskStore::Changed(StoreChange change)
{
    ++Revision_;
    if (Listener)
        Listener(change);
}

std::size_t TaskStore::Add(std::string line)
{
    const auto at = std::upper_bound(List1.begin(), List1.end(), line, LineLess {});
    const auto index = static_cast<std::size_t>(at - List1.begin());
    if (Listener)
        List1.insert(at, line);
    else
        List1.insert(at, std::move(line));
    // Status entries follow their lines until the date logic rebuilds them.
    if (lstDateInfo.size() + 1 == List1.size())
        lstDateInfo.insert(lstDateInfo.begin() + static_cast<std::ptrdiff_t>(index), DateStatus {});
    Changed({ StoreChange::Kind::Add, index, Listener ? std::move(line) : std::string {} });
    return index;
}

void TaskStore::Remove(std::size_t index)
{
    if (index >= List1.size())
        throw std::out_of_range("TaskStore::Remove: no line at that index");
    std::string removed = Listener ? std::move(List1[index]) : std::string {};
    List1.erase(List1.begin() + static_cast<std::ptrdiff_t>(index));
    if (lstDateInfo.size() == List1.size() + 1)
        lstDateInfo.erase(lstDateInfo.begin() + static_cast<std::ptrdiff_t>(index));
    Changed({ StoreChange::Kind::Remove, index, std::move(removed) });
}

std::size_t TaskStore::Replace(std::size_t index, std::string line)
{
    Remove(index);
    return Add(std::move(line));
}

void TaskStore::Clear()
{
    List1.clear();
    lstDateInfo.clear();
    Changed({ StoreChange::Kind::Clear, 0, {} });
}

void TaskStore::Load(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end(), LineLess {});
    List1 = std::move(lines);
    lstDateInfo.clear();
    Changed({ StoreChange::Kind::Load, 0, {} });
}

void TaskStore::SetDateInfo(std::vector<DateStatus> info, const AssessKey& key)
{
    lstDateInfo = std::move(info);
    LastAssessment = key;
}

std::optional<AssessKey> TaskStore::AssessedFor() const
{
    if (LastAssessment && LastAssessment->Revision == Revision_ && lstDateInfo.size() == List1.size())
        return LastAssessment;
    return std::nullopt;
}

void TaskStore::Recode(const std::function<bool(std::string&)>& recode)
{
    // Lines that keep their text stay in order among themselves, so only the changed ones need
    // sorting; the two runs are then merged. The lines move through List2 and back without copies.
    List2.clear();
    List2.reserve(List1.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < List1.size(); ++i) {
        if (recode(List1[i]))
            List2.push_back(std::move(List1[i]));
        else if (kept++ != i)
            List1[kept - 1] = std::move(List1[i]);
    }
    if (List2.empty()) {
        List1.resize(kept);
        return;
    }
    std::sort(List2.begin(), List2.end(), LineLess {});
    std::vector<std::string> merged;
    merged.reserve(kept + List2.size());
    std::merge(std::make_move_iterator(List1.begin()),
        std::make_move_iterator(List1.begin() + static_cast<std::ptrdiff_t>(kept)),
        std::make_move_iterator(List2.begin()), std::make_move_iterator(List2.end()),
        std::back_inserter(merged), LineLess {});
    List1 = std::move(merged);
    List2.clear();
    lstDateInfo.clear();
}

} // namespace agendrix
