#include "SkinFolder.h"

#include "QtHelpers.h"
#include "model/FileAccess.h"
#include "model/ProgramFolder.h"
#include "skin/SkinColors.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace agendrix {

namespace {
    std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

    // Walks the skin path component by component below the program folder. Settings written on
    // another system may still use backslashes, so both separators split.
    std::optional<QString> ResolveFolder(const QString& programFolder, const QString& skinPath)
    {
        static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
        QString folder = programFolder;
        for (const QString& component : skinPath.split(separators, Qt::SkipEmptyParts)) {
            const auto entry = FindEntryIgnoringCase(Native(folder), Native(component));
            if (!entry)
                return std::nullopt;
            folder += QLatin1Char('/') + QFile::decodeName(QByteArray::fromStdString(*entry));
        }
        return folder;
    }
} // namespace

SkinFolder::SkinFolder(const QString& programFolder, const QString& skinPath)
    : Path(ResolveFolder(programFolder, skinPath))
{
}

bool SkinFolder::HoldsFiles() const
{
    if (!Path)
        return false;
    // Files only and no hidden ones: the same entries a plain listing of the folder shows.
    QDirIterator entries(*Path, QDir::Files);
    return entries.hasNext();
}

std::optional<QString> SkinFolder::FindFile(const QString& fileName) const
{
    if (!Path)
        return std::nullopt;
    const auto entry = FindEntryIgnoringCase(Native(*Path), Native(fileName));
    if (!entry)
        return std::nullopt;
    return *Path + QLatin1Char('/') + QFile::decodeName(QByteArray::fromStdString(*entry));
}

bool SkinFolder::LoadPicture(const QString& fileName, QImage& slot) const
{
    const auto file = FindFile(fileName);
    if (!file)
        return false;
    QImage picture;
    if (!picture.load(*file) || picture.isNull())
        return false;
    // Every later copy is a plain block transfer when source and surface share one format.
    slot = picture.convertToFormat(QImage::Format_RGB32);
    return true;
}

std::optional<std::string> SkinFolder::ReadColorsFile() const
{
    const auto file = FindFile(QStringLiteral("colors.txt"));
    if (!file)
        return std::nullopt;
    ReadResult result = ReadWholeFile(Native(*file));
    if (result.What != ReadResult::Status::Read)
        return std::nullopt;
    return std::move(result.Bytes);
}

void ApplySkinColors(const std::string& colorsText, int firstLine, std::initializer_list<QColor*> targets)
{
    const auto colors = ReadSkinColors(colorsText, firstLine, static_cast<int>(targets.size()));
    auto color = colors.begin();
    for (QColor* target : targets) {
        if (*color)
            *target = ToQColor(**color);
        ++color;
    }
}

} // namespace agendrix
