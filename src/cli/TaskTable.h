#pragma once

#include "model/DateStatus.h"
#include "model/TaskStore.h"

#include <ostream>
#include <string_view>

namespace agendrix::cli {

enum class Colour { Off, On };

// The short name of a priority code for the table, e.g. "Very High"; "?" for an unknown code.
std::string_view PriorityLabel(std::string_view line);

// A readable table of the assessed store: index, priority, description and status, one task a
// line, in store order. Texts are converted to UTF-8. Written a row at a time: the output of a
// long list is never held whole, and writing stops once the stream has failed.
void WriteTable(std::ostream& out, const TaskStore& store, const DateFormatter& formatDate, Colour colour);

// One JSON array with an object per task: "index", "line", "status" and the eight fields by name.
// Written like the table.
void WriteJson(std::ostream& out, const TaskStore& store, const DateFormatter& formatDate);

} // namespace agendrix::cli
