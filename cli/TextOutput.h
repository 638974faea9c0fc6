#pragma once
// Output of converted text: Windows-1252 to UTF-8, and writing a whole file.

#include <string>
#include <string_view>

namespace cli {

// Every byte as its Windows-1252 character in UTF-8; ASCII bytes, CR and LF included, are unchanged.
std::string AnsiToUtf8(std::string_view bytes);

// Creates or overwrites the file with bytes; raises pw::EFOpenError or pw::EWriteError.
void WriteWholeFile(const std::string& fileName, std::string_view bytes);

}  // namespace cli
