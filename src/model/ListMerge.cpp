#include "ListMerge.h"

#include "TaskLine.h"

#include <deque>
#include <map>
#include <optional>
#include <tuple>

namespace agendrix {

namespace {

    enum class KeyKind { Task, Unparsed };

    // What makes two lines one task: description and date of a line with a code, the whole line
    // of one without.
    using MatchKey = std::tuple<KeyKind, std::string_view, std::string_view>;

    // "yyyy/mm/dd - ", which CompleteTaskLine puts before a completed task's description.
    constexpr std::size_t CompletionPrefixLength = 13;

    bool HasCompletionPrefix(std::string_view description)
    {
        if (description.size() < CompletionPrefixLength)
            return false;
        constexpr std::string_view pattern = "9999/99/99 - ";
        for (std::size_t i = 0; i < CompletionPrefixLength; ++i) {
            const char c = description[i];
            const bool fits = pattern[i] == '9' ? c >= '0' && c <= '9' : c == pattern[i];
            if (!fits)
                return false;
        }
        return true;
    }

    MatchKey KeyOf(std::string_view line)
    {
        const std::optional<int> code = PriorityCode(line);
        if (!code)
            return { KeyKind::Unparsed, line, {} };
        std::string_view description = GetField(line, TaskField::Description);
        if (*code == CodeCompleted && HasCompletionPrefix(description))
            description.remove_prefix(CompletionPrefixLength);
        return { KeyKind::Task, description, GetField(line, TaskField::Date) };
    }

    // Whether `b`, B's copy of a task, claims it more strongly than `a`, A's copy.
    bool BWins(std::string_view a, std::string_view b)
    {
        const std::optional<int> codeA = PriorityCode(a);
        const std::optional<int> codeB = PriorityCode(b);
        return codeA && codeB && MergeRank(*codeB) > MergeRank(*codeA);
    }

} // namespace

int MergeRank(int code)
{
    if (code == CodeCompleted)
        return 12;
    if (code == CodeUnprioritized)
        return 1;
    if (code == CodeNotAssessed)
        return 0;
    // Broken (1) gives 10, Extreme (2) 9, down to Low (8), which gives 3.
    return 11 - code;
}

MergedLines MergeTaskLines(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    MergedLines merged;
    merged.Lines.assign(a.begin(), a.end());
    merged.Counts.KeptFromA = a.size();
    // A's lines not paired yet, by key, each key's lines in A's order.
    std::map<MatchKey, std::deque<std::size_t>> freeInA;
    for (std::size_t i = 0; i < a.size(); ++i)
        freeInA[KeyOf(a[i])].push_back(i);
    for (const std::string_view line : b) {
        const auto found = freeInA.find(KeyOf(line));
        if (found == freeInA.end() || found->second.empty()) {
            merged.Lines.emplace_back(line);
            ++merged.Counts.AddedFromB;
            continue;
        }
        const std::size_t paired = found->second.front();
        found->second.pop_front();
        ++merged.Counts.Matched;
        if (BWins(a[paired], line)) {
            merged.Lines[paired] = line;
            ++merged.Counts.TakenFromB;
        }
    }
    return merged;
}

} // namespace agendrix
