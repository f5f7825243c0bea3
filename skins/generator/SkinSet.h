#pragma once

#include "Theme.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace agendrix::skins {

// colors.txt: three lines (red, green, blue) a colour, CR LF line ends.
std::string ColorsText(const Theme& theme);

// Every file of a skin by name, as the bytes to write.
std::map<std::string, std::vector<std::uint8_t>> SkinFiles(const Theme& theme);

} // namespace agendrix::skins
