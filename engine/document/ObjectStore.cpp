#include "engine/document/ObjectStore.h"

#include "engine/syntax/SyntaxErrors.h"
#include "platform/Exception.h"

namespace kp {

void TkpPDFObjectStore::Add(std::unique_ptr<TkpPDFIndirectObject> object) {
    if (!object) throw syntax::ENullObjectError(std::string(syntax::msg::kNullObject));
    if (object->ObjectNumber < 0) {
        throw syntax::EInvalidID(pw::FillMessage(syntax::msg::kInvalidUniqueID, object->ObjectNumber));
    }
    const Identity id{object->DocumentSerial, object->ObjectNumber, object->Generation};
    firstIndex_.try_emplace(id, Count());
    objects_.push_back(std::move(object));
}

int32_t TkpPDFObjectStore::IndexOf(int32_t serial, int32_t objectNumber, int32_t generation) const {
    const auto found = firstIndex_.find(Identity{serial, objectNumber, generation});
    return found == firstIndex_.end() ? -1 : found->second;
}

TkpPDFIndirectObject* TkpPDFObjectStore::Find(const TkpPDFObject* object) const {
    int32_t index = -1;
    if (const auto* ref = As<TkpPDFIndirectReference>(object)) {
        index = IndexOf(ref->DocumentSerial, ref->ObjectNumber, ref->Generation);
    } else if (const auto* indirect = As<TkpPDFIndirectObject>(object)) {
        index = IndexOf(indirect->DocumentSerial, indirect->ObjectNumber, indirect->Generation);
    }
    return index < 0 ? nullptr : objects_[static_cast<size_t>(index)].get();
}

TkpPDFIndirectObject* TkpPDFObjectStore::Items(int32_t index) const {
    if (index < 0 || index >= Count()) throw pw::EListError(pw::FillMessage(pw::msg::kListIndexOutOfBounds, index));
    return objects_[static_cast<size_t>(index)].get();
}

template <typename T>
T* TkpPDFObjectStore::ResolveTo(TkpPDFObject* object, bool nullIsAbsent) const {
    for (int hop = 0; object != nullptr && hop <= kMaxReferenceChain; ++hop) {
        if (auto* wanted = As<T>(object)) return wanted;
        if (nullIsAbsent && object->IsNull()) return nullptr;
        if (!object->IsReference()) throw syntax::EUnexpectedObjectError();
        const TkpPDFIndirectObject* stored = Find(object);
        object = stored ? stored->Body.get() : nullptr;
    }
    return nullptr;  // absent, or a reference chain that never ends
}

TkpPDFArrayObject* TkpPDFObjectStore::ResolveArray(TkpPDFObject* object) const {
    return ResolveTo<TkpPDFArrayObject>(object, true);
}
TkpPDFDictObject* TkpPDFObjectStore::ResolveDict(TkpPDFObject* object) const {
    return ResolveTo<TkpPDFDictObject>(object, false);
}
TkpPDFIntegerObject* TkpPDFObjectStore::ResolveInteger(TkpPDFObject* object) const {
    return ResolveTo<TkpPDFIntegerObject>(object, false);
}
TkpPDFNameObject* TkpPDFObjectStore::ResolveName(TkpPDFObject* object) const {
    return ResolveTo<TkpPDFNameObject>(object, false);
}
TkpPDFStreamObject* TkpPDFObjectStore::ResolveStream(TkpPDFObject* object) const {
    return ResolveTo<TkpPDFStreamObject>(object, false);
}
TkpPDFStringObject* TkpPDFObjectStore::ResolveString(TkpPDFObject* object) const {
    return ResolveTo<TkpPDFStringObject>(object, false);
}

TkpPDFObject* TkpPDFObjectStore::ResolveDirect(TkpPDFObject* object) const {
    for (int hop = 0; object != nullptr && hop <= kMaxReferenceChain; ++hop) {
        if (object->IsReference()) {
            const TkpPDFIndirectObject* stored = Find(object);
            object = stored ? stored->Body.get() : nullptr;
        } else if (auto* indirect = As<TkpPDFIndirectObject>(object)) {
            object = indirect->Body.get();
        } else {
            return object;
        }
    }
    return nullptr;
}

}  // namespace kp
