// agendrix_skin_generator OUTPUT_FOLDER SKIN_NAME
// agendrix_skin_generator --icons THEME_FOLDER
//
// Draws every picture of one of the program's skins and writes them, with colors.txt, into the
// folder (created when missing). The output depends on nothing but the skin's name, so the files
// kept in the source tree can be checked against a fresh run byte for byte.
// With --icons it draws the program's icons instead, in the layout of a freedesktop icon theme
// below THEME_FOLDER (for example share/icons/hicolor).

#include "IconArt.h"
#include "SkinSet.h"
#include "Theme.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

int Usage()
{
    std::cerr << "usage: agendrix_skin_generator OUTPUT_FOLDER SKIN_NAME\n"
                 "       agendrix_skin_generator --icons THEME_FOLDER\n  skins:";
    for (std::string_view name : agendrix::skins::SkinNames)
        std::cerr << ' ' << name;
    std::cerr << '\n';
    return 1;
}

// Writes each file below `folder`, making the folders it needs.
int WriteAll(
    const std::filesystem::path& folder, const std::map<std::string, std::vector<std::uint8_t>>& files)
{
    try {
        for (const auto& [name, bytes] : files) {
            std::filesystem::create_directories((folder / name).parent_path());
            agendrix::skins::WriteFile((folder / name).string(), bytes);
        }
    } catch (const std::exception& e) {
        std::cerr << "agendrix_skin_generator: " << e.what() << '\n';
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace agendrix::skins;
    if (argc != 3)
        return Usage();
    if (std::string_view(argv[1]) == "--icons")
        return WriteAll(argv[2], IconThemeFiles());
    const std::filesystem::path folder = argv[1];
    const auto theme = ThemeByName(argv[2]);
    if (!theme) {
        std::cerr << "agendrix_skin_generator: unknown skin \"" << argv[2] << "\"\n";
        return Usage();
    }
    return WriteAll(folder, SkinFiles(*theme));
}
