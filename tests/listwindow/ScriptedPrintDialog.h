#pragma once

#include "listwindow/PrintDialog.h"

#include <functional>
#include <optional>
#include <vector>

namespace agendrix {

// Stands in for the print dialog: records each request and answers with `Answer` (nothing:
// Cancel). OnAsk looks at the window while the dialog would be open.
class ScriptedPrintDialog : public PrintDialog {
public:
    std::optional<PrintChoice> Ask(const PrintDialogRequest& request) override
    {
        Requests.push_back(request);
        if (OnAsk)
            OnAsk();
        return Answer;
    }

    std::vector<PrintDialogRequest> Requests;
    std::optional<PrintChoice> Answer;
    std::function<void()> OnAsk;
};

} // namespace agendrix
