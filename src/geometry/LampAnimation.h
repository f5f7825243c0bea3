#pragma once

#include <random>

namespace agendrix {

// The lamps that move by themselves: Extreme lamps blink every 500 ms between the broken band and
// their own, broken lamps flicker every 40 ms. Bands are y offsets into plamps.bmp.
class LampAnimation {
public:
    static constexpr int BlinkMs = 500;
    static constexpr int FlickerMs = 40;

    void Blink() { BlinkPhase = 1 - BlinkPhase; }
    // The band an Extreme lamp shows now: the broken band in phase 0, its own in phase 1.
    int ExtremeBand() const { return BlinkPhase == 0 ? 198 : 176; }
    // One flicker draw r, uniform 1 to 7, for one broken lamp.
    int Draw() { return Uniform(Random); }
    // Draw 1 sparks, draw 2 nearly goes dark, every other draw shows the steady frame.
    static int BrokenBand(int draw) { return draw == 1 ? 242 : (draw == 2 ? 264 : 220); }

private:
    int BlinkPhase = 0;
    std::minstd_rand Random { 20261206u };
    std::uniform_int_distribution<int> Uniform { 1, 7 };
};

} // namespace agendrix
