#pragma once

#include <QImage>
#include <QRegion>

namespace agendrix {

// The shape of a window cut out of a picture: the picture's rectangle without the pixels whose
// colour is exactly `key` (alpha is not compared; a key is an opaque colour). Meant for
// QWidget::setMask. A null picture gives an empty region.
QRegion RegionFromPicture(const QImage& picture, QRgb key);

} // namespace agendrix
