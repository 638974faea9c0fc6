#pragma once
// Plain text in the form of an output file, made without a string list per page: the bytes are exactly
// those of GetPageText's lines, every line followed by CR LF.

#include <string>
#include <string_view>

#include "engine/text/ExPDFDocument.h"

namespace kp {

// The scan of ScanContentBytes with its lines appended to text, every line followed by CR LF.
void ScanContentBytesInto(std::string_view content, std::string& text);

// The lines of document.GetPageText(pageNumber) appended to text, every line followed by CR LF. A page that
// fails adds nothing; its error reaches the caller unchanged.
void AppendPageText(TkpExPDFDocument& document, int32_t pageNumber, std::string& text);

}  // namespace kp
