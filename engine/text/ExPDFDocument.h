#pragma once
// TkpExPDFDocument: the document with page fonts and plain-text extraction.

#include "engine/document/CustomPDFDocument.h"

namespace kp {

class TkpExPDFDocument : public TkpCustomPDFDocument {
public:
    TkpExPDFDocument();
    ~TkpExPDFDocument() override;
};

}  // namespace kp
