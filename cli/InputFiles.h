#pragma once
// The documents a command line names.

#include <string>
#include <vector>

namespace cli {

// Each path in order: a folder gives its PDF files and those of its subfolders (extension ".pdf" in any
// case), sorted by path; anything else is taken as one document, to fail at its load if it is no PDF.
std::vector<std::string> ExpandPaths(const std::vector<std::string>& paths);

}  // namespace cli
