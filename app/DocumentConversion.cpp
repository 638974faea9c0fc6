#include "app/DocumentConversion.h"

#include "engine/text/PageTextOutput.h"
#include "platform/Exception.h"

namespace app {

std::string ConvertLoadedDocument(kp::TkpPDFDocument& document, TTextKind kind,
                                  const std::optional<std::string>& pageRange) {
    if (kind == tkFormatted) throw pw::Exception(std::string(msg::kFormattedUnavailable));
    kp::TkpPageNumbers pages;
    if (pageRange) {
        kp::TkpExPDFDocument::ParsePageRange(*pageRange, document.PageCount(), pages);
    } else {
        for (int32_t page = 1; page <= document.PageCount(); ++page) pages.push_back(page);
    }
    // The lines of each page go straight into the file's bytes: the same bytes as ExtractText's lines
    // collected in one list and saved, without a string per line of a long document.
    std::string text;
    for (const int32_t page : pages) kp::AppendPageText(document, page, text);
    return text;
}

std::string ConvertDocument(kp::TkpPDFDocument& document, const std::string& path, TTextKind kind,
                            const std::optional<std::string>& pageRange) {
    document.LoadFromFile(path);
    return ConvertLoadedDocument(document, kind, pageRange);
}

std::string OutputBaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find('.'));
}

}  // namespace app
