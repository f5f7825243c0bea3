#pragma once

#include <QPixmap>

namespace agendrix {

// The pictures of the about box, drawn rather than shipped so that every skin has them: the
// product logo, a 40-pixel page of three tasks with priority lamps and a tick, and the trinket
// that stands between books on the shelf, a 16-pixel potted plant.
QPixmap ProductLogo();
QPixmap TrinketPicture();

} // namespace agendrix
