#include "engine/text/ExPDFDocument.h"

namespace kp {

TkpExPDFDocument::TkpExPDFDocument() = default;
TkpExPDFDocument::~TkpExPDFDocument() = default;

}  // namespace kp
