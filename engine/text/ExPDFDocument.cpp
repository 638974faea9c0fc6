#include "engine/text/ExPDFDocument.h"

namespace kp {

TkpExPDFDocument::TkpExPDFDocument() = default;
TkpExPDFDocument::~TkpExPDFDocument() = default;

void TkpExPDFDocument::ClearState() {
    // The form elements of the page layers are built from these records; they go first. The document's own
    // ClearState frees them as well, so a plain document never carries them into its next load.
    formFields_.clear();
    TkpCustomPDFDocument::ClearState();
}

}  // namespace kp
