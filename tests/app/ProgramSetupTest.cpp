#include "app/ProgramSetup.h"

#include "model/FileAccess.h"
#include "skin/QtHelpers.h"

#include "support/Bytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace agendrix {
namespace {

    // LoadSettings measures the screens, which needs the application object.
    class QtApplication : public testing::Environment {
    public:
        void SetUp() override
        {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            Application = std::make_unique<QGuiApplication>(Argc, Argv);
        }
        void TearDown() override { Application.reset(); }

    private:
        int Argc = 1;
        char Name[24] = "agendrix_app_tests";
        char* Argv[2] = { Name, nullptr };
        std::unique_ptr<QGuiApplication> Application;
    };
    [[maybe_unused]] testing::Environment* const Qt = testing::AddGlobalTestEnvironment(new QtApplication);

    // A settings file of default lines with some lines replaced (1-based numbers).
    std::string SettingsWith(const std::vector<std::pair<int, std::string>>& changes)
    {
        const std::string defaults = SaveINI(DefaultSettings(ScreenMetrics {}));
        std::vector<std::string> lines;
        for (const std::string_view line : SplitLines(defaults))
            lines.emplace_back(line);
        for (const auto& [number, text] : changes)
            lines[static_cast<std::size_t>(number - 1)] = text;
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        return bytes;
    }

    class ProgramSetupTest : public testing::Test {
    protected:
        std::string Path(std::string_view name) const { return Folder / name; }
        QString ProgramFolder() const { return FromUtf8(Folder.Path()); }
        test::TempFolder Folder;
    };

    TEST_F(ProgramSetupTest, ASettingsFileThatCannotBeReadIsNamed)
    {
        std::filesystem::create_directory(Path(SettingsFileName));
        testing::internal::CaptureStderr();
        const Settings settings = LoadSettings(ProgramFolder());
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "agendrix: Could not read \"" + Path(SettingsFileName) + "\": Is a directory.\n");
        EXPECT_EQ(settings.DaysPerLevel, 3);
    }

    TEST_F(ProgramSetupTest, PlacementsOfAThousandMillionPixelsFitTheScreen)
    {
        SaveFileAtomically(Path(SettingsFileName),
            SettingsWith({ { 10, "-1e9" }, { 11, "1e9" }, { 12, "1e9" }, { 13, "1e9" }, { 19, "100000" },
                { 24, "1e9" }, { 26, "-1e9" } }));
        testing::internal::CaptureStderr();
        const Settings settings = LoadSettings(ProgramFolder());
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "every line could be read";
        const QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        const QRect area = screen->availableGeometry();
        const double twips = 1440.0 / screen->logicalDotsPerInchX();
        EXPECT_EQ(settings.WinWidth, area.width());
        EXPECT_EQ(settings.WinHeight, area.height());
        EXPECT_EQ(settings.WinLeft, area.left() - area.width() + 120)
            << "120 pixels of the title stay on the screen";
        EXPECT_EQ(settings.WinTop, area.top() + area.height() - 30);
        EXPECT_EQ(settings.AccTextHgt, 360);
        EXPECT_EQ(settings.DockWid, area.width() * twips);
        EXPECT_EQ(settings.DockTabTop, area.top() * twips);
        EXPECT_FALSE(FileExists(Path(std::string(SettingsFileName) + ".bak")));
    }

    TEST_F(ProgramSetupTest, UnreadableLinesAreNamedOnceAndTheFileIsKeptBesideIt)
    {
        const struct {
            const char* Name;
            std::vector<std::pair<int, std::string>> Lines;
            bool BackupIsAFolder;
            std::string Said; // FILE and BAK stand for the paths of the file and of its copy
        } cases[] = {
            { "backupCannotBeWritten", { { 3, "fast" } }, true,
                "agendrix: Could not read line 3 (AniSpeed) of \"FILE\", which keeps its default; the "
                "original "
                "file could not be kept as \"BAK\": Is a directory.\n" },
            { "oneLine", { { 6, "abc" } }, false,
                "agendrix: Could not read line 6 (DaysPerLevel) of \"FILE\", which keeps its default; the "
                "original file is kept as \"BAK\".\n" },
            { "twoLines", { { 6, "abc" }, { 19, "x" } }, false,
                "agendrix: Could not read lines 6 (DaysPerLevel) and 19 (AccTextHgt) of \"FILE\", which keep "
                "their defaults; the original file is kept as \"BAK\".\n" },
            { "none", {}, false, "" },
        };
        for (const auto& c : cases) {
            const test::TempFolder folder;
            const std::string path = folder / SettingsFileName;
            const std::string backup = path + ".bak";
            const std::string bytes = SettingsWith(c.Lines);
            SaveFileAtomically(path, bytes);
            if (c.BackupIsAFolder)
                std::filesystem::create_directory(backup);
            testing::internal::CaptureStderr();
            const Settings settings = LoadSettings(FromUtf8(folder.Path()));
            std::string expected = c.Said;
            if (!expected.empty()) {
                expected.replace(expected.find("FILE"), 4, path);
                expected.replace(expected.find("BAK"), 3, backup);
            }
            EXPECT_EQ(testing::internal::GetCapturedStderr(), expected) << c.Name;
            EXPECT_EQ(settings.DaysPerLevel, 3) << c.Name;
            EXPECT_EQ(ReadWholeFile(path).Bytes, bytes) << c.Name << ": the file itself is left as it is";
            if (c.Lines.empty()) {
                EXPECT_FALSE(FileExists(backup)) << c.Name;
            } else if (!c.BackupIsAFolder) {
                EXPECT_EQ(ReadWholeFile(backup).Bytes, bytes) << c.Name;
            }
        }
    }

    TEST_F(ProgramSetupTest, ThePreloadIsOfTheListTheWindowWillOpen)
    {
        const std::string given = Path("given.agl");
        SaveFileAtomically(given, "Format: 5.0.0\r\n");
        const DateTime now { { 2026, 12, 6 }, 12 * 3600 };
        const struct {
            const char* Name;
            std::vector<std::string> Arguments;
            std::optional<std::vector<std::pair<int, std::string>>> SettingsLines; // nothing: no file
            std::optional<std::pair<std::string, int>> Preloaded; // the list and the days per level
        } cases[] = {
            { "neverSavedList", {}, std::nullopt, std::nullopt },
            { "restartOfANeverSavedList", { "Refresh" }, std::nullopt, std::nullopt },
            { "relativeListInTheSettings", {}, { { { 8, "lists/last.agl" } } }, std::nullopt },
            { "commandLine", { given }, std::nullopt, { { given, 3 } } },
            { "commandLineInQuotes", { "\"" + given + "\"" }, std::nullopt, { { given, 3 } } },
            { "lastList", {}, { { { 6, "5" }, { 8, "/lists/last.agl" } } }, { { "/lists/last.agl", 5 } } },
            { "defaultList", {}, { { { 4, "1" }, { 5, "/lists/default.agl" }, { 8, "/lists/last.agl" } } },
                { { "/lists/default.agl", 3 } } },
            { "indexOfTheDefaultListReadsNoList", {}, { { { 4, "2" }, { 5, "/lists/default.agl" } } },
                std::nullopt },
            { "commandLineOverTheSettings", { given }, { { { 6, "7" }, { 8, "/lists/last.agl" } } },
                { { given, 7 } } },
        };
        for (const auto& c : cases) {
            const test::TempFolder folder;
            if (c.SettingsLines)
                SaveFileAtomically(folder / SettingsFileName, SettingsWith(*c.SettingsLines));
            const std::unique_ptr<ListPreload> preload = PreloadFirstList(folder.Path(), c.Arguments, now);
            ASSERT_EQ(preload != nullptr, c.Preloaded.has_value()) << c.Name;
            if (c.Preloaded) {
                EXPECT_TRUE(preload->Serves(c.Preloaded->first, now.Date, c.Preloaded->second)) << c.Name;
            }
        }
    }

    // Environment variables set for one test; what was there before comes back at its end.
    class ScopedEnvironment {
    public:
        ScopedEnvironment() = default;
        ScopedEnvironment(const ScopedEnvironment&) = delete;
        ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
        ~ScopedEnvironment()
        {
            for (const auto& [name, value] : Saved)
                value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }

        // Sets `name` to `value`, or removes it for nothing.
        void Set(const std::string& name, const std::optional<std::string>& value)
        {
            const char* before = std::getenv(name.c_str());
            Saved.emplace_back(name, before ? std::optional<std::string>(before) : std::nullopt);
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }

    private:
        std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
    };

    // An installed program's folders under a temporary root: the executable's folder "app/bin",
    // and the shipped skins and web page template in "app/bin" as a build tree has them or in
    // "app/share/agendrix" as an installation does.
    class PrepareProgramFolderTest : public testing::Test {
    protected:
        enum class Shipped { BesideTheProgram, InTheShareFolder };

        // Ships two skins, each with a colors.txt, the web page template and the help page, and
        // returns the executable's folder.
        QString Install(Shipped where)
        {
            const std::string skins = where == Shipped::BesideTheProgram ? Root / "app/bin/Skins"
                                                                         : Root / "app/share/agendrix/Skins";
            for (const char* skin : { "Default", "Midnight" }) {
                std::filesystem::create_directories(skins + "/" + skin);
                test::WriteBytes(skins + "/" + skin + "/colors.txt", std::string("shipped ") + skin);
            }
            // As installed: readable by everyone, written by nobody.
            const std::string pageTemplate = skins.substr(0, skins.size() - 5) + "HTML Format.htm";
            test::WriteBytes(pageTemplate, "shipped template");
            std::filesystem::permissions(pageTemplate,
                std::filesystem::perms::owner_read | std::filesystem::perms::group_read
                    | std::filesystem::perms::others_read);
            std::filesystem::create_directories(skins.substr(0, skins.size() - 5) + "help");
            test::WriteBytes(skins.substr(0, skins.size() - 5) + "help/index.html", "shipped help");
            std::filesystem::create_directories(Root / "app/bin");
            return FromUtf8(Root / "app/bin");
        }

        test::TempFolder Root;
        ScopedEnvironment Environment;
    };

    TEST_F(PrepareProgramFolderTest, TheEnvironmentChoosesTheFolderWhichGetsTheSkins)
    {
        const struct {
            const char* Name;
            Shipped Where;
            std::optional<std::string> AgendrixHome, XdgDataHome, Home; // below the root
            std::string Expected;
        } cases[] = {
            { "emptyAgendrixHomeCountsAsUnset", Shipped::BesideTheProgram, "", "data", "user", "app/bin" },
            { "agendrixHomeWins", Shipped::BesideTheProgram, "custom/home", "data", "user", "custom/home" },
            { "executableFolderWithSkins", Shipped::BesideTheProgram, std::nullopt, "data", "user",
                "app/bin" },
            { "xdgDataHome", Shipped::InTheShareFolder, std::nullopt, "data", "user", "data/agendrix" },
            { "home", Shipped::InTheShareFolder, std::nullopt, std::nullopt, "user",
                "user/.local/share/agendrix" },
        };
        for (const auto& c : cases) {
            for (const std::string& name : Root.Names())
                std::filesystem::remove_all(Root / name);
            const auto below = [&](const std::optional<std::string>& name) {
                return name && !name->empty() ? std::optional(Root / *name) : name;
            };
            Environment.Set("AGENDRIX_HOME", below(c.AgendrixHome));
            Environment.Set("XDG_DATA_HOME", below(c.XdgDataHome));
            Environment.Set("HOME", below(c.Home));
            const QString executableFolder = Install(c.Where);

            const std::string folder = PrepareProgramFolder(executableFolder).toStdString();

            EXPECT_EQ(folder, Root / c.Expected) << c.Name;
            EXPECT_EQ(test::ReadBytes(folder + "/Skins/Midnight/colors.txt"), "shipped Midnight") << c.Name;
            EXPECT_EQ(test::ReadBytes(folder + "/HTML Format.htm"), "shipped template") << c.Name;
            EXPECT_EQ(test::ReadBytes(folder + "/help/index.html"), "shipped help") << c.Name;
            if (c.Expected == "app/bin") {
                EXPECT_FALSE(std::filesystem::exists(Root / "data")) << c.Name << ": no per-user folder";
            }
        }
    }

    TEST_F(PrepareProgramFolderTest, APerUserFolderGetsTheSkinsItLacksAndKeepsTheUsersFiles)
    {
        Environment.Set("AGENDRIX_HOME", std::nullopt);
        Environment.Set("XDG_DATA_HOME", Root / "data");
        std::filesystem::create_directories(Root / "data/agendrix/Skins/Default");
        test::WriteBytes(Root / "data/agendrix/Skins/Default/colors.txt", "my own colours");
        test::WriteBytes(Root / "data/agendrix/agendrix.ini", "my settings");

        const QString programFolder = PrepareProgramFolder(Install(Shipped::InTheShareFolder));

        EXPECT_EQ(programFolder.toStdString(), Root / "data/agendrix");
        EXPECT_EQ(test::ReadBytes(Root / "data/agendrix/Skins/Default/colors.txt"), "my own colours");
        EXPECT_EQ(test::ReadBytes(Root / "data/agendrix/Skins/Midnight/colors.txt"), "shipped Midnight");
        EXPECT_EQ(test::ReadBytes(Root / "data/agendrix/agendrix.ini"), "my settings");
        EXPECT_EQ(test::ReadBytes(Root / "app/share/agendrix/Skins/Default/colors.txt"), "shipped Default");
    }

    TEST_F(PrepareProgramFolderTest, APerUserFolderGetsTheTemplateItLacksAndKeepsAnEditedOne)
    {
        const struct {
            const char* Name;
            std::optional<std::string> Before; // the per-user folder's template before the start
            std::string After;
        } cases[] = {
            { "editedTemplateKept", "my own page", "my own page" },
            { "emptyTemplateKept", "", "" },
            { "missingTemplateSeededEditable", std::nullopt, "shipped template" },
        };
        for (const auto& c : cases) {
            for (const std::string& name : Root.Names())
                std::filesystem::remove_all(Root / name);
            Environment.Set("AGENDRIX_HOME", std::nullopt);
            Environment.Set("XDG_DATA_HOME", Root / "data");
            std::filesystem::create_directories(Root / "data/agendrix");
            const std::string mine = Root / "data/agendrix/HTML Format.htm";
            if (c.Before)
                test::WriteBytes(mine, *c.Before);

            PrepareProgramFolder(Install(Shipped::InTheShareFolder));

            EXPECT_EQ(test::ReadBytes(mine), c.After) << c.Name;
            const auto perms = std::filesystem::status(mine).permissions();
            EXPECT_NE(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
