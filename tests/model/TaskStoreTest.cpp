#include "model/TaskStore.h"
#include "model/TaskLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace agendrix {
namespace {

    std::vector<std::string> LinesOf(const TaskStore& store)
    {
        return { store.Lines().begin(), store.Lines().end() };
    }

    std::string Lower(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    // Random lines over a small alphabet, so that duplicates and lines equal but for case occur.
    std::vector<std::string> RandomLines(std::mt19937& rng, std::size_t count)
    {
        static const std::string alphabet = "aAbBcC \t09";
        std::uniform_int_distribution<int> code(0, 10);
        std::uniform_int_distribution<std::size_t> length(0, 6);
        std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < count; ++i) {
            std::string line = TwoDigitCode(code(rng)) + "\t";
            for (std::size_t n = length(rng); n > 0; --n)
                line += alphabet[letter(rng)];
            lines.push_back(std::move(line));
        }
        return lines;
    }

    TEST(TaskStoreTest, OrderIsCodeThenTextWithoutRegardToCase)
    {
        TaskStore store;
        for (const char* line : { "04\tBanana", "10\t2026/01/01 - Aardvark", "03\tZebra", "04\tapple",
                 "09\tmango", "03\tant", "02\tZ" })
            store.Add(line);
        const std::vector<std::string> expected = { "02\tZ", "03\tant", "03\tZebra", "04\tapple",
            "04\tBanana", "09\tmango", "10\t2026/01/01 - Aardvark" };
        EXPECT_EQ(LinesOf(store), expected);
    }

    TEST(TaskStoreTest, TaskLineLessFoldsCase)
    {
        struct Case {
            const char* name;
            std::string less;
            std::string greater;
        };
        const Case cases[] = {
            { "lowerBeforeUpperLetterLater", "04\tapple", "04\tBanana" },
            { "upperBeforeLowerLetterLater", "04\tApple", "04\tbanana" },
            { "codeFirst", "03\tzzz", "04\tAAA" },
            { "completedLast", "09\tzzz", "10\tA" },
            { "prefixFirst", "04\tBan", "04\tbanana" },
            // É (0xC9) and é (0xE9) are one letter: "Éclair" < "éclat" by its later letters,
            // where plain bytes would put every É before every é.
            { "accentedCapitalFolds",
                "04\t\xC9"
                "clair",
                "04\t\xE9"
                "clat" },
            { "accentedSmallFolds",
                "04\t\xE9"
                "clair",
                "04\t\xC9"
                "clat" },
            { "caronPairFolds",
                "04\t\x9A"
                "a",
                "04\t\x8A"
                "b" }, // š, Š
            // Equal but for case: ordered by bytes, whatever came first.
            { "tieBrokenByBytes", "04\tApple", "04\tapple" },
        };
        for (const Case& c : cases) {
            EXPECT_TRUE(TaskLineLess(c.less, c.greater)) << c.name;
            EXPECT_FALSE(TaskLineLess(c.greater, c.less)) << c.name;
        }
        EXPECT_FALSE(TaskLineLess("04\tsame", "04\tsame"));

        std::mt19937 rng(20261204);
        const std::vector<std::string> lines = RandomLines(rng, 400);
        for (const std::string& a : lines) {
            for (const std::string& b : { lines[0], lines[100], lines[200], lines[300] }) {
                if (Lower(a) != Lower(b)) {
                    ASSERT_EQ(TaskLineLess(a, b), Lower(a) < Lower(b)) << a << " | " << b;
                }
            }
        }
    }

    TEST(TaskStoreTest, AddReturnsTheSortedIndexAndReplaceMovesTheLine)
    {
        TaskStore store;
        EXPECT_EQ(store.Add("05\tm"), 0u);
        EXPECT_EQ(store.Add("09\tz"), 1u);
        EXPECT_EQ(store.Add("02\ta"), 0u);
        EXPECT_EQ(store.Add("05\tB"), 1u);
        EXPECT_EQ(store.Add("05\tm"), 3u); // a duplicate goes after its twin
        ASSERT_EQ(store.Count(), 5u);

        const std::size_t moved = store.Replace(0, "10\t2026/12/04 - a");
        EXPECT_EQ(moved, 4u);
        EXPECT_EQ(store.Line(4), "10\t2026/12/04 - a");
        EXPECT_EQ(store.Line(0), "05\tB");
        EXPECT_EQ(store.Count(), 5u);

        EXPECT_EQ(store.Replace(3, "01\tz"), 0u);
        EXPECT_EQ(LinesOf(store),
            (std::vector<std::string> { "01\tz", "05\tB", "05\tm", "05\tm", "10\t2026/12/04 - a" }));
    }

    TEST(TaskStoreTest, BadIndexesThrow)
    {
        TaskStore store;
        EXPECT_THROW(store.Remove(0), std::out_of_range);
        store.Add("09\tone");
        EXPECT_THROW(store.Remove(1), std::out_of_range);
        EXPECT_THROW(store.Replace(5, "09\tother"), std::out_of_range);
        EXPECT_THROW((void)store.Line(1), std::out_of_range);
        EXPECT_EQ(LinesOf(store), std::vector<std::string> { "09\tone" });
        store.Remove(0);
        EXPECT_TRUE(store.Empty());
    }

    TEST(TaskStoreTest, LoadEqualsAddingOneByOne)
    {
        std::mt19937 rng(42);
        const std::vector<std::string> lines = RandomLines(rng, 5000);

        std::vector<std::string> expected = lines;
        std::stable_sort(expected.begin(), expected.end(),
            [](const std::string& a, const std::string& b) { return TaskLineLess(a, b); });

        TaskStore loaded;
        loaded.Load(lines);
        EXPECT_EQ(LinesOf(loaded), expected);

        TaskStore added;
        for (const std::string& line : lines)
            added.Add(line);
        EXPECT_EQ(LinesOf(added), expected);

        // The same lines shuffled again give the same list: the order depends on the text only.
        std::vector<std::string> reshuffled = lines;
        std::shuffle(reshuffled.begin(), reshuffled.end(), rng);
        TaskStore again;
        again.Load(reshuffled);
        EXPECT_EQ(LinesOf(again), expected);

        loaded.Load(std::vector<std::string> {});
        EXPECT_TRUE(loaded.Empty());
    }

    TEST(TaskStoreTest, EditsCountAsRevisionsButRecodeDoesNot)
    {
        TaskStore store;
        auto last = store.Revision();
        auto advanced = [&] {
            const bool result = store.Revision() > last;
            last = store.Revision();
            return result;
        };
        store.Add("09\ta");
        EXPECT_TRUE(advanced()) << "Add";
        store.Add("09\tb");
        EXPECT_TRUE(advanced()) << "Add";
        store.Replace(0, "04\ta");
        EXPECT_TRUE(advanced()) << "Replace";
        store.Remove(1);
        EXPECT_TRUE(advanced()) << "Remove";
        store.Load({ "09\tx", "09\ty" });
        EXPECT_TRUE(advanced()) << "Load";
        store.Recode([](std::string_view) -> std::optional<int> { return 2; });
        EXPECT_FALSE(advanced()) << "Recode";
        EXPECT_EQ(LinesOf(store), (std::vector<std::string> { "02\tx", "02\ty" }));
        store.Clear();
        EXPECT_TRUE(advanced()) << "Clear";
    }

    TEST(TaskStoreTest, ListenerSeesEveryEdit)
    {
        TaskStore store;
        std::vector<StoreChange> seen;
        store.SetListener([&](const StoreChange& change) { seen.push_back(change); });
        store.Add("05\tb");
        store.Add("04\ta");
        store.Remove(1);
        store.Replace(0, "09\tc");
        store.Recode([](std::string_view) -> std::optional<int> { return 8; });
        store.Clear();
        store.Load({ "09\tz" });

        using K = StoreChange::Kind;
        struct Expected {
            K what;
            std::size_t index;
            const char* line;
        };
        const Expected expected[] = {
            { K::Add, 0, "05\tb" },
            { K::Add, 0, "04\ta" },
            { K::Remove, 1, "05\tb" },
            { K::Remove, 0, "04\ta" },
            { K::Add, 0, "09\tc" },
            { K::Clear, 0, "" },
            { K::Load, 0, "" },
        };
        ASSERT_EQ(seen.size(), std::size(expected));
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].What, expected[i].what) << "change " << i;
            EXPECT_EQ(seen[i].Index, expected[i].index) << "change " << i;
            EXPECT_EQ(seen[i].Line, expected[i].line) << "change " << i;
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
            if (found == codes.end())
                return std::nullopt;
            return found->second;
        });
        const std::vector<std::string> expected = { "01\tAlready late", "02\tdue soon", "04\tapple",
            "08\tdue later", "08\tlow", "09\tplain", "10\t2026/12/01 - done" };
        EXPECT_EQ(LinesOf(store), expected);

        // Nothing changed: nothing moves.
        store.Recode([](std::string_view) -> std::optional<int> { return std::nullopt; });
        EXPECT_EQ(LinesOf(store), expected);
        // Giving lines the code they already have moves nothing either.
        store.Recode([](std::string_view line) { return PriorityCode(line); });
        EXPECT_EQ(LinesOf(store), expected);
    }

    TEST(TaskStoreTest, LinesOfTheStoreItselfCanBeAddedAndReplaced)
    {
        TaskStore store;
        store.Load(std::vector<std::string> { "04\tkeep", "09\tcopy me" });
        EXPECT_EQ(store.Add(store.Line(1)), 2u);
        EXPECT_EQ(store.Replace(0, store.Line(2)), 2u);
        EXPECT_EQ(LinesOf(store), (std::vector<std::string> { "09\tcopy me", "09\tcopy me", "09\tcopy me" }));
        EXPECT_EQ(store.Replace(1, store.Line(1)), 2u);
        EXPECT_EQ(LinesOf(store), (std::vector<std::string> { "09\tcopy me", "09\tcopy me", "09\tcopy me" }));
    }

    TEST(TaskStoreTest, LoadTakesOverLinesReadIntoOneBuffer)
    {
        // As a file is read: one buffer, the lines views into it, in file order.
        LoadedLines loaded;
        const std::string_view file = loaded.Arena.Adopt("09\tzeta\n05\tBeta\n00\tdue\n05\talpha");
        std::size_t begin = 0;
        for (std::size_t end = file.find('\n'); begin <= file.size(); end = file.find('\n', begin)) {
            end = end == std::string_view::npos ? file.size() : end;
            loaded.Lines.push_back(file.substr(begin, end - begin));
            begin = end + 1;
        }
        ASSERT_EQ(loaded.Lines.size(), 4u);
        TaskStore store;
        store.Load(std::move(loaded));
        EXPECT_EQ(
            LinesOf(store), (std::vector<std::string> { "00\tdue", "05\talpha", "05\tBeta", "09\tzeta" }));

        // Codes are rewritten in place in the adopted buffer; the neighbours must not be touched.
        store.Recode([](std::string_view line) -> std::optional<int> {
            return line.starts_with("00") ? std::optional<int>(10) : std::nullopt;
        });
        EXPECT_EQ(
            LinesOf(store), (std::vector<std::string> { "05\talpha", "05\tBeta", "09\tzeta", "10\tdue" }));
    }

    TEST(TaskStoreTest, RecodeReplacesCodeFieldsOfOtherLengthsWithoutEatingFields)
    {
        TaskStore store;
        store.Load({ "\tno code\t\t1", "7\tshort\t\t1", "123\tlong\t\t1", "x", "" });
        store.Recode([](std::string_view) -> std::optional<int> { return 3; });
        EXPECT_EQ(LinesOf(store),
            (std::vector<std::string> { "03", "03", "03\tlong\t\t1", "03\tno code\t\t1", "03\tshort\t\t1" }));
    }

    TEST(TaskStoreTest, RandomEditsMatchASortedVector)
    {
        // Long lines that are later shortened or removed, so that most of the store's storage
        // becomes garbage and has to be compacted on the way.
        std::mt19937 rng(7);
        TaskStore store;
        std::vector<std::string> reference;
        StoreChange last;
        store.SetListener([&](const StoreChange& change) { last = change; });
        auto insert = [&](const std::string& line) {
            const auto at = std::upper_bound(reference.begin(), reference.end(), line,
                [](const std::string& a, const std::string& b) { return TaskLineLess(a, b); });
            const auto index = static_cast<std::size_t>(at - reference.begin());
            reference.insert(at, line);
            return index;
        };
        auto anyIndex
            = [&] { return std::uniform_int_distribution<std::size_t>(0, reference.size() - 1)(rng); };
        auto takeOut = [&](std::size_t index) {
            std::string removed = std::move(reference[index]);
            reference.erase(reference.begin() + static_cast<std::ptrdiff_t>(index));
            return removed;
        };
        const std::string padding(1800, 'p');

        for (int step = 0; step < 1500; ++step) {
            const std::string line = RandomLines(rng, 1).front() + padding;
            ASSERT_EQ(store.Add(line), insert(line)) << "add " << step;
        }
        // Each line is replaced by the start of another line, passed as a view into the store.
        for (int step = 0; step < 1400; ++step) {
            std::size_t index = anyIndex();
            while (reference[index].size() < padding.size())
                index = anyIndex();
            const std::size_t from = anyIndex();
            const std::string shorter = reference[from].substr(0, 12);
            takeOut(index);
            ASSERT_EQ(store.Replace(index, store.Line(from).substr(0, 12)), insert(shorter))
                << "shorten " << step;
            if (step % 200 == 0) {
                ASSERT_EQ(LinesOf(store), reference) << "shorten " << step;
            }
        }
        ASSERT_EQ(LinesOf(store), reference);

        std::uniform_int_distribution<int> op(0, 19);
        for (int step = 0; step < 1500; ++step) {
            const int what = op(rng);
            if (what < 5 || reference.empty()) {
                const std::string line = RandomLines(rng, 1).front() + padding;
                ASSERT_EQ(store.Add(line), insert(line)) << "mixed " << step;
            } else if (what < 14) {
                const std::size_t index = anyIndex();
                const std::string removed = takeOut(index);
                store.Remove(index);
                ASSERT_EQ(last.What, StoreChange::Kind::Remove) << "mixed " << step;
                ASSERT_EQ(last.Line, removed) << "mixed " << step;
            } else if (what < 19) {
                const std::size_t index = anyIndex();
                takeOut(index);
                const std::string line = RandomLines(rng, 1).front();
                ASSERT_EQ(store.Replace(index, line), insert(line)) << "mixed " << step;
            } else {
                // Every line of code 05 becomes 02.
                store.Recode([](std::string_view line) -> std::optional<int> {
                    return line.starts_with("05") ? std::optional<int>(2) : std::nullopt;
                });
                for (std::string& line : reference) {
                    if (line.starts_with("05"))
                        line[1] = '2';
                }
                std::stable_sort(reference.begin(), reference.end(),
                    [](const std::string& a, const std::string& b) { return TaskLineLess(a, b); });
            }
            if (step % 150 == 0) {
                ASSERT_EQ(LinesOf(store), reference) << "mixed " << step;
            }
        }
        EXPECT_EQ(LinesOf(store), reference);
    }

} // namespace
} // namespace agendrix
