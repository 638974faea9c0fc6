// The catalog traversal and the page tree of TkpCustomPDFDocument.
#include "engine/document/CustomPDFDocument.h"

#include "engine/document/DocumentErrors.h"
#include "engine/syntax/SyntaxErrors.h"
#include "engine/syntax/TextSearch.h"
#include "platform/Exception.h"
#include "platform/Screen.h"

namespace kp {

using namespace document;

namespace {

int NamePosition(const TkpPDFObject* value, const std::vector<std::string>& table) {
    const auto* name = As<TkpPDFNameObject>(value);
    return name == nullptr ? 0 : IndexOfText(table, name->Text);
}


}  // namespace

void TkpCustomPDFDocument::ReadCatalog() {
    // Whatever happens, the file is not read again after the traversal.
    ReaderRelease release{*this};

    ReadInformation();

    if (trailer_->RootNumber < 0) throw ECatalogError(std::string(msg::kNoCatalog));
    // A catalog read from the file (not from an object stream) is freed with `catalogObject` at the end.
    Obtained catalogObject = ObtainObject(trailer_->RootNumber);
    if (catalogObject.Object == nullptr) throw ECatalogError(std::string(msg::kNoCatalog));
    const TkpPDFDictObject& catalog = *TakeAs<TkpPDFDictObject>(catalogObject.Object->Body.get());

    pageMode_ = NamePosition(catalog.Lookup("/PageMode"), {"/UseNone", "/UseOutlines", "/UseThumbs", "/FullScreen"});
    pageLayout_ = NamePosition(catalog.Lookup("/PageLayout"),
                               {"/None", "/SinglePage", "/OneColumn", "/TwoColumnLeft", "/TwoColumnRight"});
    ReadViewerPreferences(catalog);
    if (TkpPDFObject* metadata = catalog.Lookup("/Metadata")) {
        LoadReachable(metadata);
        catalog_->Metadata = TakeAs<TkpPDFIndirectReference>(metadata)->Clone();
    }

    Progress(10);
    Status(msg::kStatusPages);
    TkpPDFObject* pages = catalog.Lookup("/Pages");
    if (pages == nullptr) throw ECatalogError(std::string(msg::kNoPageTree));
    visitedPageNodes_.clear();
    ReadPageTreeNode(TakeAs<TkpPDFIndirectReference>(pages)->ObjectNumber, nullptr, 0);

    Progress(75);
    ReadDestinations(catalog);

    Progress(30);
    Status(msg::kStatusAnnotations);
    for (TkpPDFIndirectObject* page : pages_) {
        if (auto* dict = As<TkpPDFDictObject>(page->Body.get())) LoadReachable(dict->Lookup("/Annots"));
    }

    Progress(90);
    ReadAcroForm(catalog);
    ReadActions(catalog);
    ReadNameTree(catalog);

    Progress(60);
    Status(msg::kStatusOutlines);
    ReadOutlines(catalog);

    Progress(100);
}

void TkpCustomPDFDocument::ReadPageTreeNode(int32_t objectNumber, const TkpPDFDictObject* inherited, int depth) {
    // The generation written in the parent's /Kids is not used: nodes are taken with generation 0.
    Obtained node = ObtainObject(objectNumber);
    if (node.Object == nullptr) return;  // a kid without a file position contributes no page
    TkpPDFDictObject* dict = TakeAs<TkpPDFDictObject>(node.Object->Body.get());
    TkpPDFObject* typeValue = dict->Lookup("/Type");
    if (typeValue == nullptr) throw EUnexpectedError();
    const std::string& type = TakeAs<TkpPDFNameObject>(typeValue)->Text;

    if (type == "/Pages") {
        // A page tree is a tree: an intermediate node met twice is a loop (or a shared subtree that would
        // multiply the pages), and the depth is bounded.
        if (depth >= kMaxPageTreeDepth || !visitedPageNodes_.insert(objectNumber).second) throw EUnexpectedError();
        TkpPDFArrayObject* kids = FetchArray(dict->Lookup("/Kids"), false);
        std::unique_ptr<TkpPDFDictObject> attributes = inherited ? inherited->CloneDict() : nullptr;
        for (const char* key : {"/Rotate", "/MediaBox", "/Resources", "/CropBox"}) {
            if (TkpPDFObject* value = dict->Lookup(key)) {
                if (!attributes) attributes = std::make_unique<TkpPDFDictObject>();
                attributes->SetValue(key, value->Clone());
            }
        }
        for (int32_t i = 0; kids != nullptr && i < kids->Count(); ++i) {
            ReadPageTreeNode(TakeAs<TkpPDFIndirectReference>(kids->Items(i))->ObjectNumber, attributes.get(), depth + 1);
        }
        return;
    }
    if (type != "/Page") throw EUnexpectedError();

    TkpPDFIndirectObject* page = node.Object;
    page->MarkUsed();
    if (node.Owned) store_->Add(std::move(node.Owned));
    dict->Remove("/Parent");
    dict->Remove("/B");
    if (inherited != nullptr) {
        for (int32_t i = 0; i < inherited->Count(); ++i) {
            const std::string& key = inherited->KeyAt(i)->Text;
            if (dict->IndexOf(key) < 0) {
                const TkpPDFObject* value = inherited->ValueAt(i);
                dict->AddObject(key, value ? value->Clone() : nullptr);
            }
        }
    }
    // Annotations come later, after the named destinations are known.
    for (int32_t i = 0; i < dict->Count(); ++i) {
        const std::string& key = dict->KeyAt(i)->Text;
        if (key != "/Annots" && key != "/B") LoadReachable(dict->ValueAt(i));
    }
    pages_.push_back(page);
}

void TkpCustomPDFDocument::GetPageSize(int32_t pageNumber, TkpMeasurementUnit unit, double& width,
                                       double& height) const {
    if (pageNumber < 1 || pageNumber > PageCount()) {
        throw pw::EListError(pw::FillMessage(pw::msg::kListIndexOutOfBounds, pageNumber - 1));
    }
    const auto* dict = As<TkpPDFDictObject>(pages_[static_cast<size_t>(pageNumber - 1)]->Body.get());
    const TkpPDFArrayObject* box = dict ? store_->ResolveArray(dict->Lookup("/MediaBox")) : nullptr;
    if (box != nullptr) {
        const TkpNumberRect rect = ReadNumberRect(*box);
        width = rect.Values[2] - rect.Values[0];
        height = rect.Values[3] - rect.Values[1];
    } else {
        // A page without a media box is taken as US Letter, the size viewers assume.
        width = 612;
        height = 792;
    }
    switch (unit) {
        case muPixels: {
            const double scale = pw::PixelsPerInch() / 72.0;
            width *= scale;
            height *= scale;
            break;
        }
        case muPoints: break;
        case muInches: width /= 72; height /= 72; break;
        case muMM: width /= 2.83464; height /= 2.83464; break;
        case muTwips: width /= 0.05; height /= 0.05; break;
    }
}

}  // namespace kp
