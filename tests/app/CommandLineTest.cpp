#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace agendrix {
namespace {

    class CommandLineTest : public testing::Test {
    protected:
        void SetUp() override
        {
            char pattern[] = "/tmp/agendrix-cmdline-XXXXXX";
            Folder = mkdtemp(pattern);
            std::ofstream(Folder + "/Home.agl") << "Format: 5.0.0\r\n";
            std::filesystem::create_directory(Folder + "/with space");
            std::ofstream(Folder + "/with space/a b.agl") << "";
        }
        void TearDown() override { std::filesystem::remove_all(Folder); }
        std::string Folder;
    };

    TEST_F(CommandLineTest, ReadsThePathAsOneLine)
    {
        struct Case {
            const char* Name;
            std::vector<std::string> Args;
            std::string Expected;
        };
        const Case cases[] = {
            { "NoArguments", {}, "" },
            { "MissingFileKeepsOnlyItsFolder", { Folder + "/absent.agl" }, Folder + "/" },
            { "ExactName", { Folder + "/Home.agl" }, Folder + "/Home.agl" },
            { "NameInAnotherCase", { Folder + "/home.AGL" }, Folder + "/Home.agl" },
            { "RelativePath", { "Home.agl" }, Folder + "/Home.agl" },
            { "SplitBySpaces", { Folder + "/with", "space/a", "b.agl" }, Folder + "/with space/a b.agl" },
            { "Quoted", { "\"" + Folder + "/with space/a b.agl\"" }, Folder + "/with space/a b.agl" },
        };
        for (const Case& c : cases) {
            const StartRequest request = ParseCommandLine(c.Args, Folder);
            EXPECT_EQ(request.ListPath, c.Expected) << c.Name;
            EXPECT_EQ(request.Kind, StartKind::Normal) << c.Name;
        }
    }

    TEST_F(CommandLineTest, RefreshMarksARestartWithoutAList)
    {
        const StartRequest request = ParseCommandLine({ "Refresh" }, Folder);
        EXPECT_EQ(request.Kind, StartKind::Refresh);
        EXPECT_EQ(request.ListPath, "");
    }

} // namespace
} // namespace agendrix
