// agendrix_mime_probe FILE...
//
// Prints, one a line, the MIME type the shared MIME database gives each file name by its
// extension, as a freshly started program sees the database.

#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QMimeDatabase database;
    for (int i = 1; i < argc; ++i)
        std::printf("%s\n",
            database.mimeTypeForFile(QString::fromLocal8Bit(argv[i]), QMimeDatabase::MatchExtension)
                .name()
                .toUtf8()
                .constData());
    return 0;
}
