#pragma once
// TkpPDFObjectStore: the document's in-memory index of indirect objects, keyed by identity (document serial,
// object number, generation). It owns every object added; the same identity may be added again, and lookups
// always find the object added first. Store operations never read the file.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/syntax/PDFObjects.h"

namespace kp {

// A chain of references (an object whose value is a reference to another, and so on) longer than this is
// taken as a loop: real documents never chain more than a few.
inline constexpr int kMaxReferenceChain = 64;

class TkpPDFObjectStore {
public:
    // Takes ownership. nullptr raises ENullObjectError "Expected PDF null object"; a negative object number
    // raises EInvalidID "Invalid unique ID (%d)".
    void Add(std::unique_ptr<TkpPDFIndirectObject> object);
    // The first stored object with the identity of a reference or indirect object, or nullptr.
    TkpPDFIndirectObject* Find(const TkpPDFObject* object) const;
    int32_t IndexOf(int32_t serial, int32_t objectNumber, int32_t generation) const;
    TkpPDFIndirectObject* Items(int32_t index) const;
    int32_t Count() const { return static_cast<int32_t>(objects_.size()); }

    // The object-number counter: set to the cross-reference table's length after loading; NewObjectNumber
    // increments it and returns the new value.
    void SetObjectNumberCounter(int32_t value) { counter_ = value; }
    int32_t ObjectNumberCounter() const { return counter_; }
    int32_t NewObjectNumber() { return ++counter_; }

    // Resolve to a kind: nullptr gives nullptr, an object of the kind is returned as is, a reference is
    // looked up and its stored value resolved again (a reference the store lacks gives nullptr); any other
    // object raises the syntax layer's EUnexpectedObjectError. ResolveArray alone maps null to nullptr.
    TkpPDFArrayObject* ResolveArray(TkpPDFObject* object) const;
    TkpPDFDictObject* ResolveDict(TkpPDFObject* object) const;
    TkpPDFIntegerObject* ResolveInteger(TkpPDFObject* object) const;
    TkpPDFNameObject* ResolveName(TkpPDFObject* object) const;
    TkpPDFStreamObject* ResolveStream(TkpPDFObject* object) const;
    TkpPDFStringObject* ResolveString(TkpPDFObject* object) const;
    // Follows references and indirect objects to a direct value; nullptr when the store lacks a target.
    // Never raises.
    TkpPDFObject* ResolveDirect(TkpPDFObject* object) const;

private:
    template <typename T>
    T* ResolveTo(TkpPDFObject* object, bool nullIsAbsent) const;

    struct Identity {
        int32_t Serial;
        int32_t Number;
        int32_t Generation;
        bool operator==(const Identity&) const = default;
    };
    struct IdentityHash {
        size_t operator()(const Identity& id) const {
            return (static_cast<size_t>(static_cast<uint32_t>(id.Number)) * 0x9E3779B97F4A7C15ull) ^
                   (static_cast<size_t>(static_cast<uint32_t>(id.Serial)) << 20) ^ static_cast<size_t>(id.Generation);
        }
    };

    std::vector<std::unique_ptr<TkpPDFIndirectObject>> objects_;
    std::unordered_map<Identity, int32_t, IdentityHash> firstIndex_;  // identity -> position of the first added
    int32_t counter_ = 0;
};

}  // namespace kp
