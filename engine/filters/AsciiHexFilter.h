#pragma once
// TkpAsciiHexFilter: /ASCIIHexDecode data, pairs of hexadecimal digits ended by ">".

#include <cstdint>
#include <vector>

#include "engine/filters/Filter.h"

namespace kp {

class TkpAsciiHexFilter final : public TkpFilter {
public:
    // Two upper-case digits per byte and a closing ">", without spaces or line breaks.
    std::unique_ptr<pw::TMemoryStream> EncodeStream(const pw::TMemoryStream& data) const override;
    std::string EncodeString(std::string_view text) const override;
    // The decoded bytes of Decode, positioned at their end.
    std::unique_ptr<pw::TMemoryStream> DecodeStream(const pw::TMemoryStream& data) const override;
    std::string DecodeString(std::string_view text) const override;

    // The last byte of input must be ">" ("EndOfData marker is wrong" otherwise); the digits before it
    // are decoded by DecodeDigits.
    static std::vector<uint8_t> Decode(std::string_view input, uint64_t maxSize = kMaxDecodedSize);
    // Digits up to the end of digits or the first ">": space, LF, CR and TAB are skipped, lower-case
    // digits accepted, anything else raises "Illeagal character within stream"; a digit left without a
    // partner stands for digit * 16.
    static std::vector<uint8_t> DecodeDigits(std::string_view digits, uint64_t maxSize = kMaxDecodedSize);
};

}  // namespace kp
