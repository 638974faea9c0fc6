// Fuzz target: the plain-text scanner over arbitrary content bytes, and the page-range parser. Conversion
// errors and invalid ranges are acceptable outcomes; crashes, reads outside the data, hangs and undefined
// behaviour are not. The scan into output bytes must give exactly the string list's lines with CR LF.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string_view>

#include "engine/text/PageTextOutput.h"

namespace {
// Page counts the parser is asked with: the lists it fills stay small.
constexpr int32_t kMaxFuzzPageCount = 64;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] % 2 == 0) {
        std::string listText;
        bool listFailed = false;
        try {
            listText = kp::ScanContentBytes(input).Text();
        } catch (const std::exception&) {
            listFailed = true;
        }
        std::string text;
        try {
            kp::ScanContentBytesInto(input, text);
            if (listFailed || text != listText) std::abort();
        } catch (const std::exception&) {
            if (!listFailed) std::abort();
        }
    } else {
        kp::TkpPageNumbers pages;
        try {
            kp::TkpExPDFDocument::ParsePageRange(std::string(input), data[0] % kMaxFuzzPageCount, pages);
            for (const int32_t page : pages) {
                if (page < 1 || page > data[0] % kMaxFuzzPageCount) std::abort();
            }
        } catch (const std::exception&) {
        }
    }
    return 0;
}
