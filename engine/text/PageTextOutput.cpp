#include "engine/text/PageTextOutput.h"

#include "engine/text/PageContent.h"

namespace kp {

void AppendPageText(TkpExPDFDocument& document, int32_t pageNumber, std::string& text) {
    const size_t start = text.size();
    try {
        // Every stream is scanned with fresh state, as GetPageText does.
        for (const TkpPDFStreamObject* stream : document.CollectPageContent(pageNumber)) {
            ScanContentBytesInto(DecodeContentStream(document.ObjectStore(), *stream)->View(), text);
        }
    } catch (...) {
        text.resize(start);
        throw;
    }
}

}  // namespace kp
