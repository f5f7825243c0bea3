#include "TaskTable.h"

#include "model/TaskLine.h"
#include "model/Windows1252.h"

#include <array>
#include <cstdio>

namespace agendrix::cli {

namespace {
    constexpr std::array<std::string_view, 11> Labels = {
        "Not assessed",
        "Broken",
        "Extreme",
        "Very High",
        "High",
        "Level 4",
        "Middle",
        "Level 2",
        "Low",
        "Unprioritized",
        "Completed",
    };

    // ANSI colours that say the priority at a glance: red for broken and extreme, warm to cool
    // through the levels, dim for completed.
    constexpr std::array<std::string_view, 11> Colours = {
        "\x1b[0m",
        "\x1b[1;31m",
        "\x1b[31m",
        "\x1b[91m",
        "\x1b[33m",
        "\x1b[93m",
        "\x1b[32m",
        "\x1b[36m",
        "\x1b[34m",
        "\x1b[0m",
        "\x1b[2m",
    };

    std::string Padded(std::string text, std::size_t width)
    {
        if (text.size() < width)
            text.append(width - text.size(), ' ');
        return text;
    }

    // Descriptions show on one line: control characters are shown as blanks.
    std::string OneLine(std::string_view bytes)
    {
        std::string text = Windows1252ToUtf8(bytes);
        for (char& c : text) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                c = ' ';
        }
        return text;
    }
} // namespace

std::string PriorityLabel(std::string_view line)
{
    const auto code = PriorityCode(line);
    return code ? std::string(Labels[static_cast<std::size_t>(*code)]) : "?";
}

std::string FormatTable(const TaskStore& store, const DateFormatter& formatDate, Colour colour)
{
    std::string table = Padded("#", 6) + Padded("Priority", 14) + Padded("Description", 42) + "Status\n";
    const auto& info = store.DateInfo();
    for (std::size_t i = 0; i < store.Count(); ++i) {
        const std::string_view line = store.Line(i);
        const auto code = PriorityCode(line);
        const std::string status = i < info.size() ? StatusText(info[i], formatDate) : std::string {};
        std::string row = Padded(std::to_string(i), 6) + Padded(PriorityLabel(line), 14);
        row += Padded(OneLine(GetField(line, TaskField::Description)), 41) + " " + OneLine(status);
        if (colour == Colour::On && code)
            row = std::string(Colours[static_cast<std::size_t>(*code)]) + row + "\x1b[0m";
        table += row + "\n";
    }
    return table;
}

std::string JsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string FormatJson(const TaskStore& store, const DateFormatter& formatDate)
{
    static constexpr std::array<std::pair<std::string_view, TaskField>, 8> fields = { {
        { "code", TaskField::Code },
        { "description", TaskField::Description },
        { "information", TaskField::Information },
        { "dateBased", TaskField::DateBased },
        { "date", TaskField::Date },
        { "daysToComplete", TaskField::DaysToComplete },
        { "dayKind", TaskField::DayKind },
        { "file", TaskField::File },
    } };
    const auto& info = store.DateInfo();
    std::string json = "[";
    for (std::size_t i = 0; i < store.Count(); ++i) {
        const std::string_view line = store.Line(i);
        const std::string status = i < info.size() ? StatusText(info[i], formatDate) : std::string {};
        json += i == 0 ? "\n  {" : ",\n  {";
        json += "\"index\": " + std::to_string(i);
        json += ", \"line\": " + JsonString(Windows1252ToUtf8(line));
        json += ", \"status\": " + JsonString(status);
        for (const auto& [name, field] : fields)
            json
                += ", \"" + std::string(name) + "\": " + JsonString(Windows1252ToUtf8(GetField(line, field)));
        json += "}";
    }
    return json + (store.Count() == 0 ? "]\n" : "\n]\n");
}

} // namespace agendrix::cli
