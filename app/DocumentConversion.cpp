#include "app/DocumentConversion.h"

#include "platform/Exception.h"

namespace app {

pw::TStringList ConvertLoadedDocument(kp::TkpPDFDocument& document, TTextKind kind,
                                      const std::optional<std::string>& pageRange) {
    if (kind == tkFormatted) throw pw::Exception(std::string(msg::kFormattedUnavailable));
    kp::TkpPageNumbers pages;
    if (pageRange) {
        kp::TkpExPDFDocument::ParsePageRange(*pageRange, document.PageCount(), pages);
    } else {
        for (int32_t page = 1; page <= document.PageCount(); ++page) pages.push_back(page);
    }
    pw::TStringList lines;
    // Each page is asked for by its number written in decimal, as a page-range text of its own.
    for (const int32_t page : pages) lines.AddStrings(document.ExtractText(std::to_string(page)));
    return lines;
}

pw::TStringList ConvertDocument(kp::TkpPDFDocument& document, const std::string& path, TTextKind kind,
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
