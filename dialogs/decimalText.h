#pragma once

#include <QString>

// Dialogs keep numbers as decimal texts. A text reads as atoi does: leading
// blanks, an optional sign, then the leading digits; 0 if there are none.
// Values beyond int saturate instead of overflowing.
int TextToInt(const QString& text);

// Plain decimal, "-" for negatives, no leading zeros.
QString IntToText(int value);
