#pragma once
// Numbers and colours written as PDF text, always with "." as the decimal separator.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Numbers.h"

namespace kp {

// Decimal notation (optional spaces, sign, digits, ".", exponent); anything else, the empty text included,
// raises EConvertError "'%s' is not a valid floating point value".
double ParseNumber(std::string_view text);
// The general format with 15 significant digits.
std::string FormatNumber(double value);
std::string FormatNumberFixed(double value, pw::TFloatFormat format, int precision, int digits);
// True and the value when the whole text is a 32-bit integer in the platform's integer syntax.
bool TryParseInteger(std::string_view text, int32_t& value);

// A colour is R + 256 * G + 65536 * B. System colours (high byte 0xFF) are resolved to their RGB value first.
// Gives "r g b" with each component / 255 written with four decimals ("1.0000 0.0000 0.0000" for red).
std::string ColorToPDF(uint32_t colour);
// The colour of "r g b rg" operands: each number * 255, rounded half to even, into the next byte, until a
// token starting with "r". An empty text gives 0; a non-number raises EConvertError.
int32_t ParseRGBColor(std::string_view text);

}  // namespace kp
