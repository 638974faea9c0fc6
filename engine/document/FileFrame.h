#pragma once
// The readers of a PDF file's frame: the header at byte 0, the offset behind the last "startxref", and a
// section's trailer dictionary. They work on the document's reader.

#include <cstdint>
#include <memory>

#include "engine/document/DocumentTypes.h"
#include "engine/syntax/StreamReader.h"

namespace kp {

// The version of the "%PDF-1.x" token at byte 0 (1.0 to 1.6). Raises EInvalidHeader, EUnsupportedVersion,
// or the integer conversion error for a version character that is not a digit.
TkpPDFVersion ReadHeader(TkpPDFStreamReader& reader);
// The offset written after the last whole-word "startxref" (any letter case). Raises EOffsetError.
int32_t FindStartXRef(TkpPDFStreamReader& reader);
// From the reader's position: skips to the next "t", which must begin "trailer", and parses the dictionary
// after it (owned by the caller). Raises ETrailerError, or EInvalidCast when it is not a dictionary.
std::unique_ptr<TkpPDFDictObject> ReadTrailer(TkpPDFStreamReader& reader);

}  // namespace kp
