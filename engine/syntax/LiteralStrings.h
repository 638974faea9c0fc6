#pragma once
// The escape syntax of PDF literal strings.

#include <cstdint>
#include <string>
#include <string_view>

namespace kp {

// Resolves \( \) \\ \b \f \n \r \t and up to three octal digits (value modulo 256). A backslash before any
// other character, or at the very end, stays a backslash. Line continuations never reach here: the lexer
// drops them.
std::string UnescapeLiteral(std::string_view body);
// The writing direction: ( ) \ get a backslash; backspace, form feed, LF and CR become \b \f \n \r; a TAB
// becomes spaces up to the next multiple of 8 columns (backspace and form feed take no column).
std::string EscapeLiteral(std::string_view bytes);
// One to three octal digits; the value modulo 256.
uint8_t OctalToByte(std::string_view digits);

}  // namespace kp
