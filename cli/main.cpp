// pagewren-cli: converts PDF documents into text files from the command line.
#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "platform/Screen.h"

namespace {
// The desktop program measures text at the screen's resolution; without a screen the standard one is used.
constexpr int kPixelsPerInch = 96;
}  // namespace

int main(int argc, char** argv) {
    pw::SetPixelsPerInch(kPixelsPerInch);
    cli::TCliOptions options;
    if (const std::optional<int> status = cli::ParseCommandLine(argc, argv, options)) return *status;
    return cli::RunConversion(options);
}
