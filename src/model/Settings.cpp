#include "Settings.h"

#include "FileAccess.h"
#include "Windows1252.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

namespace agendrix {

Settings DefaultSettings(const ScreenMetrics& screen)
{
    Settings settings;
    settings.DockWid = 270 * screen.TwipsPerPix;
    settings.DockTabTop = screen.ScreenHeightPixels * screen.TwipsPerPix / 4;
    if (settings.WinHeight > screen.ScreenHeightPixels) {
        settings.WinHeight = screen.ScreenHeightPixels;
        settings.WinTop = 0;
    }
    return settings;
}

namespace {

    std::string_view Trimmed(std::string_view text)
    {
        const std::size_t begin = text.find_first_not_of(" \t");
        if (begin == std::string_view::npos)
            return {};
        const std::size_t end = text.find_last_not_of(" \t");
        return text.substr(begin, end - begin + 1);
    }

    std::optional<int> ReadInteger(std::string_view text, int low, int high)
    {
        text = Trimmed(text);
        if (!text.empty() && text[0] == '+')
            text.remove_prefix(1);
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc {} || end != text.data() + text.size() || text.empty() || value < low
            || value > high)
            return std::nullopt;
        return value;
    }

    std::optional<double> ReadSingle(std::string_view text)
    {
        text = Trimmed(text);
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc {} || end != text.data() + text.size() || text.empty() || !std::isfinite(value)
            || std::fabs(value) > 1e9)
            return std::nullopt;
        return value;
    }

    std::optional<bool> ReadBoolean(std::string_view text)
    {
        text = Trimmed(text);
        auto equals = [](std::string_view a, std::string_view b) {
            if (a.size() != b.size())
                return false;
            for (std::size_t i = 0; i < a.size(); ++i) {
                if ((a[i] | 0x20) != (b[i] | 0x20))
                    return false;
            }
            return true;
        };
        if (equals(text, "True") || text == "-1" || text == "1")
            return true;
        if (equals(text, "False") || text == "0")
            return false;
        return std::nullopt;
    }

    std::string WriteSingle(double value)
    {
        // Seven significant digits, as much as a single holds, without trailing zeros.
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.7g", value);
        return buffer;
    }

    // One line of the file: how to read it into a Settings and how to write it from one.
    struct Field {
        std::string_view Name;
        std::function<bool(Settings&, std::string_view)> Read;
        std::function<std::string(const Settings&)> Write;
    };

    Field Integer(std::string_view name, int Settings::*member, int low, int high)
    {
        return Field { name,
            [=](Settings& s, std::string_view text) {
                const auto value = ReadInteger(text, low, high);
                if (value)
                    s.*member = *value;
                return value.has_value();
            },
            [=](const Settings& s) { return std::to_string(s.*member); } };
    }

    Field Flag(std::string_view name, int Settings::*member) { return Integer(name, member, 0, 1); }

    Field Single(std::string_view name, double Settings::*member)
    {
        return Field { name,
            [=](Settings& s, std::string_view text) {
                const auto value = ReadSingle(text);
                if (value)
                    s.*member = *value;
                return value.has_value();
            },
            [=](const Settings& s) { return WriteSingle(s.*member); } };
    }

    Field Boolean(std::string_view name, bool Settings::*member)
    {
        return Field { name,
            [=](Settings& s, std::string_view text) {
                const auto value = ReadBoolean(text);
                if (value)
                    s.*member = *value;
                return value.has_value();
            },
            [=](const Settings& s) { return std::string(s.*member ? "True" : "False"); } };
    }

    Field Text(std::string_view name, std::string Settings::*member)
    {
        return Field { name,
            [=](Settings& s, std::string_view text) {
                s.*member = PathFromFileText(text);
                return true;
            },
            [=](const Settings& s) { return PathToFileText(s.*member); } };
    }

    Field Recent(std::size_t index)
    {
        return Field { "RecentLists",
            [=](Settings& s, std::string_view text) {
                s.Recent[index] = PathFromFileText(text);
                return true;
            },
            [=](const Settings& s) { return PathToFileText(s.Recent[index]); } };
    }

    const std::vector<Field>& Fields()
    {
        static const std::vector<Field> fields = [] {
            std::vector<Field> list {
                Flag("AutoCtrls", &Settings::AutoCtrls),
                Flag("AutoTaskSel", &Settings::AutoTaskSel),
                Integer("AniSpeed", &Settings::AniSpeed, 1, 10),
                Integer("DefaultOpen", &Settings::DefaultOpen, 0, 2),
                Text("DefaultList", &Settings::DefaultList),
                // 4681 keeps 7 x DaysPerLevel within 16 bits, as older versions require.
                Integer("DaysPerLevel", &Settings::DaysPerLevel, 1, 4681),
                Flag("AutoPurge", &Settings::AutoPurge),
                Text("ListName", &Settings::ListName),
                Text("SkinPath", &Settings::SkinPath),
                Single("WinLeft", &Settings::WinLeft),
                Single("WinTop", &Settings::WinTop),
                Single("WinWidth", &Settings::WinWidth),
                Single("WinHeight", &Settings::WinHeight),
                Boolean("OpenRemote", &Settings::OpenRemote),
                Boolean("PrintClr", &Settings::PrintClr),
                Flag("PrintCompletes", &Settings::PrintCompletes),
                Text("PrintNm", &Settings::PrintNm),
                Flag("PrintDs", &Settings::PrintDs),
                Integer("AccTextHgt", &Settings::AccTextHgt, 0, 100000),
                Flag("NumOrder", &Settings::NumOrder),
                Boolean("AlwaysOnTop", &Settings::AlwaysOnTop),
                Flag("PrintSmall", &Settings::PrintSmall),
                Flag("ShowTop5", &Settings::ShowTop5),
                Single("DockWid", &Settings::DockWid),
                Integer("DockMode", &Settings::DockMode, 0, 1),
                Single("DockTabTop", &Settings::DockTabTop),
            };
            for (std::size_t i = 0; i < RecentListCount; ++i)
                list.push_back(Recent(i));
            return list;
        }();
        return fields;
    }

} // namespace

std::string_view SettingName(int lineNumber)
{
    const auto& fields = Fields();
    if (lineNumber < 1 || lineNumber > static_cast<int>(fields.size()))
        return {};
    return fields[static_cast<std::size_t>(lineNumber - 1)].Name;
}

std::string UnreadableSettingsMessage(
    const std::string& path, const std::vector<int>& badLines, const std::string& backupPath, int backupError)
{
    const bool several = badLines.size() > 1;
    std::string lines;
    for (std::size_t i = 0; i < badLines.size(); ++i) {
        if (i > 0)
            lines += i + 1 == badLines.size() ? " and " : ", ";
        lines += std::to_string(badLines[i]) + " (" + std::string(SettingName(badLines[i])) + ")";
    }
    std::string message = "Could not read line" + std::string(several ? "s " : " ") + lines + " of \"" + path
        + "\", which " + (several ? "keep their defaults" : "keeps its default") + "; the original file ";
    if (backupError == 0)
        return message + "is kept as \"" + backupPath + "\".";
    return message + "could not be kept as \"" + backupPath + "\": " + std::strerror(backupError) + ".";
}

SettingsReadResult LoadINI(std::string_view bytes, const Settings& defaults)
{
    SettingsReadResult result { defaults, {} };
    const std::vector<std::string_view> lines = SplitLines(bytes);
    const auto& fields = Fields();
    for (std::size_t i = 0; i < fields.size() && i < lines.size(); ++i) {
        if (!fields[i].Read(result.Values, lines[i]))
            result.BadLines.push_back(static_cast<int>(i + 1));
    }
    if (result.Values.ListAtStart() != StartList::LastAccessed)
        result.Values.ListName = result.Values.DefaultList;
    return result;
}

std::string FirstListName(const Settings& settings, const std::string& commandLinePath)
{
    if (!commandLinePath.empty())
        return commandLinePath;
    return settings.ListAtStart() == StartList::DefaultListIndex ? std::string() : settings.ListName;
}

std::string SaveINI(const Settings& settings)
{
    std::string bytes;
    for (const Field& field : Fields()) {
        std::string value = field.Write(settings);
        // A line end inside a text value would shift every later line; it cannot be part of a
        // path we can open anyway.
        for (char& c : value) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
        bytes += value;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace agendrix
