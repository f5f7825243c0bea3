#pragma once

#include "Image.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace agendrix::skins {

// The program's file-type icons: a sheet with coloured priority lamps for a task list, a sheet
// with ticks for completed task items. The task list icon is the program's icon too.
enum class FileIcon { TaskList, Completed };

// The sizes of the bitmap icons, in pixels a side.
inline constexpr std::array<int, 8> IconSizes { 16, 22, 24, 32, 48, 64, 128, 256 };

// The icon at `size` pixels a side as RGBA bytes, rows top-down.
std::vector<std::uint8_t> IconPixels(FileIcon icon, int size);

// The same drawing as a scalable SVG document.
std::string IconSvg(FileIcon icon);

// Every icon file in the layout of a freedesktop icon theme ("48x48/mimetypes/....png",
// "scalable/apps/agendrix.svg"), as the bytes to write below the theme's folder.
std::map<std::string, std::vector<std::uint8_t>> IconThemeFiles();

} // namespace agendrix::skins
