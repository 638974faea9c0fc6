// Fuzz target: PNG row decoding; the first two bytes choose /Columns (0 and negative values included).
#include "FilterFuzzSupport.h"
#include "engine/filters/PNGPredictor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int32_t columns = static_cast<int16_t>(data[0] | data[1] << 8);
    const std::string_view rows = kp::fuzz::AsText(data + 2, size - 2);
    kp::fuzz::DecodeQuietly([&] {
        const auto decoded = kp::ApplyPNGPredictor(rows, columns);
        // Only tag bytes are dropped: the output never outgrows the input.
        if (decoded.size() > rows.size()) std::abort();
    });
    return 0;
}
