#include "merger/ListMerger.h"

#include "model/ListFile.h"

#include "support/Bytes.h"
#include "support/FailingFileOps.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace agendrix::merger {
namespace {

    const CivilDate Today { 2026, 12, 6 };
    const std::string Header = "Format: 5.0.0";
    const std::string Milk = "04\tMilk\t\t0\t20261201\t1\t0\t";
    const std::string MilkDone = "10\t2026/12/03 - Milk\t\t0\t20261201\t1\t0\t";
    const std::string Rent = "02\tRent\t\t0\t20261205\t1\t0\t";
    const std::string Tyres = "06\tTyres\t\t0\t20261210\t1\t0\t";
    const std::string ListA = test::CrLf({ Header, Milk, Rent });
    const std::string ListB = test::CrLf({ Header, MilkDone, Tyres });
    const std::string Merged = test::CrLf({ Header, MilkDone, Rent, Tyres });
    const std::string OldOut = test::CrLf({ Header, "09\tKeep me\t\t0\t\t1\t0\t" });

    using Files = std::map<std::string, std::string>;

    // Writes the files into the folder, and names the request's files in it (an empty name stays
    // empty: a field the user left blank).
    struct Scene {
        test::TempFolder Folder;

        MergeRequest Prepare(const Files& files, const MergeRequest& names)
        {
            for (const auto& [name, bytes] : files) {
                if (name.ends_with('/'))
                    std::filesystem::create_directory(Folder / name);
                else
                    test::WriteBytes(Folder / name, bytes);
            }
            const auto place
                = [this](const std::string& name) { return name.empty() ? name : Folder / name; };
            return { place(names.FirstList), place(names.SecondList), place(names.Output) };
        }

        // Every file of the folder with its bytes; folders as "/".
        Files Contents() const
        {
            Files contents;
            for (const std::string& name : Folder.Names())
                contents[name]
                    = std::filesystem::is_directory(Folder / name) ? "/" : test::ReadBytes(Folder / name);
            return contents;
        }
    };

    enum class Ops { System, WriteFails };

    TEST(ListMergerTest, BadInputWritesNothingAndNamesTheCulprit)
    {
        const struct {
            const char* Name;
            Files Given;
            MergeRequest Names;
            Ops With;
            ExitCode Status;
            std::string Message; // "@" stands for the folder
        } cases[] = {
            { "firstListNotNamed", { { "b.agl", ListB } }, { "", "b.agl", "out.agl" }, Ops::System,
                ExitCode::Usage, "Name the first list to merge." },
            { "secondListNotNamed", { { "a.agl", ListA } }, { "a.agl", "", "out.agl" }, Ops::System,
                ExitCode::Usage, "Name the second list to merge." },
            { "outputNotNamed", { { "a.agl", ListA }, { "b.agl", ListB } }, { "a.agl", "b.agl", "" },
                Ops::System, ExitCode::Usage, "Name the output file to write the merged list to." },
            { "firstListMissing", { { "b.agl", ListB }, { "out.agl", OldOut } },
                { "a.agl", "b.agl", "out.agl" }, Ops::System, ExitCode::FileProblem,
                "There is no list file \"@/a.agl\"." },
            { "secondListMissing", { { "a.agl", ListA }, { "out.agl", OldOut } },
                { "a.agl", "b.agl", "out.agl" }, Ops::System, ExitCode::FileProblem,
                "There is no list file \"@/b.agl\"." },
            { "listIsAFolder", { { "a.agl", ListA }, { "b.agl/", "" } }, { "a.agl", "b.agl", "out.agl" },
                Ops::System, ExitCode::FileProblem, "Could not read \"@/b.agl\": Is a directory." },
            { "listStopsAtAnEmptyLine",
                { { "a.agl", test::CrLf({ Header, Milk, "", Rent, Tyres }) }, { "b.agl", ListB } },
                { "a.agl", "b.agl", "a.agl" }, Ops::System, ExitCode::FileProblem,
                "Nothing was written: reading \"@/a.agl\" stopped at its empty line 3, and the merge would "
                "lose "
                "the 2 lines after it." },
            { "outputFolderMissing", { { "a.agl", ListA }, { "b.agl", ListB } },
                { "a.agl", "b.agl", "no/out.agl" }, Ops::System, ExitCode::FileProblem,
                "Could not save \"@/no/out.agl\": No such file or directory." },
            { "outputIsAFolder", { { "a.agl", ListA }, { "b.agl", ListB }, { "out/", "" } },
                { "a.agl", "b.agl", "out" }, Ops::System, ExitCode::FileProblem,
                "Could not save \"@/out\": Is a directory." },
            { "diskFullKeepsTheOldOutput", { { "a.agl", ListA }, { "b.agl", ListB }, { "out.agl", OldOut } },
                { "a.agl", "b.agl", "out.agl" }, Ops::WriteFails, ExitCode::FileProblem,
                "Could not save \"@/out.agl\": No space left on device." },
        };
        std::set<std::string> names;
        for (const auto& c : cases) {
            EXPECT_TRUE(names.insert(c.Name).second) << "two cases are named " << c.Name;
            Scene scene;
            const MergeRequest request = scene.Prepare(c.Given, c.Names);
            const Files before = scene.Contents();
            test::FailingFileOps failing(test::FileStep::Write, 1, ENOSPC);
            FileOps& ops = c.With == Ops::WriteFails ? failing : SystemFileOps();
            const MergeOutcome outcome = MergeListFiles(request, Today, ops);
            std::string message = c.Message;
            for (std::size_t at = message.find('@'); at != std::string::npos; at = message.find('@'))
                message.replace(at, 1, scene.Folder.Path());
            EXPECT_EQ(outcome.Status, c.Status) << c.Name;
            EXPECT_EQ(outcome.Message, message) << c.Name;
            EXPECT_EQ(scene.Contents(), before) << c.Name;
        }
    }

    TEST(ListMergerTest, WritesTheMergeWholeWhereverOutIs)
    {
        const struct {
            const char* Name;
            MergeRequest Names;
            Files After;
        } cases[] = {
            { "intoANewFile", { "a.agl", "b.agl", "out.agl" },
                { { "a.agl", ListA }, { "b.agl", ListB }, { "out.agl", Merged } } },
            { "overTheFirstList", { "a.agl", "b.agl", "a.agl" },
                { { "a.agl", Merged }, { "b.agl", ListB } } },
            { "overTheSecondList", { "a.agl", "b.agl", "b.agl" },
                { { "a.agl", ListA }, { "b.agl", Merged } } },
        };
        for (const auto& c : cases) {
            Scene scene;
            const MergeRequest request = scene.Prepare({ { "a.agl", ListA }, { "b.agl", ListB } }, c.Names);
            const MergeOutcome outcome = MergeListFiles(request, Today);
            EXPECT_EQ(outcome.Status, ExitCode::Success) << c.Name << ": " << outcome.Message;
            EXPECT_EQ(outcome.Message,
                "merged 3 tasks from \"" + request.FirstList + "\" and \"" + request.SecondList + "\" into \""
                    + request.Output + "\" (1 matched)")
                << c.Name;
            EXPECT_EQ(outcome.Counts, (MergeCounts { 2, 1, 1, 1 })) << c.Name;
            EXPECT_TRUE(outcome.Notes.empty()) << c.Name;
            // No temporary file and no lock file stays behind.
            EXPECT_EQ(scene.Contents(), c.After) << c.Name;
        }
    }

    TEST(ListMergerTest, OlderFormatsAndUtf8AreReadAsTheProgramReadsThem)
    {
        // Version 1: no header, codes counted the other way (8 is Extreme), dates reset to today.
        const std::string version1 = test::CrLf({ "08\tOld extreme task\tinfo\t1\t19990101\t3\t0\t" });
        const std::string utf8 = "\xEF\xBB\xBF" + test::CrLf({ Header, "05\tCaf\xC3\xA9\t\t0\t\t1\t0\t" });
        Scene scene;
        const MergeRequest request = scene.Prepare(
            { { "old.agl", version1 }, { "new.agl", utf8 } }, { "old.agl", "new.agl", "out.agl" });
        const MergeOutcome outcome = MergeListFiles(request, Today);
        ASSERT_EQ(outcome.Status, ExitCode::Success) << outcome.Message;
        EXPECT_EQ(outcome.Notes,
            (std::vector<std::string> {
                Version1Message(), Utf8ListMessage(request.SecondList, Lossiness::Exact) }));
        EXPECT_EQ(test::ReadBytes(request.Output),
            test::CrLf(
                { Header, "02\tOld extreme task\tinfo\t1\t20261206\t3\t0\t", "05\tCaf\xE9\t\t0\t\t1\t0\t" }));
    }

} // namespace
} // namespace agendrix::merger
