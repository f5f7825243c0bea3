#include "support/Bytes.h"
#include "support/RunProgram.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <set>
#include <string>
#include <vector>

namespace agendrix::merger {
namespace {

    const std::string Header = "Format: 5.0.0";
    const std::string ListA
        = test::CrLf({ Header, "04\tMilk\t\t0\t20261201\t1\t0\t", "02\tRent\t\t0\t20261205\t1\t0\t" });
    const std::string ListB = test::CrLf(
        { Header, "03\tMilk\t\t0\t20261201\t1\t0\t", "06\tTyres and\ttyre \"change\"\t0\t\t1\t0\t" });
    const std::string Merged = test::CrLf({ Header, "03\tMilk\t\t0\t20261201\t1\t0\t",
        "02\tRent\t\t0\t20261205\t1\t0\t", "06\tTyres and\ttyre \"change\"\t0\t\t1\t0\t" });

    // The real agendrix-lm on files of a fresh folder: a.agl, "b list.agl" (a name a shell would
    // split) and a folder "dir".
    class MergerProgramTest : public testing::Test {
    protected:
        void SetUp() override
        {
            test::WriteBytes(Folder / "a.agl", ListA);
            test::WriteBytes(Folder / "b list.agl", ListB);
            std::filesystem::create_directory(Folder / "dir");
        }

        // The arguments with "@" standing for the folder.
        std::string InFolder(std::string text) const
        {
            for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@'))
                text.replace(at, 1, Folder.Path());
            return text;
        }

        // Never without arguments, which would open the window.
        test::ProgramRun Run(std::vector<std::string> arguments) const
        {
            for (std::string& argument : arguments)
                argument = InFolder(argument);
            return test::RunProgram(AGENDRIX_LM, arguments);
        }

        test::TempFolder Folder;
    };

    TEST_F(MergerProgramTest, BadInputFailsWithAMessageAndWritesNothing)
    {
        const struct {
            const char* Name;
            std::vector<std::string> Arguments;
            int Status;
            std::string Culprit; // what the message on standard error must name
        } cases[] = {
            { "noOutputOption", { "@/a.agl", "@/b list.agl" }, 2, "-o OUT is missing" },
            { "outputOptionWithoutFile", { "@/a.agl", "@/b list.agl", "-o" }, 2, "-o needs the name" },
            { "emptyOutputName", { "@/a.agl", "@/b list.agl", "-o", "" }, 2,
                "-o was given an empty file name" },
            { "outputTwice", { "@/a.agl", "@/b list.agl", "-o", "@/x.agl", "--output=@/y.agl" }, 2,
                "the output file was named twice" },
            { "oneListOnly", { "@/a.agl", "-o", "@/out.agl" }, 2, "the second list is missing" },
            { "tooManyArguments", { "@/a.agl", "@/b list.agl", "@/c.agl", "-o", "@/out.agl" }, 2,
                "too many arguments: \"@/c.agl\"" },
            { "unknownOption", { "@/a.agl", "@/b list.agl", "-o", "@/out.agl", "--force" }, 2,
                "unknown option \"--force\"" },
            { "emptyListName", { "", "@/b list.agl", "-o", "@/out.agl" }, 2,
                "the first list was given an empty file name" },
            // The other files the merge cannot read or write are ListMergerTest's.
            { "missingList", { "@/a.agl", "@/c.agl", "-o", "@/out.agl" }, 1,
                "There is no list file \"@/c.agl\"" },
            { "folderAsOutput", { "@/a.agl", "@/b list.agl", "-o", "@/dir" }, 1,
                "\"@/dir\": Is a directory" },
        };
        std::set<std::string> names;
        for (const auto& c : cases) {
            EXPECT_TRUE(names.insert(c.Name).second) << "two cases are named " << c.Name;
            const test::ProgramRun run = Run(c.Arguments);
            const std::string culprit = InFolder(c.Culprit);
            EXPECT_EQ(run.Status, c.Status) << c.Name << ": " << run.Err;
            EXPECT_TRUE(run.Err.starts_with("agendrix-lm: ")) << c.Name << ": " << run.Err;
            EXPECT_NE(run.Err.find(culprit), std::string::npos) << c.Name << ": " << run.Err;
            EXPECT_EQ(run.Out, "") << c.Name;
            EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "a.agl", "b list.agl", "dir" })) << c.Name;
            EXPECT_EQ(test::ReadBytes(Folder / "a.agl"), ListA) << c.Name;
        }
    }

    TEST_F(MergerProgramTest, UsageErrorsShowTheUsageAndHelpShowsOnlyIt)
    {
        const test::ProgramRun refused = Run({ "@/a.agl" });
        EXPECT_NE(refused.Err.find("Usage: agendrix-lm A.agl B.agl -o OUT.agl\n"), std::string::npos)
            << refused.Err;
        for (const char* help : { "--help", "-h" }) {
            const test::ProgramRun run = Run({ "@/a.agl", help });
            EXPECT_EQ(run.Status, 0) << help;
            EXPECT_TRUE(run.Out.starts_with("Usage: agendrix-lm A.agl B.agl -o OUT.agl\n"))
                << help << ": " << run.Out;
            EXPECT_EQ(run.Err, "") << help;
            EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "a.agl", "b list.agl", "dir" })) << help;
        }
    }

    TEST_F(MergerProgramTest, MergesIntoOutWhereverItIs)
    {
        const struct {
            const char* Name;
            std::vector<std::string> Arguments;
            std::string Out;
        } cases[] = {
            { "optionLast", { "@/a.agl", "@/b list.agl", "-o", "@/out.agl" }, "@/out.agl" },
            { "optionFirst", { "--output", "@/out.agl", "@/a.agl", "@/b list.agl" }, "@/out.agl" },
            { "optionWithEquals", { "@/a.agl", "--output=@/out.agl", "@/b list.agl" }, "@/out.agl" },
            { "overTheFirstList", { "@/a.agl", "@/b list.agl", "-o", "@/a.agl" }, "@/a.agl" },
        };
        for (const auto& c : cases) {
            SetUp();
            std::filesystem::remove(Folder / "out.agl");
            const test::ProgramRun run = Run(c.Arguments);
            const std::string path = InFolder(c.Out);
            EXPECT_EQ(run.Status, 0) << c.Name << ": " << run.Err;
            EXPECT_EQ(run.Out,
                "merged 3 tasks from \"" + Folder / "a.agl" + "\" and \"" + Folder / "b list.agl"
                    + "\" into \"" + path + "\" (1 matched)\n")
                << c.Name;
            EXPECT_EQ(run.Err, "") << c.Name;
            EXPECT_EQ(test::ReadBytes(path), Merged) << c.Name;
            EXPECT_EQ(test::ReadBytes(Folder / "b list.agl"), ListB) << c.Name;
        }
    }

} // namespace
} // namespace agendrix::merger
