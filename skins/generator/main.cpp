// agendrix_skin_generator OUTPUT_FOLDER SKIN_NAME
//
// Draws every picture of one of the program's skins and writes them, with colors.txt, into the
// folder (created when missing). The output depends on nothing but the skin's name, so the files
// kept in the source tree can be checked against a fresh run byte for byte.

#include "SkinSet.h"
#include "Theme.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

int Usage()
{
    std::cerr << "usage: agendrix_skin_generator OUTPUT_FOLDER SKIN_NAME\n  skins:";
    for (std::string_view name : agendrix::skins::SkinNames)
        std::cerr << ' ' << name;
    std::cerr << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace agendrix::skins;
    if (argc != 3)
        return Usage();
    const std::filesystem::path folder = argv[1];
    const auto theme = ThemeByName(argv[2]);
    if (!theme) {
        std::cerr << "agendrix_skin_generator: unknown skin \"" << argv[2] << "\"\n";
        return Usage();
    }
    try {
        std::filesystem::create_directories(folder);
        for (const auto& [name, bytes] : SkinFiles(*theme))
            WriteFile((folder / name).string(), bytes);
    } catch (const std::exception& e) {
        std::cerr << "agendrix_skin_generator: " << e.what() << '\n';
        return 2;
    }
    return 0;
}
