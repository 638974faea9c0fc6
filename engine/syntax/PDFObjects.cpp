#include "engine/syntax/PDFObjects.h"

#include "engine/syntax/SyntaxErrors.h"
#include "platform/Exception.h"

namespace kp {

namespace {
TkpPDFObjectPtr CloneOrNull(const TkpPDFObject* object) { return object ? object->Clone() : nullptr; }

[[noreturn]] void ThrowListIndex(int32_t index) {
    throw pw::EListError(pw::FillMessage(pw::msg::kListIndexOutOfBounds, index));
}
}  // namespace

TkpPDFObjectPtr TkpPDFBooleanObject::Clone() const { return std::make_unique<TkpPDFBooleanObject>(Value); }
TkpPDFObjectPtr TkpPDFIntegerObject::Clone() const { return std::make_unique<TkpPDFIntegerObject>(Value); }
TkpPDFObjectPtr TkpPDFInt64Object::Clone() const { return std::make_unique<TkpPDFInt64Object>(Value); }
TkpPDFObjectPtr TkpPDFRealObject::Clone() const { return std::make_unique<TkpPDFRealObject>(Value); }
TkpPDFObjectPtr TkpPDFNullObject::Clone() const { return std::make_unique<TkpPDFNullObject>(); }

TkpPDFObjectPtr TkpPDFStringObject::Clone() const {
    auto copy = std::make_unique<TkpPDFStringObject>(Text);
    copy->IsHex = IsHex;
    return copy;
}

std::string TkpPDFStringObject::StringValue() const {
    return Text.size() < 2 ? std::string() : Text.substr(1, Text.size() - 2);
}

TkpPDFObjectPtr TkpPDFNameObject::Clone() const { return std::make_unique<TkpPDFNameObject>(Text); }

std::string TkpPDFNameObject::NameValue() const { return Text.empty() ? std::string() : Text.substr(1); }

// Arrays

TkpPDFObjectPtr TkpPDFArrayObject::Clone() const {
    auto copy = std::make_unique<TkpPDFArrayObject>();
    copy->items_.reserve(items_.size());
    for (const auto& item : items_) copy->items_.push_back(CloneOrNull(item.get()));
    return copy;
}

int32_t TkpPDFArrayObject::Add(TkpPDFObjectPtr object) {
    items_.push_back(std::move(object));
    return Count() - 1;
}

int32_t TkpPDFArrayObject::AddInteger(int32_t value) { return Add(std::make_unique<TkpPDFIntegerObject>(value)); }

TkpPDFObject* TkpPDFArrayObject::Items(int32_t index) const {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
}

void TkpPDFArrayObject::Insert(int32_t index, TkpPDFObjectPtr object) {
    if (index < 0 || index > Count()) ThrowListIndex(index);
    items_.insert(items_.begin() + index, std::move(object));
}

TkpPDFObjectPtr TkpPDFArrayObject::Put(int32_t index, TkpPDFObjectPtr object) {
    if (index < 0 || index >= Count()) ThrowListIndex(index);
    std::swap(items_[static_cast<size_t>(index)], object);
    return object;
}

// Dictionaries

TkpPDFObjectPtr TkpPDFDictObject::Clone() const { return CloneDict(); }

std::unique_ptr<TkpPDFDictObject> TkpPDFDictObject::CloneDict() const {
    auto copy = std::make_unique<TkpPDFDictObject>();
    copy->keys_.reserve(keys_.size());
    copy->values_.reserve(values_.size());
    for (size_t i = 0; i < keys_.size(); ++i) {
        copy->keys_.push_back(std::make_unique<TkpPDFNameObject>(keys_[i]->Text));
        copy->values_.push_back(CloneOrNull(values_[i].get()));
    }
    return copy;
}

void TkpPDFDictObject::Add(std::unique_ptr<TkpPDFNameObject> name, TkpPDFObjectPtr value) {
    keys_.push_back(std::move(name));
    values_.push_back(std::move(value));
}

void TkpPDFDictObject::AddObject(std::string_view key, TkpPDFObjectPtr value) {
    Add(std::make_unique<TkpPDFNameObject>(std::string(key)), std::move(value));
}

void TkpPDFDictObject::AddName(std::string_view key, std::string_view nameText) {
    if (nameText.empty()) return;
    AddObject(key, std::make_unique<TkpPDFNameObject>(std::string(nameText)));
}

void TkpPDFDictObject::AddInteger(std::string_view key, int32_t value) {
    AddObject(key, std::make_unique<TkpPDFIntegerObject>(value));
}

void TkpPDFDictObject::AddInt64(std::string_view key, int64_t value) {
    AddObject(key, std::make_unique<TkpPDFInt64Object>(value));
}

int32_t TkpPDFDictObject::IndexOf(std::string_view key) const {
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] && keys_[i]->Text == key) return static_cast<int32_t>(i);
    }
    return -1;
}

TkpPDFObject* TkpPDFDictObject::Lookup(std::string_view key) const {
    const int32_t index = IndexOf(key);
    return index < 0 ? nullptr : values_[static_cast<size_t>(index)].get();
}

TkpPDFNameObject* TkpPDFDictObject::KeyAt(int32_t index) const {
    return index >= 0 && index < Count() ? keys_[static_cast<size_t>(index)].get() : nullptr;
}

TkpPDFObject* TkpPDFDictObject::ValueAt(int32_t index) const {
    return index >= 0 && index < Count() ? values_[static_cast<size_t>(index)].get() : nullptr;
}

void TkpPDFDictObject::SetValue(std::string_view key, TkpPDFObjectPtr value) {
    const int32_t index = IndexOf(key);
    if (index < 0) {
        AddObject(key, std::move(value));
    } else {
        values_[static_cast<size_t>(index)] = std::move(value);
    }
}

void TkpPDFDictObject::SetName(std::string_view key, std::string_view nameText) {
    SetValue(key, std::make_unique<TkpPDFNameObject>(std::string(nameText)));
}

void TkpPDFDictObject::SetBoolean(std::string_view key, bool flag) {
    SetValue(key, std::make_unique<TkpPDFBooleanObject>(flag));
}

TkpPDFObjectPtr TkpPDFDictObject::PutValue(int32_t index, TkpPDFObjectPtr value) {
    if (index < 0 || index >= Count()) throw syntax::EInvalidIndex();
    std::swap(values_[static_cast<size_t>(index)], value);
    return value;
}

void TkpPDFDictObject::Delete(int32_t index) {
    if (index < 0 || index >= Count()) ThrowListIndex(index);
    keys_.erase(keys_.begin() + index);
    values_.erase(values_.begin() + index);
}

void TkpPDFDictObject::Remove(std::string_view key) {
    const int32_t index = IndexOf(key);
    if (index >= 0) Delete(index);
}

void TkpPDFDictObject::Merge(const TkpPDFDictObject* other) {
    if (other == nullptr) return;
    if (other == this) {
        // Read from a copy: SetValue changes the entries being walked.
        const auto copy = CloneDict();
        Merge(copy.get());
        return;
    }
    for (size_t i = 0; i < other->keys_.size(); ++i) {
        SetValue(other->keys_[i]->Text, CloneOrNull(other->values_[i].get()));
    }
}

// Streams

TkpPDFStreamObject::TkpPDFStreamObject(std::unique_ptr<TkpPDFDictObject> dict)
    : TkpPDFObject(otStream), Dict(std::move(dict)) {}

TkpPDFStreamObject::TkpPDFStreamObject(std::unique_ptr<TkpPDFDictObject> dict,
                                       std::unique_ptr<pw::TMemoryStream> data)
    : TkpPDFObject(otStream), Dict(std::move(dict)), Data(std::move(data)) {}

TkpPDFObjectPtr TkpPDFStreamObject::Clone() const {
    auto dict = Dict ? Dict->CloneDict() : nullptr;
    std::unique_ptr<pw::TMemoryStream> data;
    if (Data) data = std::make_unique<pw::TMemoryStream>(Data->Bytes());
    return std::make_unique<TkpPDFStreamObject>(std::move(dict), std::move(data));
}

// References and indirect objects

TkpPDFObjectPtr TkpPDFIndirectReference::Clone() const {
    return std::make_unique<TkpPDFIndirectReference>(DocumentSerial, ObjectNumber, Generation);
}

TkpPDFIndirectObject::TkpPDFIndirectObject(int32_t documentSerial, int32_t objectNumber, uint16_t generation,
                                           TkpPDFObjectPtr body)
    : TkpPDFObject(otIndirectObject), DocumentSerial(documentSerial), ObjectNumber(objectNumber),
      Generation(generation), Body(std::move(body)) {}

TkpPDFIndirectObject::TkpPDFIndirectObject(int32_t documentSerial, int32_t objectNumber, uint16_t generation,
                                           int markFlag, TkpPDFObjectPtr body)
    : TkpPDFIndirectObject(documentSerial, objectNumber, generation, std::move(body)) {
    if (markFlag == 1) MarkUsed();
}

TkpPDFObjectPtr TkpPDFIndirectObject::Clone() const {
    auto copy = std::make_unique<TkpPDFIndirectObject>(DocumentSerial, ObjectNumber, Generation, CloneOrNull(Body.get()));
    copy->UseCount = UseCount;
    return copy;
}

// Utilities

std::string ObjectTypeName(const TkpPDFObject* object) {
    if (object == nullptr) return "Unknown Object";
    switch (object->ObjectType()) {
        case otBoolean: return "Boolean Object";
        case otInteger: return "Integer Object";
        case otInt64: return "Int64 Object";
        case otReal: return "Real Object";
        case otString: return "String Object";
        case otName: return "Name Object";
        case otArray: return "Array Object";
        case otDictionary: return "Dictionary Object";
        case otStream: return "Stream Object";
        case otNull: return "Null Object";
        case otReference: return "IndirectReference Object";
        case otIndirectObject: return "Indirect Object";
    }
    return "Unknown Object";
}

double NumberOf(const TkpPDFObject* object) {
    if (const auto* integer = As<TkpPDFIntegerObject>(object)) return integer->Value;
    if (const auto* real = As<TkpPDFRealObject>(object)) return real->Value;
    throw syntax::EUnexpectedObjectError();
}

TkpNumberRect ReadNumberRect(const TkpPDFArrayObject& array) {
    TkpNumberRect rect{};
    for (int32_t i = 0; i < 4; ++i) rect.Values[i] = NumberOf(array.Items(i));
    return rect;
}

std::unique_ptr<TkpPDFIndirectReference> ReferenceOf(const TkpPDFIndirectObject& object) {
    return std::make_unique<TkpPDFIndirectReference>(object.DocumentSerial, object.ObjectNumber, object.Generation);
}

int64_t UniqueID(int32_t serial, int32_t number, int32_t generation) {
    // Shift the key left by the next value's count of decimal digits and add it. Unsigned arithmetic:
    // triples too long for 64 bits wrap instead of overflowing (the store never relies on this key).
    auto append = [](uint64_t key, int32_t value) {
        const uint64_t v = static_cast<uint64_t>(static_cast<int64_t>(value));
        uint64_t scale = 10;
        for (int64_t rest = value < 0 ? -static_cast<int64_t>(value) : value; rest >= 10; rest /= 10) scale *= 10;
        return key * scale + v;
    };
    uint64_t key = static_cast<uint64_t>(static_cast<int64_t>(serial));
    key = append(key, number);
    key = append(key, generation);
    return static_cast<int64_t>(key);
}

}  // namespace kp
