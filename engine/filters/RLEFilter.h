#pragma once
// TkpRLEFilter: /RunLengthDecode data, literal and repeat runs ended by the byte 128.

#include <cstdint>
#include <vector>

#include "engine/filters/Filter.h"

namespace kp {

class TkpRLEFilter final : public TkpFilter {
public:
    // Literal runs of at most 128 bytes, repeat runs of 2 to 128 copies, and the byte 128 at the end.
    std::unique_ptr<pw::TMemoryStream> EncodeStream(const pw::TMemoryStream& data) const override;
    std::string EncodeString(std::string_view text) const override;
    // The decoded bytes of Decode, positioned at 0.
    std::unique_ptr<pw::TMemoryStream> DecodeStream(const pw::TMemoryStream& data) const override;
    std::string DecodeString(std::string_view text) const override;

    // The last byte of input must be 128 ("EndOfData Marker is wrong"); every run before it must end
    // before that byte ("Unexpected EndOfFile found"), and 128 may not appear as a length byte earlier
    // ("Premature EndOfData Marker found").
    static std::vector<uint8_t> Decode(std::string_view input, uint64_t maxSize = kMaxDecodedSize);
};

}  // namespace kp
