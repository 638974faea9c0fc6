#pragma once
// TkpAscii85Filter: /ASCII85Decode data, groups of five base-85 digits ended by "~>".

#include <cstdint>
#include <vector>

#include "engine/filters/Filter.h"

namespace kp {

class TkpAscii85Filter final : public TkpFilter {
public:
    // Five digits per four bytes, "z" for four zero bytes, k + 1 digits for a final group of k bytes and
    // "~>" at the end, without line breaks.
    std::unique_ptr<pw::TMemoryStream> EncodeStream(const pw::TMemoryStream& data) const override;
    std::string EncodeString(std::string_view text) const override;
    // The decoded bytes of Decode, positioned at their end.
    std::unique_ptr<pw::TMemoryStream> DecodeStream(const pw::TMemoryStream& data) const override;
    std::string DecodeString(std::string_view text) const override;

    // input must end with "~>"; digits "!" to "u", "z" between groups and space, LF, CR, TAB are accepted
    // before it. A group whose value does not fit its bytes raises "ASCII85 group value exceeds four
    // bytes" (only malformed data spell such values).
    static std::vector<uint8_t> Decode(std::string_view input, uint64_t maxSize = kMaxDecodedSize);
};

}  // namespace kp
