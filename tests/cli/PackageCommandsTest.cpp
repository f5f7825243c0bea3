#include "CliRunner.h"

#include "model/PackageIndex.h"

#include "support/Bytes.h"

#include <filesystem>

namespace agendrix::cli {
namespace {

    using namespace std::string_literals;
    namespace fs = std::filesystem;

    struct BadPackCase {
        const char* Name;
        std::vector<std::string> Args;
        const char* ErrorPart;
    };

    class BadPackArguments : public testing::TestWithParam<BadPackCase> { };

    TEST_P(BadPackArguments, AreRefusedWithTheReason)
    {
        const ParsedArguments parsed = ParseArguments(GetParam().Args);
        EXPECT_FALSE(parsed.Arguments.has_value());
        EXPECT_NE(parsed.Error.find(GetParam().ErrorPart), std::string::npos) << parsed.Error;
    }

    INSTANTIATE_TEST_SUITE_P(Cli, BadPackArguments,
        testing::Values(BadPackCase { "PackNothing", { "pack" }, "pack needs a OUT.cfp." },
            BadPackCase { "PackNoSource", { "pack", "o.cfp", "--name", "N", "a.txt" },
                "pack needs --source and --name" },
            BadPackCase { "PackNoName", { "pack", "o.cfp", "--source", "S", "a.txt" },
                "pack needs --source and --name" },
            BadPackCase {
                "PackNoFiles", { "pack", "o.cfp", "--source", "S", "--name", "N" }, "at least one FILE" },
            BadPackCase { "PackAbsoluteFile",
                { "pack", "o.cfp", "--source", "S", "--name", "N", "/etc/passwd" },
                "pack cannot store /etc/passwd: the path \"\\etc\\passwd\" is absolute" },
            BadPackCase { "PackParentFolder", { "pack", "o.cfp", "--source", "S", "--name", "N", "../x.bmp" },
                "names the folder \"..\"" },
            BadPackCase { "PackCurrentFolder", { "pack", "o.cfp", "--source", "S", "--name", "N", "./x.bmp" },
                "names the folder \".\"" },
            BadPackCase { "PackTabInSource", { "pack", "o.cfp", "--source", "S\tT", "--name", "N", "a" },
                "--source cannot hold a Tab" },
            BadPackCase { "PackSourceOnUnpack", { "unpack", "o.cfp", "--source", "S" },
                "unpack does not know the option --source" },
            BadPackCase { "UnpackNothing", { "unpack" }, "unpack needs a PACKAGE.cfp." },
            BadPackCase { "UnpackEmptyName", { "unpack", "a.cfp", "" }, "a name given is empty" }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

    TEST(PackArguments, KeepTheFilesInOrderAndTheTexts)
    {
        const ParsedArguments parsed = ParseArguments(
            { "pack", "o.cfp", "a.txt", "--name", "Blue", "Skins/Blue/x.bmp", "--source=Me" });
        ASSERT_TRUE(parsed.Arguments) << parsed.Error;
        EXPECT_EQ(parsed.Arguments->File, "o.cfp");
        EXPECT_EQ(parsed.Arguments->Files, (std::vector<std::string> { "a.txt", "Skins/Blue/x.bmp" }));
        EXPECT_EQ(parsed.Arguments->Source, "Me");
        EXPECT_EQ(parsed.Arguments->PackageName, "Blue");
    }

    // Packs from the test's folder and unpacks into a program folder of its own.
    class PackageCommands : public CliRunner {
    protected:
        void SetUp() override
        {
            Previous = fs::current_path();
            fs::current_path(Folder.Path());
            fs::create_directories("Skins/Blue");
            test::WriteBytes("Skins/Blue/remote.bmp", "BM\0\1\2"s);
            test::WriteBytes("readme.txt", "read me");
            fs::create_directory(Program);
        }
        void TearDown() override { fs::current_path(Previous); }

        ExitCode Unpack(const std::vector<std::string>& packages)
        {
            std::vector<std::string> args { "unpack" };
            args.insert(args.end(), packages.begin(), packages.end());
            const ParsedArguments parsed = ParseArguments(args);
            EXPECT_TRUE(parsed.Arguments) << parsed.Error;
            CliContext context { DateTime { CivilDate { 2026, 12, 6 }, 12 * 3600 }, 3, FormatIso, Out, Err,
                false, SystemFileOps(), {}, Program };
            return RunCommand(*parsed.Arguments, context);
        }

        fs::path Previous;
        std::string Program = Folder / "program";
    };

    TEST_F(PackageCommands, PackStoresThePathsAsGivenWithBackslashes)
    {
        ASSERT_EQ(Run({ "pack", "blue.cfp", "--source", "Me", "--name", "Blue", "Skins/Blue/remote.bmp",
                      "readme.txt" }),
            ExitCode::Success)
            << Err.str();
        EXPECT_EQ(test::ReadBytes("blue.cfp"),
            "Me\tBlue\t\t5\tSkins\\Blue\\remote.bmp\t7\treadme.txt\t\0BM\0\1\2read me"s);
    }

    TEST_F(PackageCommands, PackRefusesTwoNamesAlikeAndWritesNothing)
    {
        test::WriteBytes("README.TXT", "other");
        EXPECT_EQ(Run({ "pack", "o.cfp", "--source", "S", "--name", "N", "readme.txt", "README.TXT" }),
            ExitCode::Usage);
        EXPECT_NE(Err.str().find("o.cfp would be refused"), std::string::npos) << Err.str();
        EXPECT_FALSE(fs::exists("o.cfp"));
    }

    TEST_F(PackageCommands, PackNamesAMissingFile)
    {
        EXPECT_EQ(Run({ "pack", "o.cfp", "--source", "S", "--name", "N", "gone.txt" }), ExitCode::FileOrData);
        EXPECT_NE(Err.str().find("gone.txt"), std::string::npos) << Err.str();
        EXPECT_FALSE(fs::exists("o.cfp"));
    }

    TEST_F(PackageCommands, UnpackWritesThePackedFilesAndDeletesThePackages)
    {
        ASSERT_EQ(Run({ "pack", "blue.cfp", "--source", "Me", "--name", "Blue", "Skins/Blue/remote.bmp" }),
            ExitCode::Success);
        ASSERT_EQ(
            Run({ "pack", "docs.cfp", "--source", "Me", "--name", "Docs", "readme.txt" }), ExitCode::Success);
        EXPECT_EQ(Unpack({ "blue.cfp", "docs.cfp" }), ExitCode::Success) << Err.str();
        EXPECT_EQ(test::ReadBytes(Program + "/Skins/Blue/remote.bmp"), "BM\0\1\2"s);
        EXPECT_EQ(test::ReadBytes(Program + "/readme.txt"), "read me");
        EXPECT_FALSE(fs::exists("blue.cfp"));
        EXPECT_FALSE(fs::exists("docs.cfp"));
    }

    TEST_F(PackageCommands, UnpackRenamesAHostilePackageAndGoesOnWithTheNext)
    {
        test::WriteBytes("evil.cfp", EncodePackage("S", "N", { { "..\\escaped.txt", "x" } }));
        ASSERT_EQ(
            Run({ "pack", "docs.cfp", "--source", "Me", "--name", "Docs", "readme.txt" }), ExitCode::Success);
        EXPECT_EQ(Unpack({ "evil.cfp", "docs.cfp" }), ExitCode::FileOrData);
        EXPECT_EQ(Err.str(),
            "agendrix-cli: The package \"evil.cfp\" was refused and renamed to \"evil.cfp.rejected\": the "
            "path "
            "\"..\\escaped.txt\" names the folder \"..\": a package may only write beneath the program "
            "folder.\n");
        EXPECT_TRUE(fs::exists("evil.cfp.rejected"));
        EXPECT_FALSE(fs::exists("escaped.txt"));
        EXPECT_EQ(test::ReadBytes(Program + "/readme.txt"), "read me");
    }

    TEST_F(PackageCommands, UnpackRunsAsAProgramWithStatus2ForAHostilePackage)
    {
        test::WriteBytes(Program + "/evil.cfp", EncodePackage("S", "N", { { "/tmp/x", "x" } }));
        std::string output;
        EXPECT_EQ(RunProgram("unpack " + Program + "/evil.cfp", output), 2);
        EXPECT_NE(output.find("is absolute"), std::string::npos) << output;
        EXPECT_TRUE(fs::exists(Program + "/evil.cfp.rejected"));
    }

} // namespace
} // namespace agendrix::cli
