#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace agendrix {

struct Rgb {
    int Red = 0;
    int Green = 0;
    int Blue = 0;

    bool operator==(const Rgb&) const = default;
};

// colors.txt holds one decimal number a line, three lines (red, green, blue) a colour:
// 1-3 edit background, 4-6 list text, 7-9 title text, 10-12 status text, 13-15 editor field
// background, 16-18 editor field text; our skins add menu colours after those.
namespace SkinColorLines {
    inline constexpr int ListWindowFirst = 0; // four colours for the list window
    inline constexpr int ListWindowCount = 4;
    inline constexpr int EditorFirst = 12; // two colours for the task editor
    inline constexpr int EditorCount = 2;
    inline constexpr int MenuFirst = 18; // four colours for the context menu
    inline constexpr int MenuCount = 4;
} // namespace SkinColorLines

// Reads `count` colours starting at the 0-based line `firstLine`. An entry is empty when the
// colour must be left as it was: a line of it is missing, or a component is negative. A
// component above 255 counts as 255; a line that is not a whole number takes the value read for
// the same component of the colour before it (0 for the first colour read).
std::vector<std::optional<Rgb>> ReadSkinColors(std::string_view text, int firstLine, int count);

} // namespace agendrix
