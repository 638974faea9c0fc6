#pragma once
// The outline tree (bookmarks) read at load. Each item is an indirect object with the identity of the outline
// item it was read from and a copy of its dictionary, from which the tree links (/Parent, /First, /Next,
// /Prev, /Last) and /Count have been taken out; the links are kept as pointers instead.
//
// Ownership: the document owns every item (the root and a flat list of the others), so that destroying a
// long chain of items never recurses; the links are views.

#include <cstdint>

#include "engine/syntax/PDFObjects.h"

namespace kp {

class TkpPDFOutline : public TkpPDFIndirectObject {
public:
    TkpPDFOutline(int32_t documentSerial, int32_t objectNumber, uint16_t generation,
                  std::unique_ptr<TkpPDFDictObject> dict)
        : TkpPDFIndirectObject(documentSerial, objectNumber, generation, std::move(dict)) {}

    // The item's remaining dictionary (title, destination, action, ...), or nullptr when nothing remained.
    TkpPDFDictObject* Dict() const { return As<TkpPDFDictObject>(Body.get()); }

    TkpPDFOutline* Parent = nullptr;
    TkpPDFOutline* First = nullptr;  // first child
    TkpPDFOutline* Prev = nullptr;
    TkpPDFOutline* Next = nullptr;
    bool Closed = false;  // /Count was below 0: the item's children are hidden
};

}  // namespace kp
