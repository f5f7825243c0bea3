#include "TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace agendrix::test {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "agendrix-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed for " + pattern);
    Root = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(Root, ignored);
}

std::vector<std::string> TempFolder::Names(std::string_view sub) const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(sub.empty() ? Root : *this / sub))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace agendrix::test
