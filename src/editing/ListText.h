#pragma once

#include "model/Prompts.h"

#include <QString>

#include <string>
#include <string_view>

namespace agendrix {

// Task lines hold Windows-1252 bytes; the editing windows show and take Unicode.
QString FromListBytes(std::string_view bytes);
// The start of a field as a row or a tooltip shows it: a task line holds at most 1024 bytes,
// but a file may hold far longer lines, whose whole text would cost many times its size to lay
// out, for nothing that fits a row. A longer text ends in "…".
QString ShownListBytes(std::string_view bytes);
inline constexpr std::size_t ShownBytesAtMost = 4096;
// Typed text to list bytes. A character that a list cannot hold is stored as "?", and the user
// is told so once for this text.
std::string ToListBytes(const QString& text, Prompts& prompts);

// The associated file of a task is a path, which the line holds as PathToFileText writes it.
QString PathFromListBytes(std::string_view bytes);
std::string PathToListBytes(const QString& path);

// The message for text that had to change on its way into the list.
std::string ReplacedCharactersMessage();

} // namespace agendrix
