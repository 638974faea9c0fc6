// The document-level entries of the catalog visited by the catalog traversal: information, viewer
// preferences, named destinations, interactive form, actions, name tree and outlines. Each brings the
// objects involved into the store so that they survive the closing of the file.
#include "engine/document/CustomPDFDocument.h"

#include "engine/document/DocumentErrors.h"

namespace kp {

using namespace document;

void TkpCustomPDFDocument::ReadInformation() {
    if (info_->FromObjectStream || !trailer_->Info) return;
    if (const TkpPDFDictObject* dict = FetchDict(trailer_->Info.get(), false)) info_->Dictionary = dict->CloneDict();
}

void TkpCustomPDFDocument::ReadViewerPreferences(const TkpPDFDictObject& catalog) {
    if (const TkpPDFDictObject* dict = FetchDict(catalog.Lookup("/ViewerPreferences"), false)) {
        catalog_->ViewerPreferences.Dictionary = dict->CloneDict();
    }
}

void TkpCustomPDFDocument::ReadDestinations(const TkpPDFDictObject& catalog) {
    TkpPDFObject* dests = catalog.Lookup("/Dests");
    if (dests == nullptr) return;
    Status(msg::kStatusDestinations);
    LoadReachable(dests);
}

void TkpCustomPDFDocument::ReadAcroForm(const TkpPDFDictObject& catalog) {
    TkpPDFObject* form = catalog.Lookup("/AcroForm");
    if (form == nullptr) return;
    catalog_->AcroForm = form->Clone();
    LoadReachable(form);
    Status(msg::kStatusAcroForms);
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

void TkpCustomPDFDocument::ReadNameTree(const TkpPDFDictObject& catalog) {
    TkpPDFObject* names = catalog.Lookup("/Names");
    if (names == nullptr) return;
    Status(msg::kStatusNameTree);
    catalog_->Names = names->Clone();
    LoadReachable(names);
}

void TkpCustomPDFDocument::ReadOutlines(const TkpPDFDictObject& catalog) {
    if (TkpPDFObject* outlines = catalog.Lookup("/Outlines")) LoadReachable(outlines);
}

const TkpPDFObject* TkpCustomPDFDocument::LookupNamedDestination(const TkpPDFObject& nameOrString) const {
    std::string key;
    if (const auto* name = As<TkpPDFNameObject>(&nameOrString)) key = name->NameValue();
    else if (const auto* string = As<TkpPDFStringObject>(&nameOrString)) key = string->StringValue();
    else return nullptr;
    for (const auto& [name, destination] : namedDestinations_) {
        if (name == key) return destination.get();
    }
    return nullptr;
}

}  // namespace kp
