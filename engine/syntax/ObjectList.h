#pragma once
// A list of (id, object) pairs in insertion order. It does not own the objects: clearing or destroying the
// list leaves them alive.

#include <cstdint>
#include <vector>

#include "engine/syntax/PDFObjects.h"

namespace kp {

class TkpObjectList {
public:
    struct Entry {
        int32_t Id;
        TkpPDFObject* Object;
    };

    ~TkpObjectList() { Clear(); }

    // Insert at Count; returns the new entry's index.
    int32_t Add(int32_t id, TkpPDFObject* object);
    // A negative id raises EInvalidID "Invalid unique ID (%d)". index must be in 0..Count.
    void Insert(int32_t index, int32_t id, TkpPDFObject* object);
    // Index outside 0..Count-1 raises the plain exception "List index out of bounds (%d)".
    TkpPDFObject* Items(int32_t index) const;
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    int32_t Capacity() const { return capacity_; }
    // The first entry with that id, or -1.
    int32_t IndexOf(int32_t id) const;
    void Clear();

private:
    void Grow();

    std::vector<Entry> entries_;
    int32_t capacity_ = 0;
};

}  // namespace kp
