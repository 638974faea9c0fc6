// Fuzz target: the ASCII85 decoder on arbitrary bytes (with and without the end marker), and its encoder's
// output decoded back.
#include "FilterFuzzSupport.h"
#include "engine/filters/Ascii85Filter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = kp::fuzz::AsText(data, size);
    const kp::TkpAscii85Filter filter;
    kp::fuzz::DecodeQuietly([&] { filter.DecodeString(text); });
    kp::fuzz::DecodeQuietly([&] { filter.DecodeString(std::string(text) + "~>"); });
    kp::fuzz::DecodeQuietly([&] { kp::TkpAscii85Filter::Decode(std::string(text) + "~>", 64); });
    kp::fuzz::CheckRoundTrip(filter, text);
    return 0;
}
