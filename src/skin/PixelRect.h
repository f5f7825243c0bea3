#pragma once

namespace agendrix {

// A rectangle in pixels, origin top-left, y downwards.
struct PixelRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return X + Width; } // one past the last column
    int Bottom() const { return Y + Height; } // one past the last row
    bool Contains(int x, int y) const { return x >= X && x < Right() && y >= Y && y < Bottom(); }

    bool operator==(const PixelRect&) const = default;
};

} // namespace agendrix
