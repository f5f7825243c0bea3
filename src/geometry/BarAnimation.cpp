#include "BarAnimation.h"

#include <cmath>

namespace agendrix {

int PaintsPerFrame(int aniSpeed)
{
    return static_cast<int>(std::nearbyint(static_cast<double>(aniSpeed) / 2.0)) + 1;
}

bool BarAnimation::Start(int currentLine, int aniSpeed)
{
    if (Running())
        return false;
    PerFrame = PaintsPerFrame(aniSpeed);
    if (CurrentOut >= 0) {
        Now = Phase::RollUp;
        CurrentAni = Wide = CurrentOut;
        Paints = 1;
    } else {
        EndRollUp(currentLine);
    }
    return true;
}

bool BarAnimation::Step(int currentLine)
{
    if (Now == Phase::RollUp) {
        if (CurrentAni == currentLine || (Paints >= PerFrame && FrameOn == 0))
            EndRollUp(currentLine);
        else
            Advance(-1);
    } else if (Now == Phase::Unroll) {
        if (CurrentAni != currentLine) {
            // Another row was chosen: this bar rolls up from the frame it reached.
            Now = Phase::RollUp;
            Paints = 1;
        } else if (Paints >= PerFrame && FrameOn == LastFrame) {
            Now = Phase::Idle;
        } else {
            Advance(+1);
        }
    }
    return Running();
}

void BarAnimation::Advance(int direction)
{
    if (Paints < PerFrame) {
        ++Paints;
    } else {
        FrameOn += direction;
        Paints = 1;
    }
}

void BarAnimation::EndRollUp(int currentLine)
{
    // The bar goes back to its collapsed place; the chosen row's bar starts at frame 0.
    CurrentAni = CurrentOut = currentLine;
    Wide = currentLine;
    FrameOn = 0;
    Paints = 1;
    Now = currentLine < 0 ? Phase::Idle : Phase::Unroll;
}

void BarAnimation::Forget(int row)
{
    if (CurrentOut == row || CurrentAni == row) {
        Now = Phase::Idle;
        CurrentOut = CurrentAni = Wide = -1;
        FrameOn = 0;
    }
}

void BarAnimation::Jump(int row)
{
    Now = Phase::Idle;
    CurrentOut = CurrentAni = Wide = row;
    FrameOn = row >= 0 ? LastFrame : 0;
}

} // namespace agendrix
