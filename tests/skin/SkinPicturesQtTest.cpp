#include "QtSuites.h"
#include "skin/DockTabSkin.h"
#include "skin/EditorSkin.h"
#include "skin/SkinPictures.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <algorithm>

namespace agendrix {
namespace {

    constexpr const char* Fallback = "/Skins/Default/";
    constexpr QRgb DefaultSkin = 0xffc80000;
    constexpr QRgb OtherSkin = 0xff0000c8;
    const QStringList ListFiles { "main.bmp", "plamps.bmp", "buttons.bmp", "aniopen.bmp" };

    // Each picture of a test skin is one colour, shifted per file, so that a slot tells both the
    // skin and the file it came from.
    QRgb FileColor(QRgb skin, int file) { return qRgb(qRed(skin), 20 * file, qBlue(skin)); }

    void WriteFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    // Writes the pictures as 8-bit BMP files with a palette, which load in another format than the
    // one the surface is drawn in.
    void WriteSkin(const QString& folder, QRgb skin, const QStringList& files = ListFiles)
    {
        QDir().mkpath(folder);
        for (int i = 0; i < files.size(); ++i) {
            QImage picture(3, 2, QImage::Format_Indexed8);
            picture.setColorTable(
                { FileColor(skin, std::max<int>(0, ListFiles.indexOf(files[i].toLower()))) });
            picture.fill(0);
            QDir().mkpath(QFileInfo(folder + '/' + files[i]).path());
            QVERIFY(picture.save(folder + '/' + files[i], "BMP"));
        }
    }

    // The colour each slot shows; 0 for a slot still empty. All must be in the drawing format.
    QList<QRgb> SlotColors(const SkinPictures& skin)
    {
        QList<QRgb> colors;
        for (const QImage* slot : { &skin.Main, &skin.Lamps, &skin.Buttons, &skin.Animation }) {
            if (!slot->isNull() && slot->format() != QImage::Format_RGB32)
                return {};
            colors << (slot->isNull() ? 0 : slot->pixel(0, 0));
        }
        return colors;
    }

    QList<QRgb> SkinColors(QRgb skin)
    {
        if (skin == 0)
            return { 0, 0, 0, 0 };
        return { FileColor(skin, 0), FileColor(skin, 1), FileColor(skin, 2), FileColor(skin, 3) };
    }

    // "1" to "count", one a line.
    QByteArray NumberLines(int count)
    {
        QByteArray text;
        for (int i = 1; i <= count; ++i)
            text += QByteArray::number(i) + "\r\n";
        return text;
    }

    enum class Spoil { Missing, Empty, Junk, Folder };

} // namespace
} // namespace agendrix

Q_DECLARE_METATYPE(agendrix::Spoil)

namespace agendrix {

class SkinPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void FindsTheSkinOrFallsBack_data()
    {
        struct FolderCase {
            const char* Name;
            const char* DefaultFolder; // on disk, always a full skin unless empty
            const char* OtherFolder; // created when not empty, holding OtherFiles
            QStringList OtherFiles;
            const char* SkinPath;
            const char* ExpectedPath;
            QRgb Loaded; // the skin whose pictures the slots hold; 0 when none
            bool Whole; // the skin asked for was found with all four pictures
        };
        const FolderCase cases[] {
            { "missing folder", "Skins/Default", "", {}, "/Skins/Gone/", Fallback, DefaultSkin, false },
            { "empty folder", "Skins/Default", "Skins/Empty", {}, "/Skins/Empty/", Fallback, DefaultSkin,
                false },
            { "only a subfolder", "Skins/Default", "Skins/Deep", { "in/main.bmp" }, "/Skins/Deep/", Fallback,
                DefaultSkin, false },
            { "only a hidden file", "Skins/Default", "Skins/Dot", { ".main.bmp" }, "/Skins/Dot/", Fallback,
                DefaultSkin, false },
            { "missing, default in lower case", "skins/default", "", {}, "/Skins/Gone/", Fallback,
                DefaultSkin, false },
            { "no default either", "", "", {}, "/Skins/Gone/", Fallback, 0, false },
            { "default in lower case", "skins/default", "", {}, Fallback, Fallback, DefaultSkin, true },
            { "folder in other case", "skins/default", "skins/blue", ListFiles, "/Skins/BLUE/",
                "/Skins/BLUE/", OtherSkin, true },
            { "backslashes", "Skins/Default", "Skins/Blue", ListFiles, "\\Skins\\Blue\\", "\\Skins\\Blue\\",
                OtherSkin, true },
            { "file names in capitals", "Skins/Default", "Skins/Blue",
                { "MAIN.BMP", "PLamps.bmp", "Buttons.BMP", "aniOpen.bmp" }, "/Skins/Blue/", "/Skins/Blue/",
                OtherSkin, true },
            { "any file keeps the skin", "Skins/Default", "Skins/Text", { "read.me" }, "/Skins/Text/",
                "/Skins/Text/", 0, false },
        };
        QTest::addColumn<QString>("defaultFolder");
        QTest::addColumn<QString>("otherFolder");
        QTest::addColumn<QStringList>("otherFiles");
        QTest::addColumn<QString>("skinPath");
        QTest::addColumn<QString>("expectedPath");
        QTest::addColumn<QList<QRgb>>("expected");
        QTest::addColumn<bool>("whole");
        for (const FolderCase& c : cases)
            QTest::newRow(c.Name) << QString(c.DefaultFolder) << QString(c.OtherFolder) << c.OtherFiles
                                  << QString(c.SkinPath) << QString(c.ExpectedPath) << SkinColors(c.Loaded)
                                  << c.Whole;
    }

    void FindsTheSkinOrFallsBack()
    {
        QFETCH(QString, defaultFolder);
        QFETCH(QString, otherFolder);
        QFETCH(QStringList, otherFiles);
        QFETCH(QString, skinPath);
        const test::TempFolder folder;
        const QDir program(QString::fromStdString(folder.Path()));
        if (!defaultFolder.isEmpty())
            WriteSkin(program.filePath(defaultFolder), DefaultSkin);
        if (!otherFolder.isEmpty())
            WriteSkin(program.filePath(otherFolder), OtherSkin, otherFiles);
        SkinPictures skin;
        QTEST(skin.LoadSkin(program.path(), skinPath), "whole");
        QTEST(skinPath, "expectedPath");
        QTEST(SlotColors(skin), "expected");
    }

    void SpoiledFileKeepsThePreviousPicture_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<Spoil>("spoil");
        QTest::newRow("missing lamps") << 1 << Spoil::Missing;
        QTest::newRow("empty main") << 0 << Spoil::Empty;
        QTest::newRow("junk animation") << 3 << Spoil::Junk;
        QTest::newRow("buttons is a folder") << 2 << Spoil::Folder;
    }

    void SpoiledFileKeepsThePreviousPicture()
    {
        QFETCH(int, file);
        QFETCH(Spoil, spoil);
        const test::TempFolder folder;
        const QDir program(QString::fromStdString(folder.Path()));
        WriteSkin(program.filePath("Skins/Default"), DefaultSkin);
        const QString spoiled = program.filePath("Skins/Other/" + ListFiles[file]);
        WriteSkin(program.filePath("Skins/Other"), OtherSkin);
        QVERIFY(QFile::remove(spoiled));
        if (spoil == Spoil::Empty || spoil == Spoil::Junk)
            WriteFile(spoiled, spoil == Spoil::Empty ? QByteArray() : QByteArray("BM not a bitmap"));
        if (spoil == Spoil::Folder)
            QVERIFY(QDir().mkpath(spoiled));

        SkinPictures skin;
        QString skinPath = "/Skins/Default/";
        skin.LoadSkin(program.path(), skinPath);
        skinPath = "/Skins/Other/";
        QVERIFY(!skin.LoadSkin(program.path(), skinPath));
        QList<QRgb> expected = SkinColors(OtherSkin);
        expected[file] = FileColor(DefaultSkin, file);
        QCOMPARE(SlotColors(skin), expected);
    }

    void ColorsFollowTheFileOrStay_data()
    {
        const QColor edit(1, 1, 1), list(2, 2, 2), title(3, 3, 3), status(4, 4, 4), menu0(5, 5, 5),
            menu3(6, 6, 6);
        struct ColorCase {
            const char* Name;
            const char* FileName; // empty: the skin has no colour file
            QByteArray Text;
            QList<QColor> Expected; // edit, list, title, status, first and last menu colour
        };
        const ColorCase cases[] {
            { "no colors.txt", "", {}, { edit, list, title, status, menu0, menu3 } },
            { "empty colors.txt", "colors.txt", {}, { edit, list, title, status, menu0, menu3 } },
            { "nine lines keep the status", "colors.txt", NumberLines(9),
                { QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9), status, menu0, menu3 } },
            { "menu after line 18", "COLORS.TXT", NumberLines(30),
                { QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9), QColor(10, 11, 12), QColor(19, 20, 21),
                    QColor(28, 29, 30) } },
        };
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QColor>>("expected");
        for (const ColorCase& c : cases)
            QTest::newRow(c.Name) << QString(c.FileName) << c.Text << c.Expected;
    }

    void ColorsFollowTheFileOrStay()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, text);
        const test::TempFolder folder;
        const QDir program(QString::fromStdString(folder.Path()));
        WriteSkin(program.filePath("Skins/Default"), DefaultSkin);
        if (!fileName.isEmpty())
            WriteFile(program.filePath("Skins/Default/" + fileName), text);
        SkinPictures skin;
        skin.EditBackground = QColor(1, 1, 1);
        skin.ListText = QColor(2, 2, 2);
        skin.TitleText = QColor(3, 3, 3);
        skin.StatusText = QColor(4, 4, 4);
        skin.Menu = { QColor(5, 5, 5), QColor(7, 7, 7), QColor(8, 8, 8), QColor(6, 6, 6) };
        QString skinPath = "/Skins/Default/";
        skin.LoadSkin(program.path(), skinPath);
        QTEST((QList<QColor> { skin.EditBackground, skin.ListText, skin.TitleText, skin.StatusText,
                  skin.Menu[0], skin.Menu[3] }),
            "expected");
    }

    void EditorAndTabKeepPreviousFilesWithoutFallingBack()
    {
        const test::TempFolder folder;
        const QDir program(QString::fromStdString(folder.Path()));
        // The default skin's pictures must never show: the editor and the tab do not fall back.
        WriteSkin(program.filePath("Skins/Default"), qRgb(100, 0, 100),
            { "taskedit.bmp", "editbtns.bmp", "bar.bmp" });
        WriteSkin(program.filePath("Skins/A"), DefaultSkin, { "editbtns.bmp" });
        WriteFile(
            program.filePath("Skins/A/colors.txt"), "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n1\n2\n3\n4\n5\n6\n");
        QImage bar(4, 3, QImage::Format_RGB32);
        bar.fill(Qt::red);
        bar.setPixel(0, 0, DockTabSkin::KeyColor);
        QVERIFY(bar.save(program.filePath("Skins/A/bar.bmp"), "BMP"));
        WriteSkin(program.filePath("Skins/B"), OtherSkin, { "taskedit.bmp" });
        EditorSkin editor;
        DockTabSkin tab;
        for (const char* path : { "/Skins/A/", "/Skins/B/", "/Skins/Gone/" }) {
            editor.LoadSkin(program.path(), path);
            tab.LoadSkin(program.path(), path);
        }
        QCOMPARE(editor.Background.pixel(0, 0), FileColor(OtherSkin, 0));
        QCOMPARE(editor.Buttons.pixel(0, 0), FileColor(DefaultSkin, 0));
        QCOMPARE(editor.FieldBackground, QColor(1, 2, 3));
        QCOMPARE(editor.FieldText, QColor(4, 5, 6));
        QCOMPARE(tab.Bar.pixel(1, 0), qRgb(255, 0, 0));
        QCOMPARE(tab.Shape, QRegion(0, 0, 4, 3) - QRegion(0, 0, 1, 1));
    }
};

} // namespace agendrix

int RunSkinPicturesTests(int argc, char** argv)
{
    agendrix::SkinPicturesTest suite;
    return QTest::qExec(&suite, argc, argv);
}

#include "SkinPicturesQtTest.moc"
