#include "QtSuites.h"
#include "skin/RegionFromPicture.h"

#include <QPainter>
#include <QTest>

namespace agendrix {
namespace {

    constexpr QRgb Green = 0xff00ff00;
    constexpr QRgb Red = 0xffc00000;

    QImage Filled(int width, int height, QRgb color, QImage::Format format = QImage::Format_RGB32)
    {
        QImage picture(width, height, format);
        picture.fill(color);
        return picture;
    }

    QImage WithCorners(QImage picture, QRgb color)
    {
        const int right = picture.width() - 1;
        const int bottom = picture.height() - 1;
        for (const QPoint& corner :
            { QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom) })
            picture.setPixel(corner, color);
        return picture;
    }

    QImage Ring()
    {
        QImage picture = Filled(40, 30, Green);
        QPainter painter(&picture);
        painter.setPen(QPen(QColor(Red), 5));
        painter.drawEllipse(5, 4, 28, 20);
        painter.end();
        picture.setPixel(2, 2, 0xff00fe00); // one shade off the key is kept
        return picture;
    }

} // namespace

class RegionFromPictureTest : public QObject {
    Q_OBJECT

private slots:
    void ExcludesExactlyTheKeyPixels_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<int>("expectedArea");
        QTest::newRow("null picture") << QImage() << 0;
        QTest::newRow("key everywhere") << Filled(7, 5, Green) << 0;
        QTest::newRow("corner key pixels") << WithCorners(Filled(8, 6, Red), Green) << 44;
        QTest::newRow("no key pixel") << Filled(9, 4, Red) << 36;
        QTest::newRow("ring with a near-key pixel") << Ring() << -1;
        QTest::newRow("picture with alpha")
            << WithCorners(Filled(5, 5, Red, QImage::Format_ARGB32), Green) << 21;
        QTest::newRow("indexed picture")
            << WithCorners(Filled(6, 3, Red), Green).convertToFormat(QImage::Format_Indexed8) << 14;
    }

    void ExcludesExactlyTheKeyPixels()
    {
        QFETCH(QImage, picture);
        QFETCH(int, expectedArea);
        const QRegion region = RegionFromPicture(picture, Green);
        QVERIFY(picture.rect().contains(region.boundingRect()) || region.isEmpty());
        QRegion reference(picture.rect());
        int area = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const bool shown = (picture.pixel(x, y) & 0xffffff) != (Green & 0xffffff);
                if (region.contains(QPoint(x, y)) != shown)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) misplaced").arg(x).arg(y)));
                area += shown ? 1 : 0;
                if (!shown)
                    reference -= QRect(x, y, 1, 1);
            }
        }
        if (expectedArea >= 0)
            QCOMPARE(area, expectedArea);
        // The same banded rectangles QRegion would have made itself, so regions compare equal.
        QCOMPARE(region, reference);
    }
};

} // namespace agendrix

int RunRegionFromPictureTests(int argc, char** argv)
{
    agendrix::RegionFromPictureTest suite;
    return QTest::qExec(&suite, argc, argv);
}

#include "RegionFromPictureQtTest.moc"
