#include "model/Recovery.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    const CivilDate Today { 2026, 12, 6 };

    TEST(RecoveryTest, CopyLivesBesideTheListOrInTheProgramFolder)
    {
        const std::tuple<const char*, const char*, const char*> cases[] = {
            { "untitled", "New Task List 1", "/prog/.untitled.agl.recovered" },
            { "onlyAFolder", "/lists/", "/prog/.untitled.agl.recovered" },
            { "saved", "/lists/home.agl", "/lists/.home.agl.recovered" },
            { "savedInRoot", "/home.agl", "/.home.agl.recovered" },
        };
        for (const auto& [name, listName, path] : cases)
            EXPECT_EQ(RecoveryPath(listName, "/prog"), path) << name;
    }

    TEST(RecoveryTest, OfferRestoresOrDiscardsAndRemovesTheCopyOnlyOnceChosen)
    {
        const std::vector<std::string> changed { "04\tchanged", "09\tnew task" };
        const std::vector<std::string> onDisk { "04\ton disk" };
        // The user's answer, what the list holds afterwards, and whether the copy is still there.
        const std::tuple<const char*, PromptAnswer, RecoveryChoice, std::vector<std::string>, bool> cases[]
            = {
                  { "noAnswer", PromptAnswer::Cancel, RecoveryChoice::NoCopy, onDisk, true },
                  { "discard", PromptAnswer::No, RecoveryChoice::Discarded, onDisk, false },
                  { "restore", PromptAnswer::Yes, RecoveryChoice::Restored, changed, false },
              };
        for (const auto& [name, answer, choice, lines, copyKept] : cases) {
            TempFolder folder;
            ListDocument document { folder / "home.agl", true, {} };
            document.Tasks.Load(changed);
            ASSERT_EQ(WriteRecoveryCopy(document, folder / "prog").Message, "") << name;
            EXPECT_EQ(folder.Names(), std::vector<std::string> { ".home.agl.recovered" }) << name;

            document.Tasks.Load(onDisk);
            document.Dirty = false;
            ScriptedPrompts user;
            user.Answers = { answer };
            EXPECT_EQ(OfferRecoveryCopy(document, folder / "prog", user, Today), choice) << name;

            EXPECT_EQ(user.Asked, std::vector<PromptRequest> { RecoveryQuestion(document.ListName) }) << name;
            EXPECT_EQ(Texts(document.Tasks.Lines()), lines) << name;
            EXPECT_EQ(document.Dirty, choice == RecoveryChoice::Restored) << name;
            EXPECT_EQ(folder.Names().size(), copyKept ? 1u : 0u) << name;
        }
        EXPECT_EQ(RecoveryQuestion("/lists/home.agl").Text,
            "Agendrix had to close before the changes to \"home.agl\" were saved, and kept them in a copy. "
            "Restore the changes, or discard them?");
        EXPECT_EQ(RecoveryQuestion("/lists/home.agl").Buttons, PromptButtons::RestoreDiscard);
    }

    // A list in a read-only folder cannot have its copy beside it: the copy goes to the program
    // folder instead, and is offered from there.
    TEST(RecoveryTest, ReadOnlyFolderSendsTheCopyToTheProgramFolder)
    {
        TempFolder folder;
        ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
        std::filesystem::create_directory(folder / "ro");
        std::filesystem::create_directory(folder / "prog");
        ASSERT_EQ(::chmod((folder / "prog").c_str(), 0777), 0);
        WriteBytes(folder / "ro/home.agl", "Format: 5.0.0\r\n04\ton disk\r\n");
        ASSERT_EQ(::chmod((folder / "ro").c_str(), 0555), 0);
        ListDocument document { folder / "ro/home.agl", true, {} };
        document.Tasks.Load({ "04\tunsaved" });

        const std::string report = RunAsNobody([&]() -> std::string {
            const FileError error = WriteRecoveryCopy(document, folder / "prog");
            return error.Message;
        });
        if (report.starts_with("SKIP: "))
            GTEST_SKIP() << report;
        EXPECT_EQ(report, "");
        EXPECT_EQ(folder.Names("ro"), std::vector<std::string> { "home.agl" });
        const std::string fallback = FallbackRecoveryPath(document.ListName, folder / "prog");
        EXPECT_TRUE(fallback.starts_with(folder / "prog/.home.agl.")) << fallback;
        EXPECT_EQ(ReadBytes(fallback), "Format: 5.0.0\r\n04\tunsaved\r\n");
        EXPECT_NE(FallbackRecoveryPath("/other/home.agl", folder / "prog"), fallback);

        document.Tasks.Load({ "04\ton disk" });
        document.Dirty = false;
        ScriptedPrompts user;
        user.Answers = { PromptAnswer::Yes };
        EXPECT_EQ(OfferRecoveryCopy(document, folder / "prog", user, Today), RecoveryChoice::Restored);
        EXPECT_EQ(Texts(document.Tasks.Lines()), std::vector<std::string> { "04\tunsaved" });
        EXPECT_TRUE(folder.Names("prog").empty());
    }

    TEST(RecoveryTest, HasACopyWhereverTheOfferLooks)
    {
        const std::tuple<const char*, std::function<std::string(const TempFolder&)>, bool> cases[] = {
            { "none", [](const TempFolder&) { return std::string(); }, false },
            { "ofAnotherList", [](const TempFolder& folder) { return folder / ".work.agl.recovered"; },
                false },
            { "besideTheList", [](const TempFolder& folder) { return folder / ".home.agl.recovered"; },
                true },
            { "inTheProgramFolder",
                [](const TempFolder& folder) {
                    return FallbackRecoveryPath(folder / "home.agl", folder / "prog");
                },
                true },
        };
        for (const auto& [name, copyPath, has] : cases) {
            TempFolder folder;
            std::filesystem::create_directory(folder / "prog");
            if (const std::string path = copyPath(folder); !path.empty())
                WriteBytes(path, "Format: 5.0.0\r\n04\tunsaved\r\n");
            EXPECT_EQ(HasRecoveryCopy(folder / "home.agl", folder / "prog"), has) << name;
            ListDocument document { folder / "home.agl", false, {} };
            ScriptedPrompts user;
            user.Answers = { PromptAnswer::No };
            EXPECT_EQ(
                OfferRecoveryCopy(document, folder / "prog", user, Today) != RecoveryChoice::NoCopy, has)
                << name;
        }
    }

    TEST(RecoveryTest, NoCopyAsksNothingAndTheListFileIsNeverWritten)
    {
        TempFolder folder;
        WriteBytes(folder / "home.agl", "Format: 5.0.0\r\n04\ton disk\r\n");
        ListDocument document { folder / "home.agl", true, {} };
        document.Tasks.Load({ "04\tunsaved" });
        ScriptedPrompts user;
        EXPECT_EQ(OfferRecoveryCopy(document, folder.Path(), user, Today), RecoveryChoice::NoCopy);
        EXPECT_TRUE(user.Asked.empty());

        ASSERT_EQ(WriteRecoveryCopy(document, folder.Path()).Message, "");
        EXPECT_EQ(ReadBytes(folder / "home.agl"), "Format: 5.0.0\r\n04\ton disk\r\n");
        EXPECT_EQ(ReadBytes(folder / ".home.agl.recovered"), "Format: 5.0.0\r\n04\tunsaved\r\n");
    }

} // namespace
} // namespace agendrix
