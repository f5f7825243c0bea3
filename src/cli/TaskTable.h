#pragma once

#include "model/DateStatus.h"
#include "model/TaskStore.h"

#include <string>

namespace agendrix::cli {

enum class Colour { Off, On };

// The short name of a priority code for the table, e.g. "Very High"; "?" for an unknown code.
std::string PriorityLabel(std::string_view line);

// A readable table of the assessed store: index, priority, description and status, one task a
// line, in store order. Texts are converted to UTF-8.
std::string FormatTable(const TaskStore& store, const DateFormatter& formatDate, Colour colour);

// One JSON array with an object per task: "index", "line", "status" and the eight fields by name.
std::string FormatJson(const TaskStore& store, const DateFormatter& formatDate);

// JSON string literal (with quotes) of UTF-8 text; control characters are escaped.
std::string JsonString(std::string_view utf8);

} // namespace agendrix::cli
