#pragma once

#include "geometry/PrintLayout.h"

#include <optional>
#include <string>
#include <vector>

namespace agendrix {

// What the print dialog offers: the printers and "Print to PDF file", the one selected, and the
// options as the settings hold them.
struct PrintDialogRequest {
    std::vector<std::string> Targets;
    std::string Selected;
    PrintOptions Options;
};

// What OK gives back: the target's name as the list shows it, and the options.
struct PrintChoice {
    std::string Target;
    PrintOptions Options;

    bool operator==(const PrintChoice&) const = default;
};

// The print options dialog as the list window sees it: frmPrint shows it to the user, tests script
// the answer.
class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // The choice made with OK, or nothing for Cancel.
    virtual std::optional<PrintChoice> Ask(const PrintDialogRequest& request) = 0;
};

} // namespace agendrix
