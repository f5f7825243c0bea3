#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <initializer_list>
#include <optional>
#include <string>

namespace agendrix {

inline constexpr char DefaultSkinPath[] = "/Skins/Default/";

// A skin folder: the program folder joined with a skin path such as "/Skins/Default/". Skins come
// from a system that ignores letter case, so each component of the path and each file name is
// matched without regard to it. Nothing here fails loudly: a skin that lacks a file leaves
// whatever the caller held before, so a partial skin mixes with the previous one.
class SkinFolder {
public:
    SkinFolder(const QString& programFolder, const QString& skinPath);

    // False for a missing folder and for one that holds no visible file (only folders, say).
    bool HoldsFiles() const;

    // Loads the named picture into `slot`, converted once to the format the surface is drawn in;
    // a missing or unreadable file leaves `slot` as it was. Returns whether it loaded.
    bool LoadPicture(const QString& fileName, QImage& slot) const;

    // The bytes of colors.txt; nothing when the skin has none.
    std::optional<std::string> ReadColorsFile() const;

    // The path on disk of an entry of the folder, found ignoring case; nothing when it is missing.
    std::optional<QString> FindFile(const QString& fileName) const;

private:
    std::optional<QString> Path; // the folder as spelled on disk; nothing when it does not exist
};

// Sets the colours that colors.txt gives from line `firstLine` (0-based) on, one colour per
// target in order; a colour that the file leaves out or spoils keeps its previous value.
void ApplySkinColors(const std::string& colorsText, int firstLine, std::initializer_list<QColor*> targets);

} // namespace agendrix
