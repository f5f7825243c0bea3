#include "geometry/BookShelf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace agendrix {

void PrintTo(const Rgb& colour, std::ostream* out)
{
    *out << colour.Red << ", " << colour.Green << ", " << colour.Blue;
}

namespace {

    struct Drawn {
        std::vector<ShelfTick> Ticks;
        int Clears = 0;
    };

    Drawn FireTicks(BookShelf& shelf, int ticks)
    {
        Drawn drawn;
        for (int i = 0; i < ticks; ++i) {
            drawn.Ticks.push_back(shelf.Next());
            drawn.Clears += drawn.Ticks.back().Clear ? 1 : 0;
        }
        return drawn;
    }

    bool Inside(const PixelRect& outer, const PixelRect& inner)
    {
        return inner.X >= outer.X && inner.Y >= outer.Y && inner.Right() <= outer.Right()
            && inner.Bottom() <= outer.Bottom();
    }

    int Distance(const Rgb& a, const Rgb& b)
    {
        return std::max({ std::abs(a.Red - b.Red), std::abs(a.Green - b.Green), std::abs(a.Blue - b.Blue) });
    }

    // A component stays within 0 to 255.
    Rgb Shade(const Rgb& colour, int by)
    {
        const auto one = [by](int component) { return std::clamp(component + by, 0, 255); };
        return { one(colour.Red), one(colour.Green), one(colour.Blue) };
    }

    TEST(BookShelfTest, APictureTooSmallForABookDrawsNothingAndStops)
    {
        struct Case {
            const char* Name;
            int Width;
            int Height;
        };
        const Case cases[] = {
            { "negative", -5, -5 },
            { "zero", 0, 0 },
            { "narrowerThanOneBook", 32, 130 },
            { "noRoomUnderTheTitle", 320, 80 },
        };
        for (const Case& c : cases) {
            BookShelf shelf(c.Width, c.Height, 7);
            EXPECT_EQ(shelf.Shelf().Width * shelf.Shelf().Height, 0) << c.Name;
            const ShelfTick tick = shelf.Next();
            EXPECT_FALSE(tick.Column || tick.Trinket || tick.Clear) << c.Name;
            EXPECT_EQ(tick.NextIntervalMs, 0) << c.Name;
        }
    }

    struct Size {
        const char* Name;
        int Width;
        int Height;
    };
    const Size sizes[] = {
        { "justOneBook", 33, 86 },
        { "aboutBox", 320, 130 },
        { "wide", 700, 200 },
    };

    // Splits the columns drawn between two clears into books: runs of neighbouring columns of
    // one height, and checks each fill covers every column once.
    TEST(BookShelfTest, BooksStayOnTheShelfWithALightLeftAndADarkRightEdgeAndTheShelfStartsOverWhenFull)
    {
        for (const Size& size : sizes) {
            for (std::uint32_t seed = 1; seed <= 20; ++seed) {
                const std::string name = std::string(size.Name) + " seed " + std::to_string(seed);
                BookShelf shelf(size.Width, size.Height, seed);
                const PixelRect area = shelf.Shelf();
                ASSERT_GT(area.Width, 0) << name;
                EXPECT_TRUE(Inside(PixelRect { 4, 4, size.Width - 14, size.Height - 22 }, area)) << name;
                const Drawn drawn = FireTicks(shelf, 4000);
                EXPECT_GE(drawn.Clears, 2) << name;
                std::set<int> columnsThisFill;
                std::vector<BookColumn> book;
                int rightmost = area.X;
                for (const ShelfTick& tick : drawn.Ticks) {
                    EXPECT_GT(tick.NextIntervalMs, 0) << name;
                    if (tick.Clear) {
                        EXPECT_EQ(*tick.Clear, area) << name;
                        EXPECT_GE(rightmost, area.Right() - BookShelf::MaxBookWidth - 1)
                            << name << ": cleared before full";
                        columnsThisFill.clear();
                        rightmost = area.X;
                    }
                    if (tick.Trinket) {
                        EXPECT_TRUE(Inside(area, *tick.Trinket)) << name;
                        rightmost = tick.Trinket->Right();
                    }
                    if (!tick.Column)
                        continue;
                    const BookColumn& c = *tick.Column;
                    EXPECT_TRUE(Inside(area, PixelRect { c.X, c.Top, 1, c.Bottom - c.Top + 1 })) << name;
                    EXPECT_EQ(c.Bottom, area.Bottom() - 1) << name << ": books stand on the shelf";
                    EXPECT_LE(
                        Distance(c.Paint, BookShelf::DefaultColour), BookShelf::Spread + BookShelf::Bevel)
                        << name;
                    EXPECT_TRUE(columnsThisFill.insert(c.X).second) << name << ": a column drawn twice";
                    rightmost = c.X + 1;
                    book.push_back(c);
                    if (tick.NextIntervalMs == BookShelf::ColumnMs)
                        continue;
                    // The book's last column: the pause before the next book is longer.
                    ASSERT_GE(book.size(), static_cast<std::size_t>(BookShelf::MinBookWidth)) << name;
                    const Rgb body = book[1].Paint;
                    EXPECT_EQ(book.front().Paint, Shade(body, 48)) << name;
                    EXPECT_EQ(book.back().Paint, Shade(body, -48)) << name;
                    for (std::size_t i = 0; i < book.size(); ++i)
                        EXPECT_EQ(book[i].X, book.front().X + static_cast<int>(i)) << name;
                    book.clear();
                }
            }
        }
    }

    TEST(BookShelfTest, ATitleIsMadeSmallerUntilItIsNarrowerThan156)
    {
        struct Case {
            const char* Name;
            int StartSize;
            int PixelsPerPoint; // the title's width is this times its size
            int Expected;
        };
        const Case cases[] = {
            { "neverNarrowEnoughStopsAfter100Steps", 400, 1000, 300 },
            { "stopsAtOnePoint", 50, 1000, 1 },
            { "exactly156IsTooWide", 12, 13, 11 },
            { "longTitle", 24, 20, 7 },
            { "alreadyNarrow", 12, 12, 12 },
        };
        for (const Case& c : cases) {
            std::vector<int> measured;
            const int fitted = FitTitleSize(c.StartSize, [&](int points) {
                measured.push_back(points);
                return points * c.PixelsPerPoint;
            });
            EXPECT_EQ(fitted, c.Expected) << c.Name;
            EXPECT_LE(measured.size(), 101u) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
