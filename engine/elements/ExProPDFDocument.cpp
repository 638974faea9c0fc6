#include "engine/elements/ExProPDFDocument.h"

namespace kp {

TkpExProPDFDocument::TkpExProPDFDocument() = default;
TkpExProPDFDocument::~TkpExProPDFDocument() = default;

}  // namespace kp
