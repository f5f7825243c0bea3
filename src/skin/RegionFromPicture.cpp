#include "RegionFromPicture.h"

#include <QRect>

#include <vector>

namespace agendrix {

namespace {
    constexpr QRgb ColorBits = 0x00ffffff;

    struct Run {
        int Start = 0;
        int End = 0; // one past the last column
    };

    // The runs of a row that are not the key colour, left to right.
    void FindShownRuns(const QRgb* row, int width, QRgb key, std::vector<Run>& runs)
    {
        runs.clear();
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & ColorBits) == key)
                ++x;
            const int start = x;
            while (x < width && (row[x] & ColorBits) != key)
                ++x;
            if (start < x)
                runs.push_back({ start, x });
        }
    }

    // Gathers the rows' runs as rectangles in the banded order QRegion keeps itself (by y, then
    // x), merging a row into the band just above it when its runs are the same. The region is
    // then set in one step instead of one subtraction per key run, which grows quadratically.
    class BandBuilder {
    public:
        void AddRow(int y, const std::vector<Run>& runs)
        {
            if (runs.empty())
                return;
            if (y == BandBottom && SameAsBand(runs)) {
                for (std::size_t i = BandStart; i < Rects.size(); ++i)
                    Rects[i].setBottom(y);
                ++BandBottom;
                return;
            }
            BandStart = Rects.size();
            BandBottom = y + 1;
            for (const Run& run : runs)
                Rects.emplace_back(run.Start, y, run.End - run.Start, 1);
        }

        QRegion Region() const
        {
            QRegion region;
            region.setRects(Rects.data(), static_cast<int>(Rects.size()));
            return region;
        }

    private:
        bool SameAsBand(const std::vector<Run>& runs) const
        {
            if (runs.size() != Rects.size() - BandStart)
                return false;
            for (std::size_t i = 0; i < runs.size(); ++i) {
                const QRect& rect = Rects[BandStart + i];
                if (rect.left() != runs[i].Start || rect.right() + 1 != runs[i].End)
                    return false;
            }
            return true;
        }

        std::vector<QRect> Rects;
        std::size_t BandStart = 0; // first rectangle of the lowest band
        int BandBottom = -1; // one past the lowest band's last row
    };
} // namespace

QRegion RegionFromPicture(const QImage& picture, QRgb key)
{
    if (picture.isNull())
        return {};
    // 32-bit pixels let a row be scanned in place; skin pictures already are, so this is free.
    const QImage pixels
        = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
        ? picture
        : picture.convertToFormat(QImage::Format_RGB32);
    const QRgb keyColor = key & ColorBits;
    BandBuilder bands;
    std::vector<Run> runs;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        FindShownRuns(row, pixels.width(), keyColor, runs);
        bands.AddRow(y, runs);
    }
    return bands.Region();
}

} // namespace agendrix
