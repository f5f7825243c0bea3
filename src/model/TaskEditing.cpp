#include "TaskEditing.h"

#include <algorithm>

namespace agendrix {

namespace {
    // A description is one line of the list file, whose reader ends a line at CR LF, LF or a lone
    // CR: each of them, pasted or given on a command line, becomes one blank, as a Tab does.
    std::string OneLineDescription(std::string_view text)
    {
        std::string line;
        line.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                continue;
            line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
        }
        return WithoutTabs(line);
    }
} // namespace

bool IsNumericText(std::string_view text)
{
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return false;
    text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    int digits = 0;
    int points = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else if (i != 0 || (c != '+' && c != '-'))
            return false;
    }
    return digits > 0 && points <= 1;
}

EditedTask BuildEditedTask(const TaskEditorInput& input, const CivilDate& today)
{
    const int option = std::clamp(input.PriorityOption, 0, CodeCompleted);
    TaskFields fields;
    fields.Code = TwoDigitCode(option);
    fields.Description = OneLineDescription(input.Description);
    fields.Information = EncodeInformation(input.Information);
    fields.DateBased.assign(1, option == CodeNotAssessed ? '1' : '0');
    fields.Date = FormatYyyymmdd(input.Date);
    fields.DaysToComplete = WithoutTabs(input.DaysToComplete);
    fields.DayKind = std::to_string(std::clamp(input.DayKind, 0, 2));
    fields.File = WithoutTabs(input.File);

    FittedLine fitted = BuildFittedTaskLine(fields);
    EditedTask edited { std::move(fitted.Line), fitted.Shortened, fields.Description };
    if (option == CodeCompleted) {
        const std::string prefix = FormatSlashed(today) + " - ";
        edited.Line.insert(3, prefix);
        edited.Description = prefix + edited.Description;
    }
    return edited;
}

TaskEditorInput NewTaskDefaults(const CivilDate& today)
{
    TaskEditorInput input;
    input.Date = AddDays(today, 14);
    return input;
}

TaskEditorInput EditorInputFromLine(std::string_view line, const CivilDate& today)
{
    TaskEditorInput input;
    input.PriorityOption = static_cast<int>(std::clamp(LeadingNumber(line.substr(0, 2)), 0LL, 10LL));
    input.Description = std::string(GetField(line, TaskField::Description));
    input.Information = DecodeInformation(GetField(line, TaskField::Information));
    if (LeadingNumber(GetField(line, TaskField::DateBased)) > 0)
        input.PriorityOption = CodeNotAssessed;
    input.Date = today;
    const std::string_view date = GetField(line, TaskField::Date);
    if (const auto parsed = ParseYyyymmdd(date); date.size() == 8 && parsed)
        input.Date = *parsed;
    input.DaysToComplete = std::to_string(LeadingNumber(GetField(line, TaskField::DaysToComplete)));
    input.DayKind = static_cast<int>(std::clamp(LeadingNumber(GetField(line, TaskField::DayKind)), 0LL, 2LL));
    input.File = std::string(GetField(line, TaskField::File));
    return input;
}

ChangedTask WithPickedPriority(std::string_view line, int option, const CivilDate& today)
{
    const int code = std::clamp(option, 0, CodeCompleted);
    ChangedTask changed { std::string(line), std::string(GetField(line, TaskField::Description)) };
    changed.Line.replace(0, std::min<std::size_t>(2, changed.Line.size()), TwoDigitCode(code));
    if (const std::size_t third = FindTab(changed.Line, 3); third != std::string::npos) {
        const char flag = code == CodeNotAssessed ? '1' : '0';
        if (third + 1 < changed.Line.size())
            changed.Line[third + 1] = flag;
        else
            changed.Line += flag;
    }
    if (code == CodeCompleted) {
        const std::string prefix = FormatSlashed(today) + " - ";
        changed.Line.insert(std::min<std::size_t>(3, changed.Line.size()), prefix);
        changed.Description = prefix + changed.Description;
    }
    return changed;
}

namespace {
    // End of the description: the first Tab at or after the fourth character.
    std::size_t DescriptionEnd(std::string_view line)
    {
        return line.size() > 3 ? line.find('\t', 3) : std::string_view::npos;
    }
} // namespace

std::string WithDescription(std::string_view line, std::string_view description)
{
    const std::size_t end = DescriptionEnd(line);
    std::string changed(line.substr(0, std::min<std::size_t>(3, line.size())));
    changed += OneLineDescription(description);
    if (end != std::string_view::npos)
        changed += line.substr(end);
    return changed;
}

FittedLine WithInformation(std::string_view line, std::string_view typed)
{
    const std::size_t t1 = DescriptionEnd(line);
    if (t1 == std::string_view::npos)
        return { std::string(line), Shortening::None };
    const std::size_t t2 = line.find('\t', t1 + 1);
    const std::string_view head = line.substr(0, t1 + 1);
    const std::string_view tail = t2 == std::string_view::npos ? std::string_view() : line.substr(t2);
    std::string info = EncodeInformation(typed);
    FittedLine fitted;
    if (!info.empty() && head.size() + info.size() + tail.size() > MaxTaskLineLength) {
        const std::size_t room = MaxTaskLineLength - std::min(MaxTaskLineLength, head.size() + tail.size());
        info.resize(room);
        fitted.Shortened = Shortening::InformationCut;
    }
    fitted.Line.reserve(head.size() + info.size() + tail.size());
    fitted.Line.append(head).append(info).append(tail);
    return fitted;
}

std::optional<std::size_t> CompleteTask(ListDocument& document, std::size_t index, const CivilDate& today)
{
    if (index >= document.Tasks.Count())
        return std::nullopt;
    const std::size_t newIndex
        = document.Tasks.Replace(index, CompleteTaskLine(document.Tasks.Line(index), today));
    document.Dirty = true;
    return newIndex;
}

} // namespace agendrix
