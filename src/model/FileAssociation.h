#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// One file type the program registers with the desktop, so that opening a file of that type
// starts the program with the file. The first five fields are what a registry association holds;
// MimeType is the name the type has on a freedesktop desktop.
struct FileTypeAssociation {
    std::string Extension; // without the dot, "AGL"; matched in any letter case
    std::string ClassName; // "Agendrix.TaskList"
    std::string Description; // shown by file managers
    std::string OpenMenuText; // the open verb's caption; empty gives "&Open"
    int DefaultIconIndex = -1; // the program's icon for the type; -1 for none
    std::string MimeType; // "application/x-agendrix-list"
};

// Task lists (.AGL) and completed task items (.CTI), in the order they are registered.
const std::vector<FileTypeAssociation>& ProgramFileTypes();

// The name of the desktop entry that opens the program's files.
inline constexpr std::string_view DesktopEntryName = "agendrix.desktop";
// The program's own icon in the icon theme.
inline constexpr std::string_view ProgramIconName = "agendrix";

// The icon theme's name for a type's icon: "application/x-agendrix-list" gives
// "application-x-agendrix-list".
std::string MimeIconName(std::string_view mimeType);

// The file name of the type's package of the shared MIME database: "agendrix-agl.xml".
std::string MimePackageName(const FileTypeAssociation& type);

// The type's package of the shared MIME database: its description, its icon and a glob of its
// extension, which the database matches in any letter case.
std::string MimePackageXml(const FileTypeAssociation& type);

// The program as the first word of a desktop entry's Exec key: quoted when the path holds a
// blank or another reserved character, with '%' doubled and backslashes escaped. Nothing when the
// path holds a control character, which an Exec key cannot carry.
std::optional<std::string> DesktopExecProgram(std::string_view path);

// A desktop entry that starts `program` with the file to open as its only argument and names
// `types` as the types it opens. Nothing when the path cannot be written in it.
std::optional<std::string> DesktopEntryText(
    std::string_view program, const std::vector<FileTypeAssociation>& types);

} // namespace agendrix
