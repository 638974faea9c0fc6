#pragma once
// Small helpers shared by the document-level structure steps.

#include "engine/syntax/PDFObjects.h"
#include "platform/Exception.h"

namespace kp {

// The object as the kind a structure requires; any other kind (or none) is an invalid typecast.
template <typename T>
T* TakeAs(TkpPDFObject* object) {
    T* typed = As<T>(object);
    if (typed == nullptr) throw pw::EInvalidCast();
    return typed;
}

}  // namespace kp
