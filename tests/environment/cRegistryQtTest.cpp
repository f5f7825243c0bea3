// The file associations, made for real in temporary data and configuration folders and read
// back through the desktop's own tools.

#include "environment/cRegistry.h"

#include "support/Bytes.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace agendrix {

namespace {

    constexpr int IconSizes[] = { 16, 22, 24, 32, 48, 64, 128, 256 };
    constexpr const char* IconNames[] = { "mimetypes/application-x-agendrix-list",
        "mimetypes/application-x-agendrix-completed", "apps/agendrix" };

    QString Q(const std::string& text) { return QString::fromStdString(text); }

    // A hicolor theme folder with every icon the program ships, each holding its own name.
    void MakeIconTheme(const QString& folder)
    {
        for (const char* name : IconNames) {
            QStringList files { QStringLiteral("scalable/%1.svg").arg(QLatin1String(name)) };
            for (int size : IconSizes)
                files << QStringLiteral("%1x%1/%2.png").arg(size).arg(QLatin1String(name));
            for (const QString& file : files) {
                QDir().mkpath(QFileInfo(QDir(folder).filePath(file)).path());
                test::WriteBytes(QDir(folder).filePath(file).toStdString(), file.toStdString());
            }
        }
    }

    // Every file below `folder` with its bytes.
    std::map<QString, std::string> Snapshot(const QString& folder)
    {
        std::map<QString, std::string> files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files[path] = test::ReadBytes(path.toStdString());
        }
        return files;
    }

    // Output and status of a program run to its end.
    struct Ran {
        int Status = -1;
        QString Output;
    };

    Ran RunTool(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(30000))
            return { -1, process.errorString() };
        return { process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError()).trimmed() };
    }

    // What is written to standard error while it lives.
    class CapturedStandardError {
    public:
        explicit CapturedStandardError(const QString& file)
            : Path(file)
        {
            std::fflush(stderr);
            Saved = dup(STDERR_FILENO);
            const int fd = open(file.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(fd, STDERR_FILENO);
            close(fd);
        }
        ~CapturedStandardError() { Restore(); }
        QString Text()
        {
            Restore();
            return Q(test::ReadBytes(Path.toStdString()));
        }

    private:
        void Restore()
        {
            if (Saved < 0)
                return;
            std::fflush(stderr);
            dup2(Saved, STDERR_FILENO);
            close(Saved);
            Saved = -1;
        }
        QString Path;
        int Saved = -1;
    };

    enum class Setup { DataHomeIsAFile, ToolsMissing, IconsMissing, PathWithLineBreak };

} // namespace

class AssociationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempFolder> Temp;
    AssociationPlaces Places;
    QString ConfigHome;

    QString Data(const QString& path) const { return QDir(Places.DataHome).filePath(path); }

private slots:
    void init()
    {
        Temp = std::make_unique<test::TempFolder>();
        Places = { Q(*Temp / "data"), Q(*Temp / "theme") };
        ConfigHome = Q(*Temp / "config");
        QDir().mkpath(Places.DataHome);
        QDir().mkpath(ConfigHome);
        MakeIconTheme(Places.IconTheme);
        // The tools read where to write from the environment, as they do on a desktop; without a
        // desktop session xdg-mime keeps the defaults in $XDG_CONFIG_HOME/mimeapps.list.
        qputenv("XDG_DATA_HOME", Places.DataHome.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", ConfigHome.toLocal8Bit());
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("DESKTOP_SESSION");
        qunsetenv("KDE_FULL_SESSION");
        qunsetenv("GNOME_DESKTOP_SESSION_ID");
    }

    void cleanup() { Temp.reset(); }

    void failuresAreReportedAndTheOtherStepsMade_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("named"); // texts some failure must hold
        QTest::addColumn<QStringList>("written"); // files below the data home made anyway
        QTest::newRow("data home is a file")
            << Setup::DataHomeIsAFile << QStringList { QStringLiteral("/data") } << QStringList {};
        QTest::newRow("tools not on the PATH")
            << Setup::ToolsMissing
            << QStringList { QStringLiteral("update-mime-database"),
                   QStringLiteral("update-desktop-database"),
                   QStringLiteral("xdg-mime default agendrix.desktop application/x-agendrix-list"),
                   QStringLiteral("could not be started") }
            << QStringList { QStringLiteral("mime/packages/agendrix-agl.xml"),
                   QStringLiteral("mime/packages/agendrix-cti.xml"),
                   QStringLiteral("applications/agendrix.desktop"),
                   QStringLiteral("icons/hicolor/48x48/apps/agendrix.png") };
        QTest::newRow("icons missing")
            << Setup::IconsMissing
            << QStringList { QStringLiteral("icons were not found in "), QStringLiteral("/gone.") }
            << QStringList { QStringLiteral("mime/mime.cache"),
                   QStringLiteral("applications/agendrix.desktop") };
        QTest::newRow("program path with a line break")
            << Setup::PathWithLineBreak << QStringList { QStringLiteral("control character") }
            << QStringList { QStringLiteral("mime/mime.cache"),
                   QStringLiteral("icons/hicolor/16x16/apps/agendrix.png") };
    }

    void failuresAreReportedAndTheOtherStepsMade()
    {
        QFETCH(Setup, setup);
        QFETCH(QStringList, named);
        QFETCH(QStringList, written);
        QString exePath = QStringLiteral("/opt/agendrix/agendrix");
        const QByteArray path = qgetenv("PATH");
        if (setup == Setup::DataHomeIsAFile)
            test::WriteBytes(Places.DataHome.toStdString() + "/x", ""),
                Places.DataHome += QStringLiteral("/x");
        if (setup == Setup::ToolsMissing)
            qputenv("PATH", Temp->Path().c_str());
        if (setup == Setup::IconsMissing)
            Places.IconTheme = Q(*Temp / "gone");
        if (setup == Setup::PathWithLineBreak)
            exePath = QStringLiteral("/opt/a\nb/agendrix");

        CapturedStandardError captured(Q(*Temp / "stderr.txt"));
        const QStringList failures = AssociateFileTypes(exePath, Places);
        const QString stderrText = captured.Text();
        qputenv("PATH", path);

        QVERIFY(!failures.isEmpty());
        for (const QString& text : named)
            QVERIFY2(failures.join(QLatin1Char('\n')).contains(text),
                qPrintable(text + " in " + failures.join('\n')));
        for (const QString& failure : failures)
            QVERIFY2(stderrText.contains(QStringLiteral("agendrix: ") + failure), qPrintable(failure));
        for (const QString& file : written)
            QVERIFY2(QFileInfo::exists(Data(file)), qPrintable(file));
    }

    void associatesBothTypesForTheDesktop()
    {
        const QStringList failures = AssociateFileTypes(QStringLiteral("/opt/My Apps/agendrix"), Places);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));

        const Ran probe = RunTool(QStringLiteral(AGENDRIX_MIME_PROBE),
            { QStringLiteral("x.agl"), QStringLiteral("LIST.AGL"), QStringLiteral("y.cti"),
                QStringLiteral("Done.Cti"), QStringLiteral("z.txt") });
        QCOMPARE(probe.Output,
            QStringLiteral("application/x-agendrix-list\napplication/x-agendrix-list\n"
                           "application/x-agendrix-completed\napplication/x-agendrix-completed\ntext/plain"));
        for (const QString& type : { QStringLiteral("application/x-agendrix-list"),
                 QStringLiteral("application/x-agendrix-completed") }) {
            const Ran query = RunTool(
                QStringLiteral("xdg-mime"), { QStringLiteral("query"), QStringLiteral("default"), type });
            QCOMPARE(query.Output, QStringLiteral("agendrix.desktop"));
        }
        const Ran validate = RunTool(QStringLiteral("desktop-file-validate"),
            { Data(QStringLiteral("applications/agendrix.desktop")) });
        QVERIFY2(validate.Status == 0 && validate.Output.isEmpty(), qPrintable(validate.Output));
        const QString entry
            = Q(test::ReadBytes(Data(QStringLiteral("applications/agendrix.desktop")).toStdString()));
        QVERIFY(entry.contains(QStringLiteral("\nExec=\"/opt/My Apps/agendrix\" %f\n")));
        for (const QString& icon : { QStringLiteral("16x16/mimetypes/application-x-agendrix-list.png"),
                 QStringLiteral("256x256/mimetypes/application-x-agendrix-completed.png"),
                 QStringLiteral("scalable/apps/agendrix.svg") })
            QCOMPARE(Q(test::ReadBytes(Data(QStringLiteral("icons/hicolor/") + icon).toStdString())), icon);
    }

    void associatingAgainChangesNothing()
    {
        QVERIFY(AssociateFileTypes(QStringLiteral("/opt/agendrix/agendrix"), Places).isEmpty());
        const auto data = Snapshot(Places.DataHome);
        const auto config = Snapshot(ConfigHome);
        QVERIFY(data.contains(Data(QStringLiteral("mime/mime.cache"))));
        QVERIFY(config.contains(QDir(ConfigHome).filePath(QStringLiteral("mimeapps.list"))));

        QVERIFY(AssociateFileTypes(QStringLiteral("/opt/agendrix/agendrix"), Places).isEmpty());
        QVERIFY(Snapshot(Places.DataHome) == data);
        QVERIFY(Snapshot(ConfigHome) == config);
    }
};

} // namespace agendrix

Q_DECLARE_METATYPE(agendrix::Setup)
QTEST_GUILESS_MAIN(agendrix::AssociationTest)
#include "cRegistryQtTest.moc"
