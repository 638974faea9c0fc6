#include "cli/InputFiles.h"

#include <algorithm>
#include <filesystem>

#include "platform/Ansi.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

bool IsPdfName(const fs::path& path) { return pw::AnsiLowerCase(path.extension().string()) == ".pdf"; }

std::vector<std::string> PdfFilesUnder(const fs::path& folder) {
    std::vector<std::string> files;
    std::error_code error;
    // Symbolic links to folders are not followed, so a link back up cannot loop; unreadable folders are
    // passed over.
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::error_code kindError;
        if (it->is_regular_file(kindError) && IsPdfName(it->path())) files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::vector<std::string> ExpandPaths(const std::vector<std::string>& paths) {
    std::vector<std::string> documents;
    for (const std::string& path : paths) {
        std::error_code error;
        if (fs::is_directory(path, error)) {
            for (std::string& file : PdfFilesUnder(path)) documents.push_back(std::move(file));
        } else {
            documents.push_back(path);
        }
    }
    return documents;
}

}  // namespace cli
