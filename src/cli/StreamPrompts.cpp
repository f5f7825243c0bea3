#include "StreamPrompts.h"

namespace agendrix::cli {

PromptAnswer StreamPrompts::Ask(const PromptRequest& request)
{
    if (request.Buttons != PromptButtons::Ok)
        return Answer;
    Stream << request.Text << '\n';
    return PromptAnswer::Ok;
}

} // namespace agendrix::cli
