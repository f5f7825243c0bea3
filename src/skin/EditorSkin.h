#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace agendrix {

// The task editor's part of a skin. Its background's size is the editor's size. The skin path
// is used as found: only the list window falls back to the default skin.
class EditorSkin {
public:
    QImage Background; // taskedit.bmp
    QImage Buttons; // editbtns.bmp
    QColor FieldBackground = Qt::white; // the editor's four text fields
    QColor FieldText = Qt::black;

    // A missing or unreadable file, or a colour the file leaves out, keeps the previous one.
    void LoadSkin(const QString& programFolder, const QString& skinPath);
};

} // namespace agendrix
