#pragma once

#include "model/Prompts.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace agendrix {

// Readable failure output for the prompts a GoogleTest suite expected, found by argument lookup.
void PrintTo(const PromptRequest& request, std::ostream* out);

} // namespace agendrix

namespace agendrix::test {

// The request on one line: title, text, icon, buttons and the default answer.
std::string Describe(const PromptRequest& request);

// Stands in for the user: records every request and file dialog and answers from a script. A
// message with only an OK button needs no scripted answer; a question without one fails the
// test and gets its default answer. A file dialog gets `Chosen`, which is nothing (cancelled)
// unless the test sets a path. A report is recorded and shown unless `ReportsShow` is false. An input box
// takes the next of `Texts` (nothing: cancelled); one that nobody scripted fails the test.
class ScriptedPrompts : public Prompts {
public:
    PromptAnswer Ask(const PromptRequest& request) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskText(const TextRequest& request) override;
    bool ShowReport(const ReportRequest& request) override;

    std::vector<PromptRequest> Asked;
    std::deque<PromptAnswer> Answers;
    // Runs at each request, to look at the state the program is in while the user is asked.
    std::function<void(const PromptRequest&)> OnAsk;
    std::vector<FileDialogRequest> Dialogs;
    std::optional<std::string> Chosen;
    std::vector<TextRequest> TextsAsked;
    std::deque<std::optional<std::string>> Texts;
    std::vector<ReportRequest> Reports;
    bool ReportsShow = true; // false: a report cannot be shown, as without a desktop
};

// What Prompts::Tell shows: an information message with an OK button.
PromptRequest InformationMessage(std::string text);

} // namespace agendrix::test
