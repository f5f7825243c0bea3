#pragma once

#include <string>
#include <string_view>

namespace agendrix::test {

// A web page template whose pieces are their numbers in brackets, "[0]" to "[17]", so that a page
// shows which piece stands where; the task's piece carries the check box, "[6¨]" (UTF-8). Each
// marker is followed by `lineEnd`; the text has no line end of its own at the end.
std::string NumberedPageTemplate(std::string_view lineEnd = "");

} // namespace agendrix::test
