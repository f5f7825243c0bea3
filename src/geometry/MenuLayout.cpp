#include "MenuLayout.h"

#include <algorithm>
#include <cctype>

namespace agendrix {

PixelRect KeepOnScreen(PixelRect rect, const PixelRect& area)
{
    if (rect.Right() > area.Right())
        rect.X = area.Right() - rect.Width;
    if (rect.Bottom() > area.Bottom())
        rect.Y = area.Bottom() - rect.Height;
    rect.X = std::max(rect.X, area.X);
    rect.Y = std::max(rect.Y, area.Y);
    return rect;
}

PixelRect MenuAtPointer(int x, int y, int width, int height, const PixelRect& area)
{
    return KeepOnScreen({ x, y, width, height }, area);
}

PixelRect MenuUnderButton(int listLeft, int listTop, int width, int height, const PixelRect& area)
{
    return KeepOnScreen(
        { listLeft + MenuMetrics::ButtonOffsetX, listTop + MenuMetrics::ButtonOffsetY, width, height }, area);
}

namespace {
    int Widest(std::span<const int> widths)
    {
        int widest = 0;
        for (const int width : widths)
            widest = std::max(widest, width);
        return widest;
    }
} // namespace

MenuSize MenuSizeFor(std::span<const int> captionWidths)
{
    const int rows = static_cast<int>(captionWidths.size());
    return { Widest(captionWidths) + MenuMetrics::CaptionPadding + 2 * MenuMetrics::Frame,
        rows * MenuMetrics::RowHeight + 2 * MenuMetrics::Frame };
}

RecentPopupLayout LayOutRecentPopup(std::span<const int> captionWidths)
{
    const int widest = Widest(captionWidths);
    RecentPopupLayout layout;
    layout.LabelWidth = widest + 4;
    layout.Width = widest + 14;
    layout.LabelTops.push_back(MenuMetrics::Frame);
    int top = MenuMetrics::PopupSeparatorTop + MenuMetrics::PopupFirstBelowSeparator;
    for (std::size_t i = 1; i < captionWidths.size(); ++i, top += MenuMetrics::PopupRowPitch)
        layout.LabelTops.push_back(top);
    layout.Height = layout.LabelTops.back() + 22;
    return layout;
}

PixelRect PlaceRecentPopup(const PixelRect& menu, int width, int height, const PixelRect& area)
{
    const int anchor = menu.Right() - MenuMetrics::PopupOverlap;
    const int left = anchor + width > area.Right() ? anchor - width : anchor;
    return KeepOnScreen({ left, menu.Y + MenuMetrics::PopupDrop, width, height }, area);
}

int CaptionWithAccessKey(std::span<const std::string> captions, char key)
{
    const auto folded = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const std::size_t amp = captions[i].find('&');
        if (key != 0 && amp + 1 < captions[i].size() && folded(captions[i][amp + 1]) == folded(key))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace agendrix
