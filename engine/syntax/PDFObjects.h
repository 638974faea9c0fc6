#pragma once
// The PDF object model: twelve kinds of values rooted at TkpPDFObject.
//
// Ownership: arrays own their items, dictionaries own their keys and values, a stream owns its dictionary
// and data, an indirect object owns its body. A reference neither owns nor points to its target; the
// document's object store resolves it. Absent entries are null pointers, never exceptions.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Exception.h"
#include "platform/Streams.h"

namespace kp {

using TkpByteArray = std::vector<uint8_t>;

enum TkpPDFObjectType : uint8_t {
    otBoolean = 0,
    otInteger = 1,
    otInt64 = 2,
    otReal = 3,
    otString = 4,
    otName = 5,
    otArray = 6,
    otDictionary = 7,
    otStream = 8,
    otNull = 9,
    otReference = 10,
    otIndirectObject = 11,
};

class TkpPDFObject {
public:
    virtual ~TkpPDFObject() = default;
    TkpPDFObject(const TkpPDFObject&) = delete;
    TkpPDFObject& operator=(const TkpPDFObject&) = delete;

    TkpPDFObjectType ObjectType() const { return objectType_; }
    // A new, independent deep copy of the same class.
    virtual std::unique_ptr<TkpPDFObject> Clone() const = 0;

    bool IsBoolean() const { return objectType_ == otBoolean; }
    bool IsInteger() const { return objectType_ == otInteger; }
    bool IsInt64() const { return objectType_ == otInt64; }
    bool IsReal() const { return objectType_ == otReal; }
    bool IsString() const { return objectType_ == otString; }
    bool IsName() const { return objectType_ == otName; }
    bool IsArray() const { return objectType_ == otArray; }
    bool IsDictionary() const { return objectType_ == otDictionary; }
    bool IsStream() const { return objectType_ == otStream; }
    bool IsNull() const { return objectType_ == otNull; }
    bool IsReference() const { return objectType_ == otReference; }
    bool IsIndirectObject() const { return objectType_ == otIndirectObject; }

protected:
    explicit TkpPDFObject(TkpPDFObjectType type) : objectType_(type) {}

private:
    const TkpPDFObjectType objectType_;
};

using TkpPDFObjectPtr = std::unique_ptr<TkpPDFObject>;

class TkpPDFBooleanObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otBoolean;
    explicit TkpPDFBooleanObject(bool value) : TkpPDFObject(otBoolean), Value(value) {}
    TkpPDFObjectPtr Clone() const override;
    bool Value;
};

class TkpPDFIntegerObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otInteger;
    explicit TkpPDFIntegerObject(int32_t value) : TkpPDFObject(otInteger), Value(value) {}
    TkpPDFObjectPtr Clone() const override;
    int32_t Value;
};

class TkpPDFInt64Object final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otInt64;
    explicit TkpPDFInt64Object(int64_t value) : TkpPDFObject(otInt64), Value(value) {}
    TkpPDFObjectPtr Clone() const override;
    int64_t Value;
};

class TkpPDFRealObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otReal;
    explicit TkpPDFRealObject(double value) : TkpPDFObject(otReal), Value(value) {}
    TkpPDFObjectPtr Clone() const override;
    double Value;
};

// Text keeps the delimiters: "(" + unescaped bytes + ")" for a literal, "<" + the digits as written + ">"
// for a hexadecimal string (then IsHex is true).
class TkpPDFStringObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otString;
    explicit TkpPDFStringObject(std::string text) : TkpPDFObject(otString), Text(std::move(text)) {}
    TkpPDFObjectPtr Clone() const override;
    // Text without its first and last character.
    std::string StringValue() const;
    std::string Text;
    bool IsHex = false;
};

// Text keeps the leading "/" and any "#xx" escapes exactly as written.
class TkpPDFNameObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otName;
    explicit TkpPDFNameObject(std::string text) : TkpPDFObject(otName), Text(std::move(text)) {}
    TkpPDFObjectPtr Clone() const override;
    // Text without its first character (the slash).
    std::string NameValue() const;
    std::string Text;
};

class TkpPDFArrayObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otArray;
    TkpPDFArrayObject() : TkpPDFObject(otArray) {}
    TkpPDFObjectPtr Clone() const override;

    // Appends (an absent object is kept as an absent item); returns the new index.
    int32_t Add(TkpPDFObjectPtr object);
    int32_t AddInteger(int32_t value);
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    // The item, or nullptr when index is outside 0..Count-1.
    TkpPDFObject* Items(int32_t index) const;
    // Inserts before index; index outside 0..Count raises EListError "List index out of bounds (%d)".
    void Insert(int32_t index, TkpPDFObjectPtr object);
    // Replaces the item and hands the old one back; index outside 0..Count-1 raises EListError.
    TkpPDFObjectPtr Put(int32_t index, TkpPDFObjectPtr object);

private:
    std::vector<TkpPDFObjectPtr> items_;
};

// Entries in insertion order; keys are not unique (Add does not look for an existing key). Key texts
// carry their slash; comparisons are exact and the first matching entry wins.
class TkpPDFDictObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otDictionary;
    TkpPDFDictObject() : TkpPDFObject(otDictionary) {}
    TkpPDFObjectPtr Clone() const override;
    std::unique_ptr<TkpPDFDictObject> CloneDict() const;

    void Add(std::unique_ptr<TkpPDFNameObject> name, TkpPDFObjectPtr value);
    void AddObject(std::string_view key, TkpPDFObjectPtr value);
    // Does nothing when nameText is empty.
    void AddName(std::string_view key, std::string_view nameText);
    void AddInteger(std::string_view key, int32_t value);
    void AddInt64(std::string_view key, int64_t value);

    int32_t Count() const { return static_cast<int32_t>(keys_.size()); }
    int32_t IndexOf(std::string_view key) const;
    TkpPDFObject* Lookup(std::string_view key) const;
    TkpPDFNameObject* KeyAt(int32_t index) const;
    TkpPDFObject* ValueAt(int32_t index) const;

    // Replaces (and destroys) the first matching value, or appends a new entry.
    void SetValue(std::string_view key, TkpPDFObjectPtr value);
    void SetName(std::string_view key, std::string_view nameText);
    void SetBoolean(std::string_view key, bool flag);
    // Replaces the value at index and hands the old one back; index >= Count raises EInvalidIndex.
    TkpPDFObjectPtr PutValue(int32_t index, TkpPDFObjectPtr value);
    void Delete(int32_t index);
    void Remove(std::string_view key);
    // SetValue of a clone of every entry of other, in order; nullptr does nothing.
    void Merge(const TkpPDFDictObject* other);

private:
    std::vector<std::unique_ptr<TkpPDFNameObject>> keys_;
    std::vector<TkpPDFObjectPtr> values_;
};

// Data holds the raw bytes (decrypted, not decoded); absent until the document reads them.
class TkpPDFStreamObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otStream;
    explicit TkpPDFStreamObject(std::unique_ptr<TkpPDFDictObject> dict);
    TkpPDFStreamObject(std::unique_ptr<TkpPDFDictObject> dict, std::unique_ptr<pw::TMemoryStream> data);
    TkpPDFObjectPtr Clone() const override;

    std::unique_ptr<TkpPDFDictObject> Dict;
    std::unique_ptr<pw::TMemoryStream> Data;
};

class TkpPDFNullObject final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otNull;
    TkpPDFNullObject() : TkpPDFObject(otNull) {}
    TkpPDFObjectPtr Clone() const override;
};

class TkpPDFIndirectReference final : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otReference;
    TkpPDFIndirectReference(int32_t documentSerial, int32_t objectNumber, uint16_t generation)
        : TkpPDFObject(otReference), DocumentSerial(documentSerial), ObjectNumber(objectNumber),
          Generation(generation) {}
    TkpPDFObjectPtr Clone() const override;
    int32_t DocumentSerial;
    int32_t ObjectNumber;
    uint16_t Generation;
};

// Not final: the document's outline item derives from it.
class TkpPDFIndirectObject : public TkpPDFObject {
public:
    static constexpr TkpPDFObjectType kType = otIndirectObject;
    TkpPDFIndirectObject(int32_t documentSerial, int32_t objectNumber, uint16_t generation, TkpPDFObjectPtr body);
    // A mark flag of 1 calls MarkUsed once.
    TkpPDFIndirectObject(int32_t documentSerial, int32_t objectNumber, uint16_t generation, int markFlag,
                         TkpPDFObjectPtr body);
    TkpPDFObjectPtr Clone() const override;
    void MarkUsed() { ++UseCount; }

    int32_t DocumentSerial;
    int32_t ObjectNumber;
    uint16_t Generation;
    int32_t UseCount = 0;
    TkpPDFObjectPtr Body;
};

// Display name of an object's kind for messages ("Dictionary Object", ...).
std::string ObjectTypeName(const TkpPDFObject* object);
// The value of an integer or real object; any other kind raises EUnexpectedObjectError.
double NumberOf(const TkpPDFObject* object);
struct TkpNumberRect {
    double Values[4];
};
// NumberOf of items 0 to 3.
TkpNumberRect ReadNumberRect(const TkpPDFArrayObject& array);
std::unique_ptr<TkpPDFIndirectReference> ReferenceOf(const TkpPDFIndirectObject& object);
// The decimal digits of serial, number and generation written one after another and read back as one
// number (3, 12, 0 give 3120). 64-bit so that large triples do not overflow; the store keys by the triple
// itself and uses this only where the combined number is asked for.
int64_t UniqueID(int32_t serial, int32_t number, int32_t generation);

// Checked downcasts: nullptr when object is absent or of another kind.
template <typename T>
T* As(TkpPDFObject* object) {
    return object != nullptr && object->ObjectType() == T::kType ? static_cast<T*>(object) : nullptr;
}
template <typename T>
const T* As(const TkpPDFObject* object) {
    return object != nullptr && object->ObjectType() == T::kType ? static_cast<const T*>(object) : nullptr;
}
// The object as the kind a rule requires; any other kind (or none) raises the invalid-typecast error.
template <typename T>
T* TakeAs(TkpPDFObject* object) {
    T* typed = As<T>(object);
    if (typed == nullptr) throw pw::EInvalidCast();
    return typed;
}

}  // namespace kp
