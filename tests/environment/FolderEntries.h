#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace agendrix::test {

// Makes the entries below `root`, with the folders they lie in: a name ending in "/" is a folder,
// any other an empty file. False when one could not be made.
inline bool MakeEntries(const QDir& root, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const bool folder = entry.endsWith(QLatin1Char('/'));
        if (!root.mkpath(folder ? entry : QFileInfo(root.filePath(entry)).path()))
            return false;
        QFile file(root.filePath(entry));
        if (!folder && !file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

} // namespace agendrix::test
