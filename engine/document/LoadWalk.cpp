// LoadReachable: brings every object reachable from a value into the object store.
//
// The walk is depth-first in the order of array items and dictionary entries, exactly as a recursive walk
// would go, but keeps its path on an explicit stack so that long chains of references in a hostile file
// cannot exhaust the machine stack. An object is added to the store before its contents are walked (which
// ends cycles); a stream is added once its dictionary has been walked and its data read.
#include "engine/document/CustomPDFDocument.h"

#include "engine/document/DocumentErrors.h"
#include "platform/Exception.h"

namespace kp {

using namespace document;

namespace {

struct WalkFrame {
    TkpPDFObject* Container = nullptr;  // an array or dictionary being walked
    int32_t Next = 0;
    TkpPDFObject* Single = nullptr;      // a lone value to handle (the body of an object just read)
    std::unique_ptr<TkpPDFIndirectObject> PendingStream;  // a stream object waiting for its data
    int64_t Keyword = 0;
};

uint64_t ReferenceKey(int32_t number, int32_t generation) {
    return static_cast<uint64_t>(static_cast<uint32_t>(number)) << 32 | static_cast<uint32_t>(generation);
}

}  // namespace

void TkpCustomPDFDocument::LoadReachable(TkpPDFObject* root) {
    if (root == nullptr) return;
    std::vector<WalkFrame> stack;

    auto loadReference = [&](const TkpPDFIndirectReference& ref) {
        if (ref.ObjectNumber <= 0) {
            Warning(pw::FillMessage(msg::kInvalidObjectNumber, ref.ObjectNumber));
            return;
        }
        if (TkpPDFIndirectObject* stored = store_->Find(&ref)) {
            stored->MarkUsed();
            return;
        }
        if (ref.Generation != 0 && store_->IndexOf(documentSerial_, ref.ObjectNumber, 0) >= 0) return;
        if (reader_ == nullptr) return;  // the file is closed: nothing more can be brought in
        if (!readFromFile_.insert(ReferenceKey(ref.ObjectNumber, ref.Generation)).second) return;
        reader_->SetPosition(GetObjectOffset(ref.ObjectNumber));
        int64_t keyword = 0;
        std::unique_ptr<TkpPDFIndirectObject> object = ParseIndirectObjectAt(keyword);
        if (object == nullptr) return;
        if (auto* stream = As<TkpPDFStreamObject>(object->Body.get())) {
            const bool walkDictionary = WalksStreamDictionary(*stream);
            TkpPDFDictObject* dict = stream->Dict.get();
            stack.push_back(WalkFrame{nullptr, 0, nullptr, std::move(object), keyword});
            if (walkDictionary) stack.push_back(WalkFrame{dict, 0, nullptr, nullptr, 0});
            return;
        }
        object->MarkUsed();
        TkpPDFObject* body = object->Body.get();
        store_->Add(std::move(object));
        if (body != nullptr) stack.push_back(WalkFrame{nullptr, 0, body, nullptr, 0});
    };

    // Handles one value met in a container (or alone); inArray tells where it was found.
    auto visit = [&](TkpPDFObject* value, bool inArray) {
        if (value == nullptr) return;
        switch (value->ObjectType()) {
            case otArray:
            case otDictionary:
                stack.push_back(WalkFrame{value, 0, nullptr, nullptr, 0});
                break;
            case otStream:
                if (inArray) Warning(std::string(msg::kStreamInsideArray));
                break;
            case otReference:
                loadReference(static_cast<TkpPDFIndirectReference&>(*value));
                break;
            default:
                break;
        }
    };

    // The root itself: a stream walks its dictionary, an indirect object its value.
    if (auto* stream = As<TkpPDFStreamObject>(root)) {
        root = stream->Dict.get();
    } else if (auto* indirect = As<TkpPDFIndirectObject>(root)) {
        root = indirect->Body.get();
        if (auto* bodyStream = As<TkpPDFStreamObject>(root)) root = bodyStream->Dict.get();
    }
    visit(root, false);

    while (!stack.empty()) {
        WalkFrame& top = stack.back();
        if (top.PendingStream) {
            std::unique_ptr<TkpPDFIndirectObject> object = std::move(top.PendingStream);
            const int64_t keyword = top.Keyword;
            stack.pop_back();
            ReadStreamDataOf(*object, keyword);
            object->MarkUsed();
            store_->Add(std::move(object));
            continue;
        }
        if (top.Single != nullptr) {
            TkpPDFObject* value = top.Single;
            stack.pop_back();
            visit(value, false);
            continue;
        }
        if (auto* array = As<TkpPDFArrayObject>(top.Container)) {
            if (top.Next >= array->Count()) {
                stack.pop_back();
                continue;
            }
            TkpPDFObject* item = array->Items(top.Next++);
            visit(item, true);
            continue;
        }
        auto* dict = static_cast<TkpPDFDictObject*>(top.Container);
        if (top.Next >= dict->Count()) {
            stack.pop_back();
            continue;
        }
        const int32_t index = top.Next++;
        TkpPDFObject* value = dict->ValueAt(index);
        const std::string& key = dict->KeyAt(index)->Text;
        if ((key == "/Dest" || key == "/D") && value != nullptr && (value->IsString() || value->IsName())) {
            // A named destination is replaced by a copy of the destination it stands for.
            if (const TkpPDFObject* destination = LookupNamedDestination(*value)) {
                dict->PutValue(index, destination->Clone());
                value = dict->ValueAt(index);
            }
        }
        if (value != nullptr && value->IsStream()) continue;  // streams directly in a dictionary are ignored
        visit(value, false);
    }
}

}  // namespace kp
