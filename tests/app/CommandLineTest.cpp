#include "app/CommandLine.h"

#include "support/Bytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace agendrix {
namespace {

    class CommandLineTest : public testing::Test {
    protected:
        void SetUp() override
        {
            test::WriteBytes(Folder / "Home.agl", "Format: 5.0.0\r\n");
            std::filesystem::create_directory(Folder / "with space");
            test::WriteBytes(Folder / "with space/a b.agl", "");
        }
        test::TempFolder Folder;
    };

    TEST_F(CommandLineTest, ReadsThePathAsOneLine)
    {
        struct Case {
            const char* Name;
            std::vector<std::string> Args;
            std::string Expected;
            StartKind Kind = StartKind::Normal;
        };
        const Case cases[] = {
            { "NoArguments", {}, "" },
            { "RefreshMarksARestartWithoutAList", { "Refresh" }, "", StartKind::Refresh },
            { "MissingFileKeepsOnlyItsFolder", { Folder / "absent.agl" }, Folder.Path() + "/" },
            { "ExactName", { Folder / "Home.agl" }, Folder / "Home.agl" },
            { "NameInAnotherCase", { Folder / "home.AGL" }, Folder / "Home.agl" },
            { "RelativePath", { "Home.agl" }, Folder / "Home.agl" },
            { "SplitBySpaces", { Folder / "with", "space/a", "b.agl" }, Folder / "with space/a b.agl" },
            { "Quoted", { "\"" + Folder.Path() + "/with space/a b.agl\"" }, Folder / "with space/a b.agl" },
        };
        for (const Case& c : cases) {
            const StartRequest request = ParseCommandLine(c.Args, Folder.Path());
            EXPECT_EQ(request.ListPath, c.Expected) << c.Name;
            EXPECT_EQ(request.Kind, c.Kind) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
