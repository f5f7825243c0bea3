#include "cli/CliArguments.h"

#include <gtest/gtest.h>

namespace agendrix::cli {
namespace {

    struct BadCase {
        const char* Name;
        std::vector<std::string> Args;
        const char* ErrorPart;
    };

    class BadArguments : public testing::TestWithParam<BadCase> { };

    TEST_P(BadArguments, AreRefusedWithAMessageThatSaysWhy)
    {
        const ParsedArguments parsed = ParseArguments(GetParam().Args);
        EXPECT_FALSE(parsed.Arguments.has_value());
        EXPECT_NE(parsed.Error.find(GetParam().ErrorPart), std::string::npos) << parsed.Error;
    }

    INSTANTIATE_TEST_SUITE_P(Cli, BadArguments,
        testing::Values(BadCase { "Nothing", {}, "no command" },
            BadCase { "ShowEmptyFile", { "show", "" }, "show needs a FILE: the name given is empty" },
            BadCase { "AssessEmptyFile", { "assess", "", "-o", "b.agl" }, "assess needs a FILE: the name" },
            BadCase { "AddEmptyFile", { "add", "", "--description", "x" }, "add needs a FILE: the name" },
            BadCase { "CompleteEmptyFile", { "complete", "", "0" }, "complete needs a FILE: the name" },
            BadCase {
                "ExportEmptyFile", { "export-completed", "" }, "export-completed needs a FILE: the name" },
            BadCase { "PurgeEmptyFile", { "purge", "--", "" }, "purge needs a FILE: the name" },
            BadCase { "ImportEmptyFile", { "import-text", "", "-o", "b.agl" },
                "import-text needs a TEXTFILE: the name given is empty" },
            BadCase { "ImportNoFile", { "import-text", "-o", "b.agl" }, "import-text needs a TEXTFILE." },
            BadCase { "ImportNoOutput", { "import-text", "a.txt" },
                "import-text needs -o OUT, the list file to write, or -o - for standard output." },
            BadCase {
                "ImportNumbersButNoOutput", { "import-text", "--numbers", "a.txt" }, "import-text needs -o" },
            BadCase {
                "ImportEmptyOutput", { "import-text", "a.txt", "-o", "" }, "-o needs a file name, or -" },
            BadCase { "ImportSecondFile", { "import-text", "a.txt", "b.txt", "-o", "c.agl" },
                "unexpected argument \"b.txt\"" },
            BadCase { "ImportForce", { "import-text", "a.txt", "-o", "b.agl", "--force" },
                "import-text does not know the option --force" },
            BadCase { "ImportJson", { "import-text", "a.txt", "-o", "b.agl", "--json" },
                "import-text does not know the option --json" },
            BadCase { "NumbersWithValue", { "import-text", "a.txt", "-o", "b.agl", "--numbers=yes" },
                "--numbers takes no value" },
            BadCase { "NumbersOnAssess", { "assess", "a.agl", "--numbers" },
                "assess does not know the option --numbers" },
            BadCase { "NumbersBeforeCommand", { "--numbers", "import-text", "a.txt", "-o", "b.agl" },
                "unknown option --numbers" },
            BadCase { "AssessEmptyOutput", { "assess", "a.agl", "-o", "" }, "-o needs a file name, or -" },
            BadCase { "UnknownCommand", { "explode", "a.agl" }, "unknown command \"explode\"" },
            BadCase { "UnknownOption", { "--verbose", "show", "a.agl" }, "unknown option --verbose" },
            BadCase { "MissingFile", { "show" }, "needs a FILE" },
            BadCase {
                "TodayNotADate", { "--today", "tomorrow", "show", "a.agl" }, "\"tomorrow\" is not one" },
            BadCase { "TodayImpossible", { "--today", "2026-02-30", "show", "a.agl" }, "--today" },
            BadCase { "TodayBadTime", { "--today", "2026-12-06T25:00", "show", "a.agl" }, "--today" },
            BadCase { "TodayWithoutValue", { "--today" }, "--today needs a value" },
            BadCase { "DaysPerLevelZero", { "--days-per-level", "0", "show", "a.agl" }, "from 1 to 4681" },
            BadCase { "DaysPerLevelText", { "--days-per-level", "x", "show", "a.agl" }, "from 1 to 4681" },
            BadCase {
                "ShowUnknownOption", { "show", "--xml", "a.agl" }, "show does not know the option --xml" },
            BadCase { "ShowSecondFile", { "show", "a.agl", "b.agl" }, "unexpected argument \"b.agl\"" },
            BadCase { "OptionAfterDoubleDash", { "show", "--", "a.agl", "--json" },
                "unexpected argument \"--json\"" },
            BadCase { "CommandOptionBeforeCommand", { "--json", "show", "a.agl" }, "unknown option --json" },
            BadCase { "OptionOfAnotherCommand", { "show", "a.agl", "-o", "b.agl" },
                "show does not know the option -o" },
            BadCase { "ShowForce", { "show", "a.agl", "--force" }, "show does not know the option --force" },
            BadCase { "ForceBeforeCommand", { "--force", "purge", "a.agl" }, "unknown option --force" },
            BadCase { "ForceWithValue", { "purge", "a.agl", "--force=yes" }, "--force takes no value" },
            BadCase { "FlagWithValue", { "show", "a.agl", "--json=yes" }, "--json takes no value" },
            BadCase {
                "ValueMissingAtTheEnd", { "add", "a.agl", "--description" }, "--description needs a value" },
            BadCase {
                "TodayAfterFileNotADate", { "show", "a.agl", "--today", "soon" }, "\"soon\" is not one" },
            BadCase { "CompleteExtra", { "complete", "a.agl", "1", "2" }, "unexpected argument \"2\"" },
            BadCase { "AssessOutputMissing", { "assess", "a.agl", "-o" }, "-o needs a value" },
            BadCase { "IndexWithoutFolder", { "index", "--json" }, "index needs a FOLDER." },
            BadCase { "IndexEmptyFolder", { "index", "" }, "index needs a FOLDER: the name given is empty" },
            BadCase { "IndexOutput", { "index", "lists", "-o", "x" }, "index does not know the option -o" },
            BadCase { "NumberedForShow", { "show", "a.agl", "--numbered" },
                "show does not know the option --numbered" },
            BadCase { "IndexTwoFolders", { "index", "a", "b" }, "unexpected argument \"b\"" },
            BadCase { "AddWithoutDescription", { "add", "a.agl" }, "needs --description" },
            BadCase { "AddEmptyDescription", { "add", "a.agl", "--description", "" }, "needs --description" },
            BadCase { "AddUnknownPriority", { "add", "a.agl", "--description", "x", "--priority", "urgent" },
                "does not know \"urgent\"" },
            BadCase {
                "AddLevelEight", { "add", "a.agl", "--description", "x", "--priority", "8" }, "--priority" },
            BadCase { "AddDueAndPriority",
                { "add", "a.agl", "--description", "x", "--due", "2026-12-10", "--priority", "high" },
                "leave out --priority" },
            BadCase {
                "AddDaysWithoutDue", { "add", "a.agl", "--description", "x", "--days", "3" }, "give --due" },
            BadCase { "AddBadKind",
                { "add", "a.agl", "--description", "x", "--due", "2026-12-10", "--kind", "sat" },
                "--kind takes" },
            BadCase { "AddDueWithTime", { "add", "a.agl", "--description", "x", "--due", "2026-12-10T10:00" },
                "--due takes" },
            BadCase { "AddNegativeDays",
                { "add", "a.agl", "--description", "x", "--due", "2026-12-10", "--days", "-1" },
                "--days takes" },
            BadCase { "AddFileWithLf", { "add", "a.agl", "--description", "x", "--file", "/tmp/a\nb" },
                "--file cannot hold a line break" },
            BadCase { "AddFileWithCr", { "add", "a.agl", "--description", "x", "--file", "/tmp/a\rb" },
                "--file cannot hold a line break" },
            BadCase { "AddFileWithTab", { "add", "a.agl", "--description", "x", "--file", "/tmp/a\tb" },
                "--file cannot hold a line break or a Tab" },
            BadCase { "AddUnknownOption", { "add", "a.agl", "--colour", "red" },
                "add does not know the option --colour" },
            BadCase { "CompleteWithoutIndex", { "complete", "a.agl" }, "needs the INDEX" },
            BadCase { "CompleteNegativeIndex", { "complete", "a.agl", "-1" }, "needs the INDEX" },
            BadCase { "CompleteIndexText", { "complete", "a.agl", "first" }, "needs the INDEX" },
            BadCase { "ExportHtmlEmptyFile", { "export-html", "", "-o", "-" },
                "export-html needs a FILE: the name" },
            BadCase { "ExportHtmlWithoutOutput", { "export-html", "a.agl", "--color" },
                "export-html needs -o OUT for the web page, or -o - for standard output." },
            BadCase {
                "ExportHtmlEmptyOutput", { "export-html", "a.agl", "-o", "" }, "-o needs a file name, or -" },
            BadCase { "ExportHtmlEmptyTemplate", { "export-html", "a.agl", "-o", "-", "--template=" },
                "--template needs a file name: the name given is empty." },
            BadCase { "ExportHtmlTemplateWithoutValue", { "export-html", "a.agl", "-o", "-", "--template" },
                "--template needs a value" },
            BadCase { "ExportHtmlColorWithValue", { "export-html", "a.agl", "-o", "-", "--color=yes" },
                "--color takes no value" },
            BadCase { "ExportHtmlForce", { "export-html", "a.agl", "-o", "-", "--force" },
                "export-html does not know the option --force" },
            BadCase { "ColorBeforeCommand", { "--color", "export-html", "a.agl", "-o", "-" },
                "unknown option --color" },
            BadCase { "TemplateOfAnotherCommand", { "show", "a.agl", "--template", "t.htm" },
                "show does not know the option --template" },
            BadCase { "ExportHtmlSecondFile", { "export-html", "a.agl", "b.agl", "-o", "-" },
                "unexpected argument \"b.agl\"" }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

    TEST(CliArguments, GlobalOptionsComeBeforeTheCommand)
    {
        const ParsedArguments parsed = ParseArguments(
            { "--today", "2026-12-04T13:00", "--days-per-level", "2", "show", "a.agl", "--json" });
        ASSERT_TRUE(parsed.Arguments) << parsed.Error;
        const CliArguments& a = *parsed.Arguments;
        ASSERT_TRUE(a.Today);
        EXPECT_EQ(a.Today->Date, (CivilDate { 2026, 12, 4 }));
        EXPECT_EQ(a.Today->SecondsOfDay, 13 * 3600);
        EXPECT_EQ(a.DaysPerLevel, 2);
        EXPECT_EQ(a.Command, CommandName::Show);
        EXPECT_EQ(a.Form, OutputForm::Json);
    }

    // The parsed arguments in one canonical order, with every value that differs from its default.
    std::string Canonical(const CliArguments& a)
    {
        // The other commands are told apart by their options; import-text's need not differ.
        std::string text = a.Command == CommandName::ImportText ? "import-text " + a.File : a.File;
        if (a.Index != 0)
            text += " " + std::to_string(a.Index);
        if (a.Form == OutputForm::Json)
            text += " --json";
        if (!a.Output.empty())
            text += " -o " + a.Output;
        if (!a.Description.empty())
            text += " --description " + a.Description;
        if (a.Today)
            text += " --today " + FormatIso(a.Today->Date);
        if (a.DaysPerLevel)
            text += " --days-per-level " + std::to_string(*a.DaysPerLevel);
        if (a.Force == WhenReadStopped::WriteAnyway)
            text += " --force";
        if (a.Numbered == IndexNumbers::On)
            text += " --numbered";
        if (a.TopTasks == IndexTopTasks::On)
            text += " --top5";
        if (!a.Template.empty())
            text += " --template " + a.Template;
        if (a.Colour == PageColour::ByCategory)
            text += " --color";
        if (a.Numbers == LineNumbers::With)
            text += " --numbers";
        return text;
    }

    struct GoodCase {
        const char* Name;
        std::vector<std::string> Args;
        const char* Canonical;
    };

    class GoodArguments : public testing::TestWithParam<GoodCase> { };

    TEST_P(GoodArguments, AreReadWhereverTheOptionsStand)
    {
        const ParsedArguments parsed = ParseArguments(GetParam().Args);
        ASSERT_TRUE(parsed.Arguments) << parsed.Error;
        EXPECT_EQ(Canonical(*parsed.Arguments), GetParam().Canonical);
    }

    INSTANTIATE_TEST_SUITE_P(Cli, GoodArguments,
        testing::Values(GoodCase { "JsonBeforeFile", { "show", "--json", "a.agl" }, "a.agl --json" },
            GoodCase { "IndexWithEveryOption", { "index", "--top5", "lists", "--numbered", "--json" },
                "lists --json --numbered --top5" },
            GoodCase { "JsonAfterFile", { "show", "a.agl", "--json" }, "a.agl --json" },
            GoodCase { "OutputBeforeFile", { "assess", "-o", "b.agl", "a.agl" }, "a.agl -o b.agl" },
            GoodCase { "OptionBetweenFileAndIndex", { "complete", "a.agl", "--days-per-level", "5", "7" },
                "a.agl 7 --days-per-level 5" },
            GoodCase { "AddOptionsBeforeFile", { "add", "--description", "Call Bob", "a.agl" },
                "a.agl --description Call Bob" },
            GoodCase { "GlobalOptionAfterCommand", { "show", "--today", "2026-12-04", "a.agl" },
                "a.agl --today 2026-12-04" },
            GoodCase { "GlobalOptionsAtTheEnd",
                { "purge", "a.agl", "--days-per-level", "2", "--today", "2026-12-04" },
                "a.agl --today 2026-12-04 --days-per-level 2" },
            GoodCase { "ValuesAfterEquals", { "--today=2026-12-04", "add", "a.agl", "--description=a=b" },
                "a.agl --description a=b --today 2026-12-04" },
            GoodCase { "ValueBeginningWithADash", { "add", "a.agl", "--description", "-x" },
                "a.agl --description -x" },
            GoodCase {
                "DoubleDashBeforeDashFile", { "show", "--json", "--", "-odd.agl" }, "-odd.agl --json" },
            GoodCase { "DoubleDashBeforeCommand", { "--", "show", "--json" }, "--json" },
            GoodCase { "DashAloneIsAFile", { "show", "-" }, "-" },
            GoodCase { "OutputToStandardOutput", { "assess", "a.agl", "-o", "-" }, "a.agl -o -" },
            GoodCase { "ImportWithoutNumbers", { "import-text", "a.txt", "-o", "b.agl" },
                "import-text a.txt -o b.agl" },
            GoodCase { "ImportNumbersAtTheEnd", { "import-text", "a.txt", "-o", "b.agl", "--numbers" },
                "import-text a.txt -o b.agl --numbers" },
            GoodCase { "ImportNumbersAndOutputFirst", { "import-text", "--numbers", "-o", "b.agl", "a.txt" },
                "import-text a.txt -o b.agl --numbers" },
            GoodCase {
                "ImportToStandardOutput", { "import-text", "a.txt", "-o", "-" }, "import-text a.txt -o -" },
            GoodCase { "ImportFileBeginningWithADash", { "import-text", "-o", "b.agl", "--", "-notes.txt" },
                "import-text -notes.txt -o b.agl" },
            GoodCase { "AssessForce", { "assess", "--force", "a.agl" }, "a.agl --force" },
            GoodCase { "AddForce", { "add", "a.agl", "--force", "--description", "x" },
                "a.agl --description x --force" },
            GoodCase { "CompleteForce", { "complete", "a.agl", "3", "--force" }, "a.agl 3 --force" },
            GoodCase { "ExportForce", { "export-completed", "--force", "a.agl" }, "a.agl --force" },
            GoodCase { "PurgeForce", { "purge", "a.agl", "--force" }, "a.agl --force" },
            GoodCase { "ExportHtmlOptionsBeforeFile",
                { "export-html", "--color", "-o", "page.htm", "--template", "t.htm", "a.agl" },
                "a.agl -o page.htm --template t.htm --color" },
            GoodCase { "ExportHtmlToStandardOutput", { "export-html", "a.agl", "-o", "-" }, "a.agl -o -" },
            GoodCase { "ExportHtmlValuesAfterEquals",
                { "export-html", "a.agl", "-o", "page.htm", "--template=My Page.htm", "--today=2026-12-04" },
                "a.agl -o page.htm --today 2026-12-04 --template My Page.htm" }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

    TEST(CliArguments, TodayWithoutATimeMeansNoon)
    {
        const ParsedArguments parsed = ParseArguments({ "--today", "2026-12-04", "purge", "a.agl" });
        ASSERT_TRUE(parsed.Arguments);
        EXPECT_EQ(parsed.Arguments->Today->SecondsOfDay, 12 * 3600);
    }

    TEST(CliArguments, AddReadsEveryField)
    {
        const ParsedArguments parsed
            = ParseArguments({ "add", "a.agl", "--description", "Renew passport", "--info", "Photo\nbooth",
                "--due", "2026-12-09", "--days", "2", "--kind", "all", "--file", "/tmp/form.pdf" });
        ASSERT_TRUE(parsed.Arguments) << parsed.Error;
        const CliArguments& a = *parsed.Arguments;
        EXPECT_EQ(a.Description, "Renew passport");
        EXPECT_EQ(a.Information, "Photo\nbooth");
        EXPECT_EQ(a.Due, (CivilDate { 2026, 12, 9 }));
        EXPECT_EQ(a.Days, "2");
        EXPECT_EQ(a.DayKind, 2);
        EXPECT_EQ(a.AssociatedFile, "/tmp/form.pdf");
    }

    TEST(CliArguments, PriorityNamesAndLevelsGiveTheEditorsOptionNumbers)
    {
        const std::vector<std::pair<std::string, int>> cases { { "broken", 1 }, { "extreme", 2 }, { "7", 2 },
            { "very-high", 3 }, { "6", 3 }, { "high", 4 }, { "5", 4 }, { "4", 5 }, { "3", 6 }, { "2", 7 },
            { "low", 8 }, { "1", 8 }, { "unprioritized", 9 }, { "completed", 10 } };
        for (const auto& [name, option] : cases)
            EXPECT_EQ(PriorityOptionFromName(name), option) << name;
        EXPECT_FALSE(PriorityOptionFromName("0"));
        EXPECT_FALSE(PriorityOptionFromName("High"));
    }

} // namespace
} // namespace agendrix::cli
