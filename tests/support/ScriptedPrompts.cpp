#include "ScriptedPrompts.h"

#include "TestFailure.h"

#include <array>
#include <ostream>

namespace agendrix {

void PrintTo(const PromptRequest& request, std::ostream* out) { *out << test::Describe(request); }

} // namespace agendrix

namespace agendrix::test {

std::string Describe(const PromptRequest& request)
{
    static constexpr std::array icons { "None", "Information", "Question", "Exclamation", "Critical" };
    static constexpr std::array buttons { "Ok", "OkCancel", "YesNo", "YesNoCancel", "RestoreDiscard" };
    static constexpr std::array answers { "Ok", "Cancel", "Yes", "No" };
    return "{title \"" + request.Title + "\", text \"" + request.Text + "\", icon "
        + icons.at(static_cast<std::size_t>(request.Icon)) + ", buttons "
        + buttons.at(static_cast<std::size_t>(request.Buttons)) + ", default "
        + answers.at(static_cast<std::size_t>(request.Default)) + "}";
}

PromptAnswer ScriptedPrompts::Ask(const PromptRequest& request)
{
    Asked.push_back(request);
    if (OnAsk)
        OnAsk(request);
    if (!Answers.empty()) {
        const PromptAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    if (request.Buttons != PromptButtons::Ok)
        FailTest("unscripted question: " + Describe(request));
    return request.Default;
}

std::optional<std::string> ScriptedPrompts::ChooseFile(const FileDialogRequest& request)
{
    Dialogs.push_back(request);
    return Chosen;
}

std::optional<std::string> ScriptedPrompts::AskText(const TextRequest& request)
{
    TextsAsked.push_back(request);
    if (Texts.empty()) {
        FailTest("unscripted input box: \"" + request.Prompt + "\"");
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(Texts.front());
    Texts.pop_front();
    return answer;
}

bool ScriptedPrompts::ShowReport(const ReportRequest& request)
{
    Reports.push_back(request);
    return ReportsShow;
}

PromptRequest InformationMessage(std::string text)
{
    return PromptRequest { "Agendrix", std::move(text), PromptIcon::Information, PromptButtons::Ok,
        PromptAnswer::Ok };
}

} // namespace agendrix::test
