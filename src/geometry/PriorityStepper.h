#pragma once

namespace agendrix {

// A lamp stepping from one priority code to another, one band per 100 ms tick, ending on the
// band of `to`, which it keeps showing until the rows are filled again.
class PriorityStepper {
public:
    static constexpr int TickMs = 100;

    PriorityStepper() = default;
    PriorityStepper(int from, int to, int row)
        : Next(from)
        , To(to)
        , Row(row)
        , Active(from != to && row >= 0)
    {
    }
    // Shows the next code; false when there is none left.
    bool Tick()
    {
        if (!Active)
            return false;
        Shown = Next;
        Next += To > Shown ? 1 : -1;
        Active = Shown != To;
        return true;
    }
    bool Running() const { return Active; }
    // The row whose lamp shows Code(), -1 for none.
    int LampRow() const { return Shown != 0 ? Row : -1; }
    int Code() const { return Shown; }

private:
    int Next = 0;
    int To = 0;
    int Row = -1;
    bool Active = false;
    int Shown = 0; // 0 until the first tick
};

} // namespace agendrix
