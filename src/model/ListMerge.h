#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// What a merge did, for the report the user reads.
struct MergeCounts {
    std::size_t KeptFromA = 0; // lines of A in the result: all of them, matched or not
    std::size_t AddedFromB = 0; // lines of B that matched no line of A
    std::size_t Matched = 0; // pairs of one line of A and one of B that were one task
    std::size_t TakenFromB = 0; // of the matched pairs, those where B's copy won

    bool operator==(const MergeCounts&) const = default;
};

struct MergedLines {
    std::vector<std::string> Lines; // A's lines in A's order, then B's unmatched ones in B's order
    MergeCounts Counts;

    bool operator==(const MergedLines&) const = default;
};

// Brings two copies of one list back together (the same list edited on two machines, say).
//
// A line of B is the same task as a line of A when their descriptions and their date fields are
// equal byte for byte; the "yyyy/mm/dd - " that completing a task puts before its description is
// left out of the comparison, so a task completed in one copy still meets itself in the other.
// Each line pairs with at most one line of the other list, the first free one in list order:
// a task that one list holds twice stays twice, whatever the other list holds.
//
// Of a pair, one whole line is kept (its notes and file too), in A's place: the one whose code
// ranks higher by MergeRank, A's on a tie. A line without a valid code ("00" to "10") is not a
// task the merge can weigh; it pairs only with a line of the other list that is the same byte for
// byte, so nothing of either list is lost and merging twice adds nothing.
MergedLines MergeTaskLines(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b);

// How strongly a code claims a task, higher first:
//   Completed       a task done in either copy stays done: the work was made, whichever copy
//                   still shows it open only had not heard of it yet;
//   Broken          a missed due date, the first thing the list shows, before Extreme;
//   Extreme to Low  as the list orders them (code 2 highest, 8 lowest);
//   Unprioritized   below Low, as the list shows it, but above
//   Not assessed    ("00") a date-based task whose code the date logic has yet to work out when
//                   the list is opened: it says nothing about the task's priority.
int MergeRank(int code);

} // namespace agendrix
