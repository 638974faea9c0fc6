// The document-level entries of the catalog visited by the catalog traversal: information, viewer
// preferences, the named destinations of /Dests, the actions, and the named-destination lookup. The name
// tree, the outlines and the interactive form have files of their own (NameTree.cpp, Outlines.cpp,
// AcroForm.cpp).
#include "engine/document/CustomPDFDocument.h"

#include "engine/document/DocumentErrors.h"
#include "engine/document/StructureSupport.h"

namespace kp {

using namespace document;

namespace {

// Objects the structure steps may copy during one load (destinations into the table and into the values
// that name them, outline actions). Real documents copy some thousands; the bound stops a few shared
// objects named from everywhere from multiplying into gigabytes.
constexpr int64_t kMaxCopiedObjects = int64_t{1} << 21;

// The number of objects in a value (containers and their items, stream dictionaries), counted up to limit.
int64_t CountObjects(const TkpPDFObject& root, int64_t limit) {
    int64_t count = 0;
    std::vector<const TkpPDFObject*> pending{&root};
    while (!pending.empty() && count <= limit) {
        const TkpPDFObject* object = pending.back();
        pending.pop_back();
        if (object == nullptr) continue;
        ++count;
        if (const auto* array = As<TkpPDFArrayObject>(object)) {
            for (int32_t i = 0; i < array->Count(); ++i) pending.push_back(array->Items(i));
        } else if (const auto* dict = As<TkpPDFDictObject>(object)) {
            for (int32_t i = 0; i < dict->Count(); ++i) pending.push_back(dict->ValueAt(i));
        } else if (const auto* stream = As<TkpPDFStreamObject>(object)) {
            pending.push_back(stream->Dict.get());
        } else if (const auto* indirect = As<TkpPDFIndirectObject>(object)) {
            pending.push_back(indirect->Body.get());
        }
    }
    return count;
}

}  // namespace

void TkpCustomPDFDocument::ClearStructures() {
    namedDestinations_.Clear();
    outlineItems_.clear();
    outlineRoot_.reset();
    formFields_.clear();
    copiedObjects_ = 0;
    formFieldText_ = 0;
}

bool TkpCustomPDFDocument::TryChargeCopy(const TkpPDFObject& object) {
    const int64_t count = CountObjects(object, kMaxCopiedObjects - copiedObjects_);
    if (copiedObjects_ + count > kMaxCopiedObjects) return false;
    copiedObjects_ += count;
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
