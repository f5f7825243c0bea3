#include "ListGenerator.h"

#include "model/ListFile.h"
#include "model/TaskLine.h"

#include <array>
#include <string_view>

namespace agendrix::bench {

namespace {

    // SplitMix64: tiny, fast and fully specified, unlike the distributions of <random>.
    class Random {
    public:
        explicit Random(std::uint64_t seed)
            : State(seed)
        {
        }

        std::uint64_t Next()
        {
            std::uint64_t z = (State += 0x9E3779B97F4A7C15ULL);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            return z ^ (z >> 31);
        }

        // Uniform in [0, n); the bias of the modulo is far below what a benchmark could notice.
        std::uint64_t Below(std::uint64_t n) { return Next() % n; }
        std::int64_t Between(std::int64_t low, std::int64_t high)
        {
            return low + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(high - low + 1)));
        }
        bool Percent(unsigned percent) { return Below(100) < percent; }

        template <typename T, std::size_t N> const T& Pick(const std::array<T, N>& items)
        {
            return items[static_cast<std::size_t>(Below(N))];
        }

    private:
        std::uint64_t State;
    };

    // Windows-1252 bytes: \xE9 é, \xE8 è, \xFC ü, \xF6 ö, \xDF ß, \xF1 ñ, \xC9 É, \x8A Š, \x9C œ,
    // \x80 €, \x96 en dash, \x93 \x94 curly quotes.
    constexpr std::array<std::string_view, 24> Verbs = {
        "Call",
        "email",
        "Pay",
        "review",
        "Book",
        "renew",
        "Fix",
        "order",
        "Plan",
        "clean",
        "Write",
        "check",
        "Prepare",
        "send",
        "Update",
        "cancel",
        "R\xE9serve",
        "\xE9tudier",
        "Pr\xFC"
        "fen",
        "bestellen",
        "Organise",
        "file",
        "Sign",
        "back up",
    };
    constexpr std::array<std::string_view, 32> Objects = {
        "the rent",
        "dentist",
        "insurance",
        "car service",
        "flights to Lisbon",
        "garden fence",
        "tax return",
        "quarterly report",
        "birthday present",
        "library books",
        "passport",
        "gutters",
        "laptop",
        "phone contract",
        "Caf\xE9 order",
        "cr\xE8me br\xFBl\xE9"
        "e recipe",
        "Gr\xF6\xDF"
        "e list",
        "Stra\xDF"
        "enbahn pass",
        "a\xF1o nuevo party",
        "\xC9lodie's invoice",
        "\x8A"
        "koda tyres",
        "man\x9Cuvre notes",
        "\x93Project X\x94 slides",
        "budget \x96 2027",
        "electricity meter",
        "school forms",
        "holiday photos",
        "bike lights",
        "water filter",
        "team lunch",
        "conference talk",
        "wedding RSVP",
    };
    constexpr std::array<std::string_view, 16> Notes = {
        "Ask about the discount",
        "Reference 44-1902-B",
        "Bring the blue folder",
        "Costs about 45 \x80",
        "Call before 5 pm",
        "See the email from Monday",
        "Needs two signatures",
        "Caf\xE9 opposite the station",
        "Keep the receipt",
        "Check the small print \x96 page 3",
        "Backup copy on the NAS",
        "\x93Urgent\x94 says the letter",
        "Size: M, colour: n\xE9on green",
        "Ring twice",
        "Pin is in the safe",
        "Ask \xC9milie for the key",
    };
    constexpr std::array<std::string_view, 10> Folders = {
        "Documents",
        "Documents/Finance",
        "Downloads",
        "Projekte/B\xFCro",
        "Pictures/2026",
        "Work/Reports",
        "Documents/Sant\xE9",
        "Music",
        "Work/Slides",
        "Desktop",
    };
    constexpr std::array<std::string_view, 6> Extensions = { ".odt", ".pdf", ".ods", ".txt", ".jpg", ".agl" };

    std::string Capitalised(std::string_view word, bool upper)
    {
        std::string text(word);
        if (upper && !text.empty() && text[0] >= 'a' && text[0] <= 'z')
            text[0] = static_cast<char>(text[0] - 'a' + 'A');
        return text;
    }

    std::string Description(Random& random)
    {
        std::string text = Capitalised(random.Pick(Verbs), random.Percent(60));
        text += ' ';
        text += random.Pick(Objects);
        if (random.Percent(30)) {
            text += " #";
            text += std::to_string(random.Below(1000));
        }
        return text;
    }

    std::string Information(Random& random)
    {
        if (random.Percent(45))
            return {};
        // Mostly a few notes; now and then a long text near the limit of a line.
        const std::uint64_t notes = random.Percent(2) ? 20 + random.Below(30) : 1 + random.Below(4);
        std::string text;
        for (std::uint64_t i = 0; i < notes; ++i) {
            if (i > 0)
                text += Pilcrow;
            text += random.Pick(Notes);
        }
        return text;
    }

    std::string FilePath(Random& random)
    {
        if (!random.Percent(15))
            return {};
        std::string path = "/home/user/";
        path += random.Pick(Folders);
        path += '/';
        path += random.Pick(Objects);
        path += '-';
        path += std::to_string(random.Below(100));
        path += random.Pick(Extensions);
        return path;
    }

    std::string TaskLineOf(Random& random, const CivilDate& today)
    {
        TaskFields fields;
        fields.Description = Description(random);
        fields.Information = Information(random);
        fields.File = FilePath(random);
        if (random.Below(3) == 0) {
            // Date-based: a stale code, as a list saved some days ago carries.
            fields.Code = TwoDigitCode(static_cast<int>(random.Below(9)));
            fields.DateBased = std::to_string(1);
            fields.Date = FormatYyyymmdd(AddDays(today, random.Between(-180, 365)));
            fields.DaysToComplete = std::to_string(random.Percent(10) ? random.Below(120) : random.Below(15));
            fields.DayKind = std::to_string(random.Below(3));
        } else {
            const int code = 1 + static_cast<int>(random.Below(10));
            fields.Code = TwoDigitCode(code);
            fields.DateBased = std::to_string(0);
            fields.Date = FormatYyyymmdd(AddDays(today, random.Between(-400, 60)));
            fields.DaysToComplete = std::to_string(1 + random.Below(5));
            fields.DayKind = std::to_string(random.Below(3));
            if (code == CodeCompleted)
                fields.Description
                    = FormatSlashed(AddDays(today, -random.Between(0, 400))) + " - " + fields.Description;
        }
        return BuildFittedTaskLine(std::move(fields)).Line;
    }

} // namespace

std::vector<std::string> GenerateTaskLines(const ListShape& shape)
{
    Random random(shape.Seed);
    std::vector<std::string> lines;
    lines.reserve(shape.Count);
    for (std::size_t i = 0; i < shape.Count; ++i)
        lines.push_back(TaskLineOf(random, shape.Today));
    return lines;
}

std::string GenerateListFile(const ListShape& shape) { return EncodeListFile(GenerateTaskLines(shape)); }

} // namespace agendrix::bench
