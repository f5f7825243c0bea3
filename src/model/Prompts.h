#pragma once

#include <string>

namespace agendrix {

enum class PromptIcon { None, Information, Question, Exclamation, Critical };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// A message box or question as the user sees it. Texts are UTF-8; "\n" breaks a line.
struct PromptRequest {
    std::string Title = "Agendrix";
    std::string Text;
    PromptIcon Icon = PromptIcon::None;
    PromptButtons Buttons = PromptButtons::Ok;
    PromptAnswer Default = PromptAnswer::Ok; // the button that Enter presses

    bool operator==(const PromptRequest&) const = default;
};

// Every message and question goes through this interface: the windows show dialogs, the
// command-line tool prints, and tests script the answers and check what was asked.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual PromptAnswer Ask(const PromptRequest& request) = 0;

    void Tell(std::string text, PromptIcon icon = PromptIcon::Information)
    {
        Ask(PromptRequest { "Agendrix", std::move(text), icon, PromptButtons::Ok, PromptAnswer::Ok });
    }
};

} // namespace agendrix
