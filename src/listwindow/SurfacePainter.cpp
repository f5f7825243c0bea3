#include "SurfacePainter.h"

#include "skin/QtHelpers.h"

#include <QPainter>
#include <QRect>

namespace agendrix {

QImage ComposeSurface(const SurfaceLayout& layout, const QImage& main, QSize size)
{
    if (size.isEmpty())
        return {};
    QImage surface(size, QImage::Format_RGB32);
    surface.fill(Qt::black);
    if (main.isNull())
        return surface;
    QPainter painter(&surface);
    // Pieces are copied, not blended: skins have no transparency and plain copies are fastest.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect available = main.rect();
    for (const Blit& blit : layout.Blits) {
        const QRect source = ToQRect(blit.Source);
        const QRect part = source & available;
        if (part.isEmpty())
            continue;
        const QPoint target(blit.X + part.x() - source.x(), blit.Y + part.y() - source.y());
        painter.drawImage(target, main, part);
    }
    return surface;
}

} // namespace agendrix
