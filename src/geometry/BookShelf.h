#pragma once

#include "skin/PixelRect.h"
#include "skin/SkinColors.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <random>

namespace agendrix {

// One column of a book, one pixel wide, drawn from Top down to Bottom (both included).
struct BookColumn {
    int X = 0;
    int Top = 0;
    int Bottom = 0;
    Rgb Paint; // each component 0 to 255

    bool operator==(const BookColumn&) const = default;
};

// What one tick of the shelf draws, and when the next tick comes.
struct ShelfTick {
    std::optional<BookColumn> Column;
    std::optional<PixelRect> Trinket; // where the trinket picture is painted
    std::optional<PixelRect> Clear; // painted white again: the shelf starts over
    int NextIntervalMs = 0; // 0: no more ticks, the shelf cannot hold a book
};

// The books of the about box's shelf as plain rules: each tick draws the next column of a book
// in a colour near the default one, the left edge lighter and the right edge darker; now and then
// a trinket stands between two books. A full shelf stays for a while, then is cleared and filled
// again. Positions are pixels of the shelf picture.
class BookShelf {
public:
    static constexpr Rgb DefaultColour { 96, 96, 48 };
    static constexpr int Spread = 40; // how far a book's colour strays from the default, per component
    static constexpr int Bevel = 48; // how much lighter or darker the edges are
    static constexpr int TrinketSize = 16; // the trinket picture is square
    static constexpr int BooksTop = 54; // below the logo and the title
    static constexpr int MinBookWidth = 5;
    static constexpr int MaxBookWidth = 11;
    static constexpr int MinBookHeight = 12;
    static constexpr int MaxBookHeight = 54;
    static constexpr int ColumnMs = 25;
    static constexpr int FullShelfMs = 4000;

    // A shelf picture of `width` × `height` pixels; `seed` starts the random generator.
    BookShelf(int width, int height, std::uint32_t seed);

    // Where books and trinkets may stand: inside the white box, under the logo and the title.
    // Empty when the picture is too small for one book.
    PixelRect Shelf() const { return Area; }
    ShelfTick Next();

private:
    enum class Phase { Choosing, Drawing, Full };
    int Between(int low, int high);
    Rgb Varied();
    ShelfTick StartBook();
    ShelfTick DrawColumn();

    PixelRect Area;
    std::mt19937 Random;
    Phase Now = Phase::Choosing;
    int BookX = 0; // the left column of the book being drawn
    int BookWidth = 0;
    int BookHeight = 0;
    int Column = 0; // the next column of that book, from its left edge
    Rgb RealColour = DefaultColour;
};

// The title's font size fitted to the shelf: from `pointSize`, one point smaller while the title is
// 156 pixels wide or more at that size, at most 100 times; `widthAt` measures the title at a size.
int FitTitleSize(int pointSize, const std::function<int(int pointSize)>& widthAt);

} // namespace agendrix
