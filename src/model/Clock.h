#pragma once

#include "CivilDate.h"

namespace agendrix {

// Every "today" and "now" of the program comes from one clock, so that tests can fix the time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(DateTime now)
        : Time(now)
    {
    }
    DateTime Now() const override { return Time; }
    void Set(DateTime now) { Time = now; }

private:
    DateTime Time;
};

} // namespace agendrix
