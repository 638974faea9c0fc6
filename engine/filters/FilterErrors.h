#pragma once
// Exceptions of the stream decoding layer and their message texts.
//
// The decoders of ASCIIHex, ASCII85 and RunLength data report malformed input with the general exception
// (pw::Exception) and one of the texts below; the pipeline, the predictor and zlib failures have classes of
// their own. what() is always exactly the message.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace kp::filters {

namespace msg {
// Pipeline.
inline constexpr std::string_view kUnsupportedFilterName = "Unsupported filter (%s)";
inline constexpr std::string_view kUnsupportedFilter = "Unsupported filter";
inline constexpr std::string_view kUnexpectedFilterObject = "Unexpected filter object, found (%s)";
// ASCIIHex and ASCII85 ("marker" in lower case) and RunLength ("Marker" with a capital M).
inline constexpr std::string_view kEndOfDataMarker = "EndOfData marker is wrong";
inline constexpr std::string_view kRunLengthEndOfDataMarker = "EndOfData Marker is wrong";
inline constexpr std::string_view kIllegalCharacter = "Illeagal character within stream";
inline constexpr std::string_view kMisplacedZ = "\"z\" found at inappropriate position";
inline constexpr std::string_view kSingleFinalCharacter = "Single Final Character";
// An ASCII85 group of five digits can spell values up to 85^5 - 1, beyond the four bytes it stands for.
inline constexpr std::string_view kAscii85GroupTooLarge = "ASCII85 group value exceeds four bytes";
inline constexpr std::string_view kPrematureEndOfData = "Premature EndOfData Marker found";
inline constexpr std::string_view kUnexpectedEndOfFile = "Unexpected EndOfFile found";
// Flate: every zlib failure reads "error".
inline constexpr std::string_view kZlibError = "error";
// PNG predictor.
inline constexpr std::string_view kImproperPNGAlgorithm = "Improper PNG algorithm tag in stream";
inline constexpr std::string_view kInvalidPredictorColumns = "Invalid PNG predictor columns (%d)";
// Any decoder whose output would pass kMaxDecodedSize.
inline constexpr std::string_view kDecodedSizeLimit = "Decoded stream data exceed the limit of %d bytes";
}  // namespace msg

// A /Filter name outside the supported table, or the CCITT fax kind.
PW_MESSAGE_EXCEPTION(EUnsupportedFilterError, pw::Exception);
// A /Filter value that is neither a name nor an array.
PW_MESSAGE_EXCEPTION(EUnexpectedFilterObject, pw::Exception);
// A PNG row tag above 4.
PW_MESSAGE_EXCEPTION(EImproperPNGAlgorithm, pw::Exception);
// A predictor asked for fewer than one column per row.
PW_MESSAGE_EXCEPTION(EInvalidPredictorColumns, pw::Exception);
// zlib refused the data (corrupt deflate data, wrong header or checksum).
PW_MESSAGE_EXCEPTION(EDecompressionError, pw::Exception);
// zlib refused to compress (an invalid compression level).
PW_MESSAGE_EXCEPTION(ECompressionError, pw::Exception);
// A decoder's output would pass the ceiling.
PW_MESSAGE_EXCEPTION(EDecodedSizeError, pw::Exception);


// Raises EDecodedSizeError naming the limit.
[[noreturn]] void RaiseDecodedSizeLimit(uint64_t limit);

}  // namespace kp::filters
