#pragma once

#include "model/Clock.h"

namespace agendrix::test {

// A clock that shows the time a test sets, and never moves by itself.
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

} // namespace agendrix::test
