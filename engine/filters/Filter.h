#pragma once
// TkpFilter: the family of stream filters, and the ceiling every decoder's output stays under.
//
// The filters hold no state: one instance may serve any number of calls, on any thread. Decode operations
// never change their input and return a new buffer that the caller owns. Each concrete filter also offers a
// static Decode over plain bytes, which the pipeline uses to decode without copying its input first.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Streams.h"

namespace kp {

// Ceiling on the bytes one decoding step may produce. Page content, object, cross-reference, font and CMap
// streams of real documents stay far below it (a long page's content decodes to a few megabytes), yet it
// stops a small hostile stream (deflate expands up to about 1000:1, RunLength 64:1, ASCII85 "z" 4:1)
// before it exhausts memory.
inline constexpr uint64_t kMaxDecodedSize = uint64_t{256} << 20;

// The six operations, in the order of their slots. The base class compresses and encodes nothing: its
// stream forms return nullptr and its text forms return an empty text.
class TkpFilter {
public:
    virtual ~TkpFilter() = default;

    // Compressed data at the given zlib level (-1 for zlib's default, 0 to 9).
    virtual std::unique_ptr<pw::TMemoryStream> CompressStream(const pw::TMemoryStream& data, int level) const;
    virtual std::string CompressString(std::string_view text, int level) const;
    virtual std::unique_ptr<pw::TMemoryStream> EncodeStream(const pw::TMemoryStream& data) const;
    virtual std::string EncodeString(std::string_view text) const;
    // The decoded bytes; malformed data raise the decoder's exception and nothing is returned.
    virtual std::unique_ptr<pw::TMemoryStream> DecodeStream(const pw::TMemoryStream& data) const = 0;
    virtual std::string DecodeString(std::string_view text) const = 0;

protected:
    // Runs a stream operation over a text: the text goes into a buffer, the result comes back as text
    // (empty when the operation returned nothing).
    template <typename Operation>
    static std::string ThroughStream(std::string_view text, Operation&& operation) {
        const pw::TMemoryStream input(text);
        const std::unique_ptr<pw::TMemoryStream> result = operation(input);
        return result ? result->ToString() : std::string();
    }
};

}  // namespace kp
