#include "geometry/ListWindowHits.h"

#include <gtest/gtest.h>

#include <tuple>

namespace agendrix {
namespace {

    // A window 350 by 200: six rows from y 30, the first one current with its bar open, the
    // thumb at y 60.
    struct Window {
        explicit Window(int expandLine = -1)
            : Surface(LayOutSurface({ 350, 200, expandLine, 60 }))
            , Rows(LayOutRows(
                  { 350, Surface.RowsShown, Surface.InfoBlock ? expandLine : -1, 0, Surface.UsedAccHgt }))
        {
        }
        ListHit At(int x, int y) const { return HitAt(Surface, Rows, 60, x, y); }

        SurfaceLayout Surface;
        RowLayout Rows;
    };

    using Case = std::tuple<const char*, int, int, ListArea, int, RowPart, int, int>;

    void Expect(const Window& window, const Case& c)
    {
        const auto& [name, x, y, area, row, part, localX, localY] = c;
        const ListHit hit = window.At(x, y);
        EXPECT_EQ(hit.Area, area) << name;
        EXPECT_EQ(hit.Row, row) << name;
        EXPECT_EQ(hit.Part, part) << name;
        EXPECT_EQ(hit.X, localX) << name;
        EXPECT_EQ(hit.Y, localY) << name;
    }

    TEST(ListWindowHits, ControlsAndTheirOwnPoints)
    {
        const Case cases[] = {
            { "aboveAndLeftOfTheWindow", -5, -5, ListArea::Background, -1, RowPart::None, -5, -5 },
            { "pastTheWindow", 400, 300, ListArea::Background, -1, RowPart::None, 400, 300 },
            { "caption", 100, 10, ListArea::Background, -1, RowPart::None, 100, 10 },
            { "menuButtonTopLeft", 3, 3, ListArea::MenuButton, -1, RowPart::None, 0, 0 },
            { "menuButtonLastPixel", 18, 16, ListArea::MenuButton, -1, RowPart::None, 15, 13 },
            { "rightOfTheMenuButton", 19, 3, ListArea::Background, -1, RowPart::None, 19, 3 },
            { "windowButtonStrip", 288, 10, ListArea::WindowButtons, -1, RowPart::None, 8, 7 },
            { "scrollUp", 335, 21, ListArea::ScrollUp, -1, RowPart::None, 3, 0 },
            { "scrollDown", 340, 182, ListArea::ScrollDown, -1, RowPart::None, 8, 6 },
            { "thumbOverTheTrack", 335, 72, ListArea::Thumb, -1, RowPart::None, 3, 12 },
            { "trackBelowTheThumb", 335, 73, ListArea::Track, -1, RowPart::None, 3, 45 },
            { "trackAboveTheThumb", 344, 59, ListArea::Track, -1, RowPart::None, 12, 31 },
            { "windowGrip", 342, 192, ListArea::ResizeGrip, -1, RowPart::None, 8, 8 },
        };
        for (const Case& c : cases)
            Expect(Window(), c);
    }

    TEST(ListWindowHits, RowsAndTheirParts)
    {
        const Case cases[] = {
            { "betweenLampAndLabel", 35, 40, ListArea::Background, -1, RowPart::None, 35, 40 },
            { "betweenTwoLamps", 15, 49, ListArea::Background, -1, RowPart::None, 15, 49 },
            { "firstLamp", 7, 29, ListArea::Row, 0, RowPart::Lamp, 0, 0 },
            { "lampOfRowTwo", 15, 80, ListArea::Row, 2, RowPart::Lamp, 8, 3 },
            { "labelOfRowOne", 100, 60, ListArea::Row, 1, RowPart::Label, 51, 3 },
            { "openBarOverTheLabel", 230, 40, ListArea::Row, 0, RowPart::Bar, 5, 10 },
            { "labelLeftOfTheOpenBar", 224, 40, ListArea::Row, 0, RowPart::Label, 175, 7 },
            { "collapsedBar", 310, 64, ListArea::Row, 1, RowPart::Bar, 5, 10 },
            { "lastRowLamp", 15, 160, ListArea::Row, 5, RowPart::Lamp, 8, 11 },
        };
        for (const Case& c : cases)
            Expect(Window(), c);
    }

    TEST(ListWindowHits, OpenBlockAndItsGrip)
    {
        // The block under the first row runs from y 50 to 113; its grip is 32 by 9 at (6, 96) and
        // its text starts at (49, 59).
        const Case cases[] = {
            { "blockGrip", 10, 100, ListArea::BlockGrip, -1, RowPart::None, 4, 4 },
            { "blockText", 100, 70, ListArea::Details, -1, RowPart::None, 51, 11 },
            { "blockBesideItsText", 30, 70, ListArea::Background, -1, RowPart::None, 30, 70 },
            { "rowBelowTheBlock", 15, 120, ListArea::Row, 1, RowPart::Lamp, 8, 7 },
        };
        for (const Case& c : cases)
            Expect(Window(0), c);
        // Without a block the grip's place is plain background.
        Window closed;
        closed.Surface.AccDrag = PixelRect { 6, 96, 32, 9 };
        Expect(closed, { "gripOfAClosedBlock", 10, 100, ListArea::Background, -1, RowPart::None, 10, 100 });
    }

} // namespace
} // namespace agendrix
