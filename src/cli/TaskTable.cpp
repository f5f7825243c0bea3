#include "TaskTable.h"

#include "OutputBuffer.h"

#include "model/DateLogic.h"
#include "model/TaskLine.h"
#include "model/Windows1252.h"

#include <array>
#include <charconv>
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

} // namespace

std::string_view PriorityLabel(std::string_view line)
{
    const auto code = PriorityCode(line);
    return code ? Labels[static_cast<std::size_t>(*code)] : "?";
}

namespace {
    // The UTF-8 of each byte from 0x80 to 0xFF, made once by the list's own codec, so that a
    // text is converted as it is written instead of into a string of its own.
    const std::array<std::string, 128>& HighBytesAsUtf8()
    {
        static const std::array<std::string, 128> table = [] {
            std::array<std::string, 128> utf8;
            for (std::size_t i = 0; i < utf8.size(); ++i)
                utf8[i] = Windows1252ToUtf8(std::string(1, static_cast<char>(0x80 + i)));
            return utf8;
        }();
        return table;
    }

    enum class Encoding { Utf8, Windows1252 };

    // Descriptions and statuses show on one line: control characters are shown as blanks.
    void AppendOneLine(OutputBuffer& out, std::string_view text, Encoding encoding)
    {
        const auto& high = HighBytesAsUtf8();
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80 && encoding == Encoding::Windows1252)
                out.Append(high[byte - 0x80]);
            else
                out.Append(byte < 0x20 || byte == 0x7F ? ' ' : c);
        }
    }

    void AppendNumber(OutputBuffer& out, std::size_t number)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        out.Append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }

    void AppendPadded(OutputBuffer& out, std::string_view text, std::size_t width)
    {
        const std::size_t start = out.Position();
        out.Append(text);
        out.PadFrom(start, width);
    }

    void AppendTableRow(
        OutputBuffer& out, std::size_t index, std::string_view line, const std::string& status, Colour colour)
    {
        const auto code = PriorityCode(line);
        if (colour == Colour::On && code)
            out.Append(Colours[static_cast<std::size_t>(*code)]);
        std::size_t start = out.Position();
        AppendNumber(out, index);
        out.PadFrom(start, 6);
        AppendPadded(out, PriorityLabel(line), 14);
        start = out.Position();
        AppendOneLine(out, GetField(line, TaskField::Description), Encoding::Windows1252);
        out.PadFrom(start, 41);
        out.Append(' ');
        AppendOneLine(out, status, Encoding::Utf8);
        if (colour == Colour::On && code)
            out.Append("\x1b[0m");
        out.Append('\n');
    }
} // namespace

void WriteTable(std::ostream& out, const TaskStore& store, const DateFormatter& formatDate, Colour colour)
{
    OutputBuffer buffer(out);
    AppendPadded(buffer, "#", 6);
    AppendPadded(buffer, "Priority", 14);
    AppendPadded(buffer, "Description", 42);
    buffer.Append("Status\n");
    for (std::size_t i = 0; i < store.Count() && buffer.EndRow(); ++i) {
        const std::string status = StatusText(StatusAt(store, i), formatDate);
        AppendTableRow(buffer, i, store.Line(i), status, colour);
    }
    buffer.Flush();
}

namespace {
    // A JSON string literal (with quotes) of the text, in UTF-8; control characters are escaped.
    void AppendJsonString(OutputBuffer& out, std::string_view text, Encoding encoding)
    {
        const auto& high = HighBytesAsUtf8();
        out.Append('"');
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80 && encoding == Encoding::Windows1252) {
                out.Append(high[byte - 0x80]);
            } else if (c == '"' || c == '\\') {
                out.Append('\\');
                out.Append(c);
            } else if (c == '\n') {
                out.Append("\\n");
            } else if (c == '\t') {
                out.Append("\\t");
            } else if (c == '\r') {
                out.Append("\\r");
            } else if (byte < 0x20 || byte == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                out.Append(escaped);
            } else {
                out.Append(c);
            }
        }
        out.Append('"');
    }

    void AppendJsonObject(
        OutputBuffer& out, std::size_t index, std::string_view line, const std::string& status)
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
        out.Append(index == 0 ? "\n  {\"index\": " : ",\n  {\"index\": ");
        AppendNumber(out, index);
        out.Append(", \"line\": ");
        AppendJsonString(out, line, Encoding::Windows1252);
        out.Append(", \"status\": ");
        AppendJsonString(out, status, Encoding::Utf8);
        for (const auto& [name, field] : fields) {
            out.Append(", \"");
            out.Append(name);
            out.Append("\": ");
            AppendJsonString(out, GetField(line, field), Encoding::Windows1252);
        }
        out.Append('}');
    }
} // namespace

void WriteJson(std::ostream& out, const TaskStore& store, const DateFormatter& formatDate)
{
    OutputBuffer buffer(out);
    buffer.Append('[');
    for (std::size_t i = 0; i < store.Count() && buffer.EndRow(); ++i) {
        const std::string status = StatusText(StatusAt(store, i), formatDate);
        AppendJsonObject(buffer, i, store.Line(i), status);
    }
    buffer.Append(store.Count() == 0 ? "]\n" : "\n]\n");
    buffer.Flush();
}

} // namespace agendrix::cli
