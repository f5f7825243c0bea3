#include "CliRunner.h"

#include "support/Bytes.h"
#include "support/FailingFileOps.h"
#include "support/PageTemplates.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace agendrix::cli {
namespace {

    using test::ReadBytes;
    using test::WriteBytes;

    namespace fs = std::filesystem;

    class CliCommands : public CliRunner { };

    const std::string Header = "Format: 5.0.0\r\n";

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

    TEST_F(CliCommands, IndexListsAFoldersListsNewestFirstAsTheWindowDoes)
    {
        EXPECT_EQ(Run({ "index", List("missing") }), ExitCode::FileOrData);
        EXPECT_NE(Err.str().find("missing"), std::string::npos) << Err.str();
        EXPECT_EQ(Out.str(), ""); // no empty table under the error
        ASSERT_EQ(::mkdir(List("lists").c_str(), 0700), 0);
        WriteBytes(List("lists/old.agl"), Header + "04\tOld task\r\n");
        WriteBytes(List("lists/new.agl"), Header + "05\tNew task\r\n06\tSecond\r\n");
        WriteBytes(List("lists/notes.txt"), "not a list");
        const utimbuf older { 1764000000, 1764000000 };
        ASSERT_EQ(::utime(List("lists/old.agl").c_str(), &older), 0);

        ASSERT_EQ(Run({ "index", List("lists"), "--json", "--numbered", "--top5" }), ExitCode::Success)
            << Err.str();

        const std::string json = Out.str();
        const std::size_t newer = json.find("\"description\": \"0 - new\"");
        const std::size_t old = json.find("\"description\": \"1 - old\"");
        ASSERT_NE(newer, std::string::npos) << json;
        ASSERT_NE(old, std::string::npos) << json;
        EXPECT_LT(newer, old);
        EXPECT_NE(json.find("\"information\": \"New task\xC2\xB6Second\""), std::string::npos) << json;
        EXPECT_NE(json.find("\"file\": \"" + List("lists/old.agl") + "\""), std::string::npos) << json;
        EXPECT_NE(json.find("\"line\": \"02\\t0 - new"), std::string::npos) << json;
        EXPECT_EQ(json.find("notes"), std::string::npos) << json;
        EXPECT_EQ(Err.str(), "");
    }

    TEST_F(CliCommands, ShowConvertsAnOlderListAndPrintsTheNoteOnce)
    {
        WriteBytes(Folder / "old.agl",
            "Format: 2.0.0\r\n04\ta\t\t0\t19990101\t1\t0\t\r\n04\tb\t\t0\t19990101\t1\t0\t\r\n");
        ASSERT_EQ(Run({ "show", List("old.agl"), "--json" }), ExitCode::Success);
        EXPECT_EQ(Err.str(),
            "This file is in Version 2.0 format, it will be\nconverted to Version 3 format the next\n"
            "time you save. Dated items will not have\ntheir dates retained, we apologise for any\n"
            "inconvenience.\n");
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

    TEST_F(CliCommands, FailuresNameTheProblemAndChangeNothing)
    {
        const std::string bytes = Header + "04\tPay rent\t\t0\t20261206\t1\t0\t\r\n10\tdone\t\t0\t\t\t\t\r\n";
        WriteBytes(Folder / "l.agl", bytes);
        fs::create_directory(Folder / "folder.agl");
        const struct {
            const char* Name;
            std::vector<std::string> Args;
            test::FileStep FailingStep; // Read: no step fails
            std::string Error;
        } cases[] = {
            { "showMissingFile", { "show", List("absent.agl") }, test::FileStep::Read, "absent.agl" },
            { "showFolder", { "show", List("folder.agl") }, test::FileStep::Read, "Is a directory" },
            { "completeOutOfRange", { "complete", List("l.agl"), "2" }, test::FileStep::Read,
                "has no task at index 2 (it has 2)" },
            { "saveFails", { "purge", List("l.agl") }, test::FileStep::Rename,
                "Could not save \"" + List("l.agl") + "\": Permission denied." },
        };
        for (const auto& c : cases) {
            test::FailingFileOps ops(c.FailingStep, c.FailingStep == test::FileStep::Read ? 1000 : 1, EACCES);
            EXPECT_EQ(Run(c.Args, ops), ExitCode::FileOrData) << c.Name;
            EXPECT_NE(Err.str().find(c.Error), std::string::npos) << c.Name << ": " << Err.str();
            EXPECT_EQ(Out.str(), "") << c.Name;
            EXPECT_EQ(ReadBytes(Folder / "l.agl"), bytes) << c.Name;
            EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "folder.agl", "l.agl" })) << c.Name;
        }
    }

    // Each case runs its commands on l.agl in turn: FILE stands for its path.
    TEST_F(CliCommands, WritingCommandsLeaveTheListAsTheWindowWould)
    {
        const std::string p = "\xB6"; // a stored line break
        const struct {
            const char* Name;
            std::string Before; // empty: no such file
            std::vector<std::vector<std::string>> Commands;
            std::string After;
            std::string Errors; // of all the commands
        } cases[] = {
            { "addToANewFile", "", { { "add", "FILE", "--description", "Water the plants" } },
                Header + "09\tWater the plants\t\t0\t20261220\t1\t0\t\r\n", "" },
            { "addADateBasedTask", "",
                { { "add", "FILE", "--description", "Renew passport", "--due", "2026-12-09", "--days", "2",
                    "--kind", "all", "--info", "line one\nline\ttwo", "--file", "/home/me/form.pdf" } },
                Header + "03\tRenew passport\tline one" + p
                    + "line two\t1\t20261209\t2\t2\t/home/me/form.pdf\r\n",
                "" },
            { "addKeepsTheTaskOnOneLine", "",
                { { "add", "FILE", "--description", "Call\r\nBob\rnow\nplease\tsoon", "--info",
                    "a\r\nb\rc\nd\r\n\r\ne\r" } },
                Header + "09\tCall Bob now please soon\ta" + p + "b" + p + "c" + p + "d" + p + p + "e" + p
                    + "\t0\t20261220\t1\t0\t\r\n",
                "" },
            { "addCompletedPrefixesTheDateAndLevelsMapToCodes", "",
                { { "add", "FILE", "--description", "Done", "--priority", "completed" },
                    { "add", "FILE", "--description", "Mid", "--priority", "3" } },
                Header + "06\tMid\t\t0\t20261220\t1\t0\t\r\n10\t2026/12/06 - Done\t\t0\t20261220\t1\t0\t\r\n",
                "" },
            { "completeMarksTheTaskAtTheIndex",
                Header + "04\tPay rent\t\t0\t20261206\t1\t0\t\r\n09\tOther\t\t0\t\t\t\t\r\n",
                { { "complete", "FILE", "0" } },
                Header + "09\tOther\t\t0\t\t\t\t\r\n10\t2026/12/06 - Pay rent\t\t0\t20261206\t1\t0\t\r\n",
                "" },
            { "purgeDropsCompletedTasksWithoutAsking",
                Header + "04\tOpen\t\t0\t\t\t\t\r\n10\tdone\t\t0\t\t\t\t\r\n",
                { { "purge", "FILE" }, { "purge", "FILE" } }, Header + "04\tOpen\t\t0\t\t\t\t\r\n",
                "No completed items found.\n" },
        };
        for (const auto& c : cases) {
            fs::remove(Folder / "l.agl");
            if (!c.Before.empty())
                WriteBytes(Folder / "l.agl", c.Before);
            std::string errors;
            for (std::vector<std::string> args : c.Commands) {
                std::replace(args.begin(), args.end(), std::string("FILE"), List("l.agl"));
                EXPECT_EQ(Run(args), ExitCode::Success) << c.Name << ": " << Err.str();
                errors += Err.str();
            }
            EXPECT_EQ(ReadBytes(Folder / "l.agl"), c.After) << c.Name;
            EXPECT_EQ(errors, c.Errors) << c.Name;
        }
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

    TEST_F(CliCommands, ExportMovesCompletedTasksThenFindsNoneLeft)
    {
        WriteBytes(Folder / "home.agl",
            Header
                + "04\tOpen\t\t0\t\t\t\t\r\n10\t2026/12/01 - A\t\t0\t\t\t\t\r\n"
                  "10\t2026/12/02 - B\t\t0\t\t\t\t\r\n");
        ASSERT_EQ(Run({ "export-completed", List("home.agl") }), ExitCode::Success) << Err.str();
        EXPECT_EQ(Err.str(), "Completed items have been saved to:\n" + List("home.cti") + "\n");
        EXPECT_EQ(ReadBytes(Folder / "home.cti"),
            Header + "10\t2026/12/02 - B\t\t0\t\t\t\t\r\n10\t2026/12/01 - A\t\t0\t\t\t\t\r\n");
        EXPECT_EQ(ReadBytes(Folder / "home.agl"), Header + "04\tOpen\t\t0\t\t\t\t\r\n");

        EXPECT_EQ(Run({ "export-completed", List("home.agl") }), ExitCode::Success);
        EXPECT_EQ(Err.str(), "No completed items found.\n");
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

    TEST_F(CliCommands, ExportHtmlFailuresNameTheFileAndWriteNothing)
    {
        const std::string list = Header + "04\ta\t\t0\t\t\t\t\r\n";
        WriteBytes(Folder / "l.agl", list);
        WriteBytes(Folder / "t.htm", test::NumberedPageTemplate("\n"));
        WriteBytes(Folder / "bad.htm", "<title>{PageTitle}</title><h1>{TaskList}</h1>\n");
        fs::create_directory(Folder / "folder.htm");
        fs::create_symlink(List("l.agl"), Folder / "link.htm");
        const std::vector<std::string> names { "bad.htm", "folder.htm", "l.agl", "link.htm", "t.htm" };
        const auto exportTo = [&](std::string output, std::string templateFile) {
            std::vector<std::string> args { "export-html", List("l.agl"), "-o", output };
            if (!templateFile.empty())
                args.insert(args.end(), { "--template", templateFile });
            return args;
        };
        const struct {
            const char* Name;
            std::vector<std::string> Args;
            std::vector<std::string> Places;
            test::FileStep FailingStep; // Read: no step fails (the list and template are read first)
            std::string Error;
        } cases[] = {
            { "missingList", { "export-html", List("absent.agl"), "-o", List("p.htm") }, { List("t.htm") },
                test::FileStep::Read, "There is no list file \"" + List("absent.agl") + "\"." },
            { "missingTemplate", exportTo(List("p.htm"), List("absent.htm")), {}, test::FileStep::Read,
                "The web page template \"" + List("absent.htm") + "\" was not found." },
            { "templateIsAFolder", exportTo(List("p.htm"), List("folder.htm")), {}, test::FileStep::Read,
                "Could not read \"" + List("folder.htm") + "\": Is a directory." },
            { "templateWithoutAllMarkers", exportTo(List("p.htm"), List("bad.htm")), {}, test::FileStep::Read,
                "The web page template \"" + List("bad.htm")
                    + "\" cannot be used: its marker \"{ListDetails}\" is missing or out of order." },
            { "noTemplateInAnyPlace", exportTo(List("p.htm"), ""),
                { List("home/HTML Format.htm"), List("bin/HTML Format.htm") }, test::FileStep::Read,
                "The web page template \"" + List("home/HTML Format.htm") + "\" was not found." },
            { "outputIsTheList", exportTo(List("l.agl"), List("t.htm")), {}, test::FileStep::Read,
                "Nothing was written: \"" + List("l.agl")
                    + "\" is the list file itself, which the web page would replace." },
            { "outputLinksToTheList", exportTo(List("link.htm"), List("t.htm")), {}, test::FileStep::Read,
                "Nothing was written: \"" + List("link.htm")
                    + "\" is the list file itself, which the web page would replace." },
            { "outputInAMissingFolder", exportTo(List("none/p.htm"), List("t.htm")), {}, test::FileStep::Read,
                "Could not save \"" + List("none/p.htm") + "\": No such file or directory." },
            { "writeFails", exportTo(List("p.htm"), List("t.htm")), {}, test::FileStep::Write,
                "Could not save \"" + List("p.htm") + "\": No space left on device." },
            { "renameFails", exportTo(List("p.htm"), List("t.htm")), {}, test::FileStep::Rename,
                "Could not save \"" + List("p.htm") + "\": No space left on device." },
        };
        for (const auto& c : cases) {
            TemplatePlaces = c.Places;
            test::FailingFileOps ops(c.FailingStep, c.FailingStep == test::FileStep::Read ? 1000 : 1, ENOSPC);
            EXPECT_EQ(Run(c.Args, ops), ExitCode::FileOrData) << c.Name;
            EXPECT_EQ(Err.str(), "agendrix-cli: " + c.Error + "\n") << c.Name;
            EXPECT_EQ(Out.str(), "") << c.Name;
            EXPECT_EQ(Folder.Names(), names) << c.Name;
            EXPECT_EQ(ReadBytes(Folder / "l.agl"), list) << c.Name;
        }
    }

    // The assessed list in list order, through the template; today's date in ISO form.
    TEST_F(CliCommands, ExportHtmlWritesTheAssessedListThroughTheTemplate)
    {
        const std::string list
            = Header + "09\tlater\t\t0\t\t\t\t\r\n00\tdue <soon>\tx\xB6y\t1\t20261207\t1\t2\t\r\n";
        WriteBytes(Folder / "l.agl", list);
        fs::create_directories(Folder / "home");
        fs::create_directories(Folder / "bin");
        WriteBytes(Folder / "bin/HTML Format.htm", test::NumberedPageTemplate("\n"));
        WriteBytes(Folder / "mine.htm", "<" + test::NumberedPageTemplate() + ">");
        const std::string path = List("l.agl");
        const std::string tasks
            = "[4]Very High Priority\r\n[5]C00000\r\n[6\xC2\xA8]due &lt;soon&gt;\r\n[7]x<br>y\r\n"
              "[11]C0C000\r\n[12]Unprioritized\r\n[13]C0C000\r\n[6\xC2\xA8]later\r\n[16]";
        const std::string page = "[0]l\r\n[1]l\r\n[2]2 items, created on 2026-12-06\r\n[3]C00000\r\n" + tasks
            + path + "\r\n[17]\r\n\r\n";
        const std::string grey = std::regex_replace(page, std::regex("C00000|C0C000"), "606060");
        const std::string mine = "<[0]l[1]l[2]2 items, created on 2026-12-06[3]606060"
            + std::regex_replace(tasks, std::regex("C00000|C0C000"), "606060");
        const struct {
            const char* Name;
            std::vector<std::string> Args;
            std::string File; // where the page goes; empty: standard output
            std::string Page;
        } cases[] = {
            { "toAFile", { "export-html", path, "-o", List("p.htm"), "--color" }, "p.htm", page },
            { "toStandardOutput", { "export-html", "--color", path, "-o", "-" }, "", page },
            { "withoutColour", { "export-html", path, "-o", List("p.htm") }, "p.htm", grey },
            { "overAnOlderPage", { "export-html", path, "-o", List("p.htm"), "--color" }, "p.htm", page },
            { "givenTemplate", { "export-html", path, "-o", "-", "--template", List("mine.htm") }, "",
                std::regex_replace(mine, std::regex("\r\n"), "") + path + "[17]>\r\n\r\n" },
        };
        TemplatePlaces = { List("home/HTML Format.htm"), List("bin/HTML Format.htm") };
        for (const auto& c : cases) {
            ASSERT_EQ(Run(c.Args), ExitCode::Success) << c.Name << ": " << Err.str();
            EXPECT_EQ(Err.str(), "") << c.Name;
            EXPECT_EQ(c.File.empty() ? Out.str() : ReadBytes(Folder / c.File), c.Page) << c.Name;
            EXPECT_EQ(ReadBytes(Folder / "l.agl"), list) << c.Name << ": the list is only read";
        }
        // The program folder's template comes before the shipped one.
        WriteBytes(Folder / "home/HTML Format.htm", "mine " + test::NumberedPageTemplate());
        ASSERT_EQ(Run({ "export-html", path, "-o", "-" }), ExitCode::Success) << Err.str();
        EXPECT_TRUE(Out.str().starts_with("mine [0]l[1]l[2]")) << Out.str();
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

    // Without --template the program folder's template is taken, else the one beside the program.
    TEST(CliProgram, ExportHtmlFindsItsTemplate)
    {
        const test::TempFolder home;
        const char* previous = std::getenv("AGENDRIX_HOME");
        const std::string kept = previous ? previous : "";
        setenv("AGENDRIX_HOME", home.Path().c_str(), 1);
        const std::string command = "--today 2026-12-06 export-html " AGENDRIX_SAMPLES "/Sample.agl -o -";
        std::string shipped, own;
        const int shippedStatus = RunProgram(command, shipped);
        WriteBytes(home / "HTML Format.htm", "own " + test::NumberedPageTemplate());
        const int ownStatus = RunProgram(command, own);
        if (previous)
            setenv("AGENDRIX_HOME", kept.c_str(), 1);
        else
            unsetenv("AGENDRIX_HOME");

        EXPECT_EQ(shippedStatus, 0) << shipped;
        EXPECT_TRUE(shipped.starts_with("<!DOCTYPE html>\r\n")) << shipped;
        EXPECT_NE(shipped.find("<h1>Sample</h1>"), std::string::npos) << shipped;
        EXPECT_NE(shipped.find("Pay the electricity bill"), std::string::npos) << shipped;
        EXPECT_EQ(ownStatus, 0) << own;
        EXPECT_TRUE(own.starts_with("own [0]Sample[1]Sample[2]")) << own;
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
