#include "RecentLists.h"

namespace agendrix {

void UpdateRecentLists(RecentLists& recent, const std::string& listName)
{
    for (std::size_t k = 0; k < RecentListCount; ++k) {
        if (recent[k] != listName)
            continue;
        for (std::size_t j = k; j < RecentListCount; ++j)
            recent[j] = recent[j + 1];
        break;
    }
    for (std::size_t j = RecentListCount - 1; j >= 1; --j)
        recent[j] = recent[j - 1];
    recent[0] = listName;
}

} // namespace agendrix
