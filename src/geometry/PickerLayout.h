#pragma once

#include "skin/PixelRect.h"
#include "skin/SkinColors.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace agendrix {

// The picker's entries: the eleven priority options, numbered as the codes they give a task
// (0 "Date Based" to 10 "Completed"), then "Delete Task".
inline constexpr int PickerOptionCount = 11;
inline constexpr int DeleteTaskEntry = PickerOptionCount;
inline constexpr int PickerEntryCount = PickerOptionCount + 1;

struct PickerEntryRects {
    PixelRect Bar; // the highlight bar, and where the pointer counts as on the entry
    PixelRect Swatch; // the lamp-coloured mark at the left of the bar
    PixelRect Text;
};

// The popup in its own pixels: origin at its top-left corner, the 1-pixel border included.
struct PickerLayout {
    int Width = 0;
    int Height = 0;
    std::array<PickerEntryRects, PickerEntryCount> Entries;
    std::vector<PixelRect> Separators; // each 1 pixel high
};

PickerLayout LayOutPicker();

// The entry whose bar holds the point; nothing on the border, a separator or outside.
std::optional<int> PickerEntryAt(const PickerLayout& layout, int x, int y);

struct PixelPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Where the popup's top-left corner goes when it opens at `point`: to the right of and below it,
// flipped to the left of it when it would pass the screen's right edge and above it when it would
// pass the bottom. `screen` is the usable area of the screen under the point, in the same global
// pixels as `point`. A flip never pushes the popup past the screen's left or top edge.
PixelPoint PickerPosition(PixelPoint point, int width, int height, const PixelRect& screen);

// The entry's text: the option's caption in the task editor without its first "&", or
// "Delete Task"; empty for a number that is no entry.
std::string PickerCaption(int entry);

// The bar's colour behind entry i. Dark enough for white text on every entry.
Rgb PickerHighlight(int entry);
// The swatch of option i, after the lamp it gives the task. "Delete Task" has none.
Rgb PickerSwatch(int option);

inline constexpr Rgb PickerBackground { 248, 248, 248 };
inline constexpr Rgb PickerBorder { 118, 118, 118 };
inline constexpr Rgb PickerText { 24, 24, 24 };
inline constexpr Rgb PickerDeleteText { 150, 24, 24 };
inline constexpr Rgb PickerHighlightedText { 255, 255, 255 };

// The separator lines' colour from the skin's first colour: mixed half and half with the
// background, or a plain grey when the mix would hardly show on it (a white skin colour).
Rgb SeparatorShade(const Rgb& skinColour);

} // namespace agendrix
