// The file-type icons: transparent around the sheet, the right picture in each, at every size.

#include "IconArt.h"
#include "Png.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace agendrix::skins {
namespace {

    struct Rgba {
        int R, G, B, A;
        bool operator==(const Rgba&) const = default;
    };

    // The pixel that covers the point (x, y) of the 256-unit drawing at `size` pixels.
    Rgba PixelAt(FileIcon icon, int size, double x, double y)
    {
        const std::vector<std::uint8_t> rgba = IconPixels(icon, size);
        const int px = static_cast<int>(x * size / 256);
        const int py = static_cast<int>(y * size / 256);
        const std::size_t at = (static_cast<std::size_t>(py) * static_cast<std::size_t>(size) + px) * 4;
        return { rgba.at(at), rgba.at(at + 1), rgba.at(at + 2), rgba.at(at + 3) };
    }

    TEST(IconPng, RefusesPixelsThatDoNotMatchTheSize)
    {
        struct Case {
            const char* Name;
            int Width, Height;
            std::size_t Bytes;
        };
        for (const Case& c : std::array<Case, 4> { {
                 { "zero width", 0, 1, 0 },
                 { "negative height", 1, -1, 4 },
                 { "one byte short", 2, 2, 15 },
                 { "one byte over", 2, 2, 17 },
             } })
            EXPECT_THROW(
                PngBytes(c.Width, c.Height, std::vector<std::uint8_t>(c.Bytes)), std::invalid_argument)
                << c.Name;
    }

    TEST(IconArt, ShowsEachTypeOnAnOpaqueSheet)
    {
        struct Case {
            const char* Name;
            FileIcon Icon;
            int Size;
            double X, Y;
            Rgba Expected;
        };
        const Rgba clear { 0, 0, 0, 0 };
        for (const Case& c : std::array<Case, 8> { {
                 { "corner clear at 16 px", FileIcon::TaskList, 16, 0, 0, clear },
                 { "left of the sheet clear at 256 px", FileIcon::Completed, 256, 30, 128, clear },
                 { "below the sheet clear at 256 px", FileIcon::TaskList, 256, 128, 250, clear },
                 { "list band blue", FileIcon::TaskList, 256, 128, 40, { 44, 96, 168, 255 } },
                 { "completed band teal", FileIcon::Completed, 256, 128, 40, { 26, 150, 170, 255 } },
                 { "list top lamp red", FileIcon::TaskList, 256, 74, 106, { 232, 26, 34, 255 } },
                 { "list bottom lamp green at 48 px", FileIcon::TaskList, 48, 74, 220, { 56, 176, 70, 255 } },
                 { "completed tick where the list has a lamp", FileIcon::Completed, 256, 72, 116,
                     { 26, 150, 170, 255 } },
             } })
            EXPECT_EQ(PixelAt(c.Icon, c.Size, c.X, c.Y), c.Expected) << c.Name;
    }

    TEST(IconArt, ThemeHoldsEverySizeOfEveryIconAndTheScalableOnes)
    {
        const auto files = IconThemeFiles();
        for (const char* name : { "mimetypes/application-x-agendrix-list",
                 "mimetypes/application-x-agendrix-completed", "apps/agendrix" }) {
            for (int size : IconSizes) {
                const std::string path
                    = std::to_string(size) + "x" + std::to_string(size) + "/" + name + ".png";
                EXPECT_TRUE(files.contains(path)) << path;
            }
            EXPECT_TRUE(files.contains(std::string("scalable/") + name + ".svg")) << name;
        }
        EXPECT_EQ(files.size(), 3 * (IconSizes.size() + 1));
    }

} // namespace
} // namespace agendrix::skins
