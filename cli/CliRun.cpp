#include "cli/CliRun.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/TextFile.h"
#include "cli/InputFiles.h"
#include "cli/OrderedConversion.h"
#include "cli/TextOutput.h"

namespace cli {

namespace {

// The text of one document, exactly as the batch driver would write it, or the message of its failure.
TDocumentResult ConvertOne(const TCliOptions& options, kp::TkpPDFDocument& document, const std::string& path) {
    TDocumentResult result;
    try {
        bool refused = false;
        document.OnPassword = nullptr;
        if (options.Password) {
            // The password is offered once; being asked again means it was refused.
            document.OnPassword = [&](void*, std::string& password, bool& continueAsking, int tries) {
                if (tries == 0) {
                    password = *options.Password;
                } else {
                    continueAsking = false;
                    refused = true;
                }
            };
        }
        document.LoadFromFile(path);
        if (refused) throw pw::Exception(msg::kInvalidPassword);
        result.Text = app::ConvertLoadedDocument(document, options.Kind, options.PageRange);
        if (options.Utf8) result.Text = AnsiToUtf8(result.Text);
        result.Converted = true;
    } catch (const std::exception& error) {
        result.Text.clear();
        result.Error = error.what();
    } catch (...) {
        // The engine raises only std::exception descendants; anything else still ends only this document.
        result.Text.clear();
        result.Error = msg::kUnknownError;
    }
    document.OnPassword = nullptr;
    return result;
}

// The "[3/40] path" line on a terminal, rewritten in place.
class ProgressLine {
public:
    ProgressLine(bool shown, size_t total) : shown_(shown), total_(total) {}
    ~ProgressLine() { Clear(); }
    void Show(size_t done, const std::string& path) {
        if (!shown_) return;
        std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", done, total_, path.c_str());
        std::fflush(stderr);
        visible_ = true;
    }
    void Clear() {
        if (!visible_) return;
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
        visible_ = false;
    }

private:
    bool shown_;
    size_t total_;
    bool visible_ = false;
};

void ReportFailure(const std::string& path, const std::string& message) {
    // The message exactly as raised: its bytes are written unchanged, line ends included.
    std::string line = path + ": " + message + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

int RunConversion(const TCliOptions& options) {
    const std::vector<std::string> documents = ExpandPaths(options.Paths);
    if (!options.ToStdout) {
        std::error_code error;
        std::filesystem::create_directories(options.OutputFolder, error);
        if (error) {
            ReportFailure(options.OutputFolder, "cannot create the output folder: " + error.message());
            return kExitFailed;
        }
    }

    bool anyFailed = false;
    // Text going to the same terminal would run through the progress line: then it is not shown.
    const bool textOnTerminal = options.ToStdout && ::isatty(STDOUT_FILENO) == 1;
    ProgressLine progress(!options.Quiet && documents.size() > 1 && ::isatty(STDERR_FILENO) == 1 && !textOnTerminal,
                          documents.size());
    auto convert = [&](kp::TkpPDFDocument& document, const std::string& path) {
        return ConvertOne(options, document, path);
    };
    auto commit = [&](size_t index, TDocumentResult&& result) {
        const std::string& path = documents[index];
        if (result.Converted) {
            try {
                if (options.ToStdout) {
                    if (std::fwrite(result.Text.data(), 1, result.Text.size(), stdout) != result.Text.size()) {
                        throw pw::EWriteError();
                    }
                } else {
                    const auto output = std::filesystem::path(options.OutputFolder) / (app::OutputBaseName(path) + ".txt");
                    app::WriteTextFile(output.string(), result.Text);
                }
            } catch (const std::exception& error) {
                result.Converted = false;
                result.Error = error.what();
            }
        }
        if (!result.Converted) {
            anyFailed = true;
            progress.Clear();
            ReportFailure(path, result.Error);
        }
        progress.Show(index + 1, path);
    };
    ConvertInOrder(documents, options.Jobs, convert, commit);
    progress.Clear();
    if (std::fflush(stdout) != 0) anyFailed = true;
    return anyFailed ? kExitFailed : kExitConverted;
}

}  // namespace cli
