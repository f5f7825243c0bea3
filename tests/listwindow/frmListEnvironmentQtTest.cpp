#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "environment/frmSkins.h"
#include "environment/frmTools.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace agendrix {

namespace {
    constexpr QRgb DefaultColour = 0xff20a040;
    constexpr QRgb MidnightColour = 0xff102080;

    // A skin whose four list window pictures are one colour each, large enough for every piece
    // the surface copies; `pictures` false leaves only its colour file, which no window can be
    // drawn from.
    void WriteSkin(const QString& folder, QRgb colour, bool pictures = true)
    {
        QVERIFY(QDir().mkpath(folder));
        QFile colours(folder + QStringLiteral("/colors.txt"));
        QVERIFY(colours.open(QIODevice::WriteOnly));
        colours.write("255\n255\n255\n0\n0\n0\n");
        if (!pictures)
            return;
        for (const char* name : { "main.bmp", "plamps.bmp", "buttons.bmp", "aniopen.bmp" }) {
            QImage picture(480, 520, QImage::Format_RGB32);
            picture.fill(colour);
            QVERIFY(picture.save(folder + QLatin1Char('/') + QLatin1String(name), "BMP"));
        }
    }

    // The colour of the window's surface where no text or control lies: the title bar's left end.
    QRgb SurfaceColour(frmList& window) { return window.grab().toImage().pixel(2, 2); }

    void ClickSkin(frmSkins& browser, const QString& name)
    {
        auto* list = browser.findChild<QListWidget*>(QStringLiteral("List1"));
        const auto found = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
    }

    void Press(QWidget& dialog, const char* button)
    {
        auto* target = dialog.findChild<QPushButton*>(QLatin1String(button));
        QVERIFY(target != nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    }
} // namespace

class ListWindowEnvironmentTest : public QObject {
    Q_OBJECT

private slots:
    void theSkinBrowserRedrawsTheWindowLive_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QString>("skinPath");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("broken folder falls back") << QStringList { "Broken" } << "Command1"
                                                  << "/Skins/Default/" << DefaultColour;
        QTest::newRow("broken folder after another falls back")
            << QStringList { "Midnight", "Broken" } << "Command1"
            << "/Skins/Default/" << DefaultColour;
        QTest::newRow("cancel goes back") << QStringList { "Midnight" } << "Command2"
                                          << "/Skins/Default/" << DefaultColour;
        QTest::newRow("ok keeps it") << QStringList { "Midnight" } << "Command1"
                                     << "/Skins/Midnight/" << MidnightColour;
    }
    void theSkinBrowserRedrawsTheWindowLive()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, closing);
        ListWindowFixture fixture;
        const QDir program(QString::fromStdString(fixture.Folder.Path()));
        WriteSkin(program.filePath(QStringLiteral("Skins/Default")), DefaultColour);
        WriteSkin(program.filePath(QStringLiteral("Skins/Midnight")), MidnightColour);
        WriteSkin(program.filePath(QStringLiteral("Skins/Broken")), 0, false);
        auto window = fixture.Open({ "04\tTask\t\t0\t20261206\t1\t0\t" });
        QCOMPARE(SurfaceColour(*window), DefaultColour);

        QPointer<frmSkins> browser = window->ShowSkinBrowser();
        QVERIFY(window->HoldsSidebar());
        for (const QString& name : clicks) {
            ClickSkin(*browser, name);
            // Live: the window shows a whole skin while the browser is still open.
            if (name == QLatin1String("Midnight"))
                QCOMPARE(SurfaceColour(*window), MidnightColour);
        }
        Press(*browser, closing.toLatin1().constData());
        QTEST(QString::fromStdString(window->CurrentSettings().SkinPath), "skinPath");
        QTEST(SurfaceColour(*window), "colour");
        QVERIFY(fixture.Prompts.Asked.empty());
        QVERIFY(!window->HoldsSidebar());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(browser.isNull());
    }

    void okInTheOptionsRedisplaysTheList_data()
    {
        QTest::addColumn<int>("days");
        QTest::newRow("one day per level") << 1;
        QTest::newRow("thirty days per level") << 30;
    }
    void okInTheOptionsRedisplaysTheList()
    {
        QFETCH(int, days);
        // Due in three weeks: its priority depends on the days per level.
        const std::vector<std::string> tasks { "00\tReport\t\t1\t20261227\t2\t0\t" };
        ListWindowFixture expected;
        expected.TheSettings.DaysPerLevel = days;
        const std::string wanted(expected.Open(tasks)->Document().Tasks.Line(0).substr(0, 2));

        ListWindowFixture fixture;
        auto window = fixture.Open(tasks);
        QVERIFY(window->Document().Tasks.Line(0).substr(0, 2) != wanted);
        QPointer<frmTools> dialog = window->ShowOptions();
        dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QString::number(days));
        Press(*dialog, "Command1");
        QCOMPARE(window->CurrentSettings().DaysPerLevel, days);
        QCOMPARE(std::string(window->Document().Tasks.Line(0).substr(0, 2)), wanted);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog.isNull());
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowEnvironmentTest);

#include "frmListEnvironmentQtTest.moc"
