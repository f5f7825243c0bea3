#pragma once

namespace agendrix {

// The activity strip of the title bar slides in once after start-up: first as the inactive strip,
// 5 pixels per tick over 15 ticks, then as the active strip over it, and then follows the focus.
class TitleGlide {
public:
    static constexpr int TickMs = 40;
    static constexpr int StripWidth = 75;

    // One tick; false once the glide has ended.
    bool Tick();
    bool Done() const { return Finished; }
    // How much of each strip is shown, in pixels from its left edge.
    int InactiveWidth() const { return Phase == 0 ? Width : StripWidth; }
    int ActiveWidth() const { return Finished ? StripWidth : (Phase == 1 ? Width : 0); }

private:
    int Width = 0;
    int Phase = 0; // 0 while the inactive strip slides in, 1 for the active one
    bool Finished = false;
};

} // namespace agendrix
