#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "listwindow/frmMRU.h"
#include "listwindow/frmMenu.h"

#include "editing/InlineEditors.h"
#include "environment/HelpPage.h"
#include "model/RecentLists.h"
#include "support/Bytes.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

namespace agendrix {

namespace {
    constexpr const char* Refusal = "You cannot set the Always On Top option when in Sidebar Mode";
    constexpr const char* MergerMissing
        = "Agendrix List Merger not detected.\n\nPlease download the List Merger "
          "from our site\nand extract to the Agendrix directory.";

    void WriteMerger(const std::string& path, QFileDevice::Permissions permissions)
    {
        QFile merger(QString::fromStdString(path));
        QVERIFY(merger.open(QIODevice::WriteOnly));
        merger.write("#!/bin/sh\n");
        merger.close();
        QVERIFY(merger.setPermissions(permissions));
    }
    std::vector<std::string> TasksOfTwo()
    {
        return { "02\tFirst\t\t0\t20261206\t1\t0\t", "03\tSecond\t\t0\t20261206\t1\t0\t" };
    }

    QPoint MenuButtonOf(const frmList& window) { return Centre(window.CurrentView().Layout.MenuButton); }

    // Clicks entry `index` of the open menu, as the user does.
    void ClickEntry(frmMenu& menu, int index)
    {
        const QPoint at = menu.EntryRect(index).center();
        QTest::mouseMove(&menu, at);
        QTest::mouseClick(&menu, Qt::LeftButton, {}, at);
    }
    // Opens the menu under its button and moves the pointer onto its Open entry from another one,
    // which shows the recent lists: a move to where the pointer already is would be no move at all.
    frmMenu* OpenRecentLists(frmList& window)
    {
        frmMenu* menu = window.OpenMenuUnderButton();
        QTest::mouseMove(menu, menu->EntryRect(frmMenu::OpenEntry + 1).center());
        QTest::mouseMove(menu, menu->EntryRect(frmMenu::OpenEntry).center());
        return menu;
    }
} // namespace

class ListWindowMenuCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void altKListsTheThirteenShortcutsInOrder()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open({});
        QTest::keyClick(window.get(), Qt::Key_K, Qt::AltModifier);
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t(1));
        const PromptRequest& box = fixture.Prompts.Asked.front();
        QCOMPARE(box.Title, std::string("Keyboard Shortcuts"));
        QCOMPARE(box.Icon, PromptIcon::Information);
        QCOMPARE(box.Text,
            std::string("Keyboard Shortcuts\n\n"
                        "Alt+[space]\tAgendrix Menu\n"
                        "Alt+I\tIndex of lists in current directory\n"
                        "Alt+M\tGo to Agendrix.agl list\n"
                        "Alt+S\tSave list\n"
                        "Alt+A\tSave list As\n"
                        "Alt+P\tPrint list\n"
                        "Alt+F\tFind text\n"
                        "Alt+C\tCopy list\n"
                        "Alt+D\tList directory of files\n"
                        "Alt+R\tImport text list\n"
                        "Alt+W\tExport to web page\n"
                        "Alt+T\tAgendrix Online\n"
                        "Alt+K\tShow keyboard shortcuts\n"));
        QVERIFY(!window->HoldsSidebar());
    }

    void theListMergerStartsOnlyWhenItIsThere_data()
    {
        QTest::addColumn<int>("merger"); // 0 none, 1 not executable, 2 executable
        QTest::addColumn<bool>("failsToStart");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("missing") << 0 << false << QString::fromUtf8(MergerMissing);
        QTest::newRow("notExecutable") << 1 << false << QString::fromUtf8(MergerMissing);
        QTest::newRow("failsToStart") << 2 << true << QStringLiteral("could not be started");
        QTest::newRow("starts") << 2 << false << QString();
    }
    void theListMergerStartsOnlyWhenItIsThere()
    {
        QFETCH(int, merger);
        QFETCH(bool, failsToStart);
        QFETCH(QString, message);
        ListWindowFixture fixture;
        const std::string path = fixture.Path("agendrix-lm");
        if (merger > 0)
            WriteMerger(path,
                merger == 2 ? QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                            : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (failsToStart)
            fixture.Desktop.Failing.insert(path);
        auto window = fixture.Open({});
        QCOMPARE(window->ListMergerPresent(), merger == 2);
        window->Run(ListCommand::ListMerger);
        QCOMPARE(fixture.Desktop.Tried.size(), std::size_t(merger == 2 ? 1 : 0));
        if (merger == 2)
            QCOMPARE(fixture.Desktop.Tried.front().first, path);
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty())
            QVERIFY(QString::fromStdString(fixture.Prompts.Asked.front().Text).contains(message));
    }

    void theMenuOpensEachWayAUserOpensIt_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("atPointer");
        QTest::newRow("leftPressOnTheBackgroundOpensNothing") << "left" << false << false;
        QTest::newRow("altSpace") << "altSpace" << true << false;
        QTest::newRow("menuButton") << "button" << true << false;
        QTest::newRow("rightPressOnTheBackground") << "right" << true << true;
    }
    void theMenuOpensEachWayAUserOpensIt()
    {
        QFETCH(QString, how);
        QFETCH(bool, opens);
        QFETCH(bool, atPointer);
        ListWindowFixture fixture;
        auto window = fixture.OpenShown({});
        const QPoint background = TitleBackgroundOf(*window);
        if (how == QLatin1String("left"))
            Click(*window, background);
        else if (how == QLatin1String("right"))
            QTest::mousePress(window.get(), Qt::RightButton, {}, background);
        else if (how == QLatin1String("button"))
            Click(*window, MenuButtonOf(*window));
        else
            QTest::keyClick(window.get(), Qt::Key_Space, Qt::AltModifier);
        QCOMPARE(window->Menu() != nullptr, opens);
        if (!opens)
            return;
        QVERIFY(window->Menu()->isVisible());
        const QPoint expected = atPointer ? window->mapToGlobal(background) : window->pos() + QPoint(4, 16);
        QCOMPARE(window->Menu()->pos(), expected);
        QCOMPARE(window->Menu()->Highlighted(), -1);
        window->Menu()->close();
        if (how == QLatin1String("right")) // QTest would hold the button down for the suites after this one
            QTest::mouseRelease(window.get(), Qt::RightButton, {}, background);
    }

    void theMenuShowsItsSixteenCaptions()
    {
        const char* expected[] = { " &New Task List", " &Open Task List", " &Save Task List", " &Print...",
            " &Find...", " Al&ways On Top", " &Copy List", " &List of Files...", " Import &Text List...",
            " &Export to Web Page...", " &Help...", " A&bout Agendrix...", " Task List &Index",
            "Launch List &Merger", " Save Task List &As...", " Si&debar Mode" };
        QCOMPARE(std::size(expected), std::size_t(frmMenu::EntryCount));
        for (int i = 0; i < frmMenu::EntryCount; ++i)
            QCOMPARE(frmMenu::Caption(i), QString::fromUtf8(expected[i]));
    }

    void entriesRunTheirCommands_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("dockMode");
        QTest::addColumn<bool>("onTopBefore");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<std::size_t>("dialogs");
        QTest::addColumn<QString>("message"); // the one message shown, if any
        QTest::addColumn<bool>("onTop");
        QTest::addColumn<bool>("docked");
        const QString refusal = QString::fromUtf8(Refusal);
        const std::size_t none = 0;
        QTest::newRow("alwaysOnTopInSidebarIsRefused")
            << 5 << 1 << false << false << none << refusal << false << true;
        QTest::newRow("alwaysOnTopInSidebarStaysOn")
            << 5 << 1 << true << false << none << refusal << true << true;
        QTest::newRow("mergerMissing")
            << 13 << 0 << false << false << none << QString::fromUtf8(MergerMissing) << false << false;
        QTest::newRow("save") << 2 << 0 << false << true << none << QString() << false << false;
        QTest::newRow("saveAsAsksWhere")
            << 14 << 0 << false << false << std::size_t(1) << QString() << false << false;
        QTest::newRow("alwaysOnTopTurnsOn") << 5 << 0 << false << false << none << QString() << true << false;
        QTest::newRow("alwaysOnTopTurnsOff")
            << 5 << 0 << true << false << none << QString() << false << false;
        QTest::newRow("sidebarModeEnters") << 15 << 0 << false << false << none << QString() << false << true;
        QTest::newRow("sidebarModeLeaves")
            << 15 << 1 << false << false << none << QString() << false << false;
    }
    void entriesRunTheirCommands()
    {
        QFETCH(int, entry);
        QFETCH(int, dockMode);
        QFETCH(bool, onTopBefore);
        QFETCH(bool, saved);
        QFETCH(std::size_t, dialogs);
        QFETCH(QString, message);
        QFETCH(bool, onTop);
        QFETCH(bool, docked);
        ListWindowFixture fixture;
        fixture.TheSettings.DockMode = dockMode;
        fixture.TheSettings.AlwaysOnTop = onTopBefore;
        auto window = fixture.OpenShown(TasksOfTwo());
        DocumentOf(*window).Dirty = true;
        frmMenu* menu = window->OpenMenuUnderButton();
        ClickEntry(*menu, entry);
        QTRY_VERIFY_WITH_TIMEOUT(window->Menu() == nullptr, 2000); // the menu closed itself
        QCOMPARE(!window->Document().Dirty, saved);
        QCOMPARE(fixture.Prompts.Dialogs.size(), dialogs);
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty())
            QCOMPARE(QString::fromStdString(fixture.Prompts.Asked.front().Text), message);
        QCOMPARE(window->CurrentSettings().AlwaysOnTop, onTop);
        QCOMPARE(window->Docked(), docked);
        if (!docked) // the sidebar always stays on top
            QCOMPARE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), onTop);
    }

    void altTOpensTheHomePageAndAnimatePriorityStepsTheLamp()
    {
        ListWindowFixture fixture;
        auto window = fixture.OpenShown(PlainTasks(3));
        QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
        QCOMPARE(fixture.Desktop.Opened.size(), std::size_t { 1 });
        const QString helpPage
            = FindHelpPage(FromUtf8(fixture.Folder.Path()), QCoreApplication::applicationDirPath());
        QCOMPARE(QString::fromStdString(fixture.Desktop.Opened.front().first), HomePageAddress(helpPage));
        QVERIFY(!window->PriorityAnimating());
        window->Run(ListCommand::AnimatePriority);
        QVERIFY(window->PriorityAnimating());
    }

    void newAndOpenRunThePanelsCommandsAndGiveTheSidebarBack()
    {
        ListWindowFixture fixture;
        auto window = fixture.OpenShown(PlainTasks(2));
        QVERIFY(!window->HoldsSidebar());
        ClickEntry(*window->OpenMenuUnderButton(), frmMenu::OpenEntry);
        QCOMPARE(fixture.Prompts.Dialogs.size(), std::size_t { 1 }); // cancelled
        QCOMPARE(fixture.Prompts.Dialogs.front().Title, std::string("Open Task List"));
        QCOMPARE(window->Document().Tasks.Count(), std::size_t { 2 });
        QVERIFY(!window->HoldsSidebar());
        frmMenu* menu = window->OpenMenuUnderButton();
        QVERIFY(window->HoldsSidebar());
        ClickEntry(*menu, frmMenu::NewEntry);
        QCOMPARE(window->Document().ListName, std::string("New Task List 1"));
        QCOMPARE(window->Document().Tasks.Count(), std::size_t { 0 });
        QVERIFY(!window->HoldsSidebar());
        // Closed without a choice, the menu gives the sidebar back as well.
        window->OpenMenuUnderButton()->close();
        QVERIFY(!window->HoldsSidebar());
    }

    void theEntryUnderThePointerIsHighlightedAndTheModesChecked()
    {
        ListWindowFixture fixture;
        fixture.TheSettings.AlwaysOnTop = true;
        auto window = fixture.OpenShown({});
        frmMenu* menu = window->OpenMenuUnderButton();
        QVERIFY(menu->Checked(5));
        QVERIFY(!menu->Checked(15));
        const QRect row = menu->EntryRect(3);
        QTest::mouseMove(menu, row.center());
        QCOMPARE(menu->Highlighted(), 3);
        // The right end of the row carries no text: it shows the highlight background, the
        // default skin's dark blue, and the row below the menu's own background.
        const QImage picture = menu->grab().toImage();
        QCOMPARE(QColor(picture.pixel(row.right() - 1, row.center().y())), QColor(0, 0, 128));
        QCOMPARE(
            QColor(picture.pixel(row.right() - 1, row.center().y() + row.height())), QColor(240, 240, 240));
        menu->close();
    }

    void hoveringOpenShowsTheRecentListsAndLeavingItHidesThem()
    {
        ListWindowFixture fixture;
        auto window = fixture.OpenShown({});
        frmMenu* menu = OpenRecentLists(*window);
        QVERIFY(menu->RecentPopup() != nullptr);
        const QPoint popup = menu->RecentPopup()->pos();
        QCOMPARE(popup, menu->pos() + QPoint(menu->width() - 4, 21));
        QTest::mouseMove(menu, menu->EntryRect(3).center());
        QTRY_VERIFY_WITH_TIMEOUT(menu->RecentPopup() == nullptr, 2000);
        menu->close();
    }

    void theRecentListsShowTheirNamesAndKeys_data()
    {
        QTest::addColumn<QStringList>("recent"); // after the open list, which comes first
        QTest::addColumn<QStringList>("expected"); // the captions after "Other Task List..."
        const QString longName = QString(5000, QLatin1Char('x'));
        QTest::newRow("aNameWithoutAFolderEndsTheList")
            << QStringList { "/gone/Work.agl", "Loose.agl", "/a/After.agl" } << QStringList { " &2  Work" };
        QTest::newRow("folderAndVeryLongPath") << QStringList { "/tmp", "/" + longName + ".agl" }
                                               << QStringList { " &2  tmp", " &3  " + longName };
        QTest::newRow("upperCaseExtensionStays")
            << QStringList { "/a/Work.AGL" } << QStringList { " &2  Work.AGL" };
        QStringList fourteen;
        for (int i = 0; i < 14; ++i)
            fourteen << QStringLiteral("/lists/l%1.agl").arg(i);
        QStringList fourteenCaptions;
        for (int i = 0; i < 14; ++i)
            fourteenCaptions << QStringLiteral(" &%1  l%2").arg(QChar(i < 8 ? '2' + i : 'A' + i - 8)).arg(i);
        QTest::newRow("fifteenEndWithF") << fourteen << fourteenCaptions;
    }
    void theRecentListsShowTheirNamesAndKeys()
    {
        QFETCH(QStringList, recent);
        QFETCH(QStringList, expected);
        ListWindowFixture fixture;
        for (qsizetype i = 0; i < recent.size(); ++i)
            fixture.TheSettings.Recent[static_cast<std::size_t>(i)] = recent[i].toStdString();
        auto window = fixture.OpenShown({});
        frmMenu* menu = OpenRecentLists(*window);
        frmMRU* popup = menu->RecentPopup();
        QVERIFY(popup != nullptr);
        QStringList captions;
        for (int i = 0; i < popup->LabelCount(); ++i)
            captions << popup->Caption(i);
        const QStringList first { " &Other Task List...", " &1  list" };
        QCOMPARE(captions, first + expected);
        menu->close();
    }

    void shiftClickRemovesARecentListAtOnce_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("otherTaskListRemovesNothing") << 0 << QStringList { "list", "b", "c" };
        QTest::newRow("middle") << 2 << QStringList { "list", "c" };
        QTest::newRow("last") << 3 << QStringList { "list", "b" };
    }
    void shiftClickRemovesARecentListAtOnce()
    {
        QFETCH(int, label);
        QFETCH(QStringList, left);
        ListWindowFixture fixture;
        fixture.TheSettings.Recent[0] = "/x/b.agl";
        fixture.TheSettings.Recent[1] = "/x/c.agl";
        auto window = fixture.OpenShown({});
        frmMenu* menu = OpenRecentLists(*window);
        frmMRU* popup = menu->RecentPopup();
        QTest::mouseClick(popup, Qt::LeftButton, Qt::ShiftModifier, popup->LabelRect(label).center());
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->LabelCount(), 1 + static_cast<int>(left.size()));
        QStringList names;
        for (std::size_t i = 0; i < RecentListsShown(window->CurrentSettings().Recent); ++i)
            names
                << QFileInfo(QString::fromStdString(window->CurrentSettings().Recent[i])).completeBaseName();
        QCOMPARE(names, left);
        QVERIFY(fixture.Prompts.Asked.empty());
        menu->close();
    }

    void choosingARecentListAsksToSaveFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("savedFirst");
        QTest::newRow("cancelKeepsTheListOpenAndUnsaved") << int(PromptAnswer::Cancel) << false << false;
        QTest::newRow("noOpensWithoutSaving") << int(PromptAnswer::No) << true << false;
        QTest::newRow("yesSavesThenOpens") << int(PromptAnswer::Yes) << true << true;
    }
    void choosingARecentListAsksToSaveFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, opened);
        QFETCH(bool, savedFirst);
        ListWindowFixture fixture;
        SaveFileAtomically(fixture.Path("other.agl"), ListHeader);
        fixture.TheSettings.Recent[0] = fixture.Path("other.agl");
        fixture.Prompts.Answers = { static_cast<PromptAnswer>(answer) };
        auto window = fixture.OpenShown({});
        DocumentOf(*window).Dirty = true;
        // Only a save brings the file back.
        QVERIFY(QFile::remove(QString::fromStdString(fixture.Path("list.agl"))));
        frmMenu* menu = OpenRecentLists(*window);
        QTest::keyClick(menu->RecentPopup(), Qt::Key_2); // "other", below the open list
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t(1));
        QCOMPARE(fixture.Prompts.Asked.front().Title, std::string("Save Task List?"));
        QCOMPARE(window->Document().ListName == fixture.Path("other.agl"), opened);
        QCOMPARE(window->Document().Dirty, !opened);
        QCOMPARE(QFile::exists(QString::fromStdString(fixture.Path("list.agl"))), savedFirst);
        QTRY_COMPARE_WITH_TIMEOUT(window->Menu() == nullptr, opened, 2000); // Cancel leaves the menu open
    }

    // What a user meets when a recent list went away: the window tells which file, keeps its own
    // list saved and stays usable.
    void aRecentListThatCannotBeReadIsNamedAndNothingIsLost_data()
    {
        QTest::addColumn<QString>("recent"); // relative to the fixture's folder
        QTest::newRow("goneFile") << QStringLiteral("gone/Work.agl");
        QTest::newRow("folder") << QStringLiteral("afolder");
        QTest::newRow("pathOf5000Characters") << QString(5000, QLatin1Char('x')) + ".agl";
    }
    void aRecentListThatCannotBeReadIsNamedAndNothingIsLost()
    {
        QFETCH(QString, recent);
        ListWindowFixture fixture;
        QVERIFY(QDir(QString::fromStdString(fixture.Path(""))).mkdir(QStringLiteral("afolder")));
        const std::string path = fixture.Path(recent.toStdString());
        fixture.TheSettings.Recent[0] = path;
        auto window = fixture.OpenShown(PlainTasks(2));
        const std::string before = test::ReadBytes(fixture.Path("list.agl"));
        frmMenu* menu = OpenRecentLists(*window);
        QTest::keyClick(menu->RecentPopup(), Qt::Key_2);
        QTRY_VERIFY_WITH_TIMEOUT(window->Menu() == nullptr, 2000);
        QCOMPARE(test::ReadBytes(fixture.Path("list.agl")), before);
        QVERIFY(!fixture.Prompts.Asked.empty());
        QVERIFY2(
            fixture.Prompts.Asked.back().Text.find(path.substr(path.rfind('/') + 1, 40)) != std::string::npos,
            fixture.Prompts.Asked.back().Text.c_str());
        QTest::keyClick(window.get(), Qt::Key_K, Qt::AltModifier); // the keys still work
        QCOMPARE(fixture.Prompts.Asked.back().Title, std::string("Keyboard Shortcuts"));
    }

    void accessKeysReachTheWindowFromAnInPlaceEdit_data()
    {
        QTest::addColumn<bool>("information"); // the information editor, else the description's
        QTest::addColumn<int>("key");
        QTest::newRow("descriptionAltK") << false << int(Qt::Key_K);
        QTest::newRow("descriptionAltSpace") << false << int(Qt::Key_Space);
        QTest::newRow("informationAltK") << true << int(Qt::Key_K);
        QTest::newRow("informationAltSpace") << true << int(Qt::Key_Space);
    }
    void accessKeysReachTheWindowFromAnInPlaceEdit()
    {
        QFETCH(bool, information);
        QFETCH(int, key);
        ListWindowFixture fixture;
        auto window = fixture.OpenShown(TasksOfTwo());
        QWidget* editor = window->Editors().Text1();
        if (information) {
            Click(*window, LampOf(*window, 0), Qt::LeftButton);
            window->Editors().Text2()->show();
            editor = window->Editors().Text2();
        } else {
            Click(*window, LabelOf(*window, 0));
        }
        editor->setFocus();
        QVERIFY(editor->isVisible());
        QTest::keyClick(editor, static_cast<Qt::Key>(key), Qt::AltModifier);
        if (key == Qt::Key_K) {
            QCOMPARE(fixture.Prompts.Asked.size(), std::size_t(1));
            QCOMPARE(fixture.Prompts.Asked.front().Title, std::string("Keyboard Shortcuts"));
        } else {
            QVERIFY(window->Menu() != nullptr);
            window->Menu()->close();
        }
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowMenuCommandsTest);

#include "frmListMenuQtTest.moc"
