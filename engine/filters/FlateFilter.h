#pragma once
// TkpFlateFilter: /FlateDecode data, inflated and deflated through zlib.

#include <cstdint>
#include <vector>

#include "engine/filters/Filter.h"

namespace kp {

class TkpFlateFilter final : public TkpFilter {
public:
    // The zlib stream (header, deflate data, Adler-32) of data at the given level; an invalid level
    // raises ECompressionError "error".
    std::unique_ptr<pw::TMemoryStream> CompressStream(const pw::TMemoryStream& data, int level) const override;
    std::string CompressString(std::string_view text, int level) const override;
    // The inflated bytes of Decode, positioned at 0.
    std::unique_ptr<pw::TMemoryStream> DecodeStream(const pw::TMemoryStream& data) const override;
    std::string DecodeString(std::string_view text) const override;

    // Inflates input as a zlib stream (not raw deflate data). Input that ends before the compressed stream
    // does gives the bytes produced so far, without error; bytes after the end of the compressed stream
    // are ignored. Corrupt data, a wrong header or checksum raise EDecompressionError "error"; more than
    // maxSize bytes of output raise EDecodedSizeError.
    static std::vector<uint8_t> Decode(std::string_view input, uint64_t maxSize = kMaxDecodedSize);
};

}  // namespace kp
