#include "cli/CliArguments.h"
#include "cli/CliCommands.h"

#include "support/Bytes.h"
#include "support/FailingFileOps.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <sys/wait.h>

namespace agendrix::cli {
namespace {

    using test::ReadBytes;
    using test::WriteBytes;

    namespace fs = std::filesystem;

    struct BadImportCase {
        const char* Name;
        std::vector<std::string> Args;
        const char* ErrorPart;
    };

    class BadImportArguments : public testing::TestWithParam<BadImportCase> { };

    TEST_P(BadImportArguments, AreRefusedWithAMessageThatSaysWhy)
    {
        const ParsedArguments parsed = ParseArguments(GetParam().Args);
        EXPECT_FALSE(parsed.Arguments.has_value());
        EXPECT_NE(parsed.Error.find(GetParam().ErrorPart), std::string::npos) << parsed.Error;
    }

    INSTANTIATE_TEST_SUITE_P(ImportText, BadImportArguments,
        testing::Values(
            BadImportCase { "NoOutput", { "import-text", "a.txt" },
                "import-text needs -o OUT, the list file to write, or -o - for standard output." },
            BadImportCase {
                "NumbersButNoOutput", { "import-text", "--numbers", "a.txt" }, "import-text needs -o" },
            BadImportCase {
                "EmptyOutput", { "import-text", "a.txt", "-o", "" }, "-o needs a file name, or -" },
            BadImportCase { "OutputWithoutValue", { "import-text", "a.txt", "-o" }, "-o needs a value" },
            BadImportCase { "EmptyFile", { "import-text", "", "-o", "b.agl" },
                "import-text needs a TEXTFILE: the name given is empty" },
            BadImportCase { "NoFile", { "import-text", "-o", "b.agl" }, "import-text needs a TEXTFILE." },
            BadImportCase { "SecondFile", { "import-text", "a.txt", "b.txt", "-o", "c.agl" },
                "unexpected argument \"b.txt\"" },
            BadImportCase { "Force", { "import-text", "a.txt", "-o", "b.agl", "--force" },
                "import-text does not know the option --force" },
            BadImportCase { "Json", { "import-text", "a.txt", "-o", "b.agl", "--json" },
                "import-text does not know the option --json" },
            BadImportCase { "NumbersWithValue", { "import-text", "a.txt", "-o", "b.agl", "--numbers=yes" },
                "--numbers takes no value" },
            BadImportCase { "NumbersOnAssess", { "assess", "a.agl", "--numbers" },
                "assess does not know the option --numbers" },
            BadImportCase { "NumbersBeforeCommand", { "--numbers", "import-text", "a.txt", "-o", "b.agl" },
                "unknown option --numbers" }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

    struct GoodImportCase {
        const char* Name;
        std::vector<std::string> Args;
        const char* File;
        const char* Output;
        LineNumbers Numbers;
    };

    class GoodImportArguments : public testing::TestWithParam<GoodImportCase> { };

    TEST_P(GoodImportArguments, AreReadWhereverTheOptionsStand)
    {
        const GoodImportCase& c = GetParam();
        const ParsedArguments parsed = ParseArguments(c.Args);
        ASSERT_TRUE(parsed.Arguments) << parsed.Error;
        EXPECT_EQ(parsed.Arguments->Command, CommandName::ImportText);
        EXPECT_EQ(parsed.Arguments->File, c.File);
        EXPECT_EQ(parsed.Arguments->Output, c.Output);
        EXPECT_EQ(parsed.Arguments->Numbers, c.Numbers);
    }

    INSTANTIATE_TEST_SUITE_P(ImportText, GoodImportArguments,
        testing::Values(GoodImportCase { "WithoutNumbers", { "import-text", "a.txt", "-o", "b.agl" }, "a.txt",
                            "b.agl", LineNumbers::Without },
            GoodImportCase { "NumbersAtTheEnd", { "import-text", "a.txt", "-o", "b.agl", "--numbers" },
                "a.txt", "b.agl", LineNumbers::With },
            GoodImportCase { "NumbersAndOutputFirst", { "import-text", "--numbers", "-o", "b.agl", "a.txt" },
                "a.txt", "b.agl", LineNumbers::With },
            GoodImportCase {
                "StandardOutput", { "import-text", "a.txt", "-o", "-" }, "a.txt", "-", LineNumbers::Without },
            GoodImportCase { "FileBeginningWithADash", { "import-text", "-o", "b.agl", "--", "-notes.txt" },
                "-notes.txt", "b.agl", LineNumbers::Without },
            GoodImportCase { "GlobalOptionsAnywhere",
                { "--today", "2026-12-04", "import-text", "a.txt", "--days-per-level", "2", "-o", "b.agl" },
                "a.txt", "b.agl", LineNumbers::Without }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

    const std::string Header = "Format: 5.0.0\r\n";

    // The list file line of an imported task on 2026-12-06.
    std::string TaskOf(const std::string& description)
    {
        return "09\t" + description + "\t\t0\t20261206\t3\t0\t\r\n";
    }

    class ImportTextCommand : public testing::Test {
    protected:
        // Runs a command line at 2026-12-06 12:00 with DaysPerLevel 3 and ISO dates.
        ExitCode Run(const std::vector<std::string>& args, FileOps& ops = SystemFileOps())
        {
            Out.str({});
            Err.str({});
            const ParsedArguments parsed = ParseArguments(args);
            EXPECT_TRUE(parsed.Arguments) << parsed.Error;
            if (!parsed.Arguments)
                return ExitCode::Usage;
            CliContext context { DateTime { CivilDate { 2026, 12, 6 }, 12 * 3600 }, 3, FormatIso, Out, Err,
                false, ops };
            return RunCommand(*parsed.Arguments, context);
        }

        test::TempFolder Folder;
        std::ostringstream Out;
        std::ostringstream Err;
    };

    struct RunCase {
        const char* Name;
        std::optional<std::string> Text; // of notes.txt; nothing: no such file
        // After "import-text TEXT", where "TEXT" stands for notes.txt's path and "DIR" for its folder.
        std::vector<std::string> Options;
        ExitCode Exit;
        std::string Written; // out.agl afterwards
        std::string Printed; // on standard output
        std::string Error; // on standard error
    };

    // out.agl holds this list before each run.
    const std::string OldList = Header + "04\tOld task\t\t0\t\t\t\t\r\n";

    const RunCase RunCases[] = {
        { "MissingTextFile", std::nullopt, { "-o", "DIR/out.agl" }, ExitCode::FileOrData, OldList, "",
            "agendrix-cli: Could not open \"TEXT\": No such file or directory.\n" },
        { "MissingTextFileToStandardOutput", std::nullopt, { "-o", "-" }, ExitCode::FileOrData, OldList, "",
            "agendrix-cli: Could not open \"TEXT\": No such file or directory.\n" },
        { "OutputInAMissingFolder", "Milk\n", { "-o", "DIR/absent/out.agl" }, ExitCode::FileOrData, OldList,
            "", "agendrix-cli: Could not save \"DIR/absent/out.agl\": No such file or directory.\n" },
        { "ReplacesTheOutputSorted", "Milk\r\nbread\r\n\r\n  Apples\t\r\n", { "-o", "DIR/out.agl" },
            ExitCode::Success, Header + TaskOf("Apples") + TaskOf("bread") + TaskOf("Milk"), "", "" },
        { "NumbersKeepTheTextsOrder", "Milk\nbread\n\nApples", { "--numbers", "-o", "DIR/out.agl" },
            ExitCode::Success, Header + TaskOf("001 - Milk") + TaskOf("002 - bread") + TaskOf("003 - Apples"),
            "", "" },
        { "StandardOutputWritesNoFile", "Milk\rbread\r", { "-o", "-" }, ExitCode::Success, OldList,
            Header + TaskOf("bread") + TaskOf("Milk"), "" },
        { "EmptyTextGivesAnEmptyList", "", { "-o", "DIR/out.agl" }, ExitCode::Success, Header, "", "" },
        { "NotesOnTheErrorStream", "\xE6\x97\xA5 caf\xC3\xA9\n" + std::string(2000, 'x') + "\n",
            { "-o", "-" }, ExitCode::Success, OldList,
            Header + TaskOf("? caf\xE9") + TaskOf(std::string(1004, 'x')),
            "Some characters of \"TEXT\" cannot be stored in a task list and were replaced by \"?\".\n1 line "
            "of "
            "\"TEXT\" was longer than a task allows (1024 characters in all) and cut to fit.\n" },
    };

    std::string Replaced(std::string text, const std::string& placeholder, const std::string& value)
    {
        for (std::size_t at = text.find(placeholder); at != std::string::npos;
             at = text.find(placeholder, at))
            text.replace(at, placeholder.size(), value);
        return text;
    }

    TEST_F(ImportTextCommand, WritesTheListOrSaysWhyNot)
    {
        for (const RunCase& c : RunCases) {
            const std::string text = Folder / "notes.txt";
            const std::string out = Folder / "out.agl";
            fs::remove(text);
            WriteBytes(out, OldList);
            if (c.Text)
                WriteBytes(text, *c.Text);
            const auto placed = [&](const std::string& with) {
                return Replaced(Replaced(with, "TEXT", text), "DIR", Folder.Path());
            };
            std::vector<std::string> args { "import-text", text };
            for (const std::string& option : c.Options)
                args.push_back(placed(option));
            EXPECT_EQ(Run(args), c.Exit) << c.Name << ": " << Err.str();
            EXPECT_EQ(ReadBytes(out), c.Written) << c.Name;
            EXPECT_EQ(Out.str(), c.Printed) << c.Name;
            EXPECT_EQ(Err.str(), placed(c.Error)) << c.Name;
            const std::vector<std::string> left = c.Text ? std::vector<std::string> { "notes.txt", "out.agl" }
                                                         : std::vector<std::string> { "out.agl" };
            EXPECT_EQ(Folder.Names(), left) << c.Name;
        }
    }

    TEST_F(ImportTextCommand, AFailedSaveKeepsTheOldListAndNamesIt)
    {
        const std::string out = Folder / "out.agl";
        WriteBytes(out, OldList);
        WriteBytes(Folder / "notes.txt", "Milk\n");
        test::FailingFileOps ops(test::FileStep::Rename, 1, EACCES);
        EXPECT_EQ(Run({ "import-text", Folder / "notes.txt", "-o", out }, ops), ExitCode::FileOrData);
        EXPECT_NE(Err.str().find("Could not save \"" + out + "\": Permission denied."), std::string::npos)
            << Err.str();
        EXPECT_EQ(ReadBytes(out), OldList);
        EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "notes.txt", "out.agl" }));
    }

    // The real program, for its exit statuses and its two streams.
    int RunProgram(const std::string& arguments, std::string& output)
    {
        const std::string command = std::string(AGENDRIX_CLI) + " --today 2026-12-06 " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t got = 0;
        output.clear();
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, got);
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TEST(ImportTextProgram, ExitStatusesSayWhatWentWrong)
    {
        const test::TempFolder folder;
        WriteBytes(folder / "notes.txt", "Milk\n");
        const struct {
            const char* Name;
            std::string Arguments;
            int Status;
            std::string Output;
        } cases[] = {
            { "usage", "import-text " + folder / "notes.txt", 1,
                "agendrix-cli: import-text needs -o OUT, the list file to write, or -o - for standard "
                "output.\n" },
            { "missingFile", "import-text /nonexistent/notes.txt -o -", 2,
                "agendrix-cli: Could not open \"/nonexistent/notes.txt\": No such file or directory.\n" },
            { "imported", "import-text " + folder / "notes.txt" + " -o -", 0, Header + TaskOf("Milk") },
        };
        for (const auto& c : cases) {
            std::string output;
            EXPECT_EQ(RunProgram(c.Arguments, output), c.Status) << c.Name;
            EXPECT_EQ(output.substr(0, c.Output.size()), c.Output) << c.Name;
        }
    }

} // namespace
} // namespace agendrix::cli
