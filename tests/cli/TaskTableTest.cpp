#include "cli/TaskTable.h"

#include "cli/CliArguments.h"

#include "model/DateLogic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>
#include <tuple>
#include <vector>

namespace agendrix::cli {
namespace {

    // Keeps what reaches it and the largest piece handed over at once, or fails every write.
    class RecordingBuffer : public std::streambuf {
    public:
        enum class Writes { Succeed, Fail };
        explicit RecordingBuffer(Writes writes = Writes::Succeed)
            : Outcome(writes)
        {
        }

        std::string Bytes;
        std::streamsize Largest = 0;

    protected:
        std::streamsize xsputn(const char* text, std::streamsize count) override
        {
            if (Outcome == Writes::Fail)
                return 0;
            Largest = std::max(Largest, count);
            Bytes.append(text, static_cast<std::size_t>(count));
            return count;
        }
        int_type overflow(int_type c) override
        {
            const char one = traits_type::to_char_type(c);
            return traits_type::eq_int_type(c, traits_type::eof()) || xsputn(&one, 1) == 1
                ? traits_type::not_eof(c)
                : traits_type::eof();
        }

    private:
        Writes Outcome;
    };

    constexpr std::size_t TaskCount = 20000;

    // "Task 00042": five digits keep the store order the order of i.
    std::string TaskName(std::size_t i)
    {
        std::string number = std::to_string(i);
        return "Task " + std::string(5 - number.size(), '0') + number;
    }

    // 20,000 date-based tasks, "Task 00000" to "Task 19999", all due on 2026-12-10 and High on 2026-12-06.
    TaskStore LongList()
    {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < TaskCount; ++i) {
            lines.push_back("00\t" + TaskName(i) + "\tnotes\xB6more\t1\t20261210\t1\t2\t/tmp/f");
        }
        TaskStore store;
        store.Load(lines);
        AssessDateItems(store, DateTime { { 2026, 12, 6 }, 12 * 3600 }, 2);
        return store;
    }

    std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // Returns whether the stream failed.
    bool Write(std::streambuf& to, const TaskStore& store, OutputForm form,
        const DateFormatter& formatDate = FormatIso, Colour colour = Colour::Off)
    {
        std::ostream out(&to);
        if (form == OutputForm::Json)
            WriteJson(out, store, formatDate);
        else
            WriteTable(out, store, formatDate, colour);
        return out.bad();
    }

    // A long list reaches the stream in pieces of at most 128 KiB, each row whole and in order.
    TEST(TaskTable, ALongListIsWrittenInSmallPiecesWithEveryRowWhole)
    {
        const TaskStore store = LongList();
        for (const OutputForm form : { OutputForm::Table, OutputForm::Json }) {
            const bool json = form == OutputForm::Json;
            RecordingBuffer recorded;
            Write(recorded, store, form);
            EXPECT_LE(recorded.Largest, 128 * 1024) << json;
            const std::vector<std::string> rows = Lines(recorded.Bytes);
            ASSERT_EQ(rows.size(), TaskCount + (json ? 2 : 1)) << json;
            EXPECT_TRUE(!json || (rows.front() == "[" && rows.back() == "]"));
            for (std::size_t i = 0; i < TaskCount; i += 997) {
                const std::string& row = rows[i + 1];
                std::string index = std::to_string(i);
                index.resize(6, ' ');
                if (!json) {
                    EXPECT_EQ(row,
                        index + "High          " + TaskName(i) + std::string(31, ' ')
                            + " Due on: 2026-12-10, Start: 3 Days");
                    continue;
                }
                const std::string head
                    = "  {\"index\": " + std::to_string(i) + ", \"line\": \"04\\t" + TaskName(i) + "\\t";
                const std::string tail = "\"file\": \"/tmp/f\"}" + std::string(i + 1 < TaskCount ? "," : "");
                ASSERT_GT(row.size(), head.size() + tail.size()) << i;
                EXPECT_EQ(row.substr(0, head.size()), head) << i;
                EXPECT_EQ(row.substr(row.size() - tail.size()), tail) << i;
            }
        }
    }

    // A row longer than a block is handed on in pieces while it is made: a task of a megabyte
    // must not cost the output a megabyte or more of memory.
    TEST(TaskTable, ARowLongerThanABlockReachesTheStreamInSmallPieces)
    {
        const std::string description(1024 * 1024, 'y');
        TaskStore store;
        store.Load({ "04\t" + description + "\tnote\t0\t20261210\t1\t2\t", "05\tshort" });
        AssessDateItems(store, DateTime { { 2026, 12, 6 }, 12 * 3600 }, 2);
        const std::string second
            = "1     Level 4       short" + std::string(36, ' ') + " Medium High Priority";
        const std::tuple<const char*, OutputForm, std::vector<std::string>> cases[] = {
            { "table", OutputForm::Table,
                { "0     High          " + description + " High Priority", second } },
            { "json", OutputForm::Json,
                { "  {\"index\": 0, \"line\": \"04\\t" + description
                        + "\\tnote\\t0\\t20261210\\t1\\t2\\t\", \"status\": \"High Priority\", \"code\": "
                          "\"04\", "
                          "\"description\": \""
                        + description
                        + "\", \"information\": \"note\", \"dateBased\": \"0\", \"date\": \"20261210\", "
                          "\"daysToComplete\": \"1\", \"dayKind\": \"2\", \"file\": \"\"},",
                    "  {\"index\": 1, \"line\": \"05\\tshort\", \"status\": \"Medium High Priority\", "
                    "\"code\": \"05\", \"description\": \"short\", \"information\": \"\", \"dateBased\": "
                    "\"\", "
                    "\"date\": \"\", \"daysToComplete\": \"\", \"dayKind\": \"\", \"file\": \"\"}" } },
        };
        for (const auto& [name, form, rows] : cases) {
            RecordingBuffer recorded;
            Write(recorded, store, form);
            EXPECT_LE(recorded.Largest, 128 * 1024) << name;
            const std::vector<std::string> lines = Lines(recorded.Bytes);
            ASSERT_EQ(lines.size(), form == OutputForm::Json ? 4u : 3u) << name;
            EXPECT_TRUE(lines[1] == rows[0]) << name << ": the long row differs";
            EXPECT_EQ(lines[2], rows[1]) << name;
        }
    }

    // The status is UTF-8 already (the locale writes its dates so): the table shows it as the JSON does.
    TEST(TaskTable, AStatusWithALocalesDateIsShownAsItIs)
    {
        TaskStore store;
        store.Load({ "00\tCaf\xE9\t\t1\t20261210\t1\t2\t" });
        AssessDateItems(store, DateTime { { 2026, 12, 6 }, 12 * 3600 }, 2);
        const DateFormatter korean
            = [](const CivilDate&) { return std::string("2026\xEB\x85\x84 12\xEC\x9B\x94 10\xEC\x9D\xBC"); };
        std::ostringstream table;
        WriteTable(table, store, korean, Colour::Off);
        EXPECT_EQ(Lines(table.str()).at(1),
            "0     High          Caf\xC3\xA9" + std::string(36, ' ')
                + " Due on: 2026\xEB\x85\x84 12\xEC\x9B\x94 10\xEC\x9D\xBC, Start: 3 Days");
        std::ostringstream json;
        WriteJson(json, store, korean);
        EXPECT_NE(
            json.str().find(
                "\"status\": \"Due on: 2026\xEB\x85\x84 12\xEC\x9B\x94 10\xEC\x9D\xBC, Start: 3 Days\""),
            std::string::npos)
            << json.str();
    }

    // Once the output is gone (a full disk, a closed pipe), the rest of a long list is not formatted.
    TEST(TaskTable, WritingStopsOnceTheStreamHasFailed)
    {
        const TaskStore store = LongList();
        std::size_t datesFormatted = 0;
        const DateFormatter counting = [&datesFormatted](const CivilDate& date) {
            ++datesFormatted;
            return FormatIso(date);
        };
        for (const OutputForm form : { OutputForm::Table, OutputForm::Json }) {
            RecordingBuffer failing(RecordingBuffer::Writes::Fail);
            datesFormatted = 0;
            EXPECT_TRUE(Write(failing, store, form, counting, Colour::On));
            EXPECT_LT(datesFormatted, TaskCount / 10) << (form == OutputForm::Json ? "json" : "table");
        }
    }

} // namespace
} // namespace agendrix::cli
