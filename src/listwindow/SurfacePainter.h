#pragma once

#include "geometry/SurfaceLayout.h"

#include <QImage>
#include <QSize>

namespace agendrix {

// Composes the list window's surface off screen, so that the window shows it in one step and
// never half drawn: every blit of the layout is copied unscaled from the main picture, in order,
// later pieces over earlier ones. A piece that reaches past the main picture (a skin's main.bmp
// may be too small) is copied as far as the picture goes. Pixels no piece covers are black.
QImage ComposeSurface(const SurfaceLayout& layout, const QImage& main, QSize size);

} // namespace agendrix
