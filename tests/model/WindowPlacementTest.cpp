#include "model/WindowPlacement.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    const ScreenArea Primary { 0, 0, 1280, 1024 };
    const ScreenArea RightOfIt { 1280, 0, 1920, 1080 };

    struct Placement {
        double Left, Top, Width, Height;
    };

    Settings Placed(const Placement& placement)
    {
        Settings settings = DefaultSettings(ScreenMetrics {});
        settings.WinLeft = placement.Left;
        settings.WinTop = placement.Top;
        settings.WinWidth = placement.Width;
        settings.WinHeight = placement.Height;
        return settings;
    }

    TEST(WindowPlacementTest, TheWindowIsBroughtOntoAScreenItFits)
    {
        const struct {
            const char* Name;
            std::vector<ScreenArea> Screens;
            Placement Read;
            Placement Fitted;
        } cases[] = {
            { "heightOfAThousandMillion", { Primary, RightOfIt }, { 200, 100, 350, 1e9 },
                { 200, 100, 350, 1024 } },
            { "everythingAThousandMillion", { Primary, RightOfIt }, { 1e9, 1e9, 1e9, 1e9 },
                { 3200 - 120, 1080 - 30, 1920, 1080 } },
            { "everythingMinusAThousandMillion", { Primary, RightOfIt }, { -1e9, -1e9, -1e9, -1e9 },
                { 120 - 200, 0, 200, 80 } },
            { "sizesZeroAndNegative", { Primary }, { 200, 100, -50, 0 }, { 200, 100, 200, 80 } },
            { "farLeftAndAbove", { Primary, RightOfIt }, { -5000, -300, 350, 534 },
                { 120 - 350, 0, 350, 534 } },
            { "titleBelowTheBottom", { Primary, RightOfIt }, { 200, 1010, 350, 534 },
                { 200, 1024 - 30, 350, 534 } },
            { "tallerThanTheScreenItIsOn", { Primary, RightOfIt }, { 1500, 0, 350, 1100 },
                { 1500, 0, 350, 1080 } },
            { "screenSmallerThanTheLeastWindow", { { 0, 0, 150, 60 } }, { 200, 100, 350, 534 },
                { 30, 30, 150, 60 } },
            { "noScreenKnown", {}, { 200, 100, 350, 1e9 }, { 200, 100, 350, 768 } },
            { "fitsAsItIs", { Primary, RightOfIt }, { 133.5, 20.25, 401.5, 612 },
                { 133.5, 20.25, 401.5, 612 } },
            { "onTheSecondScreen", { Primary, RightOfIt }, { 2000, 500, 600, 400 }, { 2000, 500, 600, 400 } },
            { "acrossTwoScreens", { Primary, RightOfIt }, { 1270, 100, 350, 534 }, { 1270, 100, 350, 534 } },
            { "mostlyOffTheLeftEdge", { Primary }, { -230, 100, 350, 534 }, { -230, 100, 350, 534 } },
        };
        for (const auto& c : cases) {
            const Settings fitted = FitToScreens(Placed(c.Read), c.Screens, 15);
            EXPECT_EQ(std::tie(fitted.WinLeft, fitted.WinTop, fitted.WinWidth, fitted.WinHeight),
                std::tie(c.Fitted.Left, c.Fitted.Top, c.Fitted.Width, c.Fitted.Height))
                << c.Name;
        }
    }

    TEST(WindowPlacementTest, DockAndBlockSizesStayWithinTheScreen)
    {
        const struct {
            const char* Name;
            double TwipsPerPix;
            double DockWid, DockTabTop;
            int AccTextHgt;
            double FittedDockWid, FittedDockTabTop;
            int FittedAccTextHgt;
        } cases[] = {
            { "allHuge", 15, 1e9, 1e9, 100000, 1280 * 15, (1024 - 30) * 15, 360 },
            { "allNegativeOrZero", 15, -5, -100, 0, 200 * 15, 0, 32 },
            { "allHugeAt120Dpi", 12, 1e9, 1e9, 361, 1280 * 12, (1024 - 30) * 12, 360 },
            { "allFit", 15, 4050, 3840, 48, 4050, 3840, 48 },
            { "allAtTheirLimits", 15, 200 * 15, 0, 32, 200 * 15, 0, 32 },
        };
        for (const auto& c : cases) {
            Settings read = DefaultSettings(ScreenMetrics {});
            read.DockWid = c.DockWid;
            read.DockTabTop = c.DockTabTop;
            read.AccTextHgt = c.AccTextHgt;
            Settings expected = read;
            expected.DockWid = c.FittedDockWid;
            expected.DockTabTop = c.FittedDockTabTop;
            expected.AccTextHgt = c.FittedAccTextHgt;
            EXPECT_EQ(SaveINI(FitToScreens(read, { Primary, RightOfIt }, c.TwipsPerPix)), SaveINI(expected))
                << c.Name;
        }
    }

} // namespace
} // namespace agendrix
