#pragma once
// The Windows ANSI code page (Windows-1252), fixed, in both directions, and its case rules.

#include <string>
#include <string_view>

namespace pw {

// Every byte becomes one UTF-16 unit. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value, as Windows does.
std::u16string AnsiToWide(std::string_view bytes);
// Every unit becomes one byte; U+0080..U+009F and characters outside Windows-1252 become "?".
std::string WideToAnsi(std::u16string_view text);

// Upper- and lower-case mapping of single Windows-1252 bytes (letters with accents included).
unsigned char AnsiUpperChar(unsigned char c);
unsigned char AnsiLowerChar(unsigned char c);
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

}  // namespace pw
