#include "engine/filters/FlateFilter.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "engine/filters/FilterErrors.h"

namespace kp {

namespace {

// zlib counts bytes in 32-bit fields; larger inputs and outputs are handed over in pieces of this size.
constexpr size_t kMaxZlibPiece = size_t{1} << 30;
// First guess at the output size as a multiple of the input (content streams inflate about 3 to 6 times),
// and the smallest first buffer.
constexpr size_t kFirstGuessRatio = 4;
constexpr size_t kMinOutputBuffer = 16384;
// Spare room a result may keep rather than be copied into a buffer of its exact size: a first guess far
// above the real output (poorly compressible data, images) would otherwise hold up to four times the
// memory for as long as the caller keeps the result.
constexpr size_t kMaxKeptSlack = size_t{1} << 20;

[[noreturn]] void FailInflate() { throw filters::EDecompressionError(std::string(filters::msg::kZlibError)); }

// Owns an inflate state for the length of one call.
class Inflater {
public:
    Inflater() {
        if (inflateInit(&z_) != Z_OK) FailInflate();
    }
    ~Inflater() { inflateEnd(&z_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    z_stream& Stream() { return z_; }

private:
    z_stream z_{};
};

}  // namespace

std::vector<uint8_t> TkpFlateFilter::Decode(std::string_view input, uint64_t maxSize) {
    Inflater inflater;
    z_stream& z = inflater.Stream();
    // The buffer never grows past maxSize + 1 bytes: reaching that size proves the output too large.
    const uint64_t capacityLimit = maxSize + 1;
    std::vector<uint8_t> out(static_cast<size_t>(std::min<uint64_t>(
        std::max(input.size() * kFirstGuessRatio, kMinOutputBuffer), capacityLimit)));
    size_t produced = 0;
    const auto* next = reinterpret_cast<const Bytef*>(input.data());
    size_t remaining = input.size();
    for (;;) {
        if (z.avail_in == 0) {
            if (remaining == 0) break;  // the input ended before the compressed stream: keep what came out
            const size_t piece = std::min(remaining, kMaxZlibPiece);
            z.next_in = const_cast<Bytef*>(next);
            z.avail_in = static_cast<uInt>(piece);
            next += piece;
            remaining -= piece;
        }
        if (produced == out.size()) {
            if (out.size() >= capacityLimit) filters::RaiseDecodedSizeLimit(maxSize);
            out.resize(static_cast<size_t>(std::min<uint64_t>(uint64_t{out.size()} * 2, capacityLimit)));
        }
        z.next_out = out.data() + produced;
        z.avail_out = static_cast<uInt>(std::min(out.size() - produced, kMaxZlibPiece));
        const int rc = inflate(&z, Z_NO_FLUSH);
        produced = static_cast<size_t>(z.next_out - out.data());
        if (rc == Z_STREAM_END) break;  // anything after the Adler-32 checksum is ignored
        if (rc == Z_BUF_ERROR && z.avail_in == 0) continue;
        if (rc != Z_OK) FailInflate();
    }
    if (produced > maxSize) filters::RaiseDecodedSizeLimit(maxSize);
    out.resize(produced);
    if (out.capacity() - produced > std::max(produced / 2, kMaxKeptSlack)) out.shrink_to_fit();
    return out;
}

std::unique_ptr<pw::TMemoryStream> TkpFlateFilter::DecodeStream(const pw::TMemoryStream& data) const {
    return std::make_unique<pw::TMemoryStream>(Decode(data.View()));
}

std::string TkpFlateFilter::DecodeString(std::string_view text) const {
    return ThroughStream(text, [this](const pw::TMemoryStream& input) { return DecodeStream(input); });
}

std::unique_ptr<pw::TMemoryStream> TkpFlateFilter::CompressStream(const pw::TMemoryStream& data, int level) const {
    const std::string_view input = data.View();
    if (input.size() > ULONG_MAX / 2) throw filters::ECompressionError(std::string(filters::msg::kZlibError));
    uLongf size = compressBound(static_cast<uLong>(input.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, reinterpret_cast<const Bytef*>(input.data()), static_cast<uLong>(input.size()),
                  level) != Z_OK) {
        throw filters::ECompressionError(std::string(filters::msg::kZlibError));
    }
    out.resize(size);
    return std::make_unique<pw::TMemoryStream>(std::move(out));
}

std::string TkpFlateFilter::CompressString(std::string_view text, int level) const {
    return ThroughStream(text, [this, level](const pw::TMemoryStream& input) { return CompressStream(input, level); });
}

}  // namespace kp
