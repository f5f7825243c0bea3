#pragma once

#include "model/Prompts.h"

#include <ostream>

namespace agendrix::cli {

// The command line's way of telling the user: every message is printed on the error stream with
// the same text a window would show. Questions are not asked: the command itself was the answer,
// so they get `answer` without being printed.
class StreamPrompts : public Prompts {
public:
    StreamPrompts(std::ostream& stream, PromptAnswer answer)
        : Stream(stream)
        , Answer(answer)
    {
    }

    PromptAnswer Ask(const PromptRequest& request) override;

private:
    std::ostream& Stream;
    PromptAnswer Answer;
};

} // namespace agendrix::cli
