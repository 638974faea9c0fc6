#pragma once
// The one way stream data are decoded: the /Filter value of a stream names the filters, applied in order.
//
// Stream objects hold raw data (decrypted, not decoded). DecodeStreamData turns them into decoded data as a
// new buffer that the caller owns; the raw data are never changed. /DecodeParms are not consulted here: the
// cross-reference stream reader undoes its PNG predictor itself (PNGPredictor.h).
//
// Every decoded buffer is at most kMaxDecodedSize bytes (Filter.h); a stream that would decode to more
// raises EDecodedSizeError. Decoder errors pass through unchanged (FilterErrors.h) and nothing is
// returned partly decoded.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/syntax/PDFObjects.h"
#include "platform/Streams.h"

namespace kp {

enum TkpDecodeFilter : uint8_t {
    ftASCIIHexDecode = 0,
    ftASCII85Decode = 1,
    ftFlateDecode = 2,
    ftRunLengthDecode = 3,
    ftCCITTFaxDecode = 4,
    ftDCTDecode = 5,
};
// Filter kinds in the order they are applied.
using TkpDecodeFilters = std::vector<TkpDecodeFilter>;

// The kind of a filter name, slash included, compared exactly. "/LZWDecode" maps to Flate (LZW data then
// fail in zlib); abbreviated names and every other name raise EUnsupportedFilterError
// "Unsupported filter (%s)" filled with the name. No name gives ftCCITTFaxDecode.
TkpDecodeFilter FilterKindOf(std::string_view name);

// The kinds a /Filter value names: one for a name, one per item for an array (an item that is not a name
// raises pw::EInvalidCast), none when filter is absent. Any other kind of object, a reference included,
// raises EUnexpectedFilterObject "Unexpected filter object, found (%s)" with ObjectTypeName. The whole value
// is converted before anything is decoded.
TkpDecodeFilters ParseFilterList(const TkpPDFObject* filter);

// Decodes buffer with one filter and returns the result as a new buffer positioned at 0. Trailing LF and
// CR bytes are first cut off buffer itself, and ASCIIHex data without a final ">" get one appended to
// buffer. DCT data come back undecoded (a copy of the trimmed buffer); the CCITT fax kind raises
// EUnsupportedFilterError "Unsupported filter". Also used for inline image data.
std::unique_ptr<pw::TMemoryStream> ApplyFilter(TkpDecodeFilter kind, pw::TMemoryStream& buffer);

// The decoded data of a stream: raw is its Data, filter its /Filter entry as found (nullptr when absent).
// Without filters the result is a copy of raw. DCT entries are passed over, leaving JPEG data for the
// consumer, and the filters after them still apply. The result is positioned at 0.
std::unique_ptr<pw::TMemoryStream> DecodeStreamData(const pw::TMemoryStream& raw, const TkpPDFObject* filter);

}  // namespace kp
