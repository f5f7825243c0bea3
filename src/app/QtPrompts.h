#pragma once

#include "model/Prompts.h"

class QWidget;

namespace agendrix {

// Message boxes, input boxes and file dialogs of the desktop program.
class QtPrompts : public Prompts {
public:
    void SetParent(QWidget* parent) { Parent = parent; }
    PromptAnswer Ask(const PromptRequest& request) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskText(const TextRequest& request) override;
    bool ShowReport(const ReportRequest& request) override;

private:
    QWidget* Parent = nullptr;
};

} // namespace agendrix
