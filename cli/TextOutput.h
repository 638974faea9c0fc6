#pragma once
// Converted text for terminals and tools that expect UTF-8.

#include <string>
#include <string_view>

namespace cli {

// Every byte as its Windows-1252 character in UTF-8; ASCII bytes, CR and LF included, are unchanged.
std::string AnsiToUtf8(std::string_view bytes);

}  // namespace cli
