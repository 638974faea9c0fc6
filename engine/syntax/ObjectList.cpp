#include "engine/syntax/ObjectList.h"

#include "engine/syntax/SyntaxErrors.h"
#include "platform/Exception.h"

namespace kp {

int32_t TkpObjectList::Add(int32_t id, TkpPDFObject* object) {
    const int32_t index = Count();
    Insert(index, id, object);
    return index;
}

void TkpObjectList::Grow() {
    // Large lists grow by a quarter, middle-sized ones by 16, small ones by 4.
    const int32_t delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    capacity_ += delta;
    entries_.reserve(static_cast<size_t>(capacity_));
}

void TkpObjectList::Insert(int32_t index, int32_t id, TkpPDFObject* object) {
    if (id < 0) throw syntax::EInvalidID(pw::FillMessage(syntax::msg::kInvalidUniqueID, id));
    if (index < 0 || index > Count()) throw pw::Exception(pw::FillMessage(pw::msg::kListIndexOutOfBounds, index));
    if (Count() == capacity_) Grow();
    entries_.insert(entries_.begin() + index, Entry{id, object});
}

TkpPDFObject* TkpObjectList::Items(int32_t index) const {
    if (index < 0 || index >= Count()) throw pw::Exception(pw::FillMessage(pw::msg::kListIndexOutOfBounds, index));
    return entries_[static_cast<size_t>(index)].Object;
}

int32_t TkpObjectList::IndexOf(int32_t id) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].Id == id) return static_cast<int32_t>(i);
    }
    return -1;
}

void TkpObjectList::Clear() {
    if (entries_.empty()) return;
    entries_.clear();
    entries_.shrink_to_fit();
    capacity_ = 0;
}

}  // namespace kp
