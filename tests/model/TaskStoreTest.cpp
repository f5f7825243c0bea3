#include "model/TaskStore.h"
#include "model/DateLogic.h"
#include "model/FileAccess.h"
#include "model/ListFile.h"

#include "ModelTest.h"

#include <cctype>
#include <map>
#include <random>
#include <stdexcept>

namespace agendrix {
namespace {

    std::string Lower(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    // Random lines over a small alphabet, so that duplicates and lines equal but for case occur.
    std::string RandomLine(std::mt19937& rng)
    {
        static const std::string alphabet = "aAbBcC \t09";
        std::string line = TwoDigitCode(static_cast<int>(rng() % 11)) + "\t";
        for (std::size_t n = rng() % 7; n > 0; --n)
            line += alphabet[rng() % alphabet.size()];
        return line;
    }

    bool Less(const std::string& a, const std::string& b) { return TaskLineLess(a, b); }

    TEST(TaskStoreTest, TaskLineLessFoldsCase)
    {
        // É (0xC9) and é (0xE9) are one letter, where plain bytes would put every É first; lines
        // equal but for case are ordered by their bytes, whichever came first.
        const std::tuple<const char*, std::string, std::string> cases[] = {
            { "lowerBeforeUpperLetterLater", "04\tapple", "04\tBanana" },
            { "upperBeforeLowerLetterLater", "04\tApple", "04\tbanana" },
            { "codeFirst", "03\tzzz", "04\tAAA" },
            { "completedLast", "09\tzzz", "10\tA" },
            { "prefixFirst", "04\tBan", "04\tbanana" },
            { "accentedCapitalFolds", "04\t\xC9tude", "04\t\xE9tuve" },
            { "accentedSmallFolds", "04\t\xE9tude", "04\t\xC9tuve" },
            { "caronPairFolds", "04\t\x9Ax", "04\t\x8Ay" }, // š, Š
            { "multiplicationSignIsNoLetter", "04\t\xD7z", "04\t\xF7y" }, // ×, ÷
            { "tieBrokenByBytes", "04\tApple", "04\tapple" },
        };
        for (const auto& [name, less, greater] : cases) {
            EXPECT_TRUE(TaskLineLess(less, greater)) << name;
            EXPECT_FALSE(TaskLineLess(greater, less)) << name;
        }
        EXPECT_FALSE(TaskLineLess("04\tsame", "04\tsame"));

        std::mt19937 rng(20261204);
        std::vector<std::string> lines;
        for (int i = 0; i < 400; ++i)
            lines.push_back(RandomLine(rng));
        for (const std::string& a : lines) {
            for (const std::string& b : { lines[0], lines[100], lines[200], lines[300] }) {
                ASSERT_TRUE(Lower(a) == Lower(b) || TaskLineLess(a, b) == (Lower(a) < Lower(b)))
                    << a << " | " << b;
            }
        }
    }

    TEST(TaskStoreTest, AddAndReplaceReturnTheSortedIndex)
    {
        TaskStore store;
        EXPECT_THROW(store.Remove(0), std::out_of_range);
        EXPECT_EQ(store.Add("05\tm"), 0u);
        EXPECT_EQ(store.Add("09\tz"), 1u);
        EXPECT_EQ(store.Add("02\ta"), 0u);
        EXPECT_EQ(store.Add("05\tB"), 1u);
        EXPECT_EQ(store.Add("05\tm"), 3u); // a duplicate goes after its twin
        EXPECT_THROW(store.Remove(5), std::out_of_range);
        EXPECT_THROW(store.Replace(5, "09\tother"), std::out_of_range);
        EXPECT_THROW((void)store.Line(5), std::out_of_range);
        EXPECT_EQ(store.Replace(0, "10\t2026/12/04 - a"), 4u);
        EXPECT_EQ(store.Replace(3, "01\tz"), 0u);
        EXPECT_EQ(LinesOf(store),
            (std::vector<std::string> { "01\tz", "05\tB", "05\tm", "05\tm", "10\t2026/12/04 - a" }));
    }

    TEST(TaskStoreTest, FindComesBackToTheSameBytes)
    {
        TaskStore store;
        // As a file holds them: not sorted yet. Sorted: a, B, b, m, m, z.
        store.Load(std::vector<std::string> { "09\tz", "05\tm", "05\tb", "02\ta", "05\tm", "05\tB" });
        const std::tuple<const char*, std::string, std::size_t, std::optional<std::size_t>> cases[] = {
            { "emptyLine", "", 0, std::nullopt },
            { "lineNowhere", "05\tq", 0, std::nullopt },
            { "otherCaseIsAnotherLine", "05\tM", 3, std::nullopt },
            { "nearPastTheEnd", "09\tz", 99, 5 },
            { "nearHoldsIt", "05\tm", 4, 4 },
            { "movedFindsTheFirstTwin", "05\tm", 0, 3 },
            { "upperCaseFirst", "05\tB", 2, 1 },
            { "lowerCaseAfterUpper", "05\tb", 1, 2 },
            { "first", "02\ta", 5, 0 },
        };
        for (const auto& [name, line, near, found] : cases)
            EXPECT_EQ(store.Find(line, near), found) << name;
    }

    // Lines of a few shapes: short ones are sorted in place, long ones on keys of their first
    // sixteen folded bytes, which lines equal over those bytes but not after must not confuse.
    enum class Shape { Short, Long, Mixed };

    std::string ShapedLine(std::mt19937& rng, Shape shape)
    {
        std::string line = RandomLine(rng);
        if (shape == Shape::Long || (shape == Shape::Mixed && rng() % 4 == 0)) {
            line += std::string(30, 'p');
            line += RandomLine(rng).substr(3);
        }
        return line;
    }

    // Loaded from strings and from a file's bytes, whose lines stay in the file's buffer.
    void LoadBothWays(TaskStore& fromStrings, TaskStore& fromFile, const std::vector<std::string>& lines)
    {
        fromStrings.Load(lines);
        fromFile.Load(ParseListFile(EncodeListFile(lines), { 2026, 12, 4 }).Loaded);
    }

    TEST(TaskStoreTest, LoadSortsByTheTextAlone)
    {
        for (const Shape shape : { Shape::Short, Shape::Long, Shape::Mixed }) {
            const int name = static_cast<int>(shape);
            std::mt19937 rng(42);
            std::vector<std::string> lines;
            for (int i = 0; i < 3000; ++i)
                lines.push_back(ShapedLine(rng, shape));
            std::vector<std::string> expected = lines;
            std::stable_sort(expected.begin(), expected.end(), Less);

            TaskStore fromStrings;
            TaskStore fromFile;
            LoadBothWays(fromStrings, fromFile, lines);
            EXPECT_EQ(LinesOf(fromStrings), expected) << name;
            EXPECT_EQ(LinesOf(fromFile), expected) << name;
            // The same lines shuffled again give the same list: the order depends on the text only.
            std::shuffle(lines.begin(), lines.end(), rng);
            LoadBothWays(fromStrings, fromFile, lines);
            EXPECT_EQ(LinesOf(fromStrings), expected) << name;
            EXPECT_EQ(LinesOf(fromFile), expected) << name;
        }
        TaskStore store;
        store.Load({ "04\tx" });
        store.Load(std::vector<std::string> {});
        EXPECT_TRUE(store.Empty());
    }

    TEST(TaskStoreTest, FirstLinesAreTheStartOfTheSortedList)
    {
        // Lines equal but for case among them: the search for the first lines of a store still in
        // file order must break ties as the sort does.
        std::mt19937 rng(2612);
        std::vector<std::string> lines;
        for (int i = 0; i < 3000; ++i)
            lines.push_back(ShapedLine(rng, Shape::Mixed));
        std::vector<std::string> sorted = lines;
        std::stable_sort(sorted.begin(), sorted.end(), Less);
        const std::tuple<const char*, std::size_t> cases[] = {
            { "none", 0 },
            { "moreThanThereAre", 5000 },
            { "one", 1 },
            { "aWindowful", 256 },
            { "allButOne", 2999 },
            { "all", 3000 },
        };
        for (const auto& [name, count] : cases) {
            const std::vector<std::string> expected(
                sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(std::min(count, sorted.size())));
            TaskStore fromStrings;
            TaskStore fromFile;
            LoadBothWays(fromStrings, fromFile, lines);
            EXPECT_EQ(fromStrings.FirstLines(count), expected) << name;
            EXPECT_EQ(fromFile.FirstLines(count), expected) << name;
            fromFile.SortNow();
            EXPECT_EQ(fromFile.FirstLines(count), expected) << name;
            EXPECT_EQ(LinesOf(fromStrings), sorted) << name;
        }
    }

    TEST(TaskStoreTest, LoadingAStoreIsOneLoadAndKeepsAnAssessmentOfItsLines)
    {
        const DateTime now { { 2026, 12, 6 }, 12 * 3600 };
        const std::vector<std::string> lines { "00\tdue\t\t1\t20261208\t1\t2\t", "04\tplain", "10\tdone" };
        TaskStore same;
        same.Load(lines);
        AssessDateItems(same, now, 3);
        const auto sameRevision = same.Revision();
        const std::vector<std::string> sameLines = LinesOf(same);
        TaskStore& alias = same;
        same.Load(std::move(alias));
        EXPECT_EQ(same.Revision(), sameRevision);
        EXPECT_EQ(LinesOf(same), sameLines);
        EXPECT_TRUE(same.AssessedFor());

        using Prepare = std::function<void(TaskStore&)>;
        const std::tuple<const char*, Prepare, bool> cases[] = {
            { "neverAssessed", [](TaskStore&) {}, false },
            { "editedSinceAssessed",
                [&](TaskStore& store) {
                    AssessDateItems(store, now, 3);
                    store.Add("05\tlater");
                },
                false },
            { "assessed", [&](TaskStore& store) { AssessDateItems(store, now, 3); }, true },
        };
        for (const auto& [name, prepare, keeps] : cases) {
            TaskStore loaded;
            loaded.Load(lines);
            prepare(loaded);
            const std::vector<std::string> expected = LinesOf(loaded);
            TaskStore store;
            store.Load({ "09\tolder" });
            AssessDateItems(store, now, 3);
            std::vector<StoreChange::Kind> seen;
            store.SetListener([&](const StoreChange& change) { seen.push_back(change.What); });
            const auto revision = store.Revision();

            store.Load(std::move(loaded));

            EXPECT_EQ(LinesOf(store), expected) << name;
            EXPECT_EQ(seen, std::vector { StoreChange::Kind::Load }) << name;
            EXPECT_EQ(store.Revision(), revision + 1) << name;
            EXPECT_EQ(store.LastAssessment().has_value(), keeps) << name;
            EXPECT_EQ(AssessDateItems(store, now, 3), keeps ? Assessment::Unchanged : Assessment::Recomputed)
                << name;
            EXPECT_TRUE(loaded.Empty()) << name;
            EXPECT_FALSE(loaded.LastAssessment()) << name;
        }
    }

    TEST(TaskStoreTest, RecodeMergesAnyShareOfChangedLines)
    {
        // In a sorted store the changed lines or the others, whichever are fewer, are set aside
        // and merged back; lines not read since they were loaded are coded as they lie and
        // sorted once.
        for (const Shape shape : { Shape::Short, Shape::Long }) {
            for (const unsigned percent : { 0u, 1u, 50u, 90u, 100u }) {
                const std::string name
                    = std::string(shape == Shape::Short ? "short" : "long") + std::to_string(percent);
                std::mt19937 rng(percent);
                std::vector<std::string> lines;
                for (int i = 0; i < 2000; ++i)
                    lines.push_back(ShapedLine(rng, shape));
                // Which lines change depends on their text alone, as the date logic's codes do.
                const auto newCode = [percent](std::string_view line) -> std::optional<int> {
                    if (std::hash<std::string_view> {}(line) % 100 >= percent)
                        return std::nullopt;
                    return static_cast<int>(std::hash<std::string_view> {}(line) / 100 % 11);
                };
                std::vector<std::string> expected;
                for (const std::string& line : lines) {
                    const std::optional<int> code = newCode(line);
                    expected.push_back(code ? TwoDigitCode(*code) + line.substr(2) : line);
                }
                std::stable_sort(expected.begin(), expected.end(), Less);
                for (const bool readFirst : { false, true }) {
                    TaskStore fromStrings;
                    TaskStore fromFile;
                    LoadBothWays(fromStrings, fromFile, lines);
                    if (readFirst) {
                        EXPECT_EQ(fromStrings.Line(0), fromFile.Line(0)) << name;
                    }
                    fromStrings.Recode(newCode);
                    fromFile.Recode(newCode);
                    const std::string when = readFirst ? " recoded sorted" : " recoded as loaded";
                    EXPECT_EQ(LinesOf(fromStrings), expected) << name << when;
                    EXPECT_EQ(LinesOf(fromFile), expected) << name << when;
                }
            }
        }
    }

    TEST(TaskStoreTest, AddedLinesKeepEveryByte)
    {
        // Added lines are held after their length, which takes one byte up to 127 bytes and one
        // more for every 7 bits past that; any byte may be in them.
        const std::pair<const char*, std::string> cases[] = {
            { "empty", "" },
            { "lineFeedInside", "04\tone\ntwo" },
            { "carriageReturnAtTheEnd", "04\tend\r" },
            { "nulInside", std::string("04\t\0nul", 7) },
            { "length127", "04\t" + std::string(124, 'a') },
            { "length128", "04\t" + std::string(125, 'b') },
            { "length16383", "04\t" + std::string(16380, 'c') },
            { "length16384", "04\t" + std::string(16381, 'd') },
            { "length2097152", "04\t" + std::string(2097149, 'e') },
        };
        TaskStore store;
        std::vector<std::string> expected;
        for (const auto& [name, line] : cases) {
            EXPECT_EQ(store.Line(store.Add(line)), line) << name;
            expected.push_back(line);
        }
        std::stable_sort(expected.begin(), expected.end(), Less);
        EXPECT_EQ(LinesOf(store), expected);
        // Removing the longest line leaves most of the arena unused, which makes it compact.
        const auto longest = std::max_element(expected.begin(), expected.end(),
            [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
        store.Remove(static_cast<std::size_t>(longest - expected.begin()));
        expected.erase(longest);
        EXPECT_EQ(LinesOf(store), expected);
    }

    TEST(TaskStoreTest, EveryEditIsARevisionAndReachesTheListenerButRecodeIsNot)
    {
        TaskStore store;
        std::vector<StoreChange> seen;
        store.SetListener([&](const StoreChange& change) { seen.push_back(change); });
        using K = StoreChange::Kind;
        using Changes = std::vector<std::tuple<K, std::size_t, std::string>>;
        const std::tuple<const char*, std::function<void()>, Changes> steps[] = {
            { "recodeIsNoEdit", [&] { store.Recode([](std::string_view) { return std::optional(8); }); },
                {} },
            { "add", [&] { store.Add("05\tb"); }, { { K::Add, 0, "05\tb" } } },
            { "addBefore", [&] { store.Add("04\ta"); }, { { K::Add, 0, "04\ta" } } },
            { "recodeStillNoEdit", [&] { store.Recode([](std::string_view) { return std::optional(2); }); },
                {} },
            { "remove", [&] { store.Remove(1); }, { { K::Remove, 1, "02\tb" } } },
            { "replace", [&] { store.Replace(0, "09\tc"); },
                { { K::Remove, 0, "02\ta" }, { K::Add, 0, "09\tc" } } },
            { "clear", [&] { store.Clear(); }, { { K::Clear, 0, "" } } },
            { "load", [&] { store.Load({ "09\tz" }); }, { { K::Load, 0, "" } } },
        };
        for (const auto& [name, edit, expected] : steps) {
            seen.clear();
            const auto revision = store.Revision();
            edit();
            Changes changes;
            for (const StoreChange& change : seen)
                changes.emplace_back(change.What, change.Index, change.Line);
            EXPECT_EQ(changes, expected) << name;
            EXPECT_EQ(store.Revision() > revision, !expected.empty()) << name;
        }
        EXPECT_EQ(LinesOf(store), std::vector<std::string> { "09\tz" });
    }

    TEST(TaskStoreTest, RecodeRestoresTheOrder)
    {
        TaskStore store;
        store.Load({ "00\tdue soon", "04\tapple", "00\tdue later", "08\tlow", "09\tplain", "00\tAlready late",
            "10\t2026/12/01 - done" });
        // Three date-based lines get their codes; the others are left alone.
        const std::map<std::string, int, std::less<>> codes
            = { { "00\tdue soon", 2 }, { "00\tdue later", 8 }, { "00\tAlready late", 1 } };
        store.Recode([&](std::string_view line) -> std::optional<int> {
            const auto found = codes.find(line);
            return found == codes.end() ? std::nullopt : std::optional<int>(found->second);
        });
        const std::vector<std::string> expected = { "01\tAlready late", "02\tdue soon", "04\tapple",
            "08\tdue later", "08\tlow", "09\tplain", "10\t2026/12/01 - done" };
        EXPECT_EQ(LinesOf(store), expected);
        // Giving lines the code they already have moves nothing.
        store.Recode([](std::string_view line) { return PriorityCode(line); });
        EXPECT_EQ(LinesOf(store), expected);
    }

    TEST(TaskStoreTest, RecodeReplacesCodeFieldsOfOtherLengthsWithoutEatingFields)
    {
        TaskStore store;
        store.Load({ "\tno code\t\t1", "7\tshort\t\t1", "123\tlong\t\t1", "x", "" });
        store.Recode([](std::string_view) { return std::optional(3); });
        EXPECT_EQ(LinesOf(store),
            (std::vector<std::string> { "03", "03", "03\tlong\t\t1", "03\tno code\t\t1", "03\tshort\t\t1" }));
    }

    TEST(TaskStoreTest, ViewsOfTheStoreAndOfALoadedBufferStayValid)
    {
        TaskStore store;
        store.Load(std::vector<std::string> { "04\tkeep", "09\tcopy me" });
        EXPECT_EQ(store.Add(store.Line(1)), 2u);
        EXPECT_EQ(store.Replace(0, store.Line(2)), 2u);
        EXPECT_EQ(store.Replace(1, store.Line(1)), 2u);
        EXPECT_EQ(LinesOf(store), (std::vector<std::string> { "09\tcopy me", "09\tcopy me", "09\tcopy me" }));

        // As a file is read: its lines stay in its buffer, in file order, each line end of every
        // kind turned into '\n'. Codes are then rewritten in place in that buffer; the
        // neighbours must not be touched.
        store.Load(
            ParseListFile("Format: 5.0.0\r\n09\tzeta\r\n05\tBeta\n00\tdue\r05\talpha\r\r\n", { 2026, 12, 4 })
                .Loaded);
        EXPECT_EQ(
            LinesOf(store), (std::vector<std::string> { "00\tdue", "05\talpha", "05\tBeta", "09\tzeta" }));
        store.Recode([](std::string_view line) { return std::optional(line.starts_with("00") ? 10 : 5); });
        EXPECT_EQ(
            LinesOf(store), (std::vector<std::string> { "05\talpha", "05\tBeta", "05\tzeta", "10\tdue" }));
    }

    TEST(TaskStoreTest, RandomEditsMatchASortedVector)
    {
        // 1500 long lines are added, then 1400 of them replaced by short ones, so that most of the
        // store's storage becomes garbage and is compacted within a Replace; then edits of every kind.
        std::mt19937 rng(7);
        TaskStore store;
        std::vector<std::string> reference;
        auto insert = [&](const std::string& line) {
            const auto at = std::upper_bound(reference.begin(), reference.end(), line, Less);
            const auto index = static_cast<std::size_t>(at - reference.begin());
            reference.insert(at, line);
            return index;
        };
        auto anyIndex = [&] { return static_cast<std::size_t>(rng() % reference.size()); };
        const std::string padding(1800, 'p');
        for (int step = 0; step < 4500; ++step) {
            const unsigned what = step < 1500 ? 0 : step < 2900 ? 12 : rng() % 20;
            if (what < 5 || reference.empty()) {
                const std::string line = RandomLine(rng) + padding;
                ASSERT_EQ(store.Add(line), insert(line)) << step;
            } else if (what < 12) {
                const std::size_t index = anyIndex();
                reference.erase(reference.begin() + static_cast<std::ptrdiff_t>(index));
                store.Remove(index);
            } else if (what < 19) {
                // Replaced by the start of another line, passed as a view into the store.
                std::size_t index = anyIndex();
                while (step < 2900 && reference[index].size() < padding.size())
                    index = anyIndex();
                const std::size_t from = anyIndex();
                const std::string shorter = reference[from].substr(0, 12);
                reference.erase(reference.begin() + static_cast<std::ptrdiff_t>(index));
                ASSERT_EQ(store.Replace(index, store.Line(from).substr(0, 12)), insert(shorter)) << step;
            } else { // every line of code 05 becomes 02
                store.Recode([](std::string_view line) {
                    return line.starts_with("05") ? std::optional(2) : std::nullopt;
                });
                for (std::string& line : reference)
                    line[1] = line.starts_with("05") ? '2' : line[1];
                std::stable_sort(reference.begin(), reference.end(), Less);
            }
            if (step % 150 == 0) {
                ASSERT_EQ(LinesOf(store), reference) << step;
            }
        }
        EXPECT_EQ(LinesOf(store), reference);
    }

} // namespace
} // namespace agendrix
