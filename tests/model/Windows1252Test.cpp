#include "model/Windows1252.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    TEST(Windows1252Test, EveryByteValueRoundTripsThroughUtf8)
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        const std::string utf8 = Windows1252ToUtf8(all);
        EXPECT_TRUE(IsValidUtf8(utf8));
        const EncodedText back = Utf8ToWindows1252(utf8);
        EXPECT_EQ(back.bytes, all);
        EXPECT_EQ(back.lossiness, Lossiness::Exact);
    }

    TEST(Windows1252Test, KnownBytesMapBothWays)
    {
        const std::tuple<const char*, std::string, std::string> cases[] = {
            { "nul", std::string(1, '\0'), std::string(1, '\0') },
            { "ascii", "A", "A" },
            { "euro", "\x80", "\xE2\x82\xAC" },
            { "undefined81IsC1Control", "\x81", "\xC2\x81" },
            { "undefined8DIsC1Control", "\x8D", "\xC2\x8D" },
            { "undefined8FIsC1Control", "\x8F", "\xC2\x8F" },
            { "undefined90IsC1Control", "\x90", "\xC2\x90" },
            { "undefined9DIsC1Control", "\x9D", "\xC2\x9D" },
            { "capitalYWithDiaeresis", "\x9F", "\xC5\xB8" },
            { "pilcrow", "\xB6", "\xC2\xB6" },
            { "eAcute", "\xE9", "\xC3\xA9" },
            { "yWithDiaeresis", "\xFF", "\xC3\xBF" },
        };
        for (const auto& [name, byte, utf8] : cases) {
            EXPECT_EQ(Windows1252ToUtf8(byte), utf8) << name;
            const EncodedText back = Utf8ToWindows1252(utf8);
            EXPECT_EQ(back.bytes, byte) << name;
            EXPECT_EQ(back.lossiness, Lossiness::Exact) << name;
        }
    }

    TEST(Windows1252Test, CharactersWithoutAByteBecomeQuestionMarks)
    {
        const std::tuple<const char*, std::string, std::string> cases[] = {
            { "c1Control80", "\xC2\x80", "?" }, // 0x80 is the euro sign, so U+0080 has no byte
            { "japanese", "a\xE6\x97\xA5z", "a?z" },
            { "emoji", "\xF0\x9F\x98\x80", "?" },
            { "greekAmongLatin", "\xC3\xA9\xCE\xB1\xC3\xA9", "\xE9?\xE9" },
        };
        for (const auto& [name, utf8, bytes] : cases) {
            const EncodedText encoded = Utf8ToWindows1252(utf8);
            EXPECT_EQ(encoded.bytes, bytes) << name;
            EXPECT_EQ(encoded.lossiness, Lossiness::Replaced) << name;
        }
    }

    TEST(Windows1252Test, MalformedUtf8IsReplacedNeverDecoded)
    {
        // The text, and what a lenient decoder would wrongly produce from it. The truncated cases
        // end where a valid sequence goes on, so a decoder that reads past the end completes it.
        const std::tuple<const char*, std::string_view, char> cases[] = {
            { "overlongSlash", "a\xC0\xAFz", '/' },
            { "overlongThreeByteA", "a\xE0\x81\x81z", 'A' },
            { "surrogateHigh", "a\xED\xA0\x80z", '\0' },
            { "surrogateLow", "a\xED\xBF\xBFz", '\0' },
            { "beyondU10FFFF", "a\xF4\x90\x80\x80z", '\0' },
            { "fiveByteLead", "a\xF8\x88\x80\x80\x80z", '\0' },
            { "loneContinuation", "a\x80z", '\x80' },
            { "truncatedInMiddle", "a\xE2\x82z", '\x80' },
            { "truncatedTwoByteAtEnd", std::string_view("a\xC3\xA9", 2), '\xE9' },
            { "truncatedThreeByteAtEnd", std::string_view("a\xE2\x82\xAC", 3), '\x80' },
            { "truncatedFourByteAtEnd", std::string_view("a\xF0\x9F\x98\x80", 4), '\0' },
        };
        for (const auto& [name, utf8, forbidden] : cases) {
            EXPECT_FALSE(IsValidUtf8(utf8)) << name;
            const EncodedText encoded = Utf8ToWindows1252(utf8);
            EXPECT_EQ(encoded.lossiness, Lossiness::Replaced) << name;
            ASSERT_GE(encoded.bytes.size(), 2u) << name;
            EXPECT_EQ(encoded.bytes.front(), 'a') << name;
            EXPECT_EQ(encoded.bytes.back(), utf8.back() == 'z' ? 'z' : '?') << name;
            EXPECT_NE(encoded.bytes.find('?'), std::string::npos) << name;
            EXPECT_EQ(encoded.bytes.find(forbidden), std::string::npos) << name;
        }
    }

    TEST(Windows1252Test, AsciiRunsOfEveryLengthAroundOtherBytes)
    {
        // Runs of ASCII are taken a word at a time: a character or a bad byte after a run of any
        // length, at any place in a word, must still be seen.
        const std::tuple<const char*, std::string, char, bool, Lossiness> cases[] = {
            { "invalidByte", "\xE9", '?', false, Lossiness::Replaced },
            { "loneContinuation", "\x80", '?', false, Lossiness::Replaced },
            { "noWindows1252Byte", "\xE6\x97\xA5", '?', true, Lossiness::Replaced },
            { "eAcute", "\xC3\xA9", '\xE9', true, Lossiness::Exact },
            { "euro", "\xE2\x82\xAC", '\x80', true, Lossiness::Exact },
        };
        for (const auto& [name, middle, byte, valid, lossiness] : cases) {
            for (std::size_t before = 0; before <= 17; ++before) {
                const std::string run(before, 'a');
                const std::string utf8 = run + middle + "0123456789";
                const std::string expected = run + byte + "0123456789";
                const std::string where = std::string(name) + " after " + std::to_string(before);
                EXPECT_EQ(IsValidUtf8(utf8), valid) << where;
                EXPECT_FALSE(IsAscii(utf8)) << where;
                const EncodedText encoded = Utf8ToWindows1252(utf8);
                EXPECT_EQ(encoded.bytes, expected) << where;
                EXPECT_EQ(encoded.lossiness, lossiness) << where;
                std::string inPlace = "xy" + utf8;
                EXPECT_EQ(Utf8ToWindows1252InPlace(inPlace, 2), lossiness) << where;
                EXPECT_EQ(inPlace, expected) << where;
            }
        }
        EXPECT_TRUE(IsAscii(std::string(17, 'a')));
        EXPECT_TRUE(IsAscii(""));
    }

    TEST(Windows1252Test, PathsSurviveTheListFile)
    {
        const std::tuple<const char*, std::string, std::string> cases[] = {
            { "empty", "", "" },
            { "ascii", "/home/ann/Lists/work.agl", "/home/ann/Lists/work.agl" },
            { "latinIsWrittenInWindows1252", "/home/ann/caf\xC3\xA9.agl", "/home/ann/caf\xE9.agl" },
            { "euroIsWrittenInWindows1252", "/tmp/\xE2\x82\xAC.agl", "/tmp/\x80.agl" },
            { "japaneseKeepsUtf8", "/home/\xE6\x97\xA5\xE6\x9C\xAC.agl",
                "/home/\xE6\x97\xA5\xE6\x9C\xAC.agl" },
            // "Ã©" in Windows-1252 is C3 A9, which would read back as "é": kept in UTF-8.
            { "windows1252BytesThatLookLikeUtf8", "/tmp/\xC3\x83\xC2\xA9.agl", "/tmp/\xC3\x83\xC2\xA9.agl" },
            // One character that does not fit keeps the whole path in UTF-8, é included.
            { "mixedKeepsUtf8", "/home/caf\xC3\xA9/\xE6\x97\xA5.agl", "/home/caf\xC3\xA9/\xE6\x97\xA5.agl" },
        };
        for (const auto& [name, path, fileText] : cases) {
            EXPECT_EQ(PathToFileText(path), fileText) << name;
            EXPECT_EQ(PathFromFileText(fileText), path) << name;
        }
    }

} // namespace
} // namespace agendrix
