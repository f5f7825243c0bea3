#pragma once

namespace agendrix {

// Each frame of the control bar is painted n + 1 times, n being AniSpeed / 2 rounded to the
// nearest integer with halves to the even one: 1 -> 1 paint, 3 -> 3, 5 -> 3, 10 -> 6.
int PaintsPerFrame(int aniSpeed);

// The control bar's roll-up and unroll as a state machine that paints one frame per step, so that
// a timer drives it and events run between paints. It rolls up the open bar (`CurrentOut`) and
// unrolls the bar of the row that should be open (`CurrentLine`); when that row changes while it
// runs, it stops the running phase and goes on towards the new row from the frame it reached.
class BarAnimation {
public:
    static constexpr int LastFrame = 24; // fully open

    // Starts bringing the bars in line with `currentLine`; false when an animation already runs
    // (it picks up the new row by itself).
    bool Start(int currentLine, int aniSpeed);
    // The paint shown last has had its events run: applies the stop rules and moves on to the next
    // paint. `currentLine` is the row that should be open now. Returns false once finished.
    bool Step(int currentLine);

    bool Running() const { return Now != Phase::Idle; } // DoingAni
    // The row whose bar is drawn wide, showing Frame(); -1 when every bar is collapsed.
    int WideRow() const { return Wide; }
    int Frame() const { return FrameOn; }
    int OpenRow() const { return CurrentOut; }
    // Rows were removed or the list changed under the bars: the bar of `row` is gone.
    void Forget(int row);
    // Opens `row` at once, without frames (the window starts or the rows were rebuilt).
    void Jump(int row);

private:
    enum class Phase { Idle, RollUp, Unroll };
    void EndRollUp(int currentLine);
    void Advance(int direction);

    Phase Now = Phase::Idle;
    int CurrentOut = -1; // the row whose bar is open (or opening)
    int CurrentAni = -1; // the row being animated
    int Wide = -1;
    int FrameOn = 0;
    int Paints = 0; // paints of the current frame so far, this one included
    int PerFrame = 1;
};

} // namespace agendrix
