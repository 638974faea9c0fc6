// Fuzz target: the ASCIIHex decoder on arbitrary bytes, and its encoder's output decoded back.
#include "FilterFuzzSupport.h"
#include "engine/filters/AsciiHexFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = kp::fuzz::AsText(data, size);
    const kp::TkpAsciiHexFilter filter;
    kp::fuzz::DecodeQuietly([&] { filter.DecodeString(text); });
    kp::fuzz::DecodeQuietly([&] { kp::TkpAsciiHexFilter::DecodeDigits(text, 64); });
    kp::fuzz::CheckRoundTrip(filter, text);
    return 0;
}
