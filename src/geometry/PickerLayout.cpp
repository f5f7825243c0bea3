#include "PickerLayout.h"

#include "model/TaskLine.h"

#include <algorithm>
#include <cstdlib>

namespace agendrix {

namespace {
    constexpr int PopupWidth = 150;
    constexpr int Inset = 3; // border plus padding, on every side
    constexpr int EntryHeight = 17;
    constexpr int SeparatorBlock = 7; // the line sits in the middle of this gap
    constexpr int SeparatorIndent = 6; // from the bars' ends
    constexpr int SwatchSize = 9;
    constexpr int SwatchLeft = 6; // from the bar's left end
    constexpr int TextLeft = 22;

    // A separator follows these entries: dates and broken, the seven levels, the last two
    // priorities, then "Delete Task" on its own.
    bool SeparatorAfter(int entry) { return entry == 1 || entry == 8 || entry == 10; }

    constexpr std::array<Rgb, PickerEntryCount> Highlights { {
        { 0, 0, 128 },
        { 64, 0, 64 },
        { 128, 0, 0 },
        { 128, 0, 0 },
        { 192, 64, 0 },
        { 192, 64, 0 },
        { 192, 64, 0 },
        { 192, 64, 0 },
        { 192, 64, 0 },
        { 128, 128, 0 },
        { 0, 128, 0 },
        { 96, 96, 104 },
    } };

    // From deep red at level 7 through amber to green at level 1.
    constexpr std::array<Rgb, PickerOptionCount> Swatches { {
        { 58, 98, 204 },
        { 122, 44, 132 },
        { 212, 34, 34 },
        { 230, 78, 36 },
        { 240, 124, 36 },
        { 244, 162, 40 },
        { 232, 196, 48 },
        { 176, 200, 60 },
        { 112, 182, 82 },
        { 156, 156, 156 },
        { 40, 150, 64 },
    } };

    int Luminance(const Rgb& c) { return (299 * c.Red + 587 * c.Green + 114 * c.Blue) / 1000; }
} // namespace

PickerLayout LayOutPicker()
{
    PickerLayout layout;
    layout.Width = PopupWidth;
    const int barWidth = PopupWidth - 2 * Inset;
    int y = Inset;
    for (int entry = 0; entry < PickerEntryCount; ++entry) {
        const PixelRect bar { Inset, y, barWidth, EntryHeight };
        layout.Entries[static_cast<std::size_t>(entry)] = {
            bar,
            { bar.X + SwatchLeft, bar.Y + (EntryHeight - SwatchSize) / 2, SwatchSize, SwatchSize },
            { bar.X + TextLeft, bar.Y, barWidth - TextLeft - 4, EntryHeight },
        };
        y += EntryHeight;
        if (SeparatorAfter(entry)) {
            layout.Separators.push_back(
                { Inset + SeparatorIndent, y + SeparatorBlock / 2, barWidth - 2 * SeparatorIndent, 1 });
            y += SeparatorBlock;
        }
    }
    layout.Height = y + Inset;
    return layout;
}

std::optional<int> PickerEntryAt(const PickerLayout& layout, int x, int y)
{
    for (int entry = 0; entry < PickerEntryCount; ++entry)
        if (layout.Entries[static_cast<std::size_t>(entry)].Bar.Contains(x, y))
            return entry;
    return std::nullopt;
}

PixelPoint PickerPosition(PixelPoint point, int width, int height, const PixelRect& screen)
{
    PixelPoint corner = point;
    if (screen.Right() - width < corner.X)
        corner.X = std::max(screen.X, corner.X - width);
    if (screen.Bottom() - height < corner.Y)
        corner.Y = std::max(screen.Y, corner.Y - height);
    return corner;
}

std::string PickerCaption(int entry)
{
    if (entry == DeleteTaskEntry)
        return "Delete Task";
    std::string caption(EditorCaption(entry));
    if (const std::size_t amp = caption.find('&'); amp != std::string::npos)
        caption.erase(amp, 1);
    return caption;
}

Rgb PickerHighlight(int entry) { return Highlights.at(static_cast<std::size_t>(entry)); }

Rgb PickerSwatch(int option) { return Swatches.at(static_cast<std::size_t>(option)); }

Rgb SeparatorShade(const Rgb& skinColour)
{
    constexpr int LeastContrast = 32; // luminance steps
    const Rgb mixed { (skinColour.Red + PickerBackground.Red) / 2,
        (skinColour.Green + PickerBackground.Green) / 2, (skinColour.Blue + PickerBackground.Blue) / 2 };
    if (std::abs(Luminance(mixed) - Luminance(PickerBackground)) < LeastContrast)
        return { 188, 188, 188 };
    return mixed;
}

} // namespace agendrix
