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

void RemoveRecentList(RecentLists& recent, std::size_t index)
{
    if (index >= RecentListCount)
        return;
    for (std::size_t j = index; j < RecentListCount; ++j)
        recent[j] = recent[j + 1];
    recent[RecentListCount] = {};
}

std::size_t RecentListsShown(const RecentLists& recent)
{
    std::size_t shown = 0;
    while (shown < RecentListCount && recent[shown].find('/') != std::string::npos)
        ++shown;
    return shown;
}

char RecentListKey(std::size_t number)
{
    return number <= 9 ? static_cast<char>('0' + number) : static_cast<char>('A' + (number - 10));
}

std::string RecentListCaption(std::size_t number, const std::string& path)
{
    std::string name = path.substr(path.rfind('/') + 1);
    if (const auto extension = name.rfind(".agl"); extension != std::string::npos)
        name.erase(extension);
    return std::string(" &") + RecentListKey(number) + "  " + name;
}

} // namespace agendrix
