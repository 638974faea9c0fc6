// The outline tree of the catalog's /Outlines, read into TkpPDFOutline items.
//
// Items are read depth first in the order /First, then /Next, as a recursive reading would go, but from an
// explicit list of pending items, so that long sibling chains and deep nesting cannot exhaust the stack.
// Every item object is read once: an item reached a second time means the /First or /Next links loop, and
// the load fails with "Unexpected Error".
#include "engine/document/CustomPDFDocument.h"

#include <unordered_set>

#include "engine/document/DocumentErrors.h"

namespace kp {

using namespace document;

namespace {

// The object number a /First or /Next link names; -1 without a link (absent or null).
int32_t LinkNumber(const TkpPDFDictObject& dict, std::string_view key) {
    TkpPDFObject* link = dict.Lookup(key);
    return link == nullptr || link->IsNull() ? -1 : TakeAs<TkpPDFIndirectReference>(link)->ObjectNumber;
}

}  // namespace

void TkpCustomPDFDocument::ReadOutlines(const TkpPDFDictObject& catalog) {
    const auto* outlines = As<TkpPDFIndirectReference>(catalog.Lookup("/Outlines"));
    if (outlines == nullptr) return;

    struct Pending {
        int32_t Number;
        TkpPDFOutline* Parent;
        TkpPDFOutline* Previous;
    };
    std::vector<Pending> pending{{outlines->ObjectNumber, nullptr, nullptr}};
    std::unordered_set<int32_t> visited;
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (!visited.insert(next.Number).second) throw EUnexpectedError();
        int32_t firstNumber = -1;
        int32_t nextNumber = -1;
        std::unique_ptr<TkpPDFOutline> item = ReadOutlineItem(next.Number, firstNumber, nextNumber);
        if (item == nullptr) continue;  // no object in the file: the chain ends here

        TkpPDFOutline* view = item.get();
        view->Parent = next.Parent;
        view->Prev = next.Previous;
        if (next.Previous != nullptr) {
            next.Previous->Next = view;
        } else if (next.Parent != nullptr) {
            next.Parent->First = view;
        }
        if (outlineRoot_ == nullptr) {
            outlineRoot_ = std::move(item);
        } else {
            outlineItems_.push_back(std::move(item));
        }
        // The next item waits until the whole subtree of the first child has been read.
        if (nextNumber >= 0) pending.push_back({nextNumber, view->Parent, view});
        if (firstNumber >= 0) pending.push_back({firstNumber, view, nullptr});
    }
}

std::unique_ptr<TkpPDFOutline> TkpCustomPDFDocument::ReadOutlineItem(int32_t objectNumber, int32_t& first,
                                                                     int32_t& next) {
    Obtained obtained = ObtainObject(objectNumber);
    if (obtained.Object == nullptr) return nullptr;
    obtained.Object->MarkUsed();
    TkpPDFDictObject& source = *TakeAs<TkpPDFDictObject>(obtained.Object->Body.get());
    // An object read from the file only for this item gives its dictionary up; a stored one is copied.
    std::unique_ptr<TkpPDFDictObject> dict;
    if (obtained.Owned) {
        obtained.Owned->Body.release();
        dict.reset(&source);
    } else {
        dict = source.CloneDict();
    }
    auto item = std::make_unique<TkpPDFOutline>(obtained.Object->DocumentSerial, obtained.Object->ObjectNumber,
                                                obtained.Object->Generation, std::move(dict));
    TkpPDFDictObject& entries = *item->Dict();

    if (const auto* count = As<TkpPDFIntegerObject>(entries.Lookup("/Count"))) item->Closed = count->Value < 0;
    if (TkpPDFObject* title = entries.Lookup("/Title"); title != nullptr && !title->IsString()) {
        if (const TkpPDFStringObject* text = FetchString(title)) {
            ChargeCopy(*text);
            entries.SetValue("/Title", text->Clone());
        } else {
            entries.Remove("/Title");  // a reference to no object
        }
    }
    ResolveOutlineDestination(entries, "/Dest");

    if (TkpPDFObject* actionValue = entries.Lookup("/A")) {
        if (auto* reference = As<TkpPDFIndirectReference>(actionValue)) {
            Obtained target = ObtainObject(reference->ObjectNumber);
            TkpPDFObject* body = target.Object ? target.Object->Body.get() : nullptr;
            if (body == nullptr) {
                entries.SetValue("/A", std::make_unique<TkpPDFNullObject>());  // an action that is not there
            } else {
                if (!body->IsDictionary()) throw EUnexpectedError();
                ChargeCopy(*body);
                entries.SetValue("/A", body->Clone());
            }
            actionValue = entries.Lookup("/A");
        }
        if (auto* action = As<TkpPDFDictObject>(actionValue)) {
            ResolveOutlineDestination(*action, "/D");
            LoadReachable(action->Lookup("/URI"));
            const auto* kind = As<TkpPDFNameObject>(action->Lookup("/S"));
            const std::string type = kind ? kind->Text : std::string();
            if (type == "/GoToR" || type == "/Launch") LoadReachable(action->Lookup("/F"));
            if (type == "/GoToR" || type == "/GoTo") LoadReachable(action->Lookup("/D"));
            LoadReachable(action->Lookup("/JavaScript"));
        } else if (!actionValue->IsNull()) {
            throw EUnexpectedError();
        }
    }

    for (const char* key : {"/Parent", "/Prev", "/Count", "/Last"}) entries.Remove(key);
    first = LinkNumber(entries, "/First");
    next = LinkNumber(entries, "/Next");
    entries.Remove("/First");
    entries.Remove("/Next");
    if (entries.Count() == 0) item->Body.reset();
    return item;
}

void TkpCustomPDFDocument::ResolveOutlineDestination(TkpPDFDictObject& dict, std::string_view key) {
    TkpPDFObject* value = dict.Lookup(key);
    if (value == nullptr || value->IsArray()) return;
    if (const auto* reference = As<TkpPDFIndirectReference>(value)) {
        Obtained target = ObtainObject(reference->ObjectNumber);
        TkpPDFObject* body = target.Object ? target.Object->Body.get() : nullptr;
        if (body != nullptr) ChargeCopy(*body);
        dict.SetValue(key, body ? body->Clone() : std::make_unique<TkpPDFNullObject>());
        value = dict.Lookup(key);
        if (value->IsArray()) return;
    }
    if (value->IsString() || value->IsName()) {
        if (const TkpPDFObject* destination = LookupNamedDestination(*value)) dict.SetValue(key, destination->Clone());
        return;
    }
    // A null destination (also one whose object is missing) is no destination.
    if (!value->IsNull()) throw EUnexpectedError();
}

}  // namespace kp
