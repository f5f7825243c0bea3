#include "environment/frmSkins.h"

#include "FolderEntries.h"
#include "RecordingEnvironmentHost.h"

#include "support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace agendrix {

namespace {
    const std::vector<std::string> LoadAndUnloadCalls { "NoHide true", "Float false Skins Load",
        "Float true Skins Unload", "NoHide false" };

    std::vector<std::string> Strings(const QStringList& list)
    {
        std::vector<std::string> strings;
        for (const QString& each : list)
            strings.push_back(each.toStdString());
        return strings;
    }
} // namespace

class SkinsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempFolder> Folder;
    std::unique_ptr<test::RecordingEnvironmentHost> Host;
    QPointer<frmSkins> Browser;

    void Make(const QStringList& entries) { QVERIFY(test::MakeEntries(QDir(Host->Folder), entries)); }

    void Open()
    {
        Browser = new frmSkins(*Host, nullptr);
        Browser->Open();
        QVERIFY(QTest::qWaitForWindowExposed(Browser));
    }

    QListWidget* List1() const { return Browser->findChild<QListWidget*>(QStringLiteral("List1")); }

    QStringList Names() const
    {
        QStringList names;
        for (int row = 0; row < List1()->count(); ++row)
            names << List1()->item(row)->text();
        return names;
    }

    QString Selected() const
    {
        const auto selected = List1()->selectedItems();
        return selected.size() == 1 ? selected.front()->text() : QString();
    }

    void ClickName(const QString& name)
    {
        const auto found = List1()->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QRect place = List1()->visualItemRect(found.front());
        QTest::mouseClick(List1()->viewport(), Qt::LeftButton, {}, place.center());
    }

    void Press(const char* button)
    {
        auto* target = Browser->findChild<QPushButton*>(QLatin1String(button));
        QVERIFY(target != nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    }

private slots:
    void init()
    {
        Folder = std::make_unique<test::TempFolder>();
        Host = std::make_unique<test::RecordingEnvironmentHost>();
        Host->Folder = QString::fromStdString(Folder->Path());
        Host->TheSettings.SkinPath = "/Skins/Default/";
    }

    void cleanup()
    {
        if (Browser)
            Browser->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Browser.isNull());
    }

    void listsTheSkinFoldersAndSelectsTheOneInUse_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("skinPath");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("selected");
        const QStringList skins { "Skins/Default/", "Skins/Classic/" };
        QTest::newRow("no skins folder") << QStringList() << "/Skins/Default/" << QStringList() << QString();
        QTest::newRow("skins is a file")
            << QStringList { "Skins" } << "/Skins/Default/" << QStringList() << QString();
        QTest::newRow("skin in use is gone")
            << skins << "/Skins/Gone/" << QStringList { "Classic", "Default" } << QString();
        QTest::newRow("files and hidden folders are not listed")
            << QStringList { "Skins/Default/", "Skins/.cache/", "Skins/read me.txt", "Skins/Classic/" }
            << "/Skins/Default/" << QStringList { "Classic", "Default" } << "Default";
        QTest::newRow("skins folder in lower case")
            << QStringList { "skins/Default/", "skins/Midnight/" } << "/Skins/Default/"
            << QStringList { "Default", "Midnight" } << "Default";
        QTest::newRow("skin in use in other case")
            << skins << "/skins/CLASSIC/" << QStringList { "Classic", "Default" } << "Classic";
        QTest::newRow("skin in use in backslashes")
            << skins << "\\Skins\\Classic\\" << QStringList { "Classic", "Default" } << "Classic";
    }
    void listsTheSkinFoldersAndSelectsTheOneInUse()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, skinPath);
        Make(entries);
        Host->TheSettings.SkinPath = skinPath.toStdString();
        Open();
        QCOMPARE(Browser->windowTitle(), QStringLiteral("Skin Browser"));
        QTEST(Names(), "names");
        QTEST(Selected(), "selected");
        QVERIFY(Host->SkinsLoaded.empty());
        QCOMPARE(Host->Calls, std::vector<std::string>({ "NoHide true", "Float false Skins Load" }));
    }

    void choosingANameAppliesItsSkinAtOnce_data()
    {
        QTest::addColumn<QString>("skinPath");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QString>("selected");
        QTest::newRow("broken skin gives way to the one in use")
            << "/Skins/Default/" << QStringList { "Broken" }
            << QStringList { "/Skins/Broken/", "/Skins/Default/" } << "Default";
        QTest::newRow("broken skin after another gives way to the one at opening")
            << "/Skins/Default/" << QStringList { "Classic", "Broken" }
            << QStringList { "/Skins/Classic/", "/Skins/Broken/", "/Skins/Default/" } << "Default";
        QTest::newRow("skin in use does nothing")
            << "/Skins/Default/" << QStringList { "Default" } << QStringList() << "Default";
        QTest::newRow("skin in use in other case does nothing")
            << "/skins/default/" << QStringList { "Default" } << QStringList() << "Default";
        QTest::newRow("classic") << "/Skins/Default/" << QStringList { "Classic" }
                                 << QStringList { "/Skins/Classic/" } << "Classic";
        QTest::newRow("three skins one after another")
            << "/Skins/Default/" << QStringList { "Classic", "Midnight", "Default" }
            << QStringList { "/Skins/Classic/", "/Skins/Midnight/", "/Skins/Default/" } << "Default";
    }
    void choosingANameAppliesItsSkinAtOnce()
    {
        QFETCH(QString, skinPath);
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, loaded);
        QFETCH(QString, selected);
        Make({ "Skins/Broken/", "Skins/Classic/", "Skins/Default/", "Skins/Midnight/" });
        Host->BrokenSkins = { "/Skins/Broken/" };
        Host->TheSettings.SkinPath = skinPath.toStdString();
        Open();
        for (const QString& name : clicks)
            ClickName(name);
        QCOMPARE(Host->SkinsLoaded, Strings(loaded));
        const std::string last = loaded.isEmpty() ? skinPath.toStdString() : loaded.back().toStdString();
        QCOMPARE(Host->TheSettings.SkinPath, last);
        QCOMPARE(Selected(), selected);
        QVERIFY(Host->Asked.Asked.empty());
        QVERIFY(Browser->isVisible());
    }

    void closingKeepsTheLastSkinOnlyWithOk_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QStringList>("loaded");
        const QStringList skins { "Skins/Classic/", "Skins/Default/", "Skins/Midnight/", "Skins/Ocean/" };
        const QStringList three { "Classic", "Midnight", "Ocean" };
        const QStringList threeLoaded { "/Skins/Classic/", "/Skins/Midnight/", "/Skins/Ocean/" };
        QTest::newRow("no skins folder, cancel")
            << QStringList() << QStringList() << "Command2" << QStringList();
        QTest::newRow("no skins folder, ok") << QStringList() << QStringList() << "Command1" << QStringList();
        QTest::newRow("cancel without a choice") << skins << QStringList() << "Command2" << QStringList();
        QTest::newRow("cancel after three skins")
            << skins << three << "Command2" << threeLoaded + QStringList { "/Skins/Default/" };
        QTest::newRow("escape after three skins")
            << skins << three << "Escape" << threeLoaded + QStringList { "/Skins/Default/" };
        QTest::newRow("window closed after three skins")
            << skins << three << "close" << threeLoaded + QStringList { "/Skins/Default/" };
        QTest::newRow("ok after three skins") << skins << three << "Command1" << threeLoaded;
    }
    void closingKeepsTheLastSkinOnlyWithOk()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, clicks);
        QFETCH(QString, closing);
        QFETCH(QStringList, loaded);
        Make(entries);
        Open();
        for (const QString& name : clicks)
            ClickName(name);
        if (closing == QLatin1String("Escape"))
            QTest::keyClick(Browser, Qt::Key_Escape);
        else if (closing == QLatin1String("close"))
            Browser->close();
        else
            Press(closing.toLatin1().constData());
        QCOMPARE(Host->SkinsLoaded, Strings(loaded));
        const std::string last = loaded.isEmpty() ? "/Skins/Default/" : loaded.back().toStdString();
        QCOMPARE(Host->TheSettings.SkinPath, last);
        QCOMPARE(Host->Calls, LoadAndUnloadCalls);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Browser.isNull());
    }
};

} // namespace agendrix

QTEST_MAIN(agendrix::SkinsTest)
#include "frmSkinsQtTest.moc"
