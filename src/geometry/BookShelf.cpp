#include "BookShelf.h"

#include <algorithm>

namespace agendrix {

namespace {
    constexpr int WhiteBoxLeft = 4;
    constexpr int WhiteBoxRightMargin = 10; // the white box ends this far from the right edge
    constexpr int WhiteBoxBottomMargin = 18;
    constexpr int Inset = 4; // books keep this far from the white box's edges
    constexpr int TrinketMs = 300;
    constexpr int StartOverMs = 500;

    int Clamped(int component) { return std::clamp(component, 0, 255); }

    Rgb Shaded(Rgb colour, int by)
    {
        return { Clamped(colour.Red + by), Clamped(colour.Green + by), Clamped(colour.Blue + by) };
    }
} // namespace

BookShelf::BookShelf(int width, int height, std::uint32_t seed)
    : Random(seed)
{
    const int left = WhiteBoxLeft + Inset;
    const int right = width - WhiteBoxRightMargin - Inset;
    const int bottom = height - WhiteBoxBottomMargin - 2;
    if (right - left >= MaxBookWidth && bottom - BooksTop >= MinBookHeight)
        Area = PixelRect { left, BooksTop, right - left, bottom - BooksTop };
    BookX = Area.X;
}

int BookShelf::Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random); }

Rgb BookShelf::Varied()
{
    return { Clamped(DefaultColour.Red + Between(-Spread, Spread)),
        Clamped(DefaultColour.Green + Between(-Spread, Spread)),
        Clamped(DefaultColour.Blue + Between(-Spread, Spread)) };
}

ShelfTick BookShelf::Next()
{
    if (Area.Width == 0)
        return {};
    switch (Now) {
    case Phase::Full:
        Now = Phase::Choosing;
        BookX = Area.X;
        return ShelfTick { std::nullopt, std::nullopt, Area, StartOverMs };
    case Phase::Choosing:
        return StartBook();
    case Phase::Drawing:
        break;
    }
    return DrawColumn();
}

ShelfTick BookShelf::StartBook()
{
    const bool trinketFits = BookX + TrinketSize <= Area.Right() && Area.Height >= TrinketSize;
    if (Between(1, 6) == 1 && trinketFits) {
        const PixelRect place { BookX, Area.Bottom() - TrinketSize, TrinketSize, TrinketSize };
        BookX += TrinketSize + 2;
        return ShelfTick { std::nullopt, place, std::nullopt, TrinketMs };
    }
    BookWidth = Between(MinBookWidth, MaxBookWidth);
    if (BookX + BookWidth > Area.Right()) {
        Now = Phase::Full;
        return ShelfTick { std::nullopt, std::nullopt, std::nullopt, FullShelfMs };
    }
    BookHeight = Between(MinBookHeight, std::min(MaxBookHeight, Area.Height));
    RealColour = Varied();
    Column = 0;
    Now = Phase::Drawing;
    return DrawColumn();
}

ShelfTick BookShelf::DrawColumn()
{
    Rgb paint = RealColour;
    if (Column == 0)
        paint = Shaded(RealColour, Bevel);
    else if (Column == BookWidth - 1)
        paint = Shaded(RealColour, -Bevel);
    const BookColumn column { BookX + Column, Area.Bottom() - BookHeight, Area.Bottom() - 1, paint };
    if (++Column < BookWidth)
        return ShelfTick { column, std::nullopt, std::nullopt, ColumnMs };
    // The book is done: a pause before the next one.
    BookX += BookWidth + 1;
    Now = Phase::Choosing;
    return ShelfTick { column, std::nullopt, std::nullopt, Between(150, 600) };
}

int FitTitleSize(int pointSize, const std::function<int(int pointSize)>& widthAt)
{
    for (int tries = 0; tries < 100 && pointSize > 1 && widthAt(pointSize) >= 156; ++tries)
        --pointSize;
    return pointSize;
}

} // namespace agendrix
