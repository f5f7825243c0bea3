#include "environment/ReportDialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace agendrix {

class ReportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void copyPutsTheWholeTextOnTheClipboard_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("oneLine") << QStringLiteral("Agendrix 5.0.0");
        QTest::newRow("linesWithAccents") << QStringLiteral("Qt 6.4.2\nSkin: /home/zoë/Skins/Midnight/\n");
    }
    void copyPutsTheWholeTextOnTheClipboard()
    {
        QFETCH(QString, text);
        QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
        ReportDialog dialog(ReportRequest { "System Information", text.toStdString() }, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("System Information"));
        auto* shown = dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtReport"));
        QVERIFY(shown != nullptr);
        QVERIFY(shown->isReadOnly());
        QCOMPARE(shown->toPlainText(), text);
        QPushButton* copy = dialog.CopyButton();
        QTest::mouseClick(copy, Qt::LeftButton, {}, copy->rect().center());
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
    }
};

} // namespace agendrix

QTEST_MAIN(agendrix::ReportDialogTest)
#include "ReportDialogQtTest.moc"
