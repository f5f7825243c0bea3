#include "QtSuites.h"
#include "listwindow/ListWindowView.h"
#include "listwindow/SurfacePainter.h"
#include "skin/QtHelpers.h"
#include "skin/SkinPictures.h"

#include <QPainter>
#include <QTest>

namespace agendrix {
namespace {

    // A main picture whose every pixel has a colour of its own (x in red and blue, y in green),
    // so that each cell, and each pixel within it, can be told from every other.
    QImage NumberedMain(int width = 475, int height = 138)
    {
        QImage main(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                main.setPixel(x, y, qRgb(x & 0xff, y, x >> 8));
        return main;
    }

    SurfaceLayout Layout(QSize size, int expandLine = -1, int accTextHgt = 48)
    {
        return LayOutSurface({ size.width(), size.height(), expandLine, accTextHgt });
    }

    // What the surface must be, pixel by pixel: each blit's source pixels that exist, copied
    // in order onto the pixels of the surface they land on.
    QImage PaintedByHand(const SurfaceLayout& layout, const QImage& main, QSize size)
    {
        QImage expected(size, QImage::Format_RGB32);
        expected.fill(Qt::black);
        for (const Blit& blit : layout.Blits)
            for (int dy = 0; dy < blit.Source.Height; ++dy)
                for (int dx = 0; dx < blit.Source.Width; ++dx) {
                    const QPoint from(blit.Source.X + dx, blit.Source.Y + dy);
                    const QPoint to(blit.X + dx, blit.Y + dy);
                    if (main.valid(from) && expected.valid(to))
                        expected.setPixel(to, main.pixel(from));
                }
        return expected;
    }

} // namespace
} // namespace agendrix

Q_DECLARE_METATYPE(agendrix::SurfaceLayout)

namespace agendrix {

class SurfacePainterTest : public QObject {
    Q_OBJECT

private slots:
    void PixelsComeFromTheirCells_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("expandLine");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("fromMain");
        const QSize small(300, 200);
        QTest::newRow("title left piece") << small << -1 << QPoint(5, 5) << QPoint(5, 5);
        QTest::newRow("title middle tile") << small << -1 << QPoint(100, 3) << QPoint(101, 3);
        QTest::newRow("title right piece over the tile") << small << -1 << QPoint(225, 0) << QPoint(400, 0);
        QTest::newRow("second row middle tile") << small << -1 << QPoint(100, 60) << QPoint(101, 37);
        QTest::newRow("row right band over the tile") << small << -1 << QPoint(260, 40) << QPoint(435, 41);
        QTest::newRow("list end over the last row") << small << -1 << QPoint(10, 171) << QPoint(10, 106);
        QTest::newRow("status bar over the filler") << small << -1 << QPoint(10, 176) << QPoint(10, 114);
        QTest::newRow("block top over its row") << small << 0 << QPoint(10, 52) << QPoint(10, 58);
        QTest::newRow("block bottom over the middle") << small << 0 << QPoint(10, 92) << QPoint(10, 82);
        QTest::newRow("row below the block") << small << 0 << QPoint(10, 115) << QPoint(10, 32);
        QTest::newRow("repeated tile of a wide window")
            << QSize(900, 100) << -1 << QPoint(430, 40) << QPoint(52, 41);
    }

    void PixelsComeFromTheirCells()
    {
        QFETCH(QSize, size);
        QFETCH(int, expandLine);
        QFETCH(QPoint, at);
        QFETCH(QPoint, fromMain);
        const QImage main = NumberedMain();
        const QImage surface = ComposeSurface(Layout(size, expandLine, 60), main, size);
        QCOMPARE(surface.size(), size);
        QCOMPARE(QColor(surface.pixel(at)), QColor(main.pixel(fromMain)));
    }

    void EveryPixelIsTheLastPieceOverIt_data()
    {
        QTest::addColumn<QImage>("main");
        QTest::addColumn<SurfaceLayout>("layout");
        QTest::addColumn<QSize>("size");
        QTest::newRow("null main picture") << QImage() << Layout({ 200, 120 }) << QSize(200, 120);
        QTest::newRow("main too small for most cells")
            << NumberedMain(100, 50) << Layout({ 300, 200 }) << QSize(300, 200);
        QTest::newRow("main one pixel short")
            << NumberedMain(474, 137) << Layout({ 500, 160 }, 0) << QSize(500, 160);
        QTest::newRow("window narrower than the title")
            << NumberedMain() << Layout({ 120, 90 }) << QSize(120, 90);
        QTest::newRow("block taller than the room")
            << NumberedMain() << Layout({ 900, 400 }, 2, 1000) << QSize(900, 400);
        QTest::newRow("surface smaller than its layout")
            << NumberedMain() << Layout({ 300, 200 }) << QSize(150, 90);
    }

    void EveryPixelIsTheLastPieceOverIt()
    {
        QFETCH(QImage, main);
        QFETCH(SurfaceLayout, layout);
        QFETCH(QSize, size);
        const QImage surface = ComposeSurface(layout, main, size);
        const QImage expected = PaintedByHand(layout, main, size);
        QCOMPARE(surface.size(), size);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (surface.pixel(x, y) != expected.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) differs").arg(x).arg(y)));
    }

    void EmptySizeGivesNoSurface()
    {
        QVERIFY(ComposeSurface(Layout({ 0, 0 }), NumberedMain(), { 0, 0 }).isNull());
    }

    void PaintClippedToABarMatchesTheWholePaintThere()
    {
        SkinPictures skin;
        skin.Main = NumberedMain();
        skin.Animation = NumberedMain(98, 500);
        skin.Lamps = NumberedMain(22, 286);
        ListWindowView view;
        view.Layout = Layout(QSize(350, 534));
        view.Surface = ComposeSurface(view.Layout, skin.Main, QSize(350, 534));
        view.Rows = LayOutRows({ 350, view.Layout.RowsShown, -1, 2, 0 });
        for (int row = 0; row < view.Layout.RowsShown; ++row) {
            RowView shown;
            shown.Code = 2 + row % 8;
            shown.Description = QStringLiteral("Row %1").arg(row);
            shown.Empty = false;
            view.RowViews.push_back(shown);
        }
        view.BarRow = 2;
        view.BarFrame = 7;
        QImage whole(350, 534, QImage::Format_RGB32);
        QImage clipped(350, 534, QImage::Format_RGB32);
        clipped.fill(Qt::black);
        {
            QPainter painter(&whole);
            PaintListWindow(painter, view, skin);
        }
        const QRect bar = ToQRect(view.Rows.Rows[2].ControlBar); // the open bar of the current row
        {
            QPainter painter(&clipped);
            painter.setClipRect(bar);
            PaintListWindow(painter, view, skin);
        }
        QCOMPARE(clipped.copy(bar), whole.copy(bar));
        QCOMPARE(clipped.pixel(10, 10), qRgb(0, 0, 0)); // nothing was painted outside the clip
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(SurfacePainterTest);

#include "SurfacePainterQtTest.moc"
