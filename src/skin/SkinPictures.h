#pragma once

#include "skin/SkinColors.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <array>

namespace agendrix {

// The list window's part of a skin: the four source pictures that every piece of the window is
// copied from (none of them is ever shown whole) and the colours of its texts and edit boxes.
// Before the first load the slots hold a plain default look, which a skin lacking some files
// keeps; after that they hold the previous skin's files.
class SkinPictures {
public:
    QImage Main; // main.bmp: title bar, row, information block, list end, filler, status bar
    QImage Lamps; // plamps.bmp: one band per priority code and the broken lamp's flicker
    QImage Buttons; // buttons.bmp: the window's small buttons in their states
    QImage Animation; // aniopen.bmp: the control bar's opening frames

    QColor EditBackground = Qt::white; // the two inline edit boxes
    QColor ListText = Qt::black; // rows, the information block and the inline edit boxes
    QColor TitleText = Qt::black;
    QColor StatusText = Qt::black;

    // The context menu's colours (colors.txt lines 19-30): background, text, highlight
    // background, highlight text.
    std::array<QColor, SkinColorLines::MenuCount> Menu { QColor(240, 240, 240), QColor(Qt::black),
        QColor(0, 0, 128), QColor(Qt::white) };

    // Loads the skin named by `skinPath` below `programFolder`. A skin folder that is missing or
    // holds no file switches `skinPath` to the default skin, and that is the value the settings
    // keep. Missing or unreadable files leave what the slots held; nothing is reported. Returns
    // whether the skin asked for was whole: its folder found and all four pictures loaded.
    bool LoadSkin(const QString& programFolder, QString& skinPath);
};

} // namespace agendrix
