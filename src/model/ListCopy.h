#pragma once

#include "TaskLines.h"

#include <string>

namespace agendrix {

// What Copy List puts on the clipboard: every task's description in list order, completed tasks
// included, each followed by CR LF, as UTF-8. An empty list gives an empty text.
std::string ListCopyText(TaskLines lines);

} // namespace agendrix
