#include "merger/frmMerge.h"

#include "support/Bytes.h"
#include "support/FixedClock.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

namespace agendrix::merger {

namespace {
    const std::string Header = "Format: 5.0.0";
    const std::string ListA
        = test::CrLf({ Header, "08\tMilk\t\t0\t20261201\t1\t0\t", "02\tRent\t\t0\t20261205\t1\t0\t" });
    const std::string ListB = test::CrLf({ Header, "10\t2026/12/03 - Milk\t\t0\t20261201\t1\t0\t" });
    const std::string Merged = test::CrLf(
        { Header, "10\t2026/12/03 - Milk\t\t0\t20261201\t1\t0\t", "02\tRent\t\t0\t20261205\t1\t0\t" });
    using Names = std::vector<std::string>;
}

class frmMergeTest : public QObject {
    Q_OBJECT

    // Types each name into its field, as a user would, then clicks Merge.
    void FillAndMerge(frmMerge& window, const QStringList& fields)
    {
        const QStringList names
            = { QStringLiteral("txtFirst"), QStringLiteral("txtSecond"), QStringLiteral("txtOutput") };
        for (int i = 0; i < names.size(); ++i) {
            auto* field = window.findChild<QLineEdit*>(names[i]);
            QVERIFY(field != nullptr);
            field->clear();
            QTest::keyClicks(field, fields[i]);
        }
        auto* merge = window.findChild<QPushButton*>(QStringLiteral("cmdMerge"));
        QVERIFY(merge != nullptr);
        QCOMPARE(merge->text(), QStringLiteral("&Merge"));
        QTest::mouseClick(merge, Qt::LeftButton, {}, merge->rect().center());
    }

    QString Status(const frmMerge& window)
    {
        return window.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
    }

private slots:
    void mergesOrNamesWhatIsWrong_data()
    {
        QTest::addColumn<QStringList>("fields"); // "@" stands for the folder
        QTest::addColumn<QString>("status");
        QTest::addColumn<Names>("after");
        QTest::newRow("outputLeftEmpty")
            << QStringList { "@/a.agl", "@/b.agl", "" }
            << QStringLiteral("Name the output file to write the merged list to.")
            << Names { "a.agl", "b.agl" };
        QTest::newRow("secondListMissing")
            << QStringList { "@/a.agl", "@/c.agl", "@/out.agl" }
            << QStringLiteral("There is no list file \"@/c.agl\".") << Names { "a.agl", "b.agl" };
        QTest::newRow("merged") << QStringList { "@/a.agl", "@/b.agl", "@/out.agl" }
                                << QStringLiteral("Merged 2 tasks from \"@/a.agl\" and \"@/b.agl\" into "
                                                  "\"@/out.agl\" (1 matched)")
                                << Names { "a.agl", "b.agl", "out.agl" };
    }
    void mergesOrNamesWhatIsWrong()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, status);
        QFETCH(Names, after);
        test::TempFolder folder;
        test::WriteBytes(folder / "a.agl", ListA);
        test::WriteBytes(folder / "b.agl", ListB);
        const QString root = QString::fromStdString(folder.Path());
        for (QString& field : fields)
            field.replace(QLatin1Char('@'), root);
        test::FixedClock clock(DateTime { CivilDate { 2026, 12, 6 }, 12 * 3600 });
        frmMerge window(clock);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Agendrix List Merger"));
        FillAndMerge(window, fields);
        QCOMPARE(Status(window), status.replace(QLatin1Char('@'), root));
        QCOMPARE(folder.Names(), after);
        QCOMPARE(test::ReadBytes(folder / "a.agl"), ListA);
        if (after.size() == 3)
            QCOMPARE(test::ReadBytes(folder / "out.agl"), Merged);
    }
};

} // namespace agendrix::merger

QTEST_MAIN(agendrix::merger::frmMergeTest)
#include "frmMergeQtTest.moc"
