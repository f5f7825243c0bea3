#include "QtHelpers.h"

namespace agendrix {

QRect ToQRect(const PixelRect& rect) { return { rect.X, rect.Y, rect.Width, rect.Height }; }

PixelRect ToPixelRect(const QRect& rect) { return { rect.x(), rect.y(), rect.width(), rect.height() }; }

QColor ToQColor(const Rgb& colour) { return { colour.Red, colour.Green, colour.Blue }; }

Rgb ToRgb(const QColor& colour) { return { colour.red(), colour.green(), colour.blue() }; }

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont UiFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(UiFontPixels);
    return font;
}

} // namespace agendrix
