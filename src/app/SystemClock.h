#pragma once

#include "model/Clock.h"

namespace agendrix {

// The local date and time of the machine.
class SystemClock : public Clock {
public:
    DateTime Now() const override;
};

} // namespace agendrix
