#include "ListDocument.h"

namespace agendrix {

bool HasBeenSaved(std::string_view listName) { return listName.starts_with('/'); }

std::string_view FileNameOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ShortName(std::string_view listName)
{
    const std::string_view name = FileNameOf(listName);
    return name.substr(0, name.find('.'));
}

std::string CaptionText(std::string_view listName) { return " - " + std::string(ShortName(listName)); }

std::string WindowTitle(std::string_view listName)
{
    return std::string(ShortName(listName)) + " - Agendrix";
}

} // namespace agendrix
