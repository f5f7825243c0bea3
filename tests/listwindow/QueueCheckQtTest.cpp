#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "model/QueueFile.h"

#include <QDialog>
#include <QTest>

namespace agendrix {

// The running window's side of a hand-over: lists that later starts place in the queue file.
class QueueCheckTest : public QObject {
    Q_OBJECT

    static void CheckQueueNow(frmList& window)
    {
        auto* timer = window.findChild<QTimer*>(QStringLiteral("QueueCheck"));
        QVERIFY(timer);
        QMetaObject::invokeMethod(timer, "timeout");
    }

private slots:
    void HandOversAreTakenAtOnceAndOpenedInOrderWhenTheDialogCloses()
    {
        ListWindowFixture fixture;
        for (const char* name : { "second.agl", "third.agl" })
            SaveFileAtomically(fixture.Path(name), ListHeader);
        auto window = fixture.Open({}, "first.agl");
        const std::string queue = fixture.Path(QueueFileName);
        QDialog dialog(window.get());
        dialog.setModal(true);
        dialog.show();
        QCOMPARE(QApplication::activeModalWidget(), &dialog);
        for (const char* name : { "second.agl", "third.agl" }) {
            QCOMPARE(WriteQueueFile(queue, fixture.Path(name)).Message, std::string());
            CheckQueueNow(*window);
            // Taken although the dialog is open: the start that placed it may end.
            QVERIFY(!FileExists(queue));
        }
        QCOMPARE(window->Document().ListName, fixture.Path("first.agl"));
        dialog.reject();
        CheckQueueNow(*window);
        QCOMPARE(window->Document().ListName, fixture.Path("third.agl"));
        const RecentLists& recent = window->CurrentSettings().Recent;
        QCOMPARE(recent[0], fixture.Path("third.agl"));
        QCOMPARE(recent[1], fixture.Path("second.agl"));
        QCOMPARE(recent[2], fixture.Path("first.agl"));
    }

    void AClosedWindowLeavesARequestForTheNextRunningInstance()
    {
        ListWindowFixture fixture;
        SaveFileAtomically(fixture.Path("second.agl"), ListHeader);
        auto window = fixture.Open({}, "first.agl");
        window->close();
        const std::string queue = fixture.Path(QueueFileName);
        QCOMPARE(WriteQueueFile(queue, fixture.Path("second.agl")).Message, std::string());
        window->CheckQueue(); // as the folder watcher calls it
        QVERIFY(FileExists(queue));
        QCOMPARE(window->Document().ListName, fixture.Path("first.agl"));
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(QueueCheckTest);

#include "QueueCheckQtTest.moc"
