#include "environment/frmTools.h"

#include "FolderEntries.h"
#include "RecordingEnvironmentHost.h"

#include "environment/FileAssociations.h"
#include "environment/HelpPage.h"

#include "support/RecordingShell.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace agendrix {

namespace {

    const std::string NotANumber = "Days per level must be a number.";
    const std::string OutOfRange = "Days per level must be a number from 1 to 4681.";

    class CountingAssociations : public FileAssociations {
    public:
        void Associate() override { ++Calls; }
        int Calls = 0;
    };

    // Settings unlike the defaults in every field the dialog shows, so that a control that shows
    // or stores the wrong field changes them.
    Settings StartingSettings()
    {
        Settings settings;
        settings.AniSpeed = 7;
        settings.AutoCtrls = 1;
        settings.AutoTaskSel = 0;
        settings.DefaultOpen = 1;
        settings.DefaultList = "/home/me/Lists/Work.agl";
        settings.DaysPerLevel = 12;
        settings.NumOrder = 0;
        settings.ShowTop5 = 1;
        return settings;
    }

    const std::vector<std::string> LoadAndUnloadCalls { "NoHide true", "Float false Tools Load",
        "Float true Tools Unload", "NoHide false" };

} // namespace

class ToolsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::RecordingEnvironmentHost> Host;
    std::unique_ptr<test::RecordingShell> Desktop;
    CountingAssociations Associations;
    QPointer<frmTools> Dialog;

    void Open(ToolsOptions options = { "", "https://agendrix.example/", nullptr })
    {
        Dialog = new frmTools(*Host, *Desktop, std::move(options), nullptr);
        Dialog->Open();
        Dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Dialog));
    }

    template <typename T = QWidget> T* Find(const char* name) const
    {
        return Dialog->findChild<T*>(QLatin1String(name));
    }

    void Click(const char* name)
    {
        auto* target = Find(name);
        QVERIFY2(target != nullptr, name);
        // A check box or an option takes a click on its box, at its left; the rest of its row
        // may lie beyond its caption.
        const bool boxed = qobject_cast<QCheckBox*>(target) || qobject_cast<QRadioButton*>(target);
        const QPoint at
            = boxed ? QPoint(target->height() / 2, target->height() / 2) : target->rect().center();
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
    }

    // As the user types: a click into the field, everything in it selected and typed over.
    void TypeInto(const char* name, const QString& text)
    {
        Click(name);
        auto* field = Find<QLineEdit>(name);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    void PressOnSlider(Qt::Key key)
    {
        Click("HScroll1");
        QTest::keyClick(Find("HScroll1"), key);
    }

    std::vector<std::string> MessagesAsked() const
    {
        std::vector<std::string> texts;
        for (const PromptRequest& request : Host->Asked.Asked)
            texts.push_back(request.Text);
        return texts;
    }

    struct EditCase {
        const char* Name;
        std::function<void(ToolsTest&)> Edit;
        std::function<void(Settings&)> Expect;
        std::vector<std::string> Messages;
    };

    static const std::vector<EditCase>& EditCases()
    {
        static const std::vector<EditCase> cases {
            { "days letters", [](ToolsTest& t) { t.TypeInto("Text2", "x"); },
                [](Settings& s) { s.DaysPerLevel = 3; }, { NotANumber } },
            { "days empty", [](ToolsTest& t) { t.TypeInto("Text2", ""); },
                [](Settings& s) { s.DaysPerLevel = 3; }, { NotANumber } },
            { "days decimal", [](ToolsTest& t) { t.TypeInto("Text2", "2.5"); },
                [](Settings& s) { s.DaysPerLevel = 3; }, { NotANumber } },
            { "days zero", [](ToolsTest& t) { t.TypeInto("Text2", "0"); },
                [](Settings& s) { s.DaysPerLevel = 3; }, { OutOfRange } },
            { "days too many", [](ToolsTest& t) { t.TypeInto("Text2", "4682"); },
                [](Settings& s) { s.DaysPerLevel = 3; }, { OutOfRange } },
            { "untouched", [](ToolsTest&) {}, [](Settings&) {}, {} },
            { "days typed", [](ToolsTest& t) { t.TypeInto("Text2", "30"); },
                [](Settings& s) { s.DaysPerLevel = 30; }, {} },
            { "days largest", [](ToolsTest& t) { t.TypeInto("Text2", "4681"); },
                [](Settings& s) { s.DaysPerLevel = 4681; }, {} },
            { "days up arrow", [](ToolsTest& t) { t.Click("UpDown1Up"); },
                [](Settings& s) { s.DaysPerLevel = 13; }, {} },
            { "days down arrow", [](ToolsTest& t) { t.Click("UpDown1Down"); },
                [](Settings& s) { s.DaysPerLevel = 11; }, {} },
            { "slider fastest", [](ToolsTest& t) { t.PressOnSlider(Qt::Key_End); },
                [](Settings& s) { s.AniSpeed = 1; }, {} },
            { "slider slowest", [](ToolsTest& t) { t.PressOnSlider(Qt::Key_Home); },
                [](Settings& s) { s.AniSpeed = 10; }, {} },
            { "auto expand off", [](ToolsTest& t) { t.Click("Check1"); },
                [](Settings& s) { s.AutoCtrls = 0; }, {} },
            { "auto select on", [](ToolsTest& t) { t.Click("Check2"); },
                [](Settings& s) { s.AutoTaskSel = 1; }, {} },
            { "last accessed", [](ToolsTest& t) { t.Click("Option1_0"); },
                [](Settings& s) { s.DefaultOpen = 0; }, {} },
            { "index of the folder", [](ToolsTest& t) { t.Click("Option1_2"); },
                [](Settings& s) { s.DefaultOpen = 2; }, {} },
            { "default list typed", [](ToolsTest& t) { t.TypeInto("Text1", "/tmp/Other List.agl"); },
                [](Settings& s) { s.DefaultList = "/tmp/Other List.agl"; }, {} },
            { "numbered on", [](ToolsTest& t) { t.Click("Check3"); }, [](Settings& s) { s.NumOrder = 1; },
                {} },
            { "top five off", [](ToolsTest& t) { t.Click("Check4"); }, [](Settings& s) { s.ShowTop5 = 0; },
                {} },
        };
        return cases;
    }

private slots:
    void init()
    {
        Host = std::make_unique<test::RecordingEnvironmentHost>();
        Host->TheSettings = StartingSettings();
        Host->List.ListName = "/home/me/Lists/Today.agl";
        Desktop = std::make_unique<test::RecordingShell>();
        Associations.Calls = 0;
    }

    void cleanup()
    {
        if (Dialog)
            Dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Dialog.isNull());
    }

    void opensShowingTheSettings_data()
    {
        QTest::addColumn<int>("aniSpeed");
        QTest::addColumn<bool>("defaults");
        QTest::newRow("defaults") << 3 << true;
        QTest::newRow("changed settings") << 7 << false;
    }
    void opensShowingTheSettings()
    {
        QFETCH(int, aniSpeed);
        QFETCH(bool, defaults);
        if (defaults)
            Host->TheSettings = Settings {};
        const Settings& s = Host->TheSettings;
        Open();
        QCOMPARE(Dialog->windowTitle(), QStringLiteral("Toolbox"));
        QCOMPARE(Find<QSlider>("HScroll1")->value(), 11 - aniSpeed);
        QCOMPARE(Find<QLabel>("Label3")->text(), QString::number(11 - aniSpeed));
        QCOMPARE(Find<QAbstractButton>("Check1")->isChecked(), s.AutoCtrls == 1);
        QCOMPARE(Find<QAbstractButton>("Check2")->isChecked(), s.AutoTaskSel == 1);
        for (int option = 0; option < 3; ++option)
            QCOMPARE(Find<QAbstractButton>(QStringLiteral("Option1_%1").arg(option).toLatin1().constData())
                         ->isChecked(),
                option == s.DefaultOpen);
        QCOMPARE(Find<QLineEdit>("Text1")->text().toStdString(), s.DefaultList);
        QCOMPARE(Find<QLineEdit>("Text2")->text(), QString::number(s.DaysPerLevel));
        QCOMPARE(Find<QAbstractButton>("Check3")->isChecked(), s.NumOrder == 1);
        QCOMPARE(Find<QAbstractButton>("Check4")->isChecked(), s.ShowTop5 == 1);
        QCOMPARE(Host->Calls, std::vector<std::string>({ "NoHide true", "Float false Tools Load" }));
    }

    void okStoresEveryEditAndRedisplaysBeforeTheIndexSettings_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < EditCases().size(); ++i)
            QTest::newRow(EditCases()[i].Name) << static_cast<int>(i);
    }
    void okStoresEveryEditAndRedisplaysBeforeTheIndexSettings()
    {
        QFETCH(int, index);
        const EditCase& edit = EditCases()[static_cast<std::size_t>(index)];
        Open();
        edit.Edit(*this);
        Click("Command1");
        Settings expected = StartingSettings();
        edit.Expect(expected);
        QCOMPARE(MessagesAsked(), edit.Messages);
        QVERIFY(Host->TheSettings == expected);
        // The redisplay sees the new settings but the old numbering and top five.
        QCOMPARE(Host->Redisplayed.size(), 1u);
        Settings redisplayed = expected;
        redisplayed.NumOrder = StartingSettings().NumOrder;
        redisplayed.ShowTop5 = StartingSettings().ShowTop5;
        QVERIFY(Host->Redisplayed.front() == redisplayed);
        QCOMPARE(Host->Calls, LoadAndUnloadCalls);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Dialog.isNull());
    }

    void cancelDiscardsEveryEdit_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::newRow("cancel button") << QStringLiteral("Command2");
        QTest::newRow("escape") << QStringLiteral("Escape");
        QTest::newRow("window close") << QStringLiteral("close");
    }
    void cancelDiscardsEveryEdit()
    {
        QFETCH(QString, closing);
        Open();
        for (const EditCase& edit : EditCases())
            if (edit.Messages.empty())
                edit.Edit(*this);
        QVERIFY(Find<QSlider>("HScroll1")->value() != 11 - StartingSettings().AniSpeed);
        if (closing == QLatin1String("Escape"))
            QTest::keyClick(Dialog, Qt::Key_Escape);
        else if (closing == QLatin1String("close"))
            Dialog->close();
        else
            Click("Command2");
        QVERIFY(Host->TheSettings == StartingSettings());
        QVERIFY(Host->Redisplayed.empty());
        QVERIFY(Host->Asked.Asked.empty());
        QCOMPARE(Host->Calls, LoadAndUnloadCalls);
    }

    void leavingTheDaysChecksThem_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << QStringLiteral("x") << QStringLiteral("3")
                                 << QString::fromStdString(NotANumber);
        QTest::newRow("negative") << QStringLiteral("-4") << QStringLiteral("3")
                                  << QString::fromStdString(OutOfRange);
        QTest::newRow("huge") << QStringLiteral("99999999999999999999") << QStringLiteral("3")
                              << QString::fromStdString(OutOfRange);
        QTest::newRow("number with blanks") << QStringLiteral(" 7 ") << QStringLiteral(" 7 ") << QString();
        QTest::newRow("number") << QStringLiteral("9") << QStringLiteral("9") << QString();
    }
    void leavingTheDaysChecksThem()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QFETCH(QString, message);
        Open();
        TypeInto("Text2", typed);
        QVERIFY(Host->Asked.Asked.empty());
        Click("Option1_0");
        QCOMPARE(Find<QLineEdit>("Text2")->text(), left);
        QCOMPARE(Host->Asked.Asked.size(), message.isEmpty() ? 0u : 1u);
        if (!message.isEmpty()) {
            const PromptRequest& asked = Host->Asked.Asked.front();
            QCOMPARE(QString::fromStdString(asked.Text), message);
            QCOMPARE(asked.Icon, PromptIcon::None);
            QCOMPARE(asked.Buttons, PromptButtons::Ok);
        }
        QVERIFY(Host->Redisplayed.empty());
    }

    void browseChoosesTheDefaultList_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cancelled") << true << QString() << QStringLiteral("/home/me/Lists/Work.agl");
        QTest::newRow("empty choice") << false << QString() << QStringLiteral("/home/me/Lists/Work.agl");
        QTest::newRow("chosen") << false << QStringLiteral("/srv/Ünits.cti")
                                << QStringLiteral("/srv/Ünits.cti");
    }
    void browseChoosesTheDefaultList()
    {
        QFETCH(bool, cancelled);
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        if (!cancelled)
            Host->Asked.Chosen = chosen.toStdString();
        Open();
        Click("Command3");
        QCOMPARE(Host->Asked.Dialogs.size(), 1u);
        const FileDialogRequest& request = Host->Asked.Dialogs.front();
        QCOMPARE(request.What, FileDialogRequest::Kind::Open);
        QCOMPARE(request.Title, std::string("Open Task List"));
        QCOMPARE(request.Filter,
            std::string("Task Lists (*.agl)|*.agl|Completed Task Lists (*.cti)|*.cti|All Task Lists (*.agl; "
                        "*.cti)|*.agl;*.cti"));
        QCOMPARE(request.InitialPath, std::string("/home/me/Lists/Today.agl"));
        QCOMPARE(Find<QLineEdit>("Text1")->text(), shown);
        QVERIFY(Host->TheSettings == StartingSettings());
    }

    void helpOpensThePageOrSaysWhyNot_data()
    {
        QTest::addColumn<QString>("page"); // below the temporary folder; empty: no page named
        QTest::addColumn<bool>("present");
        QTest::newRow("no page named") << QString() << false;
        QTest::newRow("missing page") << QStringLiteral("help/index.html") << false;
        QTest::newRow("folder, not a page") << QStringLiteral("help") << false;
        QTest::newRow("page present") << QStringLiteral("help/index.html") << true;
    }
    void helpOpensThePageOrSaysWhyNot()
    {
        QFETCH(QString, page);
        QFETCH(bool, present);
        const test::TempFolder folder;
        const QDir root(QString::fromStdString(folder.Path()));
        const std::string path = page.isEmpty() ? std::string() : root.filePath(page).toStdString();
        QVERIFY(test::MakeEntries(root, { present ? page : QStringLiteral("help/") }));
        Open({ path, "https://agendrix.example/", nullptr });
        Click("Command5");
        if (present) {
            QVERIFY(Host->Asked.Asked.empty());
            QCOMPARE(Desktop->Opened.size(), 1u);
            QCOMPARE(Desktop->Opened.front().first, path);
            QCOMPARE(Desktop->Opened.front().second, root.filePath(QStringLiteral("help")).toStdString());
        } else {
            QVERIFY(Desktop->Opened.empty());
            QCOMPARE(MessagesAsked(),
                std::vector<std::string>(
                    { "The help page \"" + path + "\" cannot be opened: it does not exist." }));
        }
        QVERIFY(Dialog->isVisible());
    }

    void onlineAndNoteAndAssociateActAtOnce_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("presses");
        QTest::addColumn<bool>("wired");
        QTest::newRow("associate without a registrar") << QStringLiteral("Command4") << 1 << false;
        QTest::newRow("associate once") << QStringLiteral("Command4") << 1 << true;
        QTest::newRow("associate twice") << QStringLiteral("Command4") << 2 << true;
        QTest::newRow("online") << QStringLiteral("Command6") << 1 << true;
        QTest::newRow("note") << QStringLiteral("Label5") << 1 << true;
    }
    void onlineAndNoteAndAssociateActAtOnce()
    {
        QFETCH(QString, button);
        QFETCH(int, presses);
        QFETCH(bool, wired);
        Open({ "", "https://agendrix.example/home", wired ? &Associations : nullptr });
        for (int press = 0; press < presses; ++press)
            Click(button.toLatin1().constData());
        std::vector<PromptRequest> expected;
        std::vector<std::pair<std::string, std::string>> opened;
        int associated = 0;
        if (button == QLatin1String("Command4")) {
            QCOMPARE(Find<QPushButton>("Command4")->text(), QStringLiteral("&Associate .AGL && .CTI Files"));
            QCOMPARE(Find<QPushButton>("Command4")->isEnabled(), wired);
            associated = wired ? presses : 0;
            for (int i = 0; i < associated; ++i)
                expected.push_back(test::InformationMessage(
                    "Agendrix Task List (.AGL) and Completed Task Items (.CTI) have\nnow been associated "
                    "with "
                    "Agendrix. You can now simply double-click\nthe files in your file manager to open task "
                    "lists.\n\nA file manager that is open may need to be restarted in order for "
                    "association to be complete."));
        } else if (button == QLatin1String("Command6")) {
            opened.emplace_back("https://agendrix.example/home", "");
        } else {
            expected.push_back(test::InformationMessage(
                "The \"Show Top 5 Tasks in Information\" option will show the\ntop five tasks in the task "
                "information section of each index entry.\nYou can then click on the priority lamp of any "
                "List Index entry to\nsee the top five entries in that task list.\n\nNote that selecting "
                "this option will marginally slow down index\ncreation while the task list files are "
                "accessed."));
        }
        QCOMPARE(Associations.Calls, associated);
        QVERIFY(Host->Asked.Asked == expected);
        QCOMPARE(Desktop->Opened, opened);
        // They act whatever OK or Cancel do later: Cancel then keeps the settings.
        QVERIFY(Dialog->isVisible());
        Click("Command2");
        QVERIFY(Host->TheSettings == StartingSettings());
    }

    void theHelpPageIsFoundWhereTheProgramShipsIt_data()
    {
        QTest::addColumn<QStringList>("pages"); // below the temporary folder
        QTest::addColumn<QString>("found");
        QTest::newRow("nowhere") << QStringList() << QStringLiteral("bin/help/index.html");
        QTest::newRow("a folder of that name") << QStringList { QStringLiteral("home/help/index.html/") }
                                               << QStringLiteral("bin/help/index.html");
        QTest::newRow("installed share folder")
            << QStringList { QStringLiteral("share/agendrix/help/index.html") }
            << QStringLiteral("share/agendrix/help/index.html");
        QTest::newRow("beside the program") << QStringList { QStringLiteral("bin/help/index.html"),
            QStringLiteral("share/agendrix/help/index.html") }
                                            << QStringLiteral("bin/help/index.html");
        QTest::newRow("program folder first")
            << QStringList { QStringLiteral("home/help/index.html"), QStringLiteral("bin/help/index.html") }
            << QStringLiteral("home/help/index.html");
    }
    void theHelpPageIsFoundWhereTheProgramShipsIt()
    {
        QFETCH(QStringList, pages);
        QFETCH(QString, found);
        const test::TempFolder folder;
        const QDir root(QString::fromStdString(folder.Path()));
        QVERIFY(test::MakeEntries(root, QStringList { QStringLiteral("bin/") } + pages));
        QCOMPARE(FindHelpPage(root.filePath(QStringLiteral("home")), root.filePath(QStringLiteral("bin"))),
            root.filePath(found));
    }
};

} // namespace agendrix

QTEST_MAIN(agendrix::ToolsTest)
#include "frmToolsQtTest.moc"
