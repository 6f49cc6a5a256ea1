#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Text in an edit field and the value of its member, by the rules of the dialog framework the
// program was first written for: what a field shows when a dialog opens, which texts OK takes,
// and the messages that refuse the others. Numbers always use a decimal point, whatever the
// user's locale.

// Loading: an integer in decimal; a real with at most 6 significant digits in its shortest
// form, so 0.02f shows "0.02" and not the digits of its binary value.
QString formatInt(int value);
QString formatFloat(float value);

// Saving. Blanks (spaces, tabs) may stand before and after the number. Nothing is returned
// when the text is not a number of the type: an integer is an optional sign and decimal digits
// that fit the type.
std::optional<int> parseInt(const QString& text);
std::optional<std::int16_t> parseInt16(const QString& text);
// A decimal real with optional sign, fraction and exponent, rounded to single precision. A
// value too large for single precision is refused.
std::optional<float> parseFloat(const QString& text);

// The framework's messages; the range messages name both bounds as a field would show them.
QString integerMessage();
QString numberMessage();
QString intRangeMessage(int minimum, int maximum);
QString floatRangeMessage(float minimum, float maximum);
