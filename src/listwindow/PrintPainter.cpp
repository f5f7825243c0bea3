#include "PrintPainter.h"

#include "skin/QtHelpers.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace agendrix {

namespace {
    // Device pixels per point.
    double Scale(const QPaintDevice& device) { return device.logicalDpiY() / 72.0; }

    using FontKey = std::tuple<int, double, bool>;
    FontKey KeyOf(const PrintFont& font) { return { static_cast<int>(font.Face), font.Size, font.Bold }; }

    // Draws texts, setting the painter's font only when it changes: most texts of a long list
    // share one.
    class TextDrawer {
    public:
        TextDrawer(QPainter& painter, double scale)
            : Painter(painter)
            , Scale(scale)
        {
        }
        void Draw(const PrintOp& op)
        {
            if (!Font || op.Font != *Font) {
                Font = op.Font;
                const QFont font = PrintQFont(op.Font);
                Painter.setFont(font);
                Ascent = QFontMetricsF(font, Painter.device()).ascent();
            }
            Painter.setPen(ToQColor(op.Colour));
            Painter.drawText(QPointF(op.X * Scale, op.Y * Scale + Ascent), FromUtf8(op.Text));
        }

    private:
        QPainter& Painter;
        const double Scale;
        std::optional<PrintFont> Font;
        double Ascent = 0;
    };

    void DrawRule(QPainter& painter, const PrintOp& op, double scale)
    {
        QPen pen(ToQColor(op.Colour));
        pen.setWidthF(0.5 * scale); // a hairline that still shows on paper
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(op.X * scale, op.Y * scale), QPointF(op.X2 * scale, op.Y * scale));
    }
} // namespace

QFont PrintQFont(const PrintFont& font)
{
    static const QString families[] = { QStringLiteral("Liberation Sans"), QStringLiteral("Liberation Serif"),
        QStringLiteral("DejaVu Sans") };
    QFont qfont(families[static_cast<int>(font.Face)]);
    qfont.setPointSizeF(font.Size);
    qfont.setBold(font.Bold);
    return qfont;
}

MeasureText PrintMeasure(const QPaintDevice& device)
{
    // Metrics are slow to make and a long list measures the same few fonts many times.
    auto cache = std::make_shared<std::map<FontKey, QFontMetricsF>>();
    const QPaintDevice* target = &device;
    const double scale = Scale(device);
    return [cache, target, scale](std::string_view text, const PrintFont& font) {
        auto found = cache->find(KeyOf(font));
        if (found == cache->end())
            found = cache->emplace(KeyOf(font), QFontMetricsF(PrintQFont(font), target)).first;
        return TextExtent { found->second.horizontalAdvance(FromUtf8(text)) / scale,
            found->second.height() / scale };
    };
}

bool PaintPrintOps(QPagedPaintDevice& device, const std::vector<PrintOp>& ops)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = Scale(device);
    TextDrawer texts(painter, scale);
    for (const PrintOp& op : ops) {
        switch (op.What) {
        case PrintOp::Kind::Text:
            texts.Draw(op);
            break;
        case PrintOp::Kind::Rule:
            DrawRule(painter, op, scale);
            break;
        case PrintOp::Kind::NewPage:
            device.newPage();
            break;
        }
    }
    return painter.end();
}

std::optional<int> PrintList(QPagedPaintDevice& device, PrintJob job)
{
    const QRectF paper = device.pageLayout().fullRectPoints();
    job.Page = PageMetrics { paper.width(), paper.height() };
    const std::vector<PrintOp> ops = LayOutPrint(job, PrintMeasure(device));
    if (!PaintPrintOps(device, ops))
        return std::nullopt;
    return 1 + static_cast<int>(std::count_if(ops.begin(), ops.end(), [](const PrintOp& op) {
        return op.What == PrintOp::Kind::NewPage;
    }));
}

} // namespace agendrix
