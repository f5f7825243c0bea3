#pragma once

#include <string>
#include <string_view>

namespace agendrix {

// A file dialog's filter as the program writes it, "caption|patterns|caption|patterns" with the
// patterns of a pair separated by ";", in the form Qt's file dialogs read: "caption (patterns)"
// entries joined by ";;", the patterns inside the trailing parentheses separated by blanks. A
// caption that already ends in its own patterns keeps them once; a caption without patterns
// names no files and is left out.
std::string QtFileDialogFilter(std::string_view filter);

} // namespace agendrix
