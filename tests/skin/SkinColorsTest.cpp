#include "skin/SkinColors.h"

#include <gtest/gtest.h>

namespace agendrix {
namespace {

    using Colors = std::vector<std::optional<Rgb>>;
    constexpr auto None = std::nullopt;

    struct ColorCase {
        const char* Name;
        const char* Text;
        int First;
        int Count;
        Colors Expected;
    };

    class SkinColorsRead : public testing::TestWithParam<ColorCase> { };

    TEST_P(SkinColorsRead, FollowsTheSkinRules)
    {
        EXPECT_EQ(ReadSkinColors(GetParam().Text, GetParam().First, GetParam().Count), GetParam().Expected);
    }

    INSTANTIATE_TEST_SUITE_P(Skins, SkinColorsRead,
        testing::Values(ColorCase { "EmptyFileChangesNothing", "", 0, 4, { None, None, None, None } },
            ColorCase { "NegativeComponentLeavesThatColourAlone", "1\n-2\n3\n4\n5\n6\n", 0, 2,
                { None, Rgb { 4, 5, 6 } } },
            ColorCase { "TextTakesThePreviousColoursComponent", "10\n20\n30\nx\n\n7.5\n", 0, 2,
                { Rgb { 10, 20, 30 }, Rgb { 10, 20, 30 } } },
            ColorCase { "TextInTheFirstColourCountsAsZero", "red\n20\n30\n", 0, 1, { Rgb { 0, 20, 30 } } },
            ColorCase { "ComponentAbove255CountsAs255", "300\n0\n0\n", 0, 1, { Rgb { 255, 0, 0 } } },
            ColorCase { "NineLinesLeaveStatusAndEditorColours", "1\n2\n3\n4\n5\n6\n7\n8\n9\n", 0, 4,
                { Rgb { 1, 2, 3 }, Rgb { 4, 5, 6 }, Rgb { 7, 8, 9 }, None } },
            ColorCase { "PartOfAColourMissingLeavesIt", "1\n2\n3\n4\n", 0, 2, { Rgb { 1, 2, 3 }, None } },
            ColorCase { "EditorColoursStartAtLineThirteen",
                "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n 11 "
                "\r\n12\r\n13\r\nx\r\n22\r\n23\r\n",
                12, 2, { Rgb { 11, 12, 13 }, Rgb { 11, 22, 23 } } },
            ColorCase { "LinesAfterThoseReadAreIgnored", "1\n2\n3\nnot read\n", 0, 1, { Rgb { 1, 2, 3 } } }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

} // namespace
} // namespace agendrix
