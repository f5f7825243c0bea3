#pragma once

#include "model/Clock.h"

namespace agendrix::merger {

// The local date and time of the machine.
class LocalClock : public Clock {
public:
    DateTime Now() const override;
};

} // namespace agendrix::merger
