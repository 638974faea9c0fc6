#include "app/DocumentConversion.h"

#include "engine/text/PageTextOutput.h"
#include "platform/Exception.h"

#include <algorithm>

namespace app {

namespace {
// Extra room above the first page's estimate, for pages a little longer than the first.
constexpr size_t kTextReserveSlack = size_t{1} << 16;
// The estimate never reserves more than this: a long first page of a long document must not claim
// gigabytes that the other pages would never fill.
constexpr size_t kMaxTextReserve = size_t{256} << 20;
}  // namespace

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
    for (size_t index = 0; index < pages.size(); ++index) {
        kp::AppendPageText(document, pages[index], text);
        // Room for the whole document at the first page's rate: one allocation where growth would copy the
        // text a dozen times. Memory reserved and never written is not resident.
        if (index == 0) text.reserve(std::min(text.size() * pages.size() + kTextReserveSlack, kMaxTextReserve));
    }
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
