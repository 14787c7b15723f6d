#pragma once

// Named colours and fonts as the window declaration gives them.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>

// Colours by name. The fixed ones have one RGB value; the system ones follow the desktop's
// colour scheme (the application palette) at the moment they are applied.
enum TColor
{
    clBlack,
    clGreen,   // 0, 128, 0
    clNavy,    // 0, 0, 128
    clRed,     // 255, 0, 0
    clLime,    // 0, 255, 0
    clAqua,    // 0, 255, 255
    clWhite,   // 255, 255, 255
    clSkyBlue, // 166, 202, 240
    clBtnFace,
    clWindow,
    clWindowText,
    clInfoBk,
    clInfoText
};

QColor ColorToRgb(TColor Color, const QPalette &Scheme);

// A font described by the character height in pixels (the declaration's negative Height) on top of
// the family and style Font already has. "MS Sans Serif" is not on Linux; start-up maps it to
// Liberation Sans, which is about 10% narrower, and the letter spacing added here makes the
// captions as wide as the layout was drawn for: without it the raised "o" marks miss the gaps
// left for them in their captions.
QFont FontWithHeight(QFont Font, int Height);

// Reads a picture the declaration names (a Qt resource path): Windows bitmaps and PNG through
// Qt's built-in readers, icons (.ico) here. Qt's own icon reader is a plugin, and finding it makes
// Qt load every image plugin at start-up. Returns a null image if the file is missing or
// unreadable.
QImage ReadPicture(const QString &Path);

// Replaces the faces the declaration names but Linux lacks. Called once at start-up.
void InstallFontSubstitutes();
