#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <thread>

namespace cli {

namespace {
constexpr const char* kFormattedRefused =
    "--formatted: the formatted (\"Preserve Text Format\") text is not available yet; use --plain";
}  // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, TCliOptions& options) {
    CLI::App command{"Converts PDF documents into text files, one .txt file per PDF.", "pagewren-cli"};
    command.set_version_flag("--version", std::string("pagewren-cli ") + PAGEWREN_VERSION);
    bool plain = false;
    bool formatted = false;
    auto* plainFlag = command.add_flag("--plain", plain, "plain text: the strings of each page in content order (default)");
    auto* formattedFlag = command.add_flag("--formatted", formatted, "text laid out as on the page (not available yet)");
    plainFlag->excludes(formattedFlag);
    auto* outputOption = command.add_option("-o,--output", options.OutputFolder,
                                            "folder for DIR/<name>.txt, created when missing (default: the current folder)");
    outputOption->type_name("DIR");
    auto* stdoutFlag = command.add_flag("--stdout", options.ToStdout,
                                        "write each document's text to standard output, in argument order");
    outputOption->excludes(stdoutFlag);
    command.add_option("--pages", options.PageRange, "pages to convert, in this order, e.g. 1-3,7 (default: all)")
        ->type_name("RANGE");
    command.add_option("--password", options.Password, "user password offered once for encrypted documents")
        ->type_name("PW");
    command.add_option("-j,--jobs", options.Jobs, "documents converted at once (default: the number of cores)")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
    command.add_flag("--utf8", options.Utf8, "write UTF-8 instead of the Windows-1252 bytes");
    command.add_flag("-q,--quiet", options.Quiet, "no progress line");
    command.add_option("PATH", options.Paths, "PDF files, or folders whose PDF files (subfolders included) are converted")
        ->required();
    try {
        command.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return command.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return command.exit(e);
    } catch (const CLI::ParseError& e) {
        command.exit(e);
        return kExitUsage;
    }
    if (formatted) {
        std::cerr << kFormattedRefused << "\n";
        return kExitUsage;
    }
    if (options.Jobs == 0) options.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::nullopt;
}

}  // namespace cli
