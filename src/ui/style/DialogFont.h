// The font of the window and the About box: "ＭＳ Ｐゴシック" at 9 points,
// or, where that font is not installed, the proportional IPA Gothic, or else
// any font that can write Japanese; at the desktop's font size instead when
// that is larger, so that the window follows a player's larger text.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

inline constexpr int kDialogFontPointSize = 9;

// Picks the family from the installed ones: the first of the preferred names
// that is installed, else the first family that can write Japanese, else the
// empty text (the application's default font).
QString ChooseDialogFontFamily(const QStringList& arrInstalled,
                               const std::function<bool(const QString&)>& canWriteJapanese);

// The dialog font, chosen from the fonts the font database knows, at the
// larger of 9 points and the application's font size.
QFont MakeDialogFont();
