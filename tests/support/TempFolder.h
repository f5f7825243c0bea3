#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace agendrix::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return Root; }
    std::string operator/(std::string_view name) const { return Root + "/" + std::string(name); }

    // The names in the folder (or in its subfolder `sub`), sorted; shows leftover temporary files.
    std::vector<std::string> Names(std::string_view sub = {}) const;

private:
    std::string Root;
};

} // namespace agendrix::test
