#include "SkinColors.h"

#include "model/FileAccess.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace agendrix {

namespace {
    std::optional<int> WholeNumber(std::string_view text)
    {
        const std::size_t begin = text.find_first_not_of(" \t");
        const std::size_t end = text.find_last_not_of(" \t");
        if (begin == std::string_view::npos)
            return std::nullopt;
        text = text.substr(begin, end - begin + 1);
        if (!text.empty() && text[0] == '+')
            text.remove_prefix(1);
        long long value = 0;
        const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc {} || stop != text.data() + text.size() || text.empty())
            return std::nullopt;
        return static_cast<int>(std::clamp<long long>(value, -1, 255));
    }
} // namespace

std::vector<std::optional<Rgb>> ReadSkinColors(std::string_view text, int firstLine, int count)
{
    const std::vector<std::string_view> lines = SplitLines(text);
    std::vector<std::optional<Rgb>> colors;
    std::array<int, 3> last {}; // each component as last read, carried from colour to colour
    for (int c = 0; c < count; ++c) {
        bool complete = true;
        for (int k = 0; k < 3; ++k) {
            const auto line = static_cast<std::size_t>(firstLine + 3 * c + k);
            if (line >= lines.size()) {
                complete = false;
                continue;
            }
            if (const auto value = WholeNumber(lines[line]))
                last[static_cast<std::size_t>(k)] = *value;
        }
        const bool negative = std::any_of(last.begin(), last.end(), [](int v) { return v < 0; });
        if (complete && !negative)
            colors.push_back(Rgb { last[0], last[1], last[2] });
        else
            colors.push_back(std::nullopt);
    }
    return colors;
}

} // namespace agendrix
