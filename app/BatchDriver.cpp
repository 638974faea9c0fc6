#include "app/BatchDriver.h"

#include "app/TextFile.h"

#include <sys/stat.h>

#include <cstdlib>

namespace app {

std::string TBatchDriver::DefaultOutputFolder() {
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && *home != '\0' ? home : "/tmp") + "/Export/";
}

void TBatchDriver::PrepareOutputFolder() {
    std::string folder = window_.OutputFolder();
    if (folder.empty()) {
        folder = DefaultOutputFolder();
        window_.SetOutputFolder(folder);
        window_.ShowOutputFolder(folder);
    } else {
        // A value without a trailing "/" names a file in its parent folder: the parent is used.
        const size_t slash = folder.find_last_of('/');
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
        window_.SetOutputFolder(folder);
    }
    // One level only: a missing parent makes mkdir fail, and the failure shows when the file is written.
    struct stat info {};
    if (!folder.empty() && ::stat(folder.c_str(), &info) != 0) ::mkdir(folder.c_str(), 0777);
}

void TBatchDriver::ExportFiles() {
    if (window_.FileCount() == 0) return;
    PrepareOutputFolder();
    window_.SetBusy(true);
    window_.SetExportEnabled(false);
    std::string output;
    try {
        while (window_.FileCount() > 0) {
            const std::string path = window_.FirstFilePath();
            output = window_.OutputFolder() + OutputBaseName(path) + ".txt";
            window_.ShowPreview(path);
            // The item leaves the list however its conversion ends.
            struct DeleteFirst {
                IConversionWindow& window;
                ~DeleteFirst() { window.DeleteFirstFile(); }
            } deleteFirst{window_};
            const TTextKind kind = window_.PreserveTextFormat() ? tkFormatted : tkPlain;
            WriteTextFile(output, ConvertDocument(document_, path, kind));
        }
    } catch (...) {
        window_.SetBusy(false);
        window_.SetExportEnabled(true);
        throw;
    }
    window_.SetBusy(false);
    window_.SetExportEnabled(true);
    window_.SetStatusText(pw::FillMessage(msg::kCompleteExport, output));
}

}  // namespace app
