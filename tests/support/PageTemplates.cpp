#include "PageTemplates.h"

#include "model/WebPage.h"

namespace agendrix::test {

std::string NumberedPageTemplate(std::string_view lineEnd)
{
    std::string text;
    for (std::size_t k = 0; k < PageMarkers.size(); ++k)
        text += "[" + std::to_string(k) + (k == 6 ? "\xC2\xA8]" : "]") + std::string(PageMarkers[k])
            + std::string(lineEnd);
    return text + "[17]";
}

} // namespace agendrix::test
