#pragma once
// TkpExPDFDocument: the document with page content access, page ranges and plain-text extraction.
//
// The implementation is split by topic: PageContent.cpp (CollectPageContent, ReadContentStream),
// PageRange.cpp (ParsePageRange), PlainText.cpp (ExtractText, GetPageText, ScanContentText) and
// ContentScanner.cpp (the byte scanner behind ScanContentText).
//
// Every text operation returns a new string list that the caller owns. The document must be loaded.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/document/CustomPDFDocument.h"
#include "platform/StringList.h"

namespace kp {

// Page numbers counting from 1, in visiting order; duplicates and descending runs are kept.
using TkpPageNumbers = std::vector<int32_t>;

// The plain-text scan of one decoded content stream: the bytes of every literal string in content order, a
// new line where a line-moving operator (T*, Td, TD, or a Td/TD/Tm/TM whose vertical operand changes) came
// before the string. Raises pw::EConvertError when the operand before Td, TD, Tm or TM is not a number.
pw::TStringList ScanContentBytes(std::string_view content);

class TkpExPDFDocument : public TkpCustomPDFDocument {
public:
    TkpExPDFDocument();
    ~TkpExPDFDocument() override;

    // The content streams of page pageNumber (1..PageCount) in /Contents order; they belong to the object
    // store. A page number outside the page list raises pw::EListError "List index out of bounds (%d)".
    std::vector<TkpPDFStreamObject*> CollectPageContent(int32_t pageNumber);
    // The decoded bytes of a content stream (its /Filter applied, /DecodeParms not).
    std::string ReadContentStream(const TkpPDFStreamObject& stream);
    // The decoded content streams of a page appended in order with nothing between them.
    std::string JoinedPageContent(int32_t pageNumber);

    // Parses a page-range text ("1-3,7"; empty means every page) into page numbers, or raises
    // document::EInvalidPageError.
    static void ParsePageRange(const std::string& range, int32_t pageCount, TkpPageNumbers& pages);

    // The plain text of the pages a range text names, in its order, with no separator between pages.
    pw::TStringList ExtractText(const std::string& range);
    // The plain text of one page: every content stream scanned on its own, lines appended in order.
    pw::TStringList GetPageText(int32_t pageNumber);

protected:
    pw::TStringList ScanContentText(const TkpPDFStreamObject& stream);
    // Frees the form-field records before the rest of the document state.
    void ClearState() override;
};

}  // namespace kp
