// agendrix_desktop_files OUTPUT_FOLDER
//
// Writes the desktop entry and the MIME packages an installation puts in the share folder, in
// its layout ("applications/agendrix.desktop", "mime/packages/agendrix-agl.xml", ...). They are
// the ones the program writes for the user when asked to associate its files, except that the
// entry starts "agendrix" from the PATH.

#include "model/FileAccess.h"
#include "model/FileAssociation.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv)
{
    using namespace agendrix;
    if (argc != 2) {
        std::fprintf(stderr, "usage: agendrix_desktop_files OUTPUT_FOLDER\n");
        return 1;
    }
    const std::filesystem::path folder = argv[1];
    std::vector<std::pair<std::filesystem::path, std::string>> files {
        { folder / "applications" / DesktopEntryName, *DesktopEntryText("agendrix", ProgramFileTypes()) }
    };
    for (const FileTypeAssociation& type : ProgramFileTypes())
        files.emplace_back(folder / "mime" / "packages" / MimePackageName(type), MimePackageXml(type));
    for (const auto& [path, text] : files) {
        std::error_code ignored; // a folder that cannot be made is named by the write below
        std::filesystem::create_directories(path.parent_path(), ignored);
        if (const FileError error = SaveFileAtomically(path.string(), text); !error.Message.empty()) {
            std::fprintf(stderr, "agendrix_desktop_files: %s\n", error.Message.c_str());
            return 2;
        }
    }
    return 0;
}
