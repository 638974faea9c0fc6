// Reading indirect objects from the file and the document-level fetch operations of TkpCustomPDFDocument.
#include "engine/document/CustomPDFDocument.h"

#include <functional>

#include "engine/document/DocumentErrors.h"
#include "engine/syntax/SyntaxErrors.h"
#include "platform/Exception.h"

namespace kp {

using namespace document;

int64_t TkpCustomPDFDocument::GetObjectOffset(int32_t objectNumber) const {
    auto outOfBounds = [&] { return pw::EListError(pw::FillMessage(pw::msg::kListIndexOutOfBounds, objectNumber)); };
    if (!xrefTable_.empty()) {
        if (objectNumber < 0 || static_cast<size_t>(objectNumber) >= xrefTable_.size()) throw outOfBounds();
        const TkpXRefItem& item = xrefTable_[static_cast<size_t>(objectNumber)];
        return item.EntryType == 'n' ? item.Offset : 0;
    }
    if (objectNumber < 0 || static_cast<size_t>(objectNumber) >= xrefStmTable_.size()) throw outOfBounds();
    const TkpXRefStmItem& item = xrefStmTable_[static_cast<size_t>(objectNumber)];
    return item.EntryType == 1 ? item.Field2 : 0;
}

namespace {

// Measures stream data that has no usable /Length: from after the "stream" keyword's end of line up to the
// end of line before the next "endstream".
int64_t MeasureStreamData(std::string_view file, int64_t keywordPosition) {
    size_t start = file.find("stream", static_cast<size_t>(std::max<int64_t>(keywordPosition, 0)));
    if (start == std::string_view::npos) return -1;
    start += 6;
    while (start < file.size() && (file[start] == ' ' || file[start] == '\t')) ++start;
    if (start < file.size() && file[start] == '\r') ++start;
    if (start < file.size() && file[start] == '\n') ++start;
    const size_t end = file.find("endstream", start);
    if (end == std::string_view::npos) return -1;
    size_t stop = end;
    if (stop > start && file[stop - 1] == '\n') --stop;
    if (stop > start && file[stop - 1] == '\r') --stop;
    return static_cast<int64_t>(stop - start);
}

}  // namespace

std::unique_ptr<TkpPDFIndirectObject> TkpCustomPDFDocument::ParseIndirectObjectAt(int64_t& keyword) {
    if (reader_ == nullptr || reader_->Position() == 0) return nullptr;  // 0 marks "no object in the file"
    TkpPDFObjectPtr parsed = reader_->ReadObject();
    if (parsed == nullptr || !parsed->IsIndirectObject()) throw pw::EInvalidCast();
    keyword = reader_->Position();
    return std::unique_ptr<TkpPDFIndirectObject>(static_cast<TkpPDFIndirectObject*>(parsed.release()));
}

bool TkpCustomPDFDocument::WalksStreamDictionary(const TkpPDFStreamObject& stream) {
    // A cross-reference stream's dictionary describes the file, not content: nothing to bring in.
    const auto* type = As<TkpPDFNameObject>(stream.Dict->Lookup("/Type"));
    return type == nullptr || type->Text != "/XRef";
}

void TkpCustomPDFDocument::ReadStreamDataOf(TkpPDFIndirectObject& object, int64_t keyword) {
    auto& stream = static_cast<TkpPDFStreamObject&>(*object.Body);
    reader_->SetPosition(keyword);
    int64_t length = -1;
    if (const TkpPDFIntegerObject* value = store_->ResolveInteger(stream.Dict->Lookup("/Length"))) {
        length = value->Value;
    } else if (const auto* memory = dynamic_cast<pw::TMemoryStream*>(reader_->Source())) {
        // No /Length the store can answer: measure up to "endstream".
        length = MeasureStreamData(memory->View(), keyword);
    }
    if (length < 0) throw syntax::EStreamReadError(std::string(syntax::msg::kStreamRead));
    stream.Data = reader_->ReadStreamData(length, object.ObjectNumber, object.Generation);
}

std::unique_ptr<TkpPDFIndirectObject> TkpCustomPDFDocument::ReadIndirectObjectAt() {
    int64_t keyword = 0;
    std::unique_ptr<TkpPDFIndirectObject> object = ParseIndirectObjectAt(keyword);
    auto* stream = object ? As<TkpPDFStreamObject>(object->Body.get()) : nullptr;
    if (stream == nullptr) return object;
    // The dictionary is walked first, so that an indirect /Length is in the store when the data are read.
    if (WalksStreamDictionary(*stream)) LoadReachable(stream->Dict.get());
    ReadStreamDataOf(*object, keyword);
    return object;
}

TkpCustomPDFDocument::Obtained TkpCustomPDFDocument::ObtainObject(int32_t objectNumber) {
    Obtained result;
    const int32_t index = store_->IndexOf(documentSerial_, objectNumber, 0);
    if (index >= 0) {
        result.Object = store_->Items(index);
        return result;
    }
    // After the load the file is closed: what the store lacks is absent.
    if (reader_ == nullptr) return result;
    reader_->SetPosition(GetObjectOffset(objectNumber));
    result.Owned = ReadIndirectObjectAt();
    result.Object = result.Owned.get();
    return result;
}

TkpPDFIndirectObject* TkpCustomPDFDocument::FetchObject(int32_t objectNumber) {
    Obtained obtained = ObtainObject(objectNumber);
    if (obtained.Owned) Keep(std::move(obtained.Owned));
    return obtained.Object;
}

TkpPDFIndirectObject* TkpCustomPDFDocument::FetchStored(int32_t objectNumber) {
    Obtained obtained = ObtainObject(objectNumber);
    if (obtained.Object == nullptr) return nullptr;
    obtained.Object->MarkUsed();
    // An object that came from the store is already there; adding it twice would change nothing a lookup sees.
    if (obtained.Owned) store_->Add(std::move(obtained.Owned));
    return obtained.Object;
}

void TkpCustomPDFDocument::Settle(Obtained& obtained, bool storing) {
    if (storing) {
        obtained.Object->MarkUsed();
        if (obtained.Owned) store_->Add(std::move(obtained.Owned));
    } else if (obtained.Owned) {
        Keep(std::move(obtained.Owned));
    }
}

template <typename T>
T* TkpCustomPDFDocument::FetchKind(TkpPDFObject* object, bool storing) {
    for (int hop = 0; hop <= kMaxReferenceChain; ++hop) {
        if (object == nullptr) return nullptr;
        if (T* wanted = As<T>(object)) return wanted;
        const auto* ref = As<TkpPDFIndirectReference>(object);
        if (ref == nullptr) throw EUnexpectedObjectError();
        if (TkpPDFIndirectObject* stored = store_->Find(ref)) {
            object = stored->Body.get();
            continue;
        }
        Obtained obtained = ObtainObject(ref->ObjectNumber);
        TkpPDFIndirectObject* indirect = obtained.Object;
        if (indirect == nullptr) return nullptr;
        Settle(obtained, storing);
        object = indirect->Body.get();
    }
    throw EReferenceLoopError(pw::FillMessage(msg::kReferenceLoop, As<TkpPDFIndirectReference>(object)->ObjectNumber));
}

TkpPDFArrayObject* TkpCustomPDFDocument::FetchArray(TkpPDFObject* object, bool storing) {
    return FetchKind<TkpPDFArrayObject>(object, storing);
}

TkpPDFDictObject* TkpCustomPDFDocument::FetchDict(TkpPDFObject* object, bool storing) {
    return FetchKind<TkpPDFDictObject>(object, storing);
}

template <typename T>
T* TkpCustomPDFDocument::FetchValue(TkpPDFObject* object) {
    for (int hop = 0; hop <= kMaxReferenceChain; ++hop) {
        if (object == nullptr) return nullptr;
        if (T* wanted = As<T>(object)) return wanted;
        const auto* ref = As<TkpPDFIndirectReference>(object);
        if (ref == nullptr) throw EUnexpectedObjectError();
        Obtained obtained = ObtainObject(ref->ObjectNumber);
        if (obtained.Object == nullptr) return nullptr;
        obtained.Object->MarkUsed();
        object = obtained.Object->Body.get();
        Keep(std::move(obtained.Owned));
    }
    throw EReferenceLoopError(pw::FillMessage(msg::kReferenceLoop, As<TkpPDFIndirectReference>(object)->ObjectNumber));
}

TkpPDFStringObject* TkpCustomPDFDocument::FetchString(TkpPDFObject* object) {
    return FetchValue<TkpPDFStringObject>(object);
}

TkpPDFNameObject* TkpCustomPDFDocument::FetchName(TkpPDFObject* object) { return FetchValue<TkpPDFNameObject>(object); }

namespace {

struct DeepResolver {
    std::function<TkpPDFIndirectObject*(int32_t, TkpPDFObjectPtr&)> obtain;
    std::vector<int32_t> path;  // object numbers being resolved, to stop circles

    TkpPDFObjectPtr Resolve(const TkpPDFObject* object, int depth) {
        if (object == nullptr) return nullptr;
        if (depth > kMaxDeepResolveDepth) throw EReferenceLoopError(pw::FillMessage(msg::kReferenceLoop, path.empty() ? 0 : path.back()));
        if (const auto* array = As<TkpPDFArrayObject>(object)) {
            auto copy = std::make_unique<TkpPDFArrayObject>();
            for (int32_t i = 0; i < array->Count(); ++i) copy->Add(Resolve(array->Items(i), depth + 1));
            return copy;
        }
        if (const auto* dict = As<TkpPDFDictObject>(object)) {
            auto copy = std::make_unique<TkpPDFDictObject>();
            for (int32_t i = 0; i < dict->Count(); ++i) {
                copy->AddObject(dict->KeyAt(i)->Text, Resolve(dict->ValueAt(i), depth + 1));
            }
            return copy;
        }
        if (const auto* ref = As<TkpPDFIndirectReference>(object)) {
            for (int32_t number : path) {
                if (number == ref->ObjectNumber) throw EReferenceLoopError(pw::FillMessage(msg::kReferenceLoop, number));
            }
            // An object read from the file for this is freed with `owned` when done.
            TkpPDFObjectPtr owned;
            TkpPDFIndirectObject* target = obtain(ref->ObjectNumber, owned);
            if (target == nullptr) return nullptr;
            target->MarkUsed();
            path.push_back(ref->ObjectNumber);
            TkpPDFObjectPtr result = Resolve(target->Body.get(), depth + 1);
            path.pop_back();
            return result;
        }
        if (const auto* indirect = As<TkpPDFIndirectObject>(object)) return Resolve(indirect->Body.get(), depth + 1);
        return object->Clone();
    }
};

}  // namespace

TkpPDFObjectPtr TkpCustomPDFDocument::DeepResolve(const TkpPDFObject* object) {
    DeepResolver resolver{[this](int32_t number, TkpPDFObjectPtr& owned) {
                              Obtained obtained = ObtainObject(number);
                              owned = std::move(obtained.Owned);
                              return obtained.Object;
                          },
                          {}};
    return resolver.Resolve(object, 0);
}

}  // namespace kp
