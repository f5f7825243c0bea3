#include "QtSuites.h"
#include "skin/QtHelpers.h"

#include <QTest>

#include <string_view>

namespace agendrix {

class QtHelpersTest : public QObject {
    Q_OBJECT

private slots:
    void FromUtf8TakesExactlyTheView_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length"); // of the view over `bytes`
        QTest::addColumn<QString>("expected");
        QTest::newRow("invalid sequence") << QByteArray("a\xff\x62") << 3 << QStringLiteral("a\uFFFDb");
        QTest::newRow("cut inside a character")
            << QByteArray("caf\xc3\xa9") << 4 << QStringLiteral("caf\uFFFD");
        QTest::newRow("empty") << QByteArray("abc") << 0 << QString();
        // The view ends before the text does: nothing past it may show.
        QTest::newRow("view shorter than its text")
            << QByteArray("caf\xc3\xa9 menu") << 5 << QStringLiteral("caf\u00e9");
        QTest::newRow("embedded NUL") << QByteArray("a\0b", 3) << 3 << QString::fromUtf16(u"a\0b", 3);
    }

    void FromUtf8TakesExactlyTheView()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QCOMPARE(FromUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(length))), expected);
    }

    // PixelRect counts Right() and Bottom() one past the last pixel, QRect's right() and bottom()
    // are the last pixel: the same pixels must be covered either way.
    void RectanglesCoverTheSamePixels_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("empty") << 4 << 6 << 0 << 0;
        QTest::newRow("left of and above the origin") << -5 << -7 << 3 << 2;
        QTest::newRow("one pixel") << 2 << 3 << 1 << 1;
        QTest::newRow("main.bmp row cell") << 50 << 31 << 379 << 24;
    }

    void RectanglesCoverTheSamePixels()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, width);
        QFETCH(int, height);
        const PixelRect rect { x, y, width, height };
        const QRect converted = ToQRect(rect);
        QCOMPARE(converted, QRect(x, y, width, height));
        QCOMPARE(ToPixelRect(converted), rect);
        for (int py = y - 1; py <= rect.Bottom(); ++py)
            for (int px = x - 1; px <= rect.Right(); ++px)
                QCOMPARE(converted.contains(px, py), rect.Contains(px, py));
    }

    void ColoursKeepTheirComponents_data()
    {
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("black") << 0 << 0 << 0;
        QTest::newRow("each component its own") << 1 << 128 << 255;
        QTest::newRow("picker border") << 118 << 118 << 118;
    }

    void ColoursKeepTheirComponents()
    {
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        const QColor colour = ToQColor(Rgb { red, green, blue });
        QCOMPARE(colour, QColor(red, green, blue));
        QCOMPARE(ToRgb(colour), (Rgb { red, green, blue }));
    }

    // The skins' pictures are drawn for this font: every window's text must come out in it.
    void UiFontIsLiberationSansAtElevenPixels()
    {
        const QFont font = UiFont();
        QCOMPARE(font.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(font.pixelSize(), 11);
    }
};

} // namespace agendrix

int RunQtHelpersTests(int argc, char** argv)
{
    agendrix::QtHelpersTest suite;
    return QTest::qExec(&suite, argc, argv);
}

#include "QtHelpersQtTest.moc"
