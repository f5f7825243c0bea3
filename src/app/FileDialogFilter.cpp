#include "FileDialogFilter.h"

#include <vector>

namespace agendrix {

namespace {

    bool IsBlank(char c) { return c == ' ' || c == '\t'; }

    std::string_view Trimmed(std::string_view text)
    {
        while (!text.empty() && IsBlank(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && IsBlank(text.back()))
            text.remove_suffix(1);
        return text;
    }

    // The non-empty pieces of `text` between any of the `separators`, without their blanks.
    std::vector<std::string_view> Pieces(std::string_view text, std::string_view separators)
    {
        std::vector<std::string_view> pieces;
        while (!text.empty()) {
            const std::size_t end = text.find_first_of(separators);
            if (const std::string_view piece = Trimmed(text.substr(0, end)); !piece.empty())
                pieces.push_back(piece);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        return pieces;
    }

    // Every piece between two "|", the empty ones included: a pair's place counts.
    std::vector<std::string_view> SplitAtBars(std::string_view text)
    {
        std::vector<std::string_view> parts;
        for (std::size_t bar = text.find('|'); bar != std::string_view::npos; bar = text.find('|')) {
            parts.push_back(text.substr(0, bar));
            text.remove_prefix(bar + 1);
        }
        parts.push_back(text);
        return parts;
    }

    // "Task Lists (*.agl; *.cti)" already names the patterns *.agl and *.cti: the caption before
    // them is what stays. Parentheses that hold anything else are part of the caption.
    std::string_view CaptionWithoutItsPatterns(
        std::string_view caption, const std::vector<std::string_view>& patterns)
    {
        const std::size_t open = caption.rfind('(');
        if (caption.empty() || caption.back() != ')' || open == std::string_view::npos)
            return caption;
        const std::string_view named = caption.substr(open + 1, caption.size() - open - 2);
        return Pieces(named, "; \t") == patterns ? Trimmed(caption.substr(0, open)) : caption;
    }

} // namespace

std::string QtFileDialogFilter(std::string_view filter)
{
    const std::vector<std::string_view> parts = SplitAtBars(filter);
    std::string result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::vector<std::string_view> patterns = Pieces(parts[i + 1], ";");
        if (patterns.empty())
            continue;
        std::string joined;
        for (const std::string_view pattern : patterns)
            joined.append(joined.empty() ? "" : " ").append(pattern);
        const std::string_view caption = CaptionWithoutItsPatterns(Trimmed(parts[i]), patterns);
        result.append(result.empty() ? "" : ";;");
        result.append(caption.empty() ? joined : std::string(caption) + " (" + joined + ")");
    }
    return result;
}

} // namespace agendrix
