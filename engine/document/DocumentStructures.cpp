// The document-level entries of the catalog visited by the catalog traversal: information, viewer
// preferences, the named destinations of /Dests, the actions, and the named-destination lookup. The name
// tree, the outlines and the interactive form have files of their own (NameTree.cpp, Outlines.cpp,
// AcroForm.cpp).
#include "engine/document/CustomPDFDocument.h"

#include "engine/document/DocumentErrors.h"

namespace kp {

using namespace document;

namespace {

// Memory the structure steps may spend on copies during one load (destinations into the table and into
// the values that name them, outline titles and actions). Real documents copy some hundred kilobytes; the
// bound stops a few large objects named from everywhere from multiplying into gigabytes.
constexpr int64_t kMaxCopiedBytes = int64_t{32} << 20;
// What one object of a copy is counted as, besides the text of strings and names.
constexpr int64_t kObjectCost = 64;

// The memory a copy of a value takes, counted up to limit (the count stops as soon as it is past limit).
int64_t CopyCost(const TkpPDFObject& root, int64_t limit) {
    int64_t cost = kObjectCost;
    std::vector<const TkpPDFObject*> pending{&root};
    // Each object is counted when it is queued, so the queue never outgrows what the limit allows.
    auto queue = [&](const TkpPDFObject* object) {
        if (object == nullptr) return;
        cost += kObjectCost;
        pending.push_back(object);
    };
    while (!pending.empty() && cost <= limit) {
        const TkpPDFObject* object = pending.back();
        pending.pop_back();
        if (const auto* string = As<TkpPDFStringObject>(object)) {
            cost += static_cast<int64_t>(string->Text.size());
        } else if (const auto* name = As<TkpPDFNameObject>(object)) {
            cost += static_cast<int64_t>(name->Text.size());
        } else if (const auto* array = As<TkpPDFArrayObject>(object)) {
            for (int32_t i = 0; i < array->Count() && cost <= limit; ++i) queue(array->Items(i));
        } else if (const auto* dict = As<TkpPDFDictObject>(object)) {
            for (int32_t i = 0; i < dict->Count() && cost <= limit; ++i) {
                cost += static_cast<int64_t>(dict->KeyAt(i)->Text.size());
                queue(dict->ValueAt(i));
            }
        } else if (const auto* stream = As<TkpPDFStreamObject>(object)) {
            if (stream->Data) cost += stream->Data->Size();
            queue(stream->Dict.get());
        } else if (const auto* indirect = As<TkpPDFIndirectObject>(object)) {
            queue(indirect->Body.get());
        }
    }
    return cost;
}

}  // namespace

void TkpCustomPDFDocument::ClearStructures() {
    namedDestinations_.Clear();
    outlineItems_.clear();
    outlineRoot_.reset();
    formFields_.clear();
    copiedBytes_ = 0;
    formFieldText_ = 0;
}

bool TkpCustomPDFDocument::TryChargeCopy(const TkpPDFObject& object) {
    const int64_t cost = CopyCost(object, kMaxCopiedBytes - copiedBytes_);
    if (copiedBytes_ + cost > kMaxCopiedBytes) return false;
    copiedBytes_ += cost;
    return true;
}

void TkpCustomPDFDocument::ChargeCopy(const TkpPDFObject& object) {
    if (!TryChargeCopy(object)) throw EUnexpectedError();
}

void TkpCustomPDFDocument::ReadInformation() {
    if (info_->FromObjectStream || !trailer_->Info) return;
    if (const TkpPDFDictObject* dict = FetchDict(trailer_->Info.get(), false)) info_->Dictionary = dict->CloneDict();
}

void TkpCustomPDFDocument::ReadViewerPreferences(const TkpPDFDictObject& catalog) {
    if (const TkpPDFDictObject* dict = FetchDict(catalog.Lookup("/ViewerPreferences"), false)) {
        catalog_->ViewerPreferences.Dictionary = dict->CloneDict();
    }
}

TkpPDFIndirectObject* TkpCustomPDFDocument::StoreTarget(TkpPDFIndirectReference& reference) {
    LoadReachable(&reference);
    if (TkpPDFIndirectObject* stored = store_->Find(&reference)) return stored;
    return FetchStored(reference.ObjectNumber);
}

TkpPDFObjectPtr TkpCustomPDFDocument::DestinationOf(TkpPDFObject* value, bool anyDictionary) {
    if (value == nullptr) return nullptr;
    bool referenced = false;
    if (auto* reference = As<TkpPDFIndirectReference>(value)) {
        TkpPDFIndirectObject* object = StoreTarget(*reference);
        if (object == nullptr) return std::make_unique<TkpPDFNullObject>();  // a reference to no object
        value = object->Body.get();
        referenced = true;
    }
    if (value == nullptr || value->IsNull()) return std::make_unique<TkpPDFNullObject>();
    const TkpPDFArrayObject* destination = As<TkpPDFArrayObject>(value);
    if (destination == nullptr) {
        // In a name tree, values written in place that are neither arrays nor null are passed over.
        if (!referenced && !anyDictionary) return nullptr;
        auto* dict = As<TkpPDFDictObject>(value);
        destination = dict ? FetchArray(dict->Lookup("/D"), true) : nullptr;
        if (destination == nullptr) throw EUnexpectedError(std::string(msg::kUnexpectedObject));
    }
    ChargeCopy(*destination);
    TkpPDFObjectPtr copy = destination->Clone();
    // The page named first belongs to this document, whatever reader made the reference.
    if (auto* page = As<TkpPDFIndirectReference>(static_cast<TkpPDFArrayObject&>(*copy).Items(0))) {
        page->DocumentSerial = documentSerial_;
    }
    return copy;
}

void TkpCustomPDFDocument::ReadDestinations(const TkpPDFDictObject& catalog) {
    TkpPDFObject* dests = catalog.Lookup("/Dests");
    if (dests == nullptr) return;
    Status(msg::kStatusDestinations);
    TkpPDFIndirectObject* object = FetchStored(TakeAs<TkpPDFIndirectReference>(dests)->ObjectNumber);
    if (object == nullptr) return;
    TkpPDFDictObject& dict = *TakeAs<TkpPDFDictObject>(object->Body.get());
    for (int32_t i = 0; i < dict.Count(); ++i) {
        namedDestinations_.Add(*dict.KeyAt(i), DestinationOf(dict.ValueAt(i), true));
    }
}

void TkpCustomPDFDocument::ReadActions(const TkpPDFDictObject& catalog) {
    if (TkpPDFObject* openAction = catalog.Lookup("/OpenAction")) {
        LoadReachable(openAction);
        catalog_->OpenAction = openAction->Clone();
    }
    if (TkpPDFObject* actions = catalog.Lookup("/AA")) {
        LoadReachable(actions);
        catalog_->AA = actions->Clone();
    }
}

const TkpPDFObject* TkpCustomPDFDocument::LookupNamedDestination(const TkpPDFObject& nameOrString) {
    const TkpPDFObject* destination = namedDestinations_.Find(nameOrString);
    // A name whose destination is missing keeps its name, as does one past the copy budget.
    if (destination == nullptr || destination->IsNull() || !TryChargeCopy(*destination)) return nullptr;
    return destination;
}

}  // namespace kp
