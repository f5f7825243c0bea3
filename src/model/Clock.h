#pragma once

#include "CivilDate.h"

namespace agendrix {

// Every "today" and "now" of the program comes from one clock, so that tests can fix the time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
};

} // namespace agendrix
