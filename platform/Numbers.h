#pragma once
// Text <-> number conversions that touch no process-wide state: "." is always the decimal separator,
// whatever the user's locale, and concurrent conversions cannot disturb each other.

#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

// Decimal digits with an optional "+" or "-" sign, nothing else; false when the value does not fit.
bool TryDecimalToInt32(std::string_view text, int32_t& value);
bool TryDecimalToInt64(std::string_view text, int64_t& value);

// The platform's integer syntax: optional leading spaces, an optional sign, then decimal digits, or
// hexadecimal digits after a "$", "x", "X", "0x" or "0X" prefix. Nothing may follow the digits.
// A decimal value must fit a signed 32-bit integer; a hexadecimal one must fit 32 bits and is taken as
// that bit pattern ("$FFFFFFFF" is -1).
bool TryStrToInt(std::string_view text, int32_t& value);
// As TryStrToInt; raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// Decimal notation: optional spaces, optional sign, digits with an optional "." and fraction (at least one
// digit in all), an optional exponent ("E" or "e", optional sign, digits), optional spaces.
bool TryStrToFloat(std::string_view text, double& value);
// As TryStrToFloat; raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text);

enum TFloatFormat { ffGeneral, ffFixed };

// The general format: at most `precision` significant digits, trailing zeros dropped, fixed notation unless
// the integer part has more digits than `precision` or the value is below 0.00001, else "1.5E20" style.
// The fixed format: `digits` digits after the point (scientific when the integer part exceeds precision).
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);

// Rounds to the nearest integer; a value exactly halfway goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
int64_t RoundHalfEven(long double value);
// Rounds to the nearest integer; a value exactly halfway goes away from zero (2.5 -> 3, -2.5 -> -3).
int64_t RoundHalfAwayFromZero(long double value);

}  // namespace pw
