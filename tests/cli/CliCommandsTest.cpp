#include "CliRunner.h"

#include "support/Bytes.h"
#include "support/FailingFileOps.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

namespace agendrix::cli {
namespace {

    using test::ReadBytes;
    using test::WriteBytes;

    namespace fs = std::filesystem;

    class CliCommands : public CliRunner { };

    const std::string Header = "Format: 5.0.0\r\n";

    TEST_F(CliCommands, ShowOfAMissingFileFailsNamingIt)
    {
        EXPECT_EQ(Run({ "show", List("absent.agl") }), ExitCode::FileOrData);
        EXPECT_NE(Err.str().find("absent.agl"), std::string::npos) << Err.str();
        EXPECT_TRUE(Out.str().empty());
    }

    TEST_F(CliCommands, ShowOfAFolderFailsWithTheReason)
    {
        fs::create_directory(Folder / "folder.agl");
        EXPECT_EQ(Run({ "show", List("folder.agl") }), ExitCode::FileOrData);
        EXPECT_NE(Err.str().find("Is a directory"), std::string::npos) << Err.str();
    }

    TEST_F(CliCommands, ShowPrintsTheAssessedListInStoreOrder)
    {
        WriteBytes(Folder / "l.agl",
            Header + "09\tLater\t\t0\t20261206\t1\t0\t\r\n" + "00\tRenew passport\t\t1\t20261209\t2\t2\t\r\n"
                + "04\tcall Bob\t\t0\t20261206\t1\t0\t\r\n");
        ASSERT_EQ(Run({ "show", List("l.agl") }), ExitCode::Success) << Err.str();
        std::istringstream rows(Out.str());
        std::string heading, first, second, third;
        std::getline(rows, heading);
        std::getline(rows, first);
        std::getline(rows, second);
        std::getline(rows, third);
        EXPECT_NE(first.find("Very High"), std::string::npos) << first;
        EXPECT_NE(first.find("Due on: 2026-12-09, Start: 1 Days"), std::string::npos) << first;
        EXPECT_NE(second.find("call Bob"), std::string::npos) << second;
        EXPECT_NE(third.find("Unprioritized"), std::string::npos) << third;
    }

    TEST_F(CliCommands, ShowJsonGivesOneObjectPerTaskWithEscapedTexts)
    {
        WriteBytes(Folder / "l.agl",
            Header + "04\tSay \"hi\" \\ caf\xE9\ta\xB6" + "b\t0\t20261206\t1\t0\t/tmp/x\r\n"
                + "09\tctl\x01\t\t0\t\t\t\t\r\n");
        ASSERT_EQ(Run({ "show", List("l.agl"), "--json" }), ExitCode::Success) << Err.str();
        const std::string json = Out.str();
        EXPECT_EQ(json.front(), '[');
        EXPECT_NE(json.find("\"description\": \"Say \\\"hi\\\" \\\\ caf\xC3\xA9\""), std::string::npos)
            << json;
        EXPECT_NE(json.find("\"information\": \"a\xC2\xB6"
                            "b\""),
            std::string::npos)
            << json;
        EXPECT_NE(json.find("\"status\": \"High Priority\""), std::string::npos) << json;
        EXPECT_NE(json.find("\"file\": \"/tmp/x\""), std::string::npos) << json;
        EXPECT_NE(json.find("ctl\\u0001"), std::string::npos) << json;
        EXPECT_NE(json.find("\"line\": \"04\\tSay"), std::string::npos) << json;
        EXPECT_EQ(json.find("\"index\": 2"), std::string::npos);
    }

    TEST_F(CliCommands, ShowConvertsAnOlderListAndPrintsTheNoteOnce)
    {
        WriteBytes(Folder / "old.agl",
            "Format: 2.0.0\r\n04\ta\t\t0\t19990101\t1\t0\t\r\n04\tb\t\t0\t19990101\t1\t0\t\r\n");
        ASSERT_EQ(Run({ "show", List("old.agl"), "--json" }), ExitCode::Success);
        EXPECT_EQ(Err.str(),
            "This file is in Version 2.0 format, it will be\nconverted to Version 3 format the next\ntime "
            "you save. "
            "Dated items will not have\ntheir dates retained, we apologise for any\ninconvenience.\n");
        EXPECT_NE(Out.str().find("\"date\": \"20261206\""), std::string::npos) << Out.str();
        EXPECT_EQ(Out.str().find("19990101"), std::string::npos);
    }

    TEST_F(CliCommands, AssessWritesTheCurrentFormatAndLeavesTheSourceAlone)
    {
        using namespace std::string_literals;
        const std::string withNul
            = "Format: 3.0.2\r\n00\tdated\t\t1\t20261207\t0\t2\t\r\n06\tkept \x81\0 bytes\t\t0\t\t\t\t\r\n"s;
        WriteBytes(Folder / "in.agl", withNul);
        ASSERT_EQ(Run({ "assess", List("in.agl"), "-o", List("out.agl") }), ExitCode::Success) << Err.str();
        EXPECT_EQ(ReadBytes(Folder / "in.agl"), withNul);
        EXPECT_EQ(ReadBytes(Folder / "out.agl"),
            Header + "03\tdated\t\t1\t20261207\t0\t2\t\r\n" + "06\tkept \x81" + std::string(1, '\0')
                + " bytes\t\t0\t\t\t\t\r\n");
    }

    TEST_F(CliCommands, AssessToStandardOutputWritesTheFileBytesThereOnly)
    {
        const std::string old = "Format: 2.0.0\r\n00\tdated\t\t1\t19990101\t0\t2\t\n09\tb\xE9\t\t0\t\t\t\t\r";
        WriteBytes(Folder / "in.agl", old);
        ASSERT_EQ(Run({ "assess", List("in.agl"), "-o", "-" }), ExitCode::Success) << Err.str();
        EXPECT_EQ(
            Out.str(), Header + "01\tdated\t\t1\t20261206\t0\t2\t\r\n09\tb\xE9\t\t0\t20261206\t\t\t\r\n");
        EXPECT_EQ(Err.str().substr(0, 35), "This file is in Version 2.0 format,");
        EXPECT_EQ(ReadBytes(Folder / "in.agl"), old);
        EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "in.agl" }));
    }

    TEST_F(CliCommands, AddToANewFileWritesTheEditorsLine)
    {
        ASSERT_EQ(Run({ "add", List("new.agl"), "--description", "Water the plants" }), ExitCode::Success)
            << Err.str();
        EXPECT_EQ(ReadBytes(Folder / "new.agl"), Header + "09\tWater the plants\t\t0\t20261220\t1\t0\t\r\n");
    }

    TEST_F(CliCommands, AddADateBasedTaskStoresItsAssessedCode)
    {
        ASSERT_EQ(
            Run({ "add", List("l.agl"), "--description", "Renew passport", "--due", "2026-12-09", "--days",
                "2", "--kind", "all", "--info", "line one\nline\ttwo", "--file", "/home/me/form.pdf" }),
            ExitCode::Success)
            << Err.str();
        EXPECT_EQ(ReadBytes(Folder / "l.agl"),
            Header + "03\tRenew passport\tline one\xB6line two\t1\t20261209\t2\t2\t/home/me/form.pdf\r\n");
    }

    TEST_F(CliCommands, AddKeepsTheTaskOnOneLineWhateverLineBreaksItIsGiven)
    {
        ASSERT_EQ(Run({ "add", List("l.agl"), "--description", "Call\r\nBob\rnow\nplease\tsoon", "--info",
                      "a\r\nb\rc\nd\r\n\r\ne\r" }),
            ExitCode::Success)
            << Err.str();
        const std::string p = "\xB6"; // a stored line break
        EXPECT_EQ(ReadBytes(Folder / "l.agl"),
            Header + "09\tCall Bob now please soon\ta" + p + "b" + p + "c" + p + "d" + p + p + "e" + p
                + "\t0\t20261220\t1\t0\t\r\n");
    }

    TEST_F(CliCommands, AddCompletedPrefixesTheDateAndLevelsMapToCodes)
    {
        ASSERT_EQ(Run({ "add", List("l.agl"), "--description", "Done", "--priority", "completed" }),
            ExitCode::Success);
        ASSERT_EQ(
            Run({ "add", List("l.agl"), "--description", "Mid", "--priority", "3" }), ExitCode::Success);
        EXPECT_EQ(ReadBytes(Folder / "l.agl"),
            Header + "06\tMid\t\t0\t20261220\t1\t0\t\r\n"
                + "10\t2026/12/06 - Done\t\t0\t20261220\t1\t0\t\r\n");
    }

    TEST_F(CliCommands, AddTellsWhenTextHadToChange)
    {
        ASSERT_EQ(Run({ "add", List("l.agl"), "--description", "Caf\xC3\xA9 \xE6\x97\xA5", "--info",
                      std::string(1100, 'x') }),
            ExitCode::Success);
        EXPECT_NE(Err.str().find("description cannot be stored in a task list and were replaced by \"?\""),
            std::string::npos)
            << Err.str();
        EXPECT_NE(
            Err.str().find("Agendrix had to change the information text, as the total task details exceeded "
                           "1024 characters."),
            std::string::npos);
        const std::string bytes = ReadBytes(Folder / "l.agl");
        EXPECT_EQ(bytes.size(), Header.size() + 1024 + 2);
        EXPECT_EQ(bytes.substr(Header.size(), 13), "09\tCaf\xE9 ?\txxx");
    }

    TEST_F(CliCommands, CompleteMarksTheTaskAtTheIndex)
    {
        WriteBytes(
            Folder / "l.agl", Header + "04\tPay rent\t\t0\t20261206\t1\t0\t\r\n09\tOther\t\t0\t\t\t\t\r\n");
        ASSERT_EQ(Run({ "complete", List("l.agl"), "0" }), ExitCode::Success) << Err.str();
        EXPECT_EQ(ReadBytes(Folder / "l.agl"),
            Header + "09\tOther\t\t0\t\t\t\t\r\n10\t2026/12/06 - Pay rent\t\t0\t20261206\t1\t0\t\r\n");
    }

    TEST_F(CliCommands, CompleteOutOfRangeFailsAndChangesNothing)
    {
        const std::string bytes = Header + "04\tPay rent\t\t0\t20261206\t1\t0\t\r\n";
        WriteBytes(Folder / "l.agl", bytes);
        EXPECT_EQ(Run({ "complete", List("l.agl"), "1" }), ExitCode::FileOrData);
        EXPECT_NE(Err.str().find("has no task at index 1 (it has 1)"), std::string::npos) << Err.str();
        EXPECT_EQ(ReadBytes(Folder / "l.agl"), bytes);
    }

    TEST_F(CliCommands, ExportMovesCompletedTasksThenFindsNoneLeft)
    {
        WriteBytes(Folder / "home.agl",
            Header
                + "04\tOpen\t\t0\t\t\t\t\r\n10\t2026/12/01 - A\t\t0\t\t\t\t\r\n10\t2026/12/02 - "
                  "B\t\t0\t\t\t\t\r\n");
        ASSERT_EQ(Run({ "export-completed", List("home.agl") }), ExitCode::Success) << Err.str();
        EXPECT_EQ(Err.str(), "Completed items have been saved to:\n" + List("home.cti") + "\n");
        EXPECT_EQ(ReadBytes(Folder / "home.cti"),
            Header + "10\t2026/12/02 - B\t\t0\t\t\t\t\r\n10\t2026/12/01 - A\t\t0\t\t\t\t\r\n");
        EXPECT_EQ(ReadBytes(Folder / "home.agl"), Header + "04\tOpen\t\t0\t\t\t\t\r\n");

        EXPECT_EQ(Run({ "export-completed", List("home.agl") }), ExitCode::Success);
        EXPECT_EQ(Err.str(), "No completed items found.\n");
    }

    TEST_F(CliCommands, PurgeDropsCompletedTasksWithoutAsking)
    {
        WriteBytes(Folder / "l.agl", Header + "04\tOpen\t\t0\t\t\t\t\r\n10\tdone\t\t0\t\t\t\t\r\n");
        ASSERT_EQ(Run({ "purge", List("l.agl") }), ExitCode::Success);
        EXPECT_EQ(Err.str(), "");
        EXPECT_EQ(ReadBytes(Folder / "l.agl"), Header + "04\tOpen\t\t0\t\t\t\t\r\n");
        ASSERT_EQ(Run({ "purge", List("l.agl") }), ExitCode::Success);
        EXPECT_EQ(Err.str(), "No completed items found.\n");
    }

    TEST_F(CliCommands, AFailedSaveReportsTheFileAndKeepsTheOldOne)
    {
        const std::string bytes = Header + "10\tdone\t\t0\t\t\t\t\r\n";
        WriteBytes(Folder / "l.agl", bytes);
        test::FailingFileOps ops(test::FileStep::Rename, 1, EACCES);
        EXPECT_EQ(Run({ "purge", List("l.agl") }, ops), ExitCode::FileOrData);
        EXPECT_NE(
            Err.str().find("Could not save \"" + List("l.agl") + "\": Permission denied."), std::string::npos)
            << Err.str();
        EXPECT_EQ(ReadBytes(Folder / "l.agl"), bytes);
        EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "l.agl" }));
    }

    // A list ends at its first empty line: writing it back would drop what follows, so the
    // commands that write refuse unless told to go ahead; showing it only warns.
    TEST_F(CliCommands, WritingCommandsRefuseAListThatStoppedAtAnEmptyLine)
    {
        const std::string bytes
            = Header + "04\tOpen\t\t0\t\t\t\t\r\n10\tdone\t\t0\t\t\t\t\r\n\r\n05\tafter\r\n";
        const std::vector<std::vector<std::string>> commands {
            { "assess" },
            { "add", "--description", "x" },
            { "complete", "0" },
            { "export-completed" },
            { "purge" },
        };
        for (const auto& command : commands) {
            WriteBytes(Folder / "l.agl", bytes);
            std::vector<std::string> args { command[0], List("l.agl") };
            args.insert(args.end(), command.begin() + 1, command.end());
            EXPECT_EQ(Run(args), ExitCode::FileOrData) << command[0];
            EXPECT_NE(Err.str().find("has an empty line at line 4"), std::string::npos) << Err.str();
            EXPECT_NE(Err.str().find("Give --force to write it anyway."), std::string::npos) << Err.str();
            EXPECT_EQ(ReadBytes(Folder / "l.agl"), bytes) << command[0];

            args.push_back("--force");
            EXPECT_EQ(Run(args), ExitCode::Success) << command[0] << ": " << Err.str();
            EXPECT_EQ(ReadBytes(Folder / "l.agl").find("after"), std::string::npos) << command[0];
            fs::remove(Folder / "l.cti");
        }
        WriteBytes(Folder / "l.agl", bytes);
        EXPECT_EQ(Run({ "show", List("l.agl") }), ExitCode::Success);
        EXPECT_NE(Err.str().find("has an empty line at line 4"), std::string::npos) << Err.str();
    }

    // When the list cannot be saved after its completed tasks went to the ".cti" file, that file
    // gets back what it held: a retry then moves the tasks exactly once.
    TEST_F(CliCommands, ExportIsAllOrNothing)
    {
        const std::string list = Header + "04\tOpen\t\t0\t\t\t\t\r\n10\t2026/12/01 - A\t\t0\t\t\t\t\r\n";
        for (const bool ctiBefore : { false, true }) {
            WriteBytes(Folder / "home.agl", list);
            const std::string cti = Header + "10\t2026/11/30 - Z\t\t0\t\t\t\t\r\n";
            fs::remove(Folder / "home.cti");
            if (ctiBefore)
                WriteBytes(Folder / "home.cti", cti);
            test::FailingFileOps ops(test::FileStep::Rename, 2, EACCES); // the list's, after the .cti's
            EXPECT_EQ(Run({ "export-completed", List("home.agl") }, ops), ExitCode::FileOrData);
            EXPECT_NE(Err.str().find("Could not save \"" + List("home.agl") + "\""), std::string::npos)
                << Err.str();
            EXPECT_EQ(ReadBytes(Folder / "home.agl"), list);
            EXPECT_EQ(fs::exists(Folder / "home.cti"), ctiBefore);
            if (ctiBefore) {
                EXPECT_EQ(ReadBytes(Folder / "home.cti"), cti);
            }
            const std::vector<std::string> expected = ctiBefore
                ? std::vector<std::string> { "home.agl", "home.cti" }
                : std::vector<std::string> { "home.agl" };
            EXPECT_EQ(Folder.Names(), expected);

            ASSERT_EQ(Run({ "export-completed", List("home.agl") }), ExitCode::Success) << Err.str();
            EXPECT_EQ(ReadBytes(Folder / "home.cti"),
                (ctiBefore ? cti : Header) + "10\t2026/12/01 - A\t\t0\t\t\t\t\r\n");
        }
    }

    TEST(CliProgram, ExitStatusesSayWhatWentWrong)
    {
        std::string output;
        EXPECT_EQ(RunProgram("frobnicate x.agl", output), 1);
        EXPECT_NE(output.find("Usage: agendrix-cli"), std::string::npos);
        EXPECT_EQ(RunProgram("show --bogus " AGENDRIX_SAMPLES "/Sample.agl", output), 1);
        EXPECT_EQ(
            output.substr(0, output.find('\n')), "agendrix-cli: show does not know the option --bogus.");
        EXPECT_EQ(RunProgram("show /nonexistent/list.agl", output), 2);
        EXPECT_EQ(output, "agendrix-cli: There is no list file \"/nonexistent/list.agl\".\n");
        EXPECT_EQ(RunProgram("--today 2026-12-06 show " AGENDRIX_SAMPLES "/Sample.agl", output), 0);
        EXPECT_NE(output.find("Pay the electricity bill"), std::string::npos);
        EXPECT_EQ(RunProgram("--help", output), 0);
    }

    // Twenty programs adding to one list at once: each reads, adds and writes back under the
    // list's lock, so none overwrites another's task.
    TEST(CliProgram, ParallelAddsKeepEveryTask)
    {
        const test::TempFolder folder;
        const std::string list = folder / "shared.agl";
        constexpr int Writers = 20;
        std::vector<FILE*> running;
        for (int i = 0; i < Writers; ++i) {
            const std::string command = std::string(AGENDRIX_CLI) + " add " + list + " --description 'Task "
                + std::to_string(i) + "' 2>&1";
            running.push_back(popen(command.c_str(), "r"));
        }
        for (FILE* pipe : running) {
            char buffer[4096];
            std::string output;
            for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                output.append(buffer, got);
            const int status = pclose(pipe);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
        }
        const std::string bytes = ReadBytes(list);
        for (int i = 0; i < Writers; ++i)
            EXPECT_NE(bytes.find("\tTask " + std::to_string(i) + "\t"), std::string::npos) << i;
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), Writers + 1);
        EXPECT_EQ(folder.Names(), (std::vector<std::string> { "shared.agl" }));
    }

} // namespace
} // namespace agendrix::cli
