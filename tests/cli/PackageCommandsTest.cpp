#include "CliRunner.h"

#include "model/PackageIndex.h"

#include "support/Bytes.h"

#include <filesystem>

namespace agendrix::cli {
namespace {

    using namespace std::string_literals;
    namespace fs = std::filesystem;

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
            ProgramFolder = Folder / "program";
            fs::create_directory(ProgramFolder);
        }
        void TearDown() override { fs::current_path(Previous); }

        fs::path Previous;
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

    TEST_F(PackageCommands, PackRefusesWhatItCannotStoreAndWritesNothing)
    {
        test::WriteBytes("README.TXT", "other");
        const struct {
            const char* Name;
            const char* File;
            ExitCode Status;
            const char* Error;
        } cases[] = {
            { "twoNamesAlike", "README.TXT", ExitCode::Usage, "o.cfp would be refused" },
            { "missingFile", "gone.txt", ExitCode::FileOrData, "gone.txt" },
        };
        for (const auto& c : cases) {
            EXPECT_EQ(
                Run({ "pack", "o.cfp", "--source", "S", "--name", "N", "readme.txt", c.File }), c.Status)
                << c.Name;
            EXPECT_NE(Err.str().find(c.Error), std::string::npos) << c.Name << ": " << Err.str();
            EXPECT_FALSE(fs::exists("o.cfp")) << c.Name;
        }
    }

    TEST_F(PackageCommands, UnpackWritesThePackedFilesAndDeletesThePackages)
    {
        ASSERT_EQ(Run({ "pack", "blue.cfp", "--source", "Me", "--name", "Blue", "Skins/Blue/remote.bmp" }),
            ExitCode::Success);
        ASSERT_EQ(
            Run({ "pack", "docs.cfp", "--source", "Me", "--name", "Docs", "readme.txt" }), ExitCode::Success);
        EXPECT_EQ(Run({ "unpack", "blue.cfp", "docs.cfp" }), ExitCode::Success) << Err.str();
        EXPECT_EQ(test::ReadBytes(ProgramFolder + "/Skins/Blue/remote.bmp"), "BM\0\1\2"s);
        EXPECT_EQ(test::ReadBytes(ProgramFolder + "/readme.txt"), "read me");
        EXPECT_FALSE(fs::exists("blue.cfp"));
        EXPECT_FALSE(fs::exists("docs.cfp"));
    }

    TEST_F(PackageCommands, UnpackRenamesAHostilePackageAndGoesOnWithTheNext)
    {
        test::WriteBytes("evil.cfp", EncodePackage("S", "N", { { "..\\escaped.txt", "x" } }));
        ASSERT_EQ(
            Run({ "pack", "docs.cfp", "--source", "Me", "--name", "Docs", "readme.txt" }), ExitCode::Success);
        EXPECT_EQ(Run({ "unpack", "evil.cfp", "docs.cfp" }), ExitCode::FileOrData);
        EXPECT_EQ(Err.str(),
            "agendrix-cli: The package \"evil.cfp\" was refused and renamed to \"evil.cfp.rejected\": "
            "the path \"..\\escaped.txt\" names the folder \"..\": a package may only write beneath "
            "the program folder.\n");
        EXPECT_TRUE(fs::exists("evil.cfp.rejected"));
        EXPECT_FALSE(fs::exists("escaped.txt"));
        EXPECT_EQ(test::ReadBytes(ProgramFolder + "/readme.txt"), "read me");
    }

    TEST_F(PackageCommands, UnpackRunsAsAProgramWithStatus2ForAHostilePackage)
    {
        test::WriteBytes(ProgramFolder + "/evil.cfp", EncodePackage("S", "N", { { "/tmp/x", "x" } }));
        std::string output;
        EXPECT_EQ(RunProgram("unpack " + ProgramFolder + "/evil.cfp", output), 2);
        EXPECT_NE(output.find("is absolute"), std::string::npos) << output;
        EXPECT_TRUE(fs::exists(ProgramFolder + "/evil.cfp.rejected"));
    }

} // namespace
} // namespace agendrix::cli
