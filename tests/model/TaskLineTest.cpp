#include "model/TaskLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace agendrix {
namespace {

    TEST(TaskLineTest, GetFieldReadsEachOfTheEightFields)
    {
        const std::string line = "04\tPay rent\tfirst\xB6second\t1\t20261210\t3\t2\t/home/ann/rent.ods";
        EXPECT_EQ(GetField(line, TaskField::Code), "04");
        EXPECT_EQ(GetField(line, TaskField::Description), "Pay rent");
        EXPECT_EQ(GetField(line, TaskField::Information), "first\xB6second");
        EXPECT_EQ(GetField(line, TaskField::DateBased), "1");
        EXPECT_EQ(GetField(line, TaskField::Date), "20261210");
        EXPECT_EQ(GetField(line, TaskField::DaysToComplete), "3");
        EXPECT_EQ(GetField(line, TaskField::DayKind), "2");
        EXPECT_EQ(GetField(line, TaskField::File), "/home/ann/rent.ods");

        const TaskFields fields = SplitTaskLine(line);
        EXPECT_EQ(fields.Information, "first\xB6second");
        EXPECT_EQ(fields.File, "/home/ann/rent.ods");
        EXPECT_EQ(BuildTaskLine(fields), line);
    }

    TEST(TaskLineTest, FieldsALineIsTooShortToHaveReadEmpty)
    {
        const std::string shortLine = "09\tOnly a title";
        EXPECT_EQ(GetField(shortLine, TaskField::Description), "Only a title");
        EXPECT_EQ(GetField(shortLine, TaskField::Information), "");
        EXPECT_EQ(GetField(shortLine, TaskField::File), "");
        EXPECT_FALSE(IsDateBasedLine(shortLine));

        const std::string emptyFields = "09\t\t\t1\t\t\t\t";
        EXPECT_EQ(GetField(emptyFields, TaskField::Description), "");
        EXPECT_EQ(GetField(emptyFields, TaskField::DateBased), "1");
        EXPECT_EQ(GetField(emptyFields, TaskField::File), "");
        EXPECT_TRUE(IsDateBasedLine(emptyFields));

        EXPECT_EQ(GetField("", TaskField::Code), "");
        EXPECT_EQ(GetField("", TaskField::File), "");
        EXPECT_EQ(FindTab("a\tb\tc", 2), 3u);
        EXPECT_EQ(FindTab("a\tb\tc", 3), std::string_view::npos);
    }

    TEST(TaskLineTest, PriorityCode)
    {
        struct Case {
            const char* name;
            const char* line;
            std::optional<int> code;
        };
        const Case cases[] = {
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
        for (const Case& c : cases)
            EXPECT_EQ(PriorityCode(c.line), c.code) << c.name;
        EXPECT_EQ(TwoDigitCode(3), "03");
        EXPECT_EQ(TwoDigitCode(10), "10");
        EXPECT_TRUE(IsCompletedLine("10\tDone"));
        EXPECT_FALSE(IsCompletedLine("01\tDone"));
    }

    TEST(TaskLineTest, StatusNamesAndEditorCaptions)
    {
        struct Case {
            int code;
            const char* status;
            const char* caption;
        };
        const Case cases[] = {
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
        for (const Case& c : cases) {
            EXPECT_EQ(StatusName(c.code), c.status) << "code " << c.code;
            EXPECT_EQ(EditorCaption(c.code), c.caption) << "code " << c.code;
        }
    }

    TEST(TaskLineTest, InformationTextEncoding)
    {
        const std::string stored = EncodeInformation("a\r\nb\tc");
        EXPECT_EQ(stored,
            "a\xB6"
            "b c");
        EXPECT_EQ(stored.size(), 5u);
        EXPECT_EQ(EncodeInformation("a\nb"),
            "a\xB6"
            "b");
        EXPECT_EQ(EncodeInformation("a\rb"), "ab");
        EXPECT_EQ(EncodeInformation("\r\n\r\n"), "\xB6\xB6");
        EXPECT_EQ(EncodeInformation("caf\xE9"), "caf\xE9");

        EXPECT_EQ(DecodeInformation("a\xB6"
                                    "b c"),
            "a\nb c");
        EXPECT_EQ(DecodeInformation("\xB6\xB6"), "\n\n");
        EXPECT_EQ(DecodeInformation(""), "");
        const std::string typed = "line one\nline two\n\ncaf\xE9";
        EXPECT_EQ(DecodeInformation(EncodeInformation(typed)), typed);

        EXPECT_EQ(WithoutTabs("a\tb\t"), "a b ");
    }

    TEST(TaskLineTest, LeadingNumber)
    {
        struct Case {
            const char* name;
            const char* text;
            long long value;
        };
        const Case cases[] = {
            { "empty", "", 0 },
            { "blanksOnly", "   ", 0 },
            { "letters", "abc", 0 },
            { "letterFirst", "x9", 0 },
            { "plain", "14", 14 },
            { "leadingBlanks", "  7", 7 },
            { "trailingText", "3 days", 3 },
            { "negative", "-5", -5 },
            { "plusSign", "+8", 8 },
            { "tooBigSaturates", "99999999999999999999999", LLONG_MAX },
            { "tooSmallSaturates", "-99999999999999999999999", LLONG_MIN },
        };
        for (const Case& c : cases)
            EXPECT_EQ(LeadingNumber(c.text), c.value) << c.name;
    }

    TaskFields FieldsWithInformation(std::string information)
    {
        TaskFields fields;
        fields.Description = "Report";
        fields.Information = std::move(information);
        fields.Date = "20261210";
        return fields;
    }

    TEST(TaskLineTest, FittedLineKeepsTo1024Bytes)
    {
        const std::size_t fixedBytes = BuildTaskLine(FieldsWithInformation("")).size();
        ASSERT_EQ(fixedBytes, 26u);
        const FittedLine fits = BuildFittedTaskLine(FieldsWithInformation("short notes"));
        EXPECT_EQ(fits.Line, "09\tReport\tshort notes\t0\t20261210\t1\t0\t");
        EXPECT_EQ(fits.Shortened, Shortening::None);

        const std::string exactInfo(MaxTaskLineLength - fixedBytes, 'x');
        const FittedLine exact = BuildFittedTaskLine(FieldsWithInformation(exactInfo));
        EXPECT_EQ(exact.Line.size(), MaxTaskLineLength);
        EXPECT_EQ(exact.Shortened, Shortening::None);

        std::string longInfo;
        for (int i = 0; longInfo.size() < 1030 - fixedBytes; ++i)
            longInfo += static_cast<char>('a' + i % 26);
        const FittedLine cut = BuildFittedTaskLine(FieldsWithInformation(longInfo));
        EXPECT_EQ(cut.Line.size(), MaxTaskLineLength);
        EXPECT_EQ(cut.Shortened, Shortening::InformationCut);
        EXPECT_EQ(GetField(cut.Line, TaskField::Information), longInfo.substr(0, longInfo.size() - 6));
        EXPECT_EQ(GetField(cut.Line, TaskField::Date), "20261210");

        // When the other fields alone are too long, the information text goes entirely and the
        // line stays too long; only the information text is ever cut.
        TaskFields tooLong = FieldsWithInformation("notes");
        tooLong.Description = std::string(1100, 'd');
        const FittedLine emptied = BuildFittedTaskLine(tooLong);
        EXPECT_EQ(GetField(emptied.Line, TaskField::Information), "");
        EXPECT_EQ(GetField(emptied.Line, TaskField::Description), tooLong.Description);
        EXPECT_EQ(emptied.Shortened, Shortening::InformationCut);

        tooLong.Information.clear();
        const FittedLine nothingToCut = BuildFittedTaskLine(tooLong);
        EXPECT_EQ(nothingToCut.Line, BuildTaskLine(tooLong));
        EXPECT_EQ(nothingToCut.Shortened, Shortening::None);

        EXPECT_EQ(ShorteningMessage(),
            "Agendrix had to change the information text, as the total task details exceeded 1024 "
            "characters.");
    }

    TEST(TaskLineTest, CompleteTaskLine)
    {
        const CivilDate day { 2026, 12, 4 };
        const std::string line = "09\tPay rent\tnotes\t1\t20261210\t3\t0\t";
        const std::string done = CompleteTaskLine(line, day);
        EXPECT_EQ(done, "10\t2026/12/04 - Pay rent\tnotes\t0\t20261210\t3\t0\t");
        EXPECT_EQ(GetField(done, TaskField::Description), "2026/12/04 - Pay rent");
        EXPECT_EQ(PriorityCode(done), 10);
        EXPECT_EQ(GetField(done, TaskField::DateBased), "0");

        const std::string twice = CompleteTaskLine(done, { 2027, 1, 2 });
        EXPECT_EQ(GetField(twice, TaskField::Description), "2027/01/02 - 2026/12/04 - Pay rent");
        EXPECT_EQ(PriorityCode(twice), 10);

        // Lines too short for some fields: no crash, and the line still reads as completed.
        for (const char* junk : { "", "x", "09", "abc", "09\t", "09\tTitle", "09\tTitle\tinfo\t" }) {
            const std::string result = CompleteTaskLine(junk, day);
            EXPECT_EQ(PriorityCode(result), 10) << '"' << junk << '"';
            EXPECT_NE(result.find("2026/12/04 - "), std::string::npos) << '"' << junk << '"';
        }
        EXPECT_EQ(CompleteTaskLine("09\tTitle", day), "10\t2026/12/04 - Title");
    }

} // namespace
} // namespace agendrix
