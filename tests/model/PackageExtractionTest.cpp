#include "model/PackageExtraction.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    namespace fs = std::filesystem;

    std::string Package(const std::vector<PackageFile>& files)
    {
        return EncodePackage("Skin Works", "Blue", files);
    }

    // Every file beneath `folder` with its bytes, links as "-> target", sorted by path.
    std::vector<std::string> Tree(const std::string& folder)
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const std::string path = fs::relative(entry.path(), folder).string();
            if (entry.is_symlink())
                found.push_back(path + " -> " + fs::read_symlink(entry.path()).string());
            else if (entry.is_regular_file())
                found.push_back(path + " = " + test::ReadBytes(entry.path().string()));
            else
                found.push_back(path + "/");
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    ExtractionState RunToEnd(PackageExtraction& extraction)
    {
        while (extraction.State() == ExtractionState::Working)
            extraction.Continue(1 << 20);
        return extraction.State();
    }

    // A program folder with links planted where files of a package would go, beside a folder
    // outside it that holds one file.
    struct PlantedProgram {
        PlantedProgram()
        {
            fs::create_directory(Outside);
            test::WriteBytes(Outside + "/notes.txt", "outside");
            fs::create_directory(Program);
            fs::create_directory_symlink("../outside", Program + "/Skins");
            fs::create_symlink("../outside/notes.txt", Program + "/notes.txt");
            fs::create_directory(Program + "/Themes");
        }

        TempFolder Root;
        std::string Outside = Root / "outside";
        std::string Program = Root / "program";
    };

    // Each rule of the index is tried on its own in PackageIndexTest; here a few of them stand
    // for all, besides what only the folder being written to can show.
    TEST(PackageExtraction, HostilePackageIsRenamedAndWritesNothingAnywhere)
    {
        const std::string good = "goodbytes";
        const struct {
            const char* Name;
            std::string Bytes;
            std::string Problem; // a part of the message
        } cases[] = {
            { "ParentFolder", Package({ { "..\\outside\\x", "x" } }), "names the folder \"..\"" },
            { "DuplicateIgnoringCase", Package({ { "a.txt", "1" }, { "A.TXT", "2" } }), "names already" },
            { "SizePastTheEnd", "Skin Works\tBlue\t\t100\tgood.txt\t\0abc"s, "goes past the end" },
            { "ThroughAPlantedFolderLink", Package({ { "good.txt", good }, { "Skins\\Blue\\x.bmp", "x" } }),
                "leads through the symbolic link \"Skins\"" },
            { "ThroughALinkOfOtherCase", Package({ { "skins\\x.bmp", "x" } }),
                "leads through the symbolic link \"Skins\"" },
            { "OverAPlantedFileLink", Package({ { "good.txt", good }, { "notes.txt", "replaced" } }),
                "leads through the symbolic link \"notes.txt\"" },
            { "OverAFolder", Package({ { "good.txt", good }, { "themes", "x" } }),
                "needs \"Themes\" to be a regular file" },
        };
        for (const auto& c : cases) {
            const PlantedProgram planted;
            test::WriteBytes(planted.Program + "/blue.cfp", c.Bytes);
            std::vector<std::string> expected = Tree(planted.Root.Path());
            std::replace(expected.begin(), expected.end(), "program/blue.cfp = " + c.Bytes,
                "program/blue.cfp.rejected = " + c.Bytes);
            std::sort(expected.begin(), expected.end());

            PackageExtraction extraction(planted.Program, planted.Program + "/blue.cfp");
            EXPECT_EQ(RunToEnd(extraction), ExtractionState::Rejected) << c.Name;

            const std::string& message = extraction.Message();
            EXPECT_TRUE(message.starts_with(
                "The package \"blue.cfp\" was refused and renamed to \"blue.cfp.rejected\": "))
                << message;
            EXPECT_NE(message.find(c.Problem), std::string::npos) << message;
            EXPECT_EQ(Tree(planted.Root.Path()), expected) << c.Name;
        }
    }

    class ExtractedPackage : public testing::Test {
    protected:
        std::string Write(const std::vector<PackageFile>& files)
        {
            test::WriteBytes(Folder / "new.cfp", Package(files));
            return Folder / "new.cfp";
        }

        test::TempFolder Folder;
    };

    TEST_F(ExtractedPackage, WritesEveryFileMakesFoldersAndDeletesThePackage)
    {
        const std::string package = Write({ { "skins\\blue\\remote.bmp", "BM\0\1"s },
            { "skins\\blue\\empty.txt", "" }, { "top.txt", "top" } });
        PackageExtraction extraction(Folder.Path(), package);
        EXPECT_EQ(RunToEnd(extraction), ExtractionState::Finished) << extraction.Message();
        EXPECT_EQ(Tree(Folder.Path()),
            (std::vector<std::string> { "skins/", "skins/blue/",
                "skins/blue/empty.txt = ", "skins/blue/remote.bmp = BM\0\1"s, "top.txt = top" }));
    }

    TEST_F(ExtractedPackage, EmptyIndexOnlyDeletesThePackage)
    {
        PackageExtraction extraction(Folder.Path(), Write({}));
        EXPECT_EQ(RunToEnd(extraction), ExtractionState::Finished);
        EXPECT_TRUE(Folder.Names().empty());
    }

    TEST_F(ExtractedPackage, ReplacesAWholeLongerFileAndUsesFoldersOfOtherCase)
    {
        fs::create_directories(Folder / "Skins/Blue");
        test::WriteBytes(Folder / "Skins/Blue/colors.txt", "a much longer old text");
        PackageExtraction extraction(Folder.Path(), Write({ { "skins\\blue\\colors.txt", "new" } }));
        EXPECT_EQ(RunToEnd(extraction), ExtractionState::Finished) << extraction.Message();
        EXPECT_EQ(Tree(Folder.Path()),
            (std::vector<std::string> { "Skins/", "Skins/Blue/", "Skins/Blue/colors.txt = new" }));
    }

    TEST_F(ExtractedPackage, ProgressesBySlicesOfTheBudget)
    {
        PackageExtraction extraction(Folder.Path(), Write({ { "a", std::string(10, 'a') }, { "b", "bb" } }));
        EXPECT_EQ(extraction.Continue(4), ExtractionState::Working);
        EXPECT_EQ(extraction.CurrentFile(), 0U);
        EXPECT_EQ(extraction.CurrentFileWritten(), 4U);
        EXPECT_FALSE(fs::exists(Folder / "a")) << "a file takes its name only once it is whole";
        EXPECT_EQ(extraction.Continue(6), ExtractionState::Working);
        EXPECT_EQ(extraction.CurrentFile(), 1U);
        EXPECT_EQ(test::ReadBytes(Folder / "a"), std::string(10, 'a'));
        EXPECT_EQ(extraction.Continue(6), ExtractionState::Finished);
        EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "a", "b" }));
    }

    TEST_F(ExtractedPackage, CancelStopsAfterTheFileUnderWayAndKeepsThePackage)
    {
        const std::string package = Write({ { "a", "aaaa" }, { "b", "bb" } });
        PackageExtraction extraction(Folder.Path(), package);
        extraction.Continue(2);
        extraction.Cancel();
        EXPECT_EQ(RunToEnd(extraction), ExtractionState::Cancelled);
        EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "a", "new.cfp" }));
        EXPECT_EQ(test::ReadBytes(Folder / "a"), "aaaa");
    }

    TEST_F(ExtractedPackage, LinkPlantedAfterTheCheckIsNotWrittenThrough)
    {
        test::TempFolder outside;
        PackageExtraction extraction(Folder.Path(), Write({ { "x\\a", "aaaa" } }));
        fs::create_directory_symlink(outside.Path(), Folder / "x");
        EXPECT_EQ(RunToEnd(extraction), ExtractionState::Failed);
        EXPECT_NE(extraction.Message().find("\"x\\a\""), std::string::npos) << extraction.Message();
        EXPECT_TRUE(outside.Names().empty());
        EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "new.cfp", "x" }));
    }

    TEST_F(ExtractedPackage, FileLinkPlantedAfterTheCheckIsNotReplaced)
    {
        test::TempFolder outside;
        test::WriteBytes(outside / "target", "kept");
        PackageExtraction extraction(Folder.Path(), Write({ { "a", "aaaa" } }));
        extraction.Continue(1);
        fs::create_symlink(outside / "target", Folder / "a");
        EXPECT_EQ(RunToEnd(extraction), ExtractionState::Failed);
        EXPECT_EQ(test::ReadBytes(outside / "target"), "kept");
        EXPECT_TRUE(fs::is_symlink(Folder / "a"));
        EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "a", "new.cfp" }))
            << "no temporary file is left";
    }

    TEST(PackageList, HoldsTheRegularCfpFilesIgnoringCaseSorted)
    {
        test::TempFolder folder;
        for (const char* name : { "b.cfp", "A.CFP", "c.cfp.rejected", "notes.txt", ".cfp" })
            test::WriteBytes(folder / name, "x");
        fs::create_directory(folder / "d.cfp");
        fs::create_symlink(folder / "b.cfp", folder / "e.cfp");
        EXPECT_EQ(
            ListPackages(folder.Path()), (std::vector<std::string> { folder / "A.CFP", folder / "b.cfp" }));
    }

} // namespace
} // namespace agendrix
