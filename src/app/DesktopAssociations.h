#pragma once

#include "environment/FileAssociations.h"

namespace agendrix {

// The options dialog's file associations: this program, where it runs from, opens task lists and
// completed items for the current user.
class DesktopAssociations : public FileAssociations {
public:
    void Associate() override;
};

} // namespace agendrix
