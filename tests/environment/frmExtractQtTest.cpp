#include "environment/frmExtract.h"

#include "model/PackageIndex.h"

#include "support/Bytes.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

namespace agendrix {

namespace {
    const std::string Blue = EncodePackage("Skin Works", "Blue", { { "Skins\\Blue\\colors.txt", "1\r\n" } });
    const std::string Docs = EncodePackage("Me", "Docs", { { "readme.txt", "read" }, { "empty.txt", "" } });
    const std::string Hostile = EncodePackage("Me", "Bad", { { "..\\escaped.txt", "x" } });
    const std::string Refused
        = "The package \"bad.cfp\" was refused and renamed to \"bad.cfp.rejected\": the path "
          "\"..\\escaped.txt\" names the folder \"..\": a package may only write beneath the "
          "program folder.";
    const std::string NotFully
        = "The package has not been fully extracted. Please restart Agendrix when you are "
          "ready to allow package extraction.";

    using Packages = std::vector<std::pair<std::string, std::string>>;
    using Names = std::vector<std::string>;
}

class frmExtractTest : public QObject {
    Q_OBJECT

    QString LabelText(const frmExtract& window, const char* name)
    {
        return window.findChild<QLabel*>(QLatin1String(name))->text();
    }

    // Runs the window's timer until it has closed, as the event loop would.
    void RunToEnd(frmExtract& window)
    {
        QSignalSpy finished(&window, &frmExtract::Finished);
        for (int turn = 0; turn < 100 && finished.isEmpty(); ++turn)
            window.Timer1_Timer();
        QCOMPARE(finished.size(), 1);
    }

private slots:
    void extractsEveryPackage_data()
    {
        QTest::addColumn<Packages>("packages");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("detection");
        QTest::addColumn<Names>("messages");
        QTest::addColumn<Names>("after");
        const QString one
            = QStringLiteral("Agendrix has detected 1 new package. Please wait while the package is "
                             "extracted out. This only needs to be done once per package.");
        const QString two
            = QStringLiteral("Agendrix has detected 2 new packages. Please wait while the packages "
                             "are extracted out. This only needs to be done once per package.");
        QTest::newRow("hostilePackageIsRefusedOnce") << Packages { { "bad.cfp", Hostile } } << false << one
                                                     << Names { Refused } << Names { "bad.cfp.rejected" };
        QTest::newRow("hostileAmongGoodOnes")
            << Packages { { "bad.cfp", Hostile }, { "docs.cfp", Docs } } << false << two << Names { Refused }
            << Names { "bad.cfp.rejected", "empty.txt", "readme.txt" };
        QTest::newRow("cancelKeepsThePackage")
            << Packages { { "blue.cfp", Blue } } << true << one << Names { NotFully } << Names { "blue.cfp" };
        QTest::newRow("onePackage") << Packages { { "blue.cfp", Blue } } << false << one << Names {}
                                    << Names { "Skins" };
        QTest::newRow("twoPackagesOneAfterTheOther")
            << Packages { { "blue.cfp", Blue }, { "docs.cfp", Docs } } << false << two << Names {}
            << Names { "Skins", "empty.txt", "readme.txt" };
    }
    void extractsEveryPackage()
    {
        QFETCH(Packages, packages);
        QFETCH(bool, cancel);
        QFETCH(QString, detection);
        QFETCH(Names, messages);
        QFETCH(Names, after);
        test::TempFolder folder;
        for (const auto& [name, bytes] : packages)
            test::WriteBytes(folder / name, bytes);
        test::ScriptedPrompts prompts;
        prompts.Answers.assign(messages.size(), PromptAnswer::Ok);
        frmExtract window(folder.Path(), prompts);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("New Package Detection"));
        QCOMPARE(LabelText(window, "Label1"), detection);
        if (cancel) {
            auto* button = window.findChild<QPushButton*>(QStringLiteral("Command1"));
            QCOMPARE(button->text(), QStringLiteral("&Cancel"));
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
            QVERIFY(!button->isEnabled());
        }
        RunToEnd(window);
        Names asked;
        for (const PromptRequest& request : prompts.Asked)
            asked.push_back(request.Text);
        QCOMPARE(asked, messages);
        QCOMPARE(folder.Names(), after);
        QCOMPARE(LabelText(window, "Label6") == QStringLiteral("Complete"), !cancel);
    }

    void showsWhatIsBeingExtracted()
    {
        test::TempFolder folder;
        test::WriteBytes(folder / "blue.cfp", Blue);
        test::ScriptedPrompts prompts;
        frmExtract window(folder.Path(), prompts);
        window.Timer1_Timer();
        QCOMPARE(LabelText(window, "Label5"), QStringLiteral("Currently extracting Blue from Skin Works"));
        QCOMPARE(LabelText(window, "Label3"), QStringLiteral("Done"));
        QCOMPARE(test::ReadBytes(folder / "Skins/Blue/colors.txt"), std::string("1\r\n"));
    }
};

} // namespace agendrix

QTEST_MAIN(agendrix::frmExtractTest)
#include "frmExtractQtTest.moc"
