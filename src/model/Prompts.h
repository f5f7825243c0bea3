#pragma once

#include <optional>
#include <string>

namespace agendrix {

enum class PromptIcon { None, Information, Question, Exclamation, Critical };
// RestoreDiscard: a yes-or-no question whose buttons say "Restore" (Yes) and "Discard" (No).
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RestoreDiscard };
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

// A file dialog: open or save, with a title and a filter such as
// "Task Lists (*.agl)|*.agl|All Task Lists (*.agl; *.cti)|*.agl;*.cti".
struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind What = Kind::Save;
    std::string Title;
    std::string Filter;
    std::string InitialPath;
};

// An input box: a prompt, a title and the text offered, which the user may change.
struct TextRequest {
    std::string Title = "Agendrix";
    std::string Prompt; // "\n" breaks a line
    std::string Default;

    bool operator==(const TextRequest&) const = default;
};

// A read-only text for the user to read and copy, such as what a bug report needs.
struct ReportRequest {
    std::string Title = "Agendrix";
    std::string Text; // UTF-8, "\n" breaks a line

    bool operator==(const ReportRequest&) const = default;
};

// Every message, question, input box and file dialog goes through this interface: the windows show dialogs,
// the command-line tool prints, and tests script the answers and check what was asked.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual PromptAnswer Ask(const PromptRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled. Without a way to show a dialog (the
    // command line), every choice is cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest&) { return std::nullopt; }
    // The text entered (UTF-8), or nothing when the user cancelled; without a way to ask, nothing.
    virtual std::optional<std::string> AskText(const TextRequest&) { return std::nullopt; }
    // Shows the text with a button that copies it to the clipboard; false when it could not be
    // shown, as without a desktop.
    virtual bool ShowReport(const ReportRequest&) { return false; }

    void Tell(std::string text, PromptIcon icon = PromptIcon::Information)
    {
        Ask(PromptRequest { "Agendrix", std::move(text), icon, PromptButtons::Ok, PromptAnswer::Ok });
    }
};

} // namespace agendrix
