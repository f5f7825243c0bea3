#pragma once

#include <QImage>
#include <QRegion>
#include <QString>

namespace agendrix {

// The drag tab of sidebar mode: bar.bmp is its whole image, and its pure green pixels are cut
// away so that the tab takes the picture's shape.
class DockTabSkin {
public:
    static constexpr QRgb KeyColor = 0xff00ff00; // RGB(0, 255, 0)

    QImage Bar;
    QRegion Shape; // the tab window's mask, built once per load

    // A missing or unreadable bar.bmp keeps the previous picture and shape. The skin path is
    // used as found: only the list window falls back to the default skin.
    void LoadSkin(const QString& programFolder, const QString& skinPath);
};

} // namespace agendrix
