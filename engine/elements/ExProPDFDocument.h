#pragma once
// TkpExProPDFDocument: the document with page elements and formatted text; TkpPDFDocument is the class the
// front ends use.

#include "engine/text/ExPDFDocument.h"

namespace kp {

class TkpExProPDFDocument : public TkpExPDFDocument {
public:
    TkpExProPDFDocument();
    ~TkpExProPDFDocument() override;
};

class TkpPDFDocument : public TkpExProPDFDocument {};

}  // namespace kp
