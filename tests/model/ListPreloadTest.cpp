#include "model/ListPreload.h"

#include "model/DateLogic.h"
#include "model/ListFile.h"

#include "ModelTest.h"

#include "support/TaskLists.h"

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace agendrix {
namespace {

    const DateTime Now { { 2026, 12, 6 }, 12 * 3600 };
    constexpr int DaysPerLevel = 3;
    // Long enough for a test that holds the worker to see that it is held, never reached when
    // the preload works.
    constexpr auto HoldAtMost = std::chrono::seconds(20);

    std::string ShownDate(const CivilDate& date) { return FormatYyyymmdd(date); }

    // A list as a window has it after opening: what GetList did, then the tasks assessed.
    struct Opening {
        ListDocument Document;
        RecentLists Recent;
        ScriptedPrompts User;
        GetListResult Result;

        explicit Opening(const std::string& path)
        {
            Document.ListName = path;
            Document.Tasks.Load({ "05\tOpen before" });
            Document.Dirty = true;
        }

        std::vector<std::string> Statuses() const
        {
            std::vector<std::string> texts;
            for (std::size_t i = 0; i < Document.Tasks.Count(); ++i)
                texts.push_back(StatusText(StatusAt(Document.Tasks, i), ShownDate));
            return texts;
        }
    };

    void ExpectSameOpening(const Opening& got, const Opening& expected, const char* name)
    {
        EXPECT_EQ(got.Result.What, expected.Result.What) << name;
        EXPECT_EQ(got.Result.Format, expected.Result.Format) << name;
        EXPECT_EQ(got.Result.Stopped, expected.Result.Stopped) << name;
        EXPECT_EQ(got.Result.Encoding, expected.Result.Encoding) << name;
        EXPECT_EQ(got.Result.Error.Message, expected.Result.Error.Message) << name;
        EXPECT_EQ(got.User.Asked, expected.User.Asked) << name;
        EXPECT_EQ(got.Recent, expected.Recent) << name;
        EXPECT_EQ(got.Document.Dirty, expected.Document.Dirty) << name;
        EXPECT_EQ(Texts(got.Document.Tasks.Lines()), Texts(expected.Document.Tasks.Lines())) << name;
        EXPECT_EQ(got.Statuses(), expected.Statuses()) << name;
    }

    enum class Reading { Works, Fails };

    TEST(ListPreloadTest, GivesWhatGetListAndTheFirstAssessmentGive)
    {
        TempFolder folder;
        const std::vector<std::string> many = test::ManyTasks(1000, Now.Date);
        const std::vector<std::string> manyAfterEmptyLine = [&] {
            std::vector<std::string> lines = many;
            lines.insert(lines.begin() + 600, "");
            return lines;
        }();
        // name, bytes of the file (nothing: no file), whether reading it fails, lines to come later
        const std::tuple<const char*, std::optional<std::string>, Reading, bool> cases[] = {
            { "unreadable", "Format: 5.0.0\r\n04\tA\r\n", Reading::Fails, false },
            { "missing", std::nullopt, Reading::Works, false },
            { "empty", "", Reading::Works, false },
            { "stopsAtAnEmptyLine", "Format: 5.0.0\r\n04\ta\r\n\r\n05\tb\r\n", Reading::Works, false },
            { "version1", "02\tOld\t\t0\tx\t\t\t\r\n10\tDone\r\n", Reading::Works, false },
            { "version20", "Format: 2.0.0\r\n04\tDated\t\t0\t19990101\t1\t0\t\r\n", Reading::Works, false },
            { "utf8",
                "\xEF\xBB\xBF"
                "Format: 5.0.0\r\n04\tCaf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\x80\r\n",
                Reading::Works, false },
            { "few", EncodeListFile(test::ManyTasks(ListPreload::FirstRowCount, Now.Date)), Reading::Works,
                false },
            { "many", EncodeListFile(many), Reading::Works, true },
            { "manyStoppingAtAnEmptyLine", EncodeListFile(manyAfterEmptyLine), Reading::Works, true },
            { "manyInVersion1", test::CrLf(many), Reading::Works, true },
        };
        for (const auto& [name, bytes, reading, restToCome] : cases) {
            const std::string path = folder / (std::string(name) + ".agl");
            if (bytes)
                WriteBytes(path, *bytes);
            test::FailingFileOps expectedOps(test::FileStep::Read, reading == Reading::Fails ? 1 : 0, EIO);
            test::FailingFileOps preloadOps(test::FileStep::Read, reading == Reading::Fails ? 1 : 0, EIO);
            Opening expected(path);
            expected.Result
                = GetList(expected.Document, expected.Recent, expected.User, Now.Date, expectedOps);
            AssessDateItems(expected.Document.Tasks, Now, DaysPerLevel);

            ListPreload preload({ path, Now, DaysPerLevel }, preloadOps);
            // A list that fails to read is not told by TakeListRead, but by its caller.
            EXPECT_EQ(preload.TellsNothing(),
                expected.User.Asked.empty() && expected.Result.What != GetListResult::Status::Failed)
                << name;
            Opening got(path);
            got.Result = TakeListRead(got.Document, got.Recent, got.User, preload.TakeFirst());
            EXPECT_EQ(preload.HasRest(), restToCome) << name;
            if (preload.HasRest())
                got.Document.Tasks.Load(preload.TakeRest());
            const bool loaded = got.Result.What == GetListResult::Status::Loaded;
            // A window assesses the tasks it is given again: that must cost nothing.
            EXPECT_EQ(AssessDateItems(got.Document.Tasks, Now, DaysPerLevel),
                loaded ? Assessment::Unchanged : Assessment::Recomputed)
                << name;
            ExpectSameOpening(got, expected, name);
        }
    }

    TEST(ListPreloadTest, FirstRowsBeginTheListWhichIsSortedWhenAskedFor)
    {
        TempFolder folder;
        WriteBytes(folder / "l.agl", EncodeListFile(test::ManyTasks(3000, Now.Date)));
        ListDocument whole { folder / "l.agl", false, {} };
        RecentLists recent;
        ScriptedPrompts user;
        GetList(whole, recent, user, Now.Date);
        AssessDateItems(whole.Tasks, Now, DaysPerLevel);
        const std::vector<std::string> all = Texts(whole.Tasks.Lines());

        ListPreload preload({ folder / "l.agl", Now, DaysPerLevel });
        const ListRead first = preload.TakeFirst();
        EXPECT_TRUE(preload.HasRest());
        // The sort waits until the rest is asked for, leaving the processor to a window meanwhile.
        EXPECT_FALSE(preload.RestReady());
        const TaskStore rest = preload.TakeRest();
        EXPECT_TRUE(preload.RestReady());

        EXPECT_EQ(first.Outcome.What, GetListResult::Status::Loaded);
        const std::vector<std::string> firstRows(all.begin(), all.begin() + ListPreload::FirstRowCount);
        EXPECT_EQ(Texts(first.Tasks.Lines()), firstRows);
        EXPECT_TRUE(first.Tasks.AssessedFor());
        EXPECT_EQ(Texts(rest.Lines()), all);
        EXPECT_TRUE(rest.AssessedFor());
    }

    TEST(ListPreloadTest, NotifiesOnceWhenTheRestIsReadyUnlessTakenBack)
    {
        TempFolder folder;
        WriteBytes(folder / "l.agl", EncodeListFile(test::ManyTasks(1000, Now.Date)));
        for (const bool takenBack : { true, false }) {
            std::promise<void> release;
            const std::shared_future<void> held = release.get_future().share();
            ListPreload preload({ folder / "l.agl", Now, DaysPerLevel }, SystemFileOps(),
                [held] { held.wait_for(HoldAtMost); });
            (void)preload.TakeFirst();
            int calls = 0;
            std::thread::id caller;
            preload.NotifyWhenReady([&] {
                ++calls;
                caller = std::this_thread::get_id();
            });
            if (takenBack)
                preload.NotifyWhenReady({});
            EXPECT_EQ(calls, 0) << takenBack;
            release.set_value();
            (void)preload.TakeRest();
            EXPECT_EQ(calls, takenBack ? 0 : 1) << takenBack;
            if (!takenBack) {
                EXPECT_NE(caller, std::this_thread::get_id());
            }

            // Once the list is ready, at once and on the asking thread.
            preload.NotifyWhenReady([&] {
                ++calls;
                caller = std::this_thread::get_id();
            });
            EXPECT_EQ(calls, takenBack ? 1 : 2) << takenBack;
            EXPECT_EQ(caller, std::this_thread::get_id()) << takenBack;
        }
    }

    TEST(ListPreloadTest, ServesOnlyTheReadingItWasStartedFor)
    {
        TempFolder folder;
        const std::string path = folder / "l.agl";
        const ListPreload preload({ path, Now, DaysPerLevel });
        const std::tuple<const char*, std::string, CivilDate, int, bool> cases[] = {
            { "otherList", folder / "m.agl", Now.Date, DaysPerLevel, false },
            { "otherDay", path, { 2026, 12, 7 }, DaysPerLevel, false },
            { "otherDaysPerLevel", path, Now.Date, DaysPerLevel + 1, false },
            { "same", path, Now.Date, DaysPerLevel, true },
        };
        for (const auto& [name, listName, today, daysPerLevel, serves] : cases)
            EXPECT_EQ(preload.Serves(listName, today, daysPerLevel), serves) << name;
    }

} // namespace
} // namespace agendrix
