#include "model/TaskLine.h"

#include "ModelTest.h"

#include <array>
#include <climits>

namespace agendrix {
namespace {

    TEST(TaskLineTest, FieldsSplitAtTabsAndMissingOnesReadEmpty)
    {
        const std::tuple<const char*, std::string, std::array<const char*, 8>> cases[] = {
            { "empty", "", { "", "", "", "", "", "", "", "" } },
            { "titleOnly", "09\tOnly a title", { "09", "Only a title", "", "", "", "", "", "" } },
            { "emptyFields", "09\t\t\t1\t\t\t\t", { "09", "", "", "1", "", "", "", "" } },
            { "allEight", "04\tPay rent\tfirst\xB6second\t1\t20261210\t3\t2\t/home/ann/rent.ods",
                { "04", "Pay rent", "first\xB6second", "1", "20261210", "3", "2", "/home/ann/rent.ods" } },
        };
        for (const auto& [name, line, fields] : cases) {
            for (int k = 1; k <= 8; ++k)
                EXPECT_EQ(GetField(line, static_cast<TaskField>(k)), fields[k - 1]) << name << " field " << k;
            EXPECT_EQ(IsDateBasedLine(line), std::string_view(fields[3]) == "1") << name;
        }
        const std::string& full = std::get<1>(cases[3]);
        const TaskFields split = SplitTaskLine(full);
        EXPECT_EQ(split.Information, "first\xB6second");
        EXPECT_EQ(split.File, "/home/ann/rent.ods");
        EXPECT_EQ(BuildTaskLine(split), full);
        EXPECT_EQ(FindTab("a\tb\tc", 2), 3u);
        EXPECT_EQ(FindTab("a\tb\tc", 3), std::string_view::npos);
    }

    TEST(TaskLineTest, PriorityCode)
    {
        const std::tuple<const char*, const char*, std::optional<int>> cases[] = {
            { "empty", "", std::nullopt },
            { "oneDigit", "1", std::nullopt },
            { "eleven", "11\tx", std::nullopt },
            { "ninetyNine", "99\tx", std::nullopt },
            { "digitThenLetter", "1x\tx", std::nullopt },
            { "letterThenDigit", "x1\tx", std::nullopt },
            { "blankPadded", " 5\tx", std::nullopt },
            { "notAssessed", "00\tx", 0 },
            { "broken", "01\tx", 1 },
            { "low", "08\tx", 8 },
            { "completed", "10\tx", 10 },
            { "codeAlone", "05", 5 },
        };
        for (const auto& [name, line, code] : cases)
            EXPECT_EQ(PriorityCode(line), code) << name;
        EXPECT_EQ(TwoDigitCode(3), "03");
        EXPECT_EQ(TwoDigitCode(10), "10");
        EXPECT_TRUE(IsCompletedLine("10\tDone"));
        EXPECT_FALSE(IsCompletedLine("01\tDone"));
    }

    TEST(TaskLineTest, StatusNamesAndEditorCaptions)
    {
        const std::tuple<int, const char*, const char*> cases[] = {
            { -1, "", "" },
            { 11, "", "" },
            { 0, "", "&Date Based" },
            { 1, "Date Based Task Missed", "\"Bro&ken\"" },
            { 2, "Extreme Priority", "Level &7 - Extreme" },
            { 3, "Very High Priority", "Level &6 - Very High" },
            { 4, "High Priority", "Level &5 - High" },
            { 5, "Medium High Priority", "Level &4" },
            { 6, "Medium Priority", "Level &3 - Middle" },
            { 7, "Medium Low Priority", "Level &2" },
            { 8, "Low Priority", "Level &1 - Low" },
            { 9, "Unprioritized", "&Unprioritized" },
            { 10, "Completed", "Co&mpleted" },
        };
        for (const auto& [code, status, caption] : cases) {
            EXPECT_EQ(StatusName(code), status) << "code " << code;
            EXPECT_EQ(EditorCaption(code), caption) << "code " << code;
        }
    }

    TEST(TaskLineTest, InformationTextEncoding)
    {
        const std::tuple<const char*, std::string, std::string> cases[] = {
            { "loneCrDropped", "a\rb", "ab" },
            { "tabBecomesBlank", "a\tb", "a b" },
            { "crLfBecomesPilcrow", "a\r\nz", "a\xB6z" },
            { "twoLineEnds", "\r\n\r\n", "\xB6\xB6" },
            { "highBytesKept", "caf\xE9", "caf\xE9" },
        };
        for (const auto& [name, typed, stored] : cases)
            EXPECT_EQ(EncodeInformation(typed), stored) << name;
        EXPECT_EQ(DecodeInformation("\xB6\xB6"), "\n\n");
        const std::string text = "line one\nline two\n\ncaf\xE9";
        EXPECT_EQ(DecodeInformation(EncodeInformation(text)), text);
        EXPECT_EQ(WithoutTabs("a\tb\t"), "a b ");
    }

    TEST(TaskLineTest, LeadingNumber)
    {
        const std::tuple<const char*, const char*, long long> cases[] = {
            { "empty", "", 0 },
            { "blanksOnly", "   ", 0 },
            { "letters", "abc", 0 },
            { "letterFirst", "x9", 0 },
            { "tooBigSaturates", "99999999999999999999999", LLONG_MAX },
            { "tooSmallSaturates", "-99999999999999999999999", LLONG_MIN },
            { "plain", "14", 14 },
            { "leadingBlanks", "  7", 7 },
            { "trailingText", "3 days", 3 },
            { "negative", "-5", -5 },
            { "plusSign", "+8", 8 },
        };
        for (const auto& [name, text, value] : cases)
            EXPECT_EQ(LeadingNumber(text), value) << name;
    }

    TEST(TaskLineTest, FittedLineKeepsTo1024BytesByCuttingTheInformationText)
    {
        // "09\t" description "\t" information "\t0\t20261210\t1\t0\t": 20 bytes besides the two texts.
        // The lengths of the two texts, and those of the fitted line and its information text.
        const std::tuple<const char*, std::size_t, std::size_t, std::size_t, std::size_t> cases[] = {
            { "othersTooLongWithoutInformation", 1100, 0, 1120, 0 },
            { "othersTooLongInformationGoes", 1100, 5, 1120, 0 },
            { "sixBytesOver", 6, 1004, 1024, 998 },
            { "exactFit", 6, 998, 1024, 998 },
            { "short", 6, 11, 37, 11 },
        };
        for (const auto& [name, descriptionLength, informationLength, lineLength, keptLength] : cases) {
            TaskFields fields;
            fields.Description = std::string(descriptionLength, 'd');
            for (std::size_t i = 0; i < informationLength; ++i)
                fields.Information += static_cast<char>('a' + i % 26);
            fields.Date = "20261210";
            const FittedLine fitted = BuildFittedTaskLine(fields);
            fields.Information.resize(keptLength);
            EXPECT_EQ(fitted.Line, BuildTaskLine(fields)) << name;
            EXPECT_EQ(fitted.Line.size(), lineLength) << name;
            EXPECT_EQ(fitted.Shortened,
                keptLength < informationLength ? Shortening::InformationCut : Shortening::None)
                << name;
        }
        EXPECT_EQ(ShorteningMessage(),
            "Agendrix had to change the information text, as the total task details exceeded 1024 "
            "characters.");
    }

    TEST(TaskLineTest, CompleteTaskLine)
    {
        const CivilDate day { 2026, 12, 4 };
        // Lines too short for some fields: no crash, and the line still reads as completed.
        for (const char* junk : { "", "x", "09", "abc", "09\t", "09\tTitle\tinfo\t" }) {
            const std::string result = CompleteTaskLine(junk, day);
            EXPECT_EQ(PriorityCode(result), 10) << '"' << junk << '"';
            EXPECT_NE(result.find("2026/12/04 - "), std::string::npos) << '"' << junk << '"';
        }
        EXPECT_EQ(CompleteTaskLine("09\tTitle", day), "10\t2026/12/04 - Title");
        const std::string done = CompleteTaskLine("09\tPay rent\tnotes\t1\t20261210\t3\t0\t", day);
        EXPECT_EQ(done, "10\t2026/12/04 - Pay rent\tnotes\t0\t20261210\t3\t0\t");
        EXPECT_EQ(CompleteTaskLine(done, { 2027, 1, 2 }),
            "10\t2027/01/02 - 2026/12/04 - Pay rent\tnotes\t0\t20261210\t3\t0\t");
    }

} // namespace
} // namespace agendrix
