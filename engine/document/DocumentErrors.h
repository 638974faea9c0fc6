#pragma once
// Exceptions of the document unit and their message texts. EPDFException is the unit's base; the header,
// offset and trailer errors derive directly from the general exception, as the file-frame readers raise them
// before any document rule applies.

#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace kp::document {

namespace msg {
inline constexpr std::string_view kInvalidHeader = "Invalid PDF Header (%s)";
inline constexpr std::string_view kUnsupportedVersion = "Unsupported PDF Version (%s)";
inline constexpr std::string_view kUnexpectedStreamType = "Unexpected Stream Type";
inline constexpr std::string_view kOffset = "Error reading document. Unable to read offset";
inline constexpr std::string_view kTrailer = "Error reading PDF trailer";
inline constexpr std::string_view kCrossReference = "Error reading cross-referenece table";
inline constexpr std::string_view kUnexpectedObject = "Unexpected PDF object encountered";
inline constexpr std::string_view kUnexpected = "Unexpected Error";
inline constexpr std::string_view kInvalidPage = "Invalid page number (%d)";
inline constexpr std::string_view kStreamInsideArray = "Stream Object found inside Array!";
inline constexpr std::string_view kInvalidObjectNumber = "Invalid Object number in PDF (%d)";
// Catalog problems the load cannot go past.
inline constexpr std::string_view kNoCatalog = "Error reading document. No catalog found";
inline constexpr std::string_view kNoPageTree = "Error reading document. The catalog has no page tree";
// A chain of references that never reaches a value, or nests past the resolution limit.
inline constexpr std::string_view kReferenceLoop = "Circular or too deeply nested object references (%d)";
// Cross-reference streams whose layout cannot be read.
inline constexpr std::string_view kXRefStreamWidths = "Invalid field widths in cross-reference stream (/W)";
inline constexpr std::string_view kXRefStreamRange = "Invalid object range in cross-reference stream (/Index or /Size)";
inline constexpr std::string_view kXRefStreamShort = "Cross-reference stream data too short for its entries";
// Object streams that cannot be unpacked (filled with the object stream's number).
inline constexpr std::string_view kObjectStreamPosition = "Object stream %d has no position in the file";
inline constexpr std::string_view kObjectStreamHeader = "Invalid object stream %d: /N or /First out of range";
inline constexpr std::string_view kObjectStreamMember = "Invalid object stream %d: no valid object at offset %d";
inline constexpr std::string_view kObjectStreamOverlap = "Invalid object stream %d: objects overlap at offset %d";
// Status texts of the load.
inline constexpr std::string_view kStatusXRefTable = "Reading Cross-Reference Table";
inline constexpr std::string_view kStatusXRefStream = "Reading Cross-Reference Stream Table";
inline constexpr std::string_view kStatusPages = "Traversing Pages...";
inline constexpr std::string_view kStatusDestinations = "Processing Destinations";
inline constexpr std::string_view kStatusAnnotations = "Processing Annotations...";
inline constexpr std::string_view kStatusAcroForms = "AcroForms Processed";
inline constexpr std::string_view kStatusNameTree = "Processing Name Tree...";
inline constexpr std::string_view kStatusOutlines = "Reading Outlines...";
inline constexpr std::string_view kStatusComplete = "Document read complete. Pages read = %d";
}  // namespace msg

PW_MESSAGE_EXCEPTION(EPDFException, pw::Exception);

PW_MESSAGE_EXCEPTION(EInvalidHeader, pw::Exception);
PW_MESSAGE_EXCEPTION(EUnsupportedVersion, pw::Exception);
PW_MESSAGE_EXCEPTION(EOffsetError, pw::Exception);
PW_MESSAGE_EXCEPTION(ETrailerError, pw::Exception);
PW_MESSAGE_EXCEPTION(EInvalidPageError, EPDFException);
// The catalog is missing or has no page tree.
PW_MESSAGE_EXCEPTION(ECatalogError, EPDFException);
// References that loop or nest past the limits of resolution.
PW_MESSAGE_EXCEPTION(EReferenceLoopError, EPDFException);
// A cross-reference stream whose /W, /Index, /Size or data do not describe a readable table.
PW_MESSAGE_EXCEPTION(EXRefStreamError, EPDFException);
// An object stream that cannot be found in the file or whose header does not match its data.
PW_MESSAGE_EXCEPTION(EObjectStreamError, EPDFException);


class ECrossReferenceError : public EPDFException {
public:
    ECrossReferenceError() : EPDFException(std::string(msg::kCrossReference)) {}
};

// The document unit's own class of this name (the syntax layer has another).
class EUnexpectedObjectError : public EPDFException {
public:
    EUnexpectedObjectError() : EPDFException(std::string(msg::kUnexpectedObject)) {}
};

// Raised with "Unexpected Error" by the page tree and outlines, and with "Unexpected PDF object encountered"
// by the destination steps.
class EUnexpectedError : public EPDFException {
public:
    EUnexpectedError() : EPDFException(std::string(msg::kUnexpected)) {}
    explicit EUnexpectedError(std::string message) : EPDFException(std::move(message)) {}
};

}  // namespace kp::document
