// The catalog's /Names dictionary: its /Dests name tree fills the named-destination table; the dictionary
// and the other trees it holds (embedded files, JavaScript, ...) are brought into the object store.
#include "engine/document/CustomPDFDocument.h"

#include "engine/document/DocumentErrors.h"

namespace kp {

using namespace document;

namespace {

// Name trees are balanced, so even very large ones are a few levels deep; the bound keeps the recursive
// walk's stack small on hostile files.
constexpr int kMaxNameTreeDepth = 64;

}  // namespace

void TkpCustomPDFDocument::ReadNameTree(const TkpPDFDictObject& catalog) {
    TkpPDFObject* names = catalog.Lookup("/Names");
    if (names == nullptr) return;
    Status(msg::kStatusNameTree);
    catalog_->Names = names->Clone();

    TkpPDFDictObject* namesDict = nullptr;
    if (const auto* reference = As<TkpPDFIndirectReference>(names)) {
        TkpPDFIndirectObject* object = FetchStored(reference->ObjectNumber);
        if (object == nullptr) return;
        namesDict = TakeAs<TkpPDFDictObject>(object->Body.get());
    } else {
        // A names dictionary written into the catalog itself is read the same way.
        namesDict = As<TkpPDFDictObject>(names);
        if (namesDict == nullptr) return;
    }

    TkpPDFObject* root = namesDict->Lookup("/Dests");
    if (auto* reference = As<TkpPDFIndirectReference>(root)) {
        TkpPDFIndirectObject* object = StoreTarget(*reference);
        root = object ? object->Body.get() : nullptr;  // a reference to no object: no tree
    }
    if (root != nullptr) {
        auto* rootDict = As<TkpPDFDictObject>(root);
        if (rootDict == nullptr) throw EUnexpectedObjectError();
        std::unordered_set<const TkpPDFObject*> visited;
        ReadNameTreeNode(*rootDict, 0, visited);
    }
    LoadReachable(namesDict);
}

void TkpCustomPDFDocument::ReadNameTreeNode(TkpPDFDictObject& node, int depth,
                                            std::unordered_set<const TkpPDFObject*>& visited) {
    // A node met twice is a loop (or a shared subtree, which would list its names twice).
    if (depth > kMaxNameTreeDepth || !visited.insert(&node).second) throw EUnexpectedError();
    if (TkpPDFObject* kidsValue = node.Lookup("/Kids")) {
        TkpPDFArrayObject& kids = *TakeAs<TkpPDFArrayObject>(kidsValue);
        for (int32_t i = 0; i < kids.Count(); ++i) {
            TkpPDFIndirectObject* kid = StoreTarget(*TakeAs<TkpPDFIndirectReference>(kids.Items(i)));
            if (kid != nullptr) ReadNameTreeNode(*TakeAs<TkpPDFDictObject>(kid->Body.get()), depth + 1, visited);
        }
        return;
    }
    TkpPDFObject* namesValue = node.Lookup("/Names");
    if (namesValue == nullptr) return;
    TkpPDFArrayObject& pairs = *TakeAs<TkpPDFArrayObject>(namesValue);
    // (key, value) pairs; a key left without a value at the end is passed over.
    for (int32_t i = 0; i + 1 < pairs.Count(); i += 2) {
        const TkpPDFObject* key = pairs.Items(i);
        if (key == nullptr || !(key->IsString() || key->IsName())) throw pw::EInvalidCast();
        if (TkpPDFObjectPtr destination = DestinationOf(pairs.Items(i + 1), false)) {
            namedDestinations_.Add(*key, std::move(destination));
        }
    }
}

}  // namespace kp
