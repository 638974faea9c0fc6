// Fuzz target: a whole load (file frame, cross-reference data, security handler, catalog, page tree, load
// walk, document-level structures) over bytes in memory, then a page size for every page and the decoded
// document information. Every exception is an acceptable outcome; crashes, leaks, hangs
// and unbounded memory are not.
#include <cstdint>
#include <exception>
#include <string_view>

#include "engine/document/CustomPDFDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kp::TkpCustomPDFDocument document;
    document.OnWarning = [](void*, const std::string&) {};
    try {
        document.LoadFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
        for (int32_t page = 1; page <= document.PageCount(); ++page) {
            double width = 0, height = 0;
            document.GetPageSize(page, kp::muPixels, width, height);
        }
        const kp::TkpPDFInfo& info = document.Info();
        volatile size_t decoded = info.Title().size() + info.Author().size() + info.Subject().size() +
                                  info.Keywords().size() + info.Creator().size() + info.Producer().size();
        (void)decoded;

    } catch (const std::exception&) {
        // Bad input is reported by exceptions; that is the expected outcome.
    }
    return 0;
}
