// Plain-text extraction: pages named by a range text, one page, one content stream.
#include "engine/text/ExPDFDocument.h"

namespace kp {

pw::TStringList TkpExPDFDocument::ExtractText(const std::string& range) {
    TkpPageNumbers pages;
    ParsePageRange(range, PageCount(), pages);
    pw::TStringList result;
    for (const int32_t page : pages) result.AddStrings(GetPageText(page));
    return result;
}

pw::TStringList TkpExPDFDocument::GetPageText(int32_t pageNumber) {
    pw::TStringList result;
    // Every stream is scanned with fresh state, so its last line ends with the stream.
    for (const TkpPDFStreamObject* stream : CollectPageContent(pageNumber)) result.AddStrings(ScanContentText(*stream));
    return result;
}

pw::TStringList TkpExPDFDocument::ScanContentText(const TkpPDFStreamObject& stream) {
    return ScanContentBytes(ReadContentStream(stream));
}

}  // namespace kp
