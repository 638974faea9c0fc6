#pragma once
// Value types of the document: versions, page modes and layouts, units, cross-reference entries, the trailer.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/syntax/PDFObjects.h"

namespace kp {

enum TkpPDFVersion { pvPDF10, pvPDF11, pvPDF12, pvPDF13, pvPDF14, pvPDF15, pvPDF16 };

// Positions in the catalog's name tables; a name outside the table gives -1.
enum TkpPageMode { pmNone, pmUseOutlines, pmUseThumbs, pmFullScreen };
enum TkpPageLayout { plNone, plSinglePage, plOneColumn, plTwoColumnLeft, plTwoColumnRight };

enum TkpMeasurementUnit { muPixels, muPoints, muInches, muMM, muTwips };

enum TkpMergeOption : unsigned { moIncludeOutlines = 1, moIncludeFormFields = 2, moRenameLikeNameFields = 4 };
using TkpMergeOptions = unsigned;

// One classic cross-reference entry: position i of the table describes object number i.
struct TkpXRefItem {
    int32_t Offset = 0;
    int32_t Generation = 0;
    char EntryType = 'f';  // "n" in use, "f" free; kept as read
};

// One entry of a cross-reference stream: type 0 free, 1 at a file offset, 2 inside an object stream.
struct TkpXRefStmItem {
    int64_t EntryType = 0;
    int64_t Field2 = 0;
    int64_t Field3 = 0;
};

struct TkpPDFTrailer {
    int32_t RootNumber = -1;
    TkpPDFObjectPtr Encrypt;                        // after the structure is read: the resolved dictionary
    std::unique_ptr<TkpPDFIndirectReference> Info;  // the /Info reference
    std::unique_ptr<TkpPDFArrayObject> ID;          // the /ID array
};

}  // namespace kp
