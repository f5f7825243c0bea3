#include "TaskLine.h"

#include <array>
#include <climits>

namespace agendrix {

std::size_t FindTab(std::string_view line, int n)
{
    std::size_t pos = std::string_view::npos;
    for (int i = 0; i < n; ++i) {
        pos = line.find('\t', pos == std::string_view::npos ? 0 : pos + 1);
        if (pos == std::string_view::npos)
            return pos;
    }
    return pos;
}

std::string_view GetField(std::string_view line, TaskField field)
{
    const int k = static_cast<int>(field);
    std::size_t begin = 0;
    if (k > 1) {
        const std::size_t tab = FindTab(line, k - 1);
        if (tab == std::string_view::npos)
            return {};
        begin = tab + 1;
    }
    const std::size_t end = line.find('\t', begin);
    return line.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

std::optional<int> PriorityCode(std::string_view line)
{
    if (line.size() < 2 || line[0] < '0' || line[0] > '9' || line[1] < '0' || line[1] > '9')
        return std::nullopt;
    const int code = (line[0] - '0') * 10 + (line[1] - '0');
    if (code > CodeCompleted)
        return std::nullopt;
    return code;
}

std::string TwoDigitCode(int code)
{
    return std::string { static_cast<char>('0' + code / 10 % 10), static_cast<char>('0' + code % 10) };
}

bool IsCompletedLine(std::string_view line) { return line.starts_with("10"); }

bool IsDateBasedLine(std::string_view line) { return GetField(line, TaskField::DateBased) == "1"; }

namespace {
    constexpr std::array<std::string_view, 11> StatusNames = {
        "",
        "Date Based Task Missed",
        "Extreme Priority",
        "Very High Priority",
        "High Priority",
        "Medium High Priority",
        "Medium Priority",
        "Medium Low Priority",
        "Low Priority",
        "Unprioritized",
        "Completed",
    };
    constexpr std::array<std::string_view, 11> EditorCaptions = {
        "&Date Based",
        "\"Bro&ken\"",
        "Level &7 - Extreme",
        "Level &6 - Very High",
        "Level &5 - High",
        "Level &4",
        "Level &3 - Middle",
        "Level &2",
        "Level &1 - Low",
        "&Unprioritized",
        "Co&mpleted",
    };
} // namespace

std::string_view StatusName(int code)
{
    return code >= 0 && code <= CodeCompleted ? StatusNames[static_cast<std::size_t>(code)]
                                              : std::string_view {};
}

std::string_view EditorCaption(int code)
{
    return code >= 0 && code <= CodeCompleted ? EditorCaptions[static_cast<std::size_t>(code)]
                                              : std::string_view {};
}

long long LeadingNumber(std::string_view text)
{
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos)
        return 0;
    bool negative = false;
    if (text[pos] == '-' || text[pos] == '+') {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const int digit = text[pos] - '0';
        if (value > (LLONG_MAX - digit) / 10)
            return negative ? LLONG_MIN : LLONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

TaskFields SplitTaskLine(std::string_view line)
{
    return TaskFields {
        std::string(GetField(line, TaskField::Code)),
        std::string(GetField(line, TaskField::Description)),
        std::string(GetField(line, TaskField::Information)),
        std::string(GetField(line, TaskField::DateBased)),
        std::string(GetField(line, TaskField::Date)),
        std::string(GetField(line, TaskField::DaysToComplete)),
        std::string(GetField(line, TaskField::DayKind)),
        std::string(GetField(line, TaskField::File)),
    };
}

std::string BuildTaskLine(const TaskFields& fields)
{
    std::string line;
    line.reserve(fields.Code.size() + fields.Description.size() + fields.Information.size()
        + fields.Date.size() + fields.DaysToComplete.size() + fields.File.size() + 12);
    line += fields.Code;
    for (const std::string* part : { &fields.Description, &fields.Information, &fields.DateBased,
             &fields.Date, &fields.DaysToComplete, &fields.DayKind, &fields.File }) {
        line += '\t';
        line += *part;
    }
    return line;
}

std::string EncodeInformation(std::string_view text)
{
    std::string stored;
    stored.reserve(text.size());
    for (const char c : text) {
        if (c == '\n')
            stored += Pilcrow;
        else if (c == '\t')
            stored += ' ';
        else if (c != '\r')
            stored += c;
    }
    return stored;
}

std::string DecodeInformation(std::string_view stored)
{
    std::string text(stored);
    for (char& c : text) {
        if (c == Pilcrow)
            c = '\n';
    }
    return text;
}

std::string WithoutTabs(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c == '\t')
            c = ' ';
    }
    return result;
}

FittedLine BuildFittedTaskLine(TaskFields fields)
{
    FittedLine fitted { BuildTaskLine(fields), Shortening::None };
    if (fitted.Line.size() <= MaxTaskLineLength || fields.Information.empty())
        return fitted;
    // Dropping one character at a time shortens the line by one byte each, so the cut can be
    // made in one step with the same result.
    const std::size_t excess = fitted.Line.size() - MaxTaskLineLength;
    fields.Information.resize(excess >= fields.Information.size() ? 0 : fields.Information.size() - excess);
    fitted.Line = BuildTaskLine(fields);
    fitted.Shortened = Shortening::InformationCut;
    return fitted;
}

std::string ShorteningMessage()
{
    return "Agendrix had to change the information text, as the total task details exceeded 1024 characters.";
}

std::string CompleteTaskLine(std::string_view line, const CivilDate& today)
{
    std::string result(line);
    if (result.size() >= 2) {
        result[0] = '1';
        result[1] = '0';
    } else {
        result = "10";
    }
    const std::size_t thirdTab = FindTab(result, 3);
    if (thirdTab != std::string::npos && thirdTab + 1 < result.size() && result[thirdTab + 1] != '\t')
        result[thirdTab + 1] = '0';
    const std::string prefix = FormatSlashed(today) + " - ";
    if (result.size() >= 3)
        result.insert(3, prefix);
    else
        result += "\t" + prefix;
    return result;
}

} // namespace agendrix
