#pragma once
// Shared checks of the filter fuzz targets: decoding may raise any engine exception, but must never
// crash; and whatever an encoder writes, its decoder must give back exactly.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "engine/filters/Filter.h"

namespace kp::fuzz {

// Decodes text, accepting every exception as the outcome for bad input.
template <typename Decode>
void DecodeQuietly(Decode&& decode) {
    try {
        decode();
    } catch (const std::exception&) {
        // Malformed data are reported by exceptions: the expected outcome.
    }
}

// Encodes data and decodes the result again; anything but the same bytes aborts the run.
inline void CheckRoundTrip(const TkpFilter& filter, std::string_view data) {
    const std::string encoded = filter.EncodeString(data);
    if (filter.DecodeString(encoded) != data) {
        std::fprintf(stderr, "round trip changed the data\n");
        std::abort();
    }
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace kp::fuzz
