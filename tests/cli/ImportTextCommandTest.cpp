#include "CliRunner.h"

#include "support/Bytes.h"
#include "support/FailingFileOps.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>

namespace agendrix::cli {
namespace {

    using test::ReadBytes;
    using test::WriteBytes;

    namespace fs = std::filesystem;

    const std::string Header = "Format: 5.0.0\r\n";

    // The list file line of an imported task on 2026-12-06.
    std::string TaskOf(const std::string& description)
    {
        return "09\t" + description + "\t\t0\t20261206\t3\t0\t\r\n";
    }

    class ImportTextCommand : public CliRunner { };

    struct RunCase {
        const char* Name;
        std::optional<std::string> Text; // of notes.txt; nothing: no such file
        // After "import-text TEXT", where "TEXT" stands for notes.txt's path and "DIR" for its folder.
        std::vector<std::string> Options;
        ExitCode Exit;
        std::string Written; // out.agl afterwards
        std::string Printed; // on standard output
        std::string Error; // on standard error
        test::FileStep Failing = test::FileStep::Read; // Read: no step fails
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
        { "FailedSaveKeepsTheOldList", "Milk\n", { "-o", "DIR/out.agl" }, ExitCode::FileOrData, OldList, "",
            "agendrix-cli: Could not save \"DIR/out.agl\": Permission denied.\n", test::FileStep::Rename },
        { "EmptyTextGivesAnEmptyList", "", { "-o", "DIR/out.agl" }, ExitCode::Success, Header, "", "" },
        { "NotesOnTheErrorStream", "\xE6\x97\xA5 caf\xC3\xA9\n" + std::string(2000, 'x') + "\n",
            { "-o", "-" }, ExitCode::Success, OldList,
            Header + TaskOf("? caf\xE9") + TaskOf(std::string(1004, 'x')),
            "Some characters of \"TEXT\" cannot be stored in a task list and were replaced by \"?\".\n"
            "1 line of \"TEXT\" was longer than a task allows (1024 characters in all) and cut to fit.\n" },
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
            test::FailingFileOps ops(c.Failing, c.Failing == test::FileStep::Read ? 1000 : 1, EACCES);
            EXPECT_EQ(Run(args, ops), c.Exit) << c.Name << ": " << Err.str();
            EXPECT_EQ(ReadBytes(out), c.Written) << c.Name;
            EXPECT_EQ(Out.str(), c.Printed) << c.Name;
            EXPECT_EQ(Err.str(), placed(c.Error)) << c.Name;
            const std::vector<std::string> left = c.Text ? std::vector<std::string> { "notes.txt", "out.agl" }
                                                         : std::vector<std::string> { "out.agl" };
            EXPECT_EQ(Folder.Names(), left) << c.Name;
        }
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
            { "usage", "--today 2026-12-06 import-text " + folder / "notes.txt", 1,
                "agendrix-cli: import-text needs -o OUT, the list file to write, or -o - for standard "
                "output.\n" },
            { "missingFile", "--today 2026-12-06 import-text /nonexistent/notes.txt -o -", 2,
                "agendrix-cli: Could not open \"/nonexistent/notes.txt\": No such file or directory.\n" },
            { "imported", "--today 2026-12-06 import-text " + folder / "notes.txt" + " -o -", 0,
                Header + TaskOf("Milk") },
        };
        for (const auto& c : cases) {
            std::string output;
            EXPECT_EQ(RunProgram(c.Arguments, output), c.Status) << c.Name;
            EXPECT_EQ(output.substr(0, c.Output.size()), c.Output) << c.Name;
        }
    }

} // namespace
} // namespace agendrix::cli
