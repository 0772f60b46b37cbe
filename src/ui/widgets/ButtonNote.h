// A short note shown under a button for a moment (about 1.5 s), without a
// dialog: what the button just did, or why it could not.
#pragma once

#include <QString>

class QWidget;

inline constexpr int kButtonNoteMs = 1500;

void ShowButtonNote(QWidget& button, const QString& strText);
