#include "FakeListHost.h"

#include <QTest>

#include <optional>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::optional<std::string>)
Q_DECLARE_METATYPE(agendrix::Shortening)

namespace agendrix {

namespace {

    // Writes down, in order, what the after-change path asked of the window and of the user.
    class LoggingHost : public FakeListHost, private Prompts {
    public:
        void ShowListItems() override
        {
            Log.push_back(List.Dirty ? "show changed list" : "show unchanged list");
            FakeListHost::ShowListItems();
        }
        void SelectRowShowing(const std::string& description) override
        {
            Log.push_back("select " + description);
        }
        Prompts& ThePrompts() override { return *this; }
        PromptAnswer Ask(const PromptRequest& request) override
        {
            Log.push_back("tell " + request.Text);
            return PromptAnswer::Ok;
        }

        QStringList Logged() const
        {
            QStringList texts;
            for (const std::string& entry : Log)
                texts.append(QString::fromStdString(entry));
            return texts;
        }

        std::vector<std::string> Log;
    };

} // namespace

class ListHostTest : public QObject {
    Q_OBJECT

private slots:
    void TaskChangedMarksShowsSelectsThenTells_data()
    {
        QTest::addColumn<std::optional<std::string>>("description");
        QTest::addColumn<int>("autoTaskSel");
        QTest::addColumn<Shortening>("shortened");
        QTest::addColumn<QStringList>("log");
        const QString show = QStringLiteral("show changed list");
        const QString select = QStringLiteral("select Alpha");
        const QString tell = QString::fromStdString("tell " + ShorteningMessage());
        const std::optional<std::string> none;
        const std::optional<std::string> alpha = "Alpha";
        QTest::newRow("deletedTask") << none << 1 << Shortening::None << QStringList { show };
        QTest::newRow("autoSelectOff") << alpha << 0 << Shortening::None << QStringList { show };
        QTest::newRow("autoSelectOn") << alpha << 1 << Shortening::None << QStringList { show, select };
        QTest::newRow("textCutInPlace")
            << none << 1 << Shortening::InformationCut << QStringList { show, tell };
        QTest::newRow("selectedThenTold")
            << alpha << 1 << Shortening::InformationCut << QStringList { show, select, tell };
    }

    void TaskChangedMarksShowsSelectsThenTells()
    {
        QFETCH(std::optional<std::string>, description);
        QFETCH(int, autoTaskSel);
        QFETCH(Shortening, shortened);
        QFETCH(QStringList, log);
        LoggingHost host;
        host.TheSettings.AutoTaskSel = autoTaskSel;
        host.List.Tasks.Load({ "04\tAlpha\t\t0\t20261210\t1\t0\t" });
        host.TaskChanged({ description, shortened });
        QCOMPARE(host.Logged(), log);
        QVERIFY(host.List.Dirty);
    }
};

} // namespace agendrix

QTEST_APPLESS_MAIN(agendrix::ListHostTest)
#include "ListHostQtTest.moc"
