#include "environment/frmAbout.h"

#include "RecordingEnvironmentHost.h"

#include "model/ListFile.h"
#include "skin/QtHelpers.h"

#include "support/RecordingShell.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace agendrix {

namespace {

    const std::vector<std::string> LoadCalls { "NoHide true", "Float false About Load" };
    const std::vector<std::string> LoadAndUnloadCalls { "NoHide true", "Float false About Load",
        "Float true About Unload", "NoHide false" };

    int WidthOf(const QString& title, QFont font, int pixels)
    {
        font.setPixelSize(pixels);
        return QFontMetrics(font).horizontalAdvance(title);
    }

    bool IsNavy(QRgb pixel) { return qRed(pixel) < 40 && qGreen(pixel) < 40 && qBlue(pixel) > 90; }

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::RecordingEnvironmentHost> Host;
    std::unique_ptr<test::RecordingShell> Desktop;
    QPointer<frmAbout> Box;

    frmAbout* Open(const std::string& title = "Agendrix", std::uint32_t seed = 1)
    {
        Box = new frmAbout(*Host, *Desktop, AboutOptions { title, seed }, nullptr);
        Box->Open();
        return Box;
    }

    QTimer* Timer1() const { return Box->findChild<QTimer*>(QStringLiteral("Timer1")); }
    QString Text(const char* label) const { return Box->findChild<QLabel*>(QLatin1String(label))->text(); }

    void Click(const char* button)
    {
        auto* target = Box->findChild<QPushButton*>(QLatin1String(button));
        QVERIFY(target != nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    }

private slots:
    void init()
    {
        Host = std::make_unique<test::RecordingEnvironmentHost>();
        Desktop = std::make_unique<test::RecordingShell>();
    }

    void cleanup()
    {
        if (Box)
            Box->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Box.isNull());
    }

    void showsItsTextsAndIsCentred()
    {
        Open();
        QCOMPARE(Box->windowTitle(), QStringLiteral(" About Agendrix"));
        QCOMPARE(Text("lblVersion"), QStringLiteral("Version ") + FromUtf8(ProgramVersion));
        QVERIFY(!Text("lblDescription").isEmpty());
        QVERIFY(Text("lblDisclaimer").contains(QStringLiteral("without warranty")));
        QVERIFY(Text("lblDisclaimer").contains(QStringLiteral("plain text files")));
        QVERIFY(!Box->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(Box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
        QCOMPARE(Box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
            QStringLiteral("System Info..."));
        QVERIFY(Box->isVisible());
        QCOMPARE(Box->windowModality(), Qt::ApplicationModal);
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        const QPoint offset = Box->frameGeometry().center() - centre;
        QVERIFY2(offset.manhattanLength() <= 2,
            qPrintable(QStringLiteral("off by %1,%2").arg(offset.x()).arg(offset.y())));
    }

    void unloadingGivesTheListWindowItsStateBackAndStopsTheShelf_data()
    {
        QTest::addColumn<QString>("closing");
        for (const char* closing : { "closedTwice", "cmdOK", "Escape", "close" })
            QTest::newRow(closing) << QString::fromLatin1(closing);
    }
    void unloadingGivesTheListWindowItsStateBackAndStopsTheShelf()
    {
        QFETCH(QString, closing);
        Open();
        QCOMPARE(Host->Calls, LoadCalls);
        QPointer<QTimer> timer = Timer1();
        QVERIFY(timer && timer->isActive());
        if (closing == QLatin1String("Escape"))
            QTest::keyClick(Box, Qt::Key_Escape);
        else if (closing == QLatin1String("cmdOK"))
            Click("cmdOK");
        else
            Box->close();
        if (closing == QLatin1String("closedTwice"))
            Box->close();
        QCOMPARE(Host->Calls, LoadAndUnloadCalls);
        QVERIFY(!timer || !timer->isActive());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Box.isNull());
        QVERIFY(timer.isNull());
    }

    void theTitleIsFittedUnder156Pixels_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("smaller");
        QTest::newRow("longTitle") << QStringLiteral("Agendrix Prioritised Task Lists for Everyone") << true;
        QTest::newRow("accentedLongTitle") << QStringLiteral("Agendrix Édition Complète des Tâches") << true;
        QTest::newRow("shortTitle") << QStringLiteral("Agendrix") << false;
    }
    void theTitleIsFittedUnder156Pixels()
    {
        QFETCH(QString, title);
        QFETCH(bool, smaller);
        Open(title.toStdString());
        QFont font = UiFont();
        font.setBold(true);
        const int pixels = Box->TitlePixels();
        QVERIFY(WidthOf(title, font, pixels) < 156);
        QCOMPARE(pixels < frmAbout::TitleFontPixels, smaller);
        // Not smaller than it needs to be.
        if (smaller)
            QVERIFY(WidthOf(title, font, pixels + 1) >= 156);
    }

    void theShelfShowsTheTitleInNavyAndFillsWithBooks()
    {
        Open();
        const QImage setUp = Box->ShelfPicture().toImage();
        QCOMPARE(setUp.size(), QSize(frmAbout::ShelfWid, frmAbout::ShelfHgt));
        QCOMPARE(setUp.pixel(4, 4), qRgb(255, 255, 255));
        QCOMPARE(setUp.pixel(frmAbout::ShelfWid - 11, frmAbout::ShelfHgt - 19), qRgb(255, 255, 255));
        int navy = 0;
        for (int y = 4; y < 40; ++y)
            for (int x = 60; x < 216; ++x)
                navy += IsNavy(setUp.pixel(x, y)) ? 1 : 0;
        QVERIFY(navy > 20);

        // Until the shelf is full, which the long pause before it starts over tells.
        for (int tick = 0; tick < 1000 && Timer1()->interval() != BookShelf::FullShelfMs; ++tick)
            QMetaObject::invokeMethod(Timer1(), "timeout");
        QCOMPARE(Timer1()->interval(), BookShelf::FullShelfMs);
        const QImage drawn = Box->ShelfPicture().toImage();
        const BookShelf rules(frmAbout::ShelfWid, frmAbout::ShelfHgt, 1);
        const PixelRect area = rules.Shelf();
        int bookPixels = 0;
        for (int x = area.X; x < area.Right(); ++x) {
            const QRgb pixel = drawn.pixel(x, area.Bottom() - 1);
            const bool white = pixel == qRgb(255, 255, 255);
            bookPixels += white ? 0 : 1;
        }
        QVERIFY2(bookPixels > area.Width / 2, qPrintable(QString::number(bookPixels)));
        // Nothing is drawn over the title or outside the white box.
        for (int y = 0; y < area.Y; ++y)
            for (int x = 0; x < frmAbout::ShelfWid; ++x)
                QCOMPARE(drawn.pixel(x, y), setUp.pixel(x, y));
        QVERIFY(Timer1()->isActive());
    }

    void systemInfoStartsAToolOrShowsTheReportOrSaysItIsUnavailable_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("reportShows");
        QTest::addColumn<int>("starts");
        QTest::addColumn<int>("reports");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothingWorks")
            << false << false << 0 << 1 << QStringLiteral("System Information Is Unavailable At This Time");
        QTest::newRow("noTool") << false << true << 0 << 1 << QString();
        QTest::newRow("toolInstalled") << true << true << 1 << 0 << QString();
    }
    void systemInfoStartsAToolOrShowsTheReportOrSaysItIsUnavailable()
    {
        QFETCH(bool, installed);
        QFETCH(bool, reportShows);
        QFETCH(int, starts);
        QFETCH(int, reports);
        QFETCH(QString, message);
        if (installed)
            Desktop->Installed["kinfocenter"] = "/usr/bin/kinfocenter";
        Host->Asked.ReportsShow = reportShows;
        Open();
        Click("cmdSysInfo");
        QCOMPARE(static_cast<int>(Desktop->Tried.size()), starts);
        QCOMPARE(static_cast<int>(Host->Asked.Reports.size()), reports);
        if (reports == 1) {
            const QString report = QString::fromStdString(Host->Asked.Reports.front().Text);
            QVERIFY(report.startsWith(
                QStringLiteral("Agendrix ") + FromUtf8(ProgramVersion) + QLatin1Char('\n')));
            QVERIFY(report.contains(QStringLiteral("\nQt ") + QLatin1String(qVersion()) + QLatin1Char('\n')));
            QVERIFY(report.contains(QStringLiteral("\nPlatform: offscreen\n")));
            QVERIFY(report.contains(QStringLiteral("\nScreen 1: ")));
            QVERIFY(report.contains(QStringLiteral("\nSettings file: /opt/agendrix/agendrix.ini\n")));
            QVERIFY(report.contains(QStringLiteral("\nSkin: /opt/agendrix/Skins/Default\n")));
        }
        QCOMPARE(Host->Asked.Asked.size(), message.isEmpty() ? 0u : 1u);
        if (!message.isEmpty())
            QCOMPARE(QString::fromStdString(Host->Asked.Asked.front().Text), message);
        QVERIFY(Box->isVisible());
    }
};

} // namespace agendrix

QTEST_MAIN(agendrix::AboutTest)
#include "frmAboutQtTest.moc"
