#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace agendrix::test {

// The whole file as it is on the disk; throws when it cannot be read, so that a missing file is
// never mistaken for an empty one.
std::string ReadBytes(const std::string& path);

// Replaces the file's content by `bytes`; throws when it cannot be written.
void WriteBytes(const std::string& path, std::string_view bytes);

// Lines joined with CR LF, each line ended.
std::string CrLf(const std::vector<std::string>& lines);

// The lines of a store or a parsed file as strings, to compare them with expected values.
template <typename Lines> std::vector<std::string> Texts(const Lines& lines)
{
    return std::vector<std::string>(lines.begin(), lines.end());
}

} // namespace agendrix::test
