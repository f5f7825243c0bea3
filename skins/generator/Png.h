#pragma once

#include <cstdint>
#include <vector>

namespace agendrix::skins {

// A PNG file of 8-bit RGBA pixels (rows top-down, four bytes a pixel, alpha not premultiplied).
// The image data is stored without compression: the writer needs nothing beyond the standard
// library and its bytes depend on nothing but the pixels.
std::vector<std::uint8_t> PngBytes(int width, int height, const std::vector<std::uint8_t>& rgba);

} // namespace agendrix::skins
