#include "cli/CliArguments.h"

#include <gtest/gtest.h>

namespace agendrix::cli {
namespace {

    template <typename Case> std::string NameOf(const testing::TestParamInfo<Case>& info)
    {
        return info.param.Name;
    }

    struct BadCase {
        const char* Name;
        std::vector<std::string> Args;
        const char* ErrorPart;
    };

    const BadCase BadCases[] = { { "Nothing", {}, "no command" },
        { "ShowEmptyFile", { "show", "" }, "show needs a FILE: the name given is empty" },
        { "AssessEmptyFile", { "assess", "", "-o", "b.agl" }, "assess needs a FILE: the name" },
        { "AddEmptyFile", { "add", "", "--description", "x" }, "add needs a FILE: the name" },
        { "CompleteEmptyFile", { "complete", "", "0" }, "complete needs a FILE: the name" },
        { "ExportEmptyFile", { "export-completed", "" }, "export-completed needs a FILE: the name" },
        { "PurgeEmptyFile", { "purge", "--", "" }, "purge needs a FILE: the name" },
        { "ImportEmptyFile", { "import-text", "", "-o", "b.agl" },
            "import-text needs a TEXTFILE: the name given is empty" },
        { "ImportNoFile", { "import-text", "-o", "b.agl" }, "import-text needs a TEXTFILE." },
        { "ImportNoOutput", { "import-text", "a.txt" },
            "import-text needs -o OUT, the list file to write, or -o - for standard output." },
        { "ImportNumbersButNoOutput", { "import-text", "--numbers", "a.txt" }, "import-text needs -o" },
        { "ImportEmptyOutput", { "import-text", "a.txt", "-o", "" }, "-o needs a file name, or -" },
        { "ImportSecondFile", { "import-text", "a.txt", "b.txt", "-o", "c.agl" },
            "unexpected argument \"b.txt\"" },
        { "ImportForce", { "import-text", "a.txt", "-o", "b.agl", "--force" },
            "import-text does not know the option --force" },
        { "ImportJson", { "import-text", "a.txt", "-o", "b.agl", "--json" },
            "import-text does not know the option --json" },
        { "NumbersWithValue", { "import-text", "a.txt", "-o", "b.agl", "--numbers=yes" },
            "--numbers takes no value" },
        { "NumbersOnAssess", { "assess", "a.agl", "--numbers" },
            "assess does not know the option --numbers" },
        { "NumbersBeforeCommand", { "--numbers", "import-text", "a.txt", "-o", "b.agl" },
            "unknown option --numbers" },
        { "AssessEmptyOutput", { "assess", "a.agl", "-o", "" }, "-o needs a file name, or -" },
        { "UnknownCommand", { "explode", "a.agl" }, "unknown command \"explode\"" },
        { "UnknownOption", { "--verbose", "show", "a.agl" }, "unknown option --verbose" },
        { "MissingFile", { "show" }, "needs a FILE" },
        { "TodayNotADate", { "--today", "tomorrow", "show", "a.agl" }, "\"tomorrow\" is not one" },
        { "TodayImpossible", { "--today", "2026-02-30", "show", "a.agl" }, "--today" },
        { "TodayBadTime", { "--today", "2026-12-06T25:00", "show", "a.agl" }, "--today" },
        { "TodayWithoutValue", { "--today" }, "--today needs a value" },
        { "DaysPerLevelZero", { "--days-per-level", "0", "show", "a.agl" }, "from 1 to 4681" },
        { "DaysPerLevelText", { "--days-per-level", "x", "show", "a.agl" }, "from 1 to 4681" },
        { "ShowUnknownOption", { "show", "--xml", "a.agl" }, "show does not know the option --xml" },
        { "ShowSecondFile", { "show", "a.agl", "b.agl" }, "unexpected argument \"b.agl\"" },
        { "OptionAfterDoubleDash", { "show", "--", "a.agl", "--json" }, "unexpected argument \"--json\"" },
        { "CommandOptionBeforeCommand", { "--json", "show", "a.agl" }, "unknown option --json" },
        { "OptionOfAnotherCommand", { "show", "a.agl", "-o", "b.agl" }, "show does not know the option -o" },
        { "ShowForce", { "show", "a.agl", "--force" }, "show does not know the option --force" },
        { "ForceBeforeCommand", { "--force", "purge", "a.agl" }, "unknown option --force" },
        { "ForceWithValue", { "purge", "a.agl", "--force=yes" }, "--force takes no value" },
        { "FlagWithValue", { "show", "a.agl", "--json=yes" }, "--json takes no value" },
        { "ValueMissingAtTheEnd", { "add", "a.agl", "--description" }, "--description needs a value" },
        { "TodayAfterFileNotADate", { "show", "a.agl", "--today", "soon" }, "\"soon\" is not one" },
        { "CompleteExtra", { "complete", "a.agl", "1", "2" }, "unexpected argument \"2\"" },
        { "AssessOutputMissing", { "assess", "a.agl", "-o" }, "-o needs a value" },
        { "IndexWithoutFolder", { "index", "--json" }, "index needs a FOLDER." },
        { "IndexEmptyFolder", { "index", "" }, "index needs a FOLDER: the name given is empty" },
        { "IndexOutput", { "index", "lists", "-o", "x" }, "index does not know the option -o" },
        { "NumberedForShow", { "show", "a.agl", "--numbered" }, "show does not know the option --numbered" },
        { "IndexTwoFolders", { "index", "a", "b" }, "unexpected argument \"b\"" },
        { "AddWithoutDescription", { "add", "a.agl" }, "needs --description" },
        { "AddEmptyDescription", { "add", "a.agl", "--description", "" }, "needs --description" },
        { "AddUnknownPriority", { "add", "a.agl", "--description", "x", "--priority", "urgent" },
            "does not know \"urgent\"" },
        { "AddLevelEight", { "add", "a.agl", "--description", "x", "--priority", "8" }, "--priority" },
        { "AddDueAndPriority",
            { "add", "a.agl", "--description", "x", "--due", "2026-12-10", "--priority", "high" },
            "leave out --priority" },
        { "AddDaysWithoutDue", { "add", "a.agl", "--description", "x", "--days", "3" }, "give --due" },
        { "AddBadKind", { "add", "a.agl", "--description", "x", "--due", "2026-12-10", "--kind", "sat" },
            "--kind takes" },
        { "AddDueWithTime", { "add", "a.agl", "--description", "x", "--due", "2026-12-10T10:00" },
            "--due takes" },
        { "AddNegativeDays", { "add", "a.agl", "--description", "x", "--due", "2026-12-10", "--days", "-1" },
            "--days takes" },
        { "AddFileWithLf", { "add", "a.agl", "--description", "x", "--file", "/tmp/a\nb" },
            "--file cannot hold a line break" },
        { "AddFileWithCr", { "add", "a.agl", "--description", "x", "--file", "/tmp/a\rb" },
            "--file cannot hold a line break" },
        { "AddFileWithTab", { "add", "a.agl", "--description", "x", "--file", "/tmp/a\tb" },
            "--file cannot hold a line break or a Tab" },
        { "AddUnknownOption", { "add", "a.agl", "--colour", "red" },
            "add does not know the option --colour" },
        { "CompleteWithoutIndex", { "complete", "a.agl" }, "needs the INDEX" },
        { "CompleteNegativeIndex", { "complete", "a.agl", "-1" }, "needs the INDEX" },
        { "CompleteIndexText", { "complete", "a.agl", "first" }, "needs the INDEX" },
        { "ExportHtmlEmptyFile", { "export-html", "", "-o", "-" }, "export-html needs a FILE: the name" },
        { "ExportHtmlWithoutOutput", { "export-html", "a.agl", "--color" },
            "export-html needs -o OUT for the web page, or -o - for standard output." },
        { "ExportHtmlEmptyOutput", { "export-html", "a.agl", "-o", "" }, "-o needs a file name, or -" },
        { "ExportHtmlEmptyTemplate", { "export-html", "a.agl", "-o", "-", "--template=" },
            "--template needs a file name: the name given is empty." },
        { "ExportHtmlTemplateWithoutValue", { "export-html", "a.agl", "-o", "-", "--template" },
            "--template needs a value" },
        { "ExportHtmlColorWithValue", { "export-html", "a.agl", "-o", "-", "--color=yes" },
            "--color takes no value" },
        { "ExportHtmlForce", { "export-html", "a.agl", "-o", "-", "--force" },
            "export-html does not know the option --force" },
        { "ColorBeforeCommand", { "--color", "export-html", "a.agl", "-o", "-" }, "unknown option --color" },
        { "TemplateOfAnotherCommand", { "show", "a.agl", "--template", "t.htm" },
            "show does not know the option --template" },
        { "ExportHtmlSecondFile", { "export-html", "a.agl", "b.agl", "-o", "-" },
            "unexpected argument \"b.agl\"" },
        { "PackNothing", { "pack" }, "pack needs a OUT.cfp." },
        { "PackNoSource", { "pack", "o.cfp", "--name", "N", "a.txt" }, "pack needs --source and --name" },
        { "PackNoName", { "pack", "o.cfp", "--source", "S", "a.txt" }, "pack needs --source and --name" },
        { "PackNoFiles", { "pack", "o.cfp", "--source", "S", "--name", "N" }, "at least one FILE" },
        { "PackAbsoluteFile", { "pack", "o.cfp", "--source", "S", "--name", "N", "/etc/passwd" },
            "pack cannot store /etc/passwd: the path \"\\etc\\passwd\" is absolute" },
        { "PackParentFolder", { "pack", "o.cfp", "--source", "S", "--name", "N", "../x.bmp" },
            "names the folder \"..\"" },
        { "PackCurrentFolder", { "pack", "o.cfp", "--source", "S", "--name", "N", "./x.bmp" },
            "names the folder \".\"" },
        { "PackTabInSource", { "pack", "o.cfp", "--source", "S\tT", "--name", "N", "a" },
            "--source cannot hold a Tab" },
        { "PackSourceOnUnpack", { "unpack", "o.cfp", "--source", "S" },
            "unpack does not know the option --source" },
        { "UnpackNothing", { "unpack" }, "unpack needs a PACKAGE.cfp." },
        { "UnpackEmptyName", { "unpack", "a.cfp", "" }, "a name given is empty" } };

    class BadArguments : public testing::TestWithParam<BadCase> { };

    TEST_P(BadArguments, AreRefusedWithAMessageThatSaysWhy)
    {
        const ParsedArguments parsed = ParseArguments(GetParam().Args);
        EXPECT_FALSE(parsed.Arguments.has_value());
        EXPECT_NE(parsed.Error.find(GetParam().ErrorPart), std::string::npos) << parsed.Error;
    }

    INSTANTIATE_TEST_SUITE_P(Cli, BadArguments, testing::ValuesIn(BadCases), NameOf<BadCase>);

    // The parsed arguments in one canonical order, with every value that differs from its default.
    std::string Canonical(const CliArguments& a)
    {
        static const char* const commands[] = { "show", "assess", "add", "complete", "export-completed",
            "purge", "index", "export-html", "import-text", "pack", "unpack" };
        std::string text = commands[static_cast<int>(a.Command)] + (" " + a.File);
        const auto add = [&text](bool present, const std::string& option) {
            if (present)
                text += " " + option;
        };
        add(a.Index != 0, std::to_string(a.Index));
        add(a.Form == OutputForm::Json, "--json");
        add(!a.Output.empty(), "-o " + a.Output);
        add(!a.Description.empty(), "--description " + a.Description);
        add(!a.Information.empty(), "--info " + a.Information);
        add(a.PriorityOption.has_value(), "--priority " + std::to_string(a.PriorityOption.value_or(0)));
        add(a.Due.has_value(), "--due " + (a.Due ? FormatIso(*a.Due) : ""));
        add(a.Days != "1", "--days " + a.Days);
        add(a.DayKind != 0, "--kind " + std::to_string(a.DayKind));
        add(!a.AssociatedFile.empty(), "--file " + a.AssociatedFile);
        if (a.Today) {
            const int minutes = a.Today->SecondsOfDay / 60;
            text += " --today " + FormatIso(a.Today->Date) + "T" + std::to_string(minutes / 60) + ":"
                + std::to_string(minutes % 60 / 10) + std::to_string(minutes % 10);
        }
        add(a.DaysPerLevel.has_value(), "--days-per-level " + std::to_string(a.DaysPerLevel.value_or(0)));
        add(a.Force == WhenReadStopped::WriteAnyway, "--force");
        add(a.Numbered == IndexNumbers::On, "--numbered");
        add(a.TopTasks == IndexTopTasks::On, "--top5");
        add(!a.Template.empty(), "--template " + a.Template);
        add(a.Colour == PageColour::ByCategory, "--color");
        add(a.Numbers == LineNumbers::With, "--numbers");
        add(!a.Source.empty(), "--source " + a.Source);
        add(!a.PackageName.empty(), "--name " + a.PackageName);
        for (const std::string& file : a.Files)
            text += " " + file;
        return text;
    }

    struct GoodCase {
        const char* Name;
        std::vector<std::string> Args;
        const char* Canonical;
    };

    // A date without a time means noon.
    const GoodCase GoodCases[] = {
        { "JsonBeforeFile", { "show", "--json", "a.agl" }, "show a.agl --json" },
        { "IndexWithEveryOption", { "index", "--top5", "lists", "--numbered", "--json" },
            "index lists --json --numbered --top5" },
        { "JsonAfterFile", { "show", "a.agl", "--json" }, "show a.agl --json" },
        { "OutputBeforeFile", { "assess", "-o", "b.agl", "a.agl" }, "assess a.agl -o b.agl" },
        { "OptionBetweenFileAndIndex", { "complete", "a.agl", "--days-per-level", "5", "7" },
            "complete a.agl 7 --days-per-level 5" },
        { "AddOptionsBeforeFile", { "add", "--description", "Call Bob", "a.agl" },
            "add a.agl --description Call Bob" },
        { "AddEveryField",
            { "add", "a.agl", "--description", "Renew passport", "--info", "Photo\nbooth", "--due",
                "2026-12-09", "--days", "2", "--kind", "all", "--file", "/tmp/form.pdf" },
            "add a.agl --description Renew passport --info Photo\nbooth --due 2026-12-09 --days 2 --kind 2 "
            "--file /tmp/form.pdf" },
        { "AddPriorityName", { "add", "a.agl", "--description", "x", "--priority", "very-high" },
            "add a.agl --description x --priority 3" },
        { "GlobalOptionsBeforeTheCommand",
            { "--today", "2026-12-04T13:05", "--days-per-level", "2", "show", "a.agl", "--json" },
            "show a.agl --json --today 2026-12-04T13:05 --days-per-level 2" },
        { "GlobalOptionAfterCommand", { "show", "--today", "2026-12-04", "a.agl" },
            "show a.agl --today 2026-12-04T12:00" },
        { "GlobalOptionsAtTheEnd", { "purge", "a.agl", "--days-per-level", "2", "--today", "2026-12-04" },
            "purge a.agl --today 2026-12-04T12:00 --days-per-level 2" },
        { "ValuesAfterEquals", { "--today=2026-12-04", "add", "a.agl", "--description=a=b" },
            "add a.agl --description a=b --today 2026-12-04T12:00" },
        { "ValueBeginningWithADash", { "add", "a.agl", "--description", "-x" },
            "add a.agl --description -x" },
        { "DoubleDashBeforeDashFile", { "show", "--json", "--", "-odd.agl" }, "show -odd.agl --json" },
        { "DoubleDashBeforeCommand", { "--", "show", "--json" }, "show --json" },
        { "DashAloneIsAFile", { "show", "-" }, "show -" },
        { "OutputToStandardOutput", { "assess", "a.agl", "-o", "-" }, "assess a.agl -o -" },
        { "ImportWithoutNumbers", { "import-text", "a.txt", "-o", "b.agl" }, "import-text a.txt -o b.agl" },
        { "ImportNumbersAtTheEnd", { "import-text", "a.txt", "-o", "b.agl", "--numbers" },
            "import-text a.txt -o b.agl --numbers" },
        { "ImportNumbersAndOutputFirst", { "import-text", "--numbers", "-o", "b.agl", "a.txt" },
            "import-text a.txt -o b.agl --numbers" },
        { "ImportToStandardOutput", { "import-text", "a.txt", "-o", "-" }, "import-text a.txt -o -" },
        { "ImportFileBeginningWithADash", { "import-text", "-o", "b.agl", "--", "-notes.txt" },
            "import-text -notes.txt -o b.agl" },
        { "AssessForce", { "assess", "--force", "a.agl" }, "assess a.agl --force" },
        { "AddForce", { "add", "a.agl", "--force", "--description", "x" },
            "add a.agl --description x --force" },
        { "CompleteForce", { "complete", "a.agl", "3", "--force" }, "complete a.agl 3 --force" },
        { "ExportForce", { "export-completed", "--force", "a.agl" }, "export-completed a.agl --force" },
        { "PurgeForce", { "purge", "a.agl", "--force" }, "purge a.agl --force" },
        { "ExportHtmlOptionsBeforeFile",
            { "export-html", "--color", "-o", "page.htm", "--template", "t.htm", "a.agl" },
            "export-html a.agl -o page.htm --template t.htm --color" },
        { "ExportHtmlToStandardOutput", { "export-html", "a.agl", "-o", "-" }, "export-html a.agl -o -" },
        { "ExportHtmlValuesAfterEquals",
            { "export-html", "a.agl", "-o", "page.htm", "--template=My Page.htm", "--today=2026-12-04" },
            "export-html a.agl -o page.htm --today 2026-12-04T12:00 --template My Page.htm" },
        { "PackKeepsTheFilesInOrder",
            { "pack", "o.cfp", "a.txt", "--name", "Blue", "Skins/Blue/x.bmp", "--source=Me" },
            "pack o.cfp --source Me --name Blue a.txt Skins/Blue/x.bmp" },
    };

    class GoodArguments : public testing::TestWithParam<GoodCase> { };

    TEST_P(GoodArguments, AreReadWhereverTheOptionsStand)
    {
        const ParsedArguments parsed = ParseArguments(GetParam().Args);
        ASSERT_TRUE(parsed.Arguments) << parsed.Error;
        EXPECT_EQ(Canonical(*parsed.Arguments), GetParam().Canonical);
    }

    INSTANTIATE_TEST_SUITE_P(Cli, GoodArguments, testing::ValuesIn(GoodCases), NameOf<GoodCase>);

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
