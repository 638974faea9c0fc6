// Fuzz target: the RunLength decoder on arbitrary bytes (with and without the end marker), and its
// encoder's output decoded back.
#include "FilterFuzzSupport.h"
#include "engine/filters/RLEFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = kp::fuzz::AsText(data, size);
    const kp::TkpRLEFilter filter;
    kp::fuzz::DecodeQuietly([&] { filter.DecodeString(text); });
    kp::fuzz::DecodeQuietly([&] { filter.DecodeString(std::string(text) + '\x80'); });
    kp::fuzz::DecodeQuietly([&] { kp::TkpRLEFilter::Decode(std::string(text) + '\x80', 200); });
    kp::fuzz::CheckRoundTrip(filter, text);
    return 0;
}
