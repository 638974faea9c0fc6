#pragma once
// Writing an output text file.

#include <string>
#include <string_view>

namespace app {

// Creates the file, or overwrites it without asking, with bytes exactly as given. A file that cannot be
// created raises pw::EFOpenError, a short write pw::EWriteError.
void WriteTextFile(const std::string& fileName, std::string_view bytes);

}  // namespace app
