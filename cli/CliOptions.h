#pragma once
// The command line of pagewren-cli:
//   pagewren-cli [--plain | --formatted] [-o DIR | --stdout] [--pages RANGE] [--password PW]
//                [-j N] [--utf8] [-q] PATH...

#include <optional>
#include <string>
#include <vector>

#include "app/DocumentConversion.h"

namespace cli {

// Exit statuses: every document converted, some document failed, the command line was wrong.
inline constexpr int kExitConverted = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct TCliOptions {
    app::TTextKind Kind = app::tkPlain;
    std::string OutputFolder = ".";
    bool ToStdout = false;
    std::optional<std::string> PageRange;
    std::optional<std::string> Password;
    int Jobs = 0;  // 0: one per core
    bool Utf8 = false;
    bool Quiet = false;
    std::vector<std::string> Paths;
};

// Fills options from the command line. Returns the exit status to stop with (after --help or --version,
// or a usage error, whose message went to standard error), or nothing when the conversion should run.
std::optional<int> ParseCommandLine(int argc, char** argv, TCliOptions& options);

}  // namespace cli
