#pragma once
// Hexadecimal text: digit pairs, byte strings and UTF-16BE text strings written in hexadecimal.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/syntax/PDFObjects.h"

namespace kp {

// True when every character is a hexadecimal digit (the empty text included).
bool IsHexDigits(std::string_view text);
// The digits' value modulo 256 (for two digits: high * 16 + low). ok is false, and the byte 0, when a
// character is not a hexadecimal digit.
uint8_t HexPairToByte(std::string_view text, bool& ok);
// Skips non-digits (whitespace in particular), takes digits in pairs, drops a digit left without partner.
std::string HexToBytes(std::string_view text);
TkpByteArray HexToByteArray(std::string_view text);
// Two upper-case digits per byte.
std::string BytesToHex(std::string_view bytes);
// Digits of a hexadecimal text string: after a "FEFF" mark, UTF-16BE units (at most 999 digits taken, an
// incomplete final group dropped) up to the first zero unit; otherwise the bytes through the ANSI code page.
std::u16string HexTextToWide(std::string_view text);

}  // namespace kp
