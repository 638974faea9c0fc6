#pragma once
// One run of pagewren-cli over the documents of its command line.

#include "cli/CliOptions.h"

namespace cli {

namespace msg {
// The document refused the password given with --password.
inline constexpr const char* kInvalidPassword = "Invalid password";
// A failure that carried no message.
inline constexpr const char* kUnknownError = "Unknown error";
}  // namespace msg

// Converts every document the options name; returns the exit status (kExitConverted or kExitFailed).
int RunConversion(const TCliOptions& options);

}  // namespace cli
