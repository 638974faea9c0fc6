// Fuzz target: the Flate decoder on arbitrary bytes, under the default and a small output ceiling, and
// its compressor's output inflated back.
#include "FilterFuzzSupport.h"
#include "engine/filters/FlateFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = kp::fuzz::AsText(data, size);
    const kp::TkpFlateFilter filter;
    kp::fuzz::DecodeQuietly([&] { filter.DecodeString(text); });
    kp::fuzz::DecodeQuietly([&] { kp::TkpFlateFilter::Decode(text, 1000); });
    const int level = size > 0 ? data[0] % 10 : 6;
    if (filter.DecodeString(filter.CompressString(text, level)) != text) {
        std::fprintf(stderr, "compressed data did not inflate back\n");
        std::abort();
    }
    return 0;
}
