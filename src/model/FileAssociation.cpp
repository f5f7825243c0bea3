#include "FileAssociation.h"

#include <algorithm>
#include <cctype>

namespace agendrix {

namespace {

    std::string XmlEscaped(std::string_view text)
    {
        std::string out;
        for (char c : text) {
            switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
            }
        }
        return out;
    }

    std::string Lower(std::string_view text)
    {
        std::string out(text);
        std::transform(out.begin(), out.end(), out.begin(),
            [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return out;
    }

    // Characters that make an Exec argument need quotes, and those that need a backslash inside them.
    constexpr std::string_view ReservedInExec = " \t\"'\\><~|&;$*?#()`";
    constexpr std::string_view EscapedInQuotes = "\"`$\\";

} // namespace

const std::vector<FileTypeAssociation>& ProgramFileTypes()
{
    static const std::vector<FileTypeAssociation> types {
        { "AGL", "Agendrix.TaskList", "Agendrix Task List", "&Open", 2, "application/x-agendrix-list" },
        { "CTI", "Agendrix.Completed", "Agendrix Completed Task Items", "&Open", 1,
            "application/x-agendrix-completed" },
    };
    return types;
}

std::string MimeIconName(std::string_view mimeType)
{
    std::string name(mimeType);
    std::replace(name.begin(), name.end(), '/', '-');
    return name;
}

std::string MimePackageName(const FileTypeAssociation& type)
{
    return "agendrix-" + Lower(type.Extension) + ".xml";
}

std::string MimePackageXml(const FileTypeAssociation& type)
{
    // Globs without case-sensitive="true" match in any letter case: "LIST.AGL" is a list too.
    // The files are text, so a text editor is offered for them as well.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\""
        + XmlEscaped(type.MimeType) + "\">\n    <comment>" + XmlEscaped(type.Description)
        + "</comment>\n    <sub-class-of type=\"text/plain\"/>\n"
        + (type.DefaultIconIndex > -1
                ? "    <icon name=\"" + XmlEscaped(MimeIconName(type.MimeType)) + "\"/>\n"
                : "")
        + "    <glob pattern=\"*." + XmlEscaped(Lower(type.Extension))
        + "\"/>\n  </mime-type>\n</mime-info>\n";
}

std::optional<std::string> DesktopExecProgram(std::string_view path)
{
    if (path.empty()
        || std::any_of(path.begin(), path.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
        return std::nullopt;
    const bool quoted = path.find_first_of(ReservedInExec) != std::string_view::npos;
    std::string argument;
    for (char c : path) {
        if (quoted && EscapedInQuotes.find(c) != std::string_view::npos)
            argument += '\\';
        argument += c;
        if (c == '%')
            argument += '%';
    }
    if (quoted)
        argument = '"' + argument + '"';
    // The Exec value is itself a desktop entry string, in which a backslash is written twice.
    std::string value;
    for (char c : argument)
        value += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return value;
}

std::optional<std::string> DesktopEntryText(
    std::string_view program, const std::vector<FileTypeAssociation>& types)
{
    const std::optional<std::string> exec = DesktopExecProgram(program);
    if (!exec)
        return std::nullopt;
    std::string mimeTypes;
    for (const FileTypeAssociation& type : types)
        mimeTypes += type.MimeType + ";";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Agendrix\n"
           "GenericName=Task Lists\n"
           "Comment=Keep prioritised task lists\n"
           "Exec="
        + *exec + " %f\nIcon=" + std::string(ProgramIconName)
        + "\nTerminal=false\nCategories=Office;ProjectManagement;\nMimeType=" + mimeTypes + "\n";
}

} // namespace agendrix
