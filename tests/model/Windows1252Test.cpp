#include "model/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

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

        // Each byte on its own, so a failure names the byte.
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, static_cast<char>(b));
            const EncodedText single = Utf8ToWindows1252(Windows1252ToUtf8(one));
            EXPECT_EQ(single.bytes, one) << "byte 0x" << std::hex << b;
            EXPECT_EQ(single.lossiness, Lossiness::Exact) << "byte 0x" << std::hex << b;
        }
    }

    TEST(Windows1252Test, DecodesKnownBytes)
    {
        struct Case {
            const char* name;
            std::string byte;
            std::string utf8;
        };
        const Case cases[] = {
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
            { "ascii", "A", "A" },
            { "nul", std::string(1, '\0'), std::string(1, '\0') },
        };
        for (const Case& c : cases) {
            EXPECT_EQ(Windows1252ToUtf8(c.byte), c.utf8) << c.name;
            const EncodedText back = Utf8ToWindows1252(c.utf8);
            EXPECT_EQ(back.bytes, c.byte) << c.name;
            EXPECT_EQ(back.lossiness, Lossiness::Exact) << c.name;
        }
    }

    TEST(Windows1252Test, CharactersWithoutAByteBecomeQuestionMarks)
    {
        struct Case {
            const char* name;
            std::string utf8;
            std::string bytes;
        };
        const Case cases[] = {
            // U+0080 has no byte: 0x80 is the euro sign.
            { "c1Control80", "\xC2\x80", "?" },
            { "japanese",
                "a\xE6\x97\xA5"
                "b",
                "a?b" },
            { "emoji", "\xF0\x9F\x98\x80", "?" },
            { "greekAmongLatin", "\xC3\xA9\xCE\xB1\xC3\xA9", "\xE9?\xE9" },
        };
        for (const Case& c : cases) {
            const EncodedText encoded = Utf8ToWindows1252(c.utf8);
            EXPECT_EQ(encoded.bytes, c.bytes) << c.name;
            EXPECT_EQ(encoded.lossiness, Lossiness::Replaced) << c.name;
        }
    }

    TEST(Windows1252Test, MalformedUtf8IsReplacedNeverDecoded)
    {
        struct Case {
            const char* name;
            std::string utf8;
            char forbidden; // what a lenient decoder would wrongly produce
        };
        const Case cases[] = {
            { "overlongSlash",
                "a\xC0\xAF"
                "b",
                '/' },
            { "overlongThreeByteA",
                "a\xE0\x81\x81"
                "b",
                'A' },
            { "surrogateHigh",
                "a\xED\xA0\x80"
                "b",
                '\0' },
            { "surrogateLow",
                "a\xED\xBF\xBF"
                "b",
                '\0' },
            { "beyondU10FFFF",
                "a\xF4\x90\x80\x80"
                "b",
                '\0' },
            { "fiveByteLead",
                "a\xF8\x88\x80\x80\x80"
                "b",
                '\0' },
            { "loneContinuation",
                "a\x80"
                "b",
                '\x80' },
            { "truncatedInMiddle",
                "a\xE2\x82"
                "b",
                '\x80' },
        };
        for (const Case& c : cases) {
            EXPECT_FALSE(IsValidUtf8(c.utf8)) << c.name;
            const EncodedText encoded = Utf8ToWindows1252(c.utf8);
            EXPECT_EQ(encoded.lossiness, Lossiness::Replaced) << c.name;
            ASSERT_GE(encoded.bytes.size(), 3u) << c.name;
            EXPECT_EQ(encoded.bytes.front(), 'a') << c.name;
            EXPECT_EQ(encoded.bytes.back(), 'b') << c.name;
            EXPECT_NE(encoded.bytes.find('?'), std::string::npos) << c.name;
            if (c.forbidden != '\0') {
                EXPECT_EQ(encoded.bytes.find(c.forbidden), std::string::npos) << c.name;
            }
        }
        // Cut off at the very end of the text.
        for (const std::string truncated : { "x\xC3", "x\xE2\x82", "x\xF0\x9F\x98" }) {
            EXPECT_FALSE(IsValidUtf8(truncated));
            const EncodedText encoded = Utf8ToWindows1252(truncated);
            EXPECT_EQ(encoded.bytes.substr(0, 2), "x?");
            EXPECT_EQ(encoded.lossiness, Lossiness::Replaced);
        }
        // The bytes just past the end of the text must not complete the sequence.
        const std::string longer = "x\xC3\xA9";
        const std::string_view cut = std::string_view(longer).substr(0, 2);
        EXPECT_FALSE(IsValidUtf8(cut));
        EXPECT_EQ(Utf8ToWindows1252(cut).bytes, "x?");
    }

    TEST(Windows1252Test, PathsSurviveTheListFile)
    {
        struct Case {
            const char* name;
            std::string path;
            std::string fileText;
        };
        const Case cases[] = {
            { "empty", "", "" },
            { "ascii", "/home/ann/Lists/work.agl", "/home/ann/Lists/work.agl" },
            { "latinIsWrittenInWindows1252", "/home/ann/caf\xC3\xA9.agl", "/home/ann/caf\xE9.agl" },
            { "euroIsWrittenInWindows1252", "/tmp/\xE2\x82\xAC.agl", "/tmp/\x80.agl" },
            // Nothing of it fits Windows-1252: the raw UTF-8 is kept.
            { "japaneseKeepsUtf8", "/home/ann/\xE6\x97\xA5\xE6\x9C\xAC.agl",
                "/home/ann/\xE6\x97\xA5\xE6\x9C\xAC.agl" },
            // One character that does not fit keeps the whole path in UTF-8, é included.
            // "Ã©" in Windows-1252 is C3 A9, which would read back as "é": kept in UTF-8.
            { "windows1252BytesThatLookLikeUtf8", "/tmp/\xC3\x83\xC2\xA9.agl", "/tmp/\xC3\x83\xC2\xA9.agl" },
            { "mixedKeepsUtf8", "/home/caf\xC3\xA9/\xE6\x97\xA5.agl", "/home/caf\xC3\xA9/\xE6\x97\xA5.agl" },
        };
        for (const Case& c : cases) {
            EXPECT_EQ(PathToFileText(c.path), c.fileText) << c.name;
            EXPECT_EQ(PathFromFileText(c.fileText), c.path) << c.name;
        }
    }

} // namespace
} // namespace agendrix
