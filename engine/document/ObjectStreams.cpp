// Object streams of TkpCustomPDFDocument: compressed streams that pack many objects. Unlike the rest of the
// file, whose objects are read when the load walk reaches them, every member of every object stream the
// cross-reference streams name is parsed while the file structure is read, and put into the store with
// generation 0.
//
// An object stream's data are a header of (object number, offset) pairs followed, from /First on, by the
// members themselves; offsets are relative to /First.
#include "engine/document/CustomPDFDocument.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "engine/document/DocumentErrors.h"
#include "engine/filters/DecodePipeline.h"
#include "platform/Exception.h"
#include "platform/Numbers.h"

namespace kp {

using namespace document;

namespace {

// /N and /First: integers, else the integer conversion error naming what was found.
int64_t IntegerEntry(const TkpPDFObjectStore& store, const TkpPDFDictObject& dict, std::string_view key) {
    TkpPDFObject* value = store.ResolveDirect(dict.Lookup(key));
    if (const auto* integer = As<TkpPDFIntegerObject>(value)) return integer->Value;
    if (const auto* large = As<TkpPDFInt64Object>(value)) return large->Value;
    const std::string found = value == nullptr ? "" : value->IsName() ? As<TkpPDFNameObject>(value)->Text : ObjectTypeName(value);
    throw pw::EConvertError(pw::FillMessage(pw::msg::kInvalidInteger, found));
}

bool IsPageTreeNode(const TkpPDFObject& member) {
    const auto* dict = As<TkpPDFDictObject>(&member);
    const auto* type = dict ? As<TkpPDFNameObject>(dict->Lookup("/Type")) : nullptr;
    return type != nullptr && type->Text == "/Pages";
}

// The information dictionary taken out of an object stream; anything but a dictionary is refused.
std::unique_ptr<TkpPDFDictObject> TakeDictionary(TkpPDFObjectPtr member) {
    if (!member->IsDictionary()) throw pw::EInvalidCast();
    return std::unique_ptr<TkpPDFDictObject>(static_cast<TkpPDFDictObject*>(member.release()));
}

}  // namespace

void TkpCustomPDFDocument::LoadObjectStreams() {
    // Each object stream is unpacked once, when the first entry naming it comes up: unpacking it again for
    // a later run of its entries could only add copies that lookups never see.
    std::unordered_set<int64_t> unpacked;
    for (const TkpXRefStmItem& item : xrefStmTable_) {
        if (item.EntryType == 2 && unpacked.insert(item.Field2).second) UnpackObjectStream(item.Field2);
    }
}

void TkpCustomPDFDocument::UnpackObjectStream(int64_t streamNumber) {
    auto fail = [&](std::string_view pattern, int64_t offset) {
        return EObjectStreamError(pw::FillMessage(pattern, {std::to_string(streamNumber), std::to_string(offset)}));
    };
    // The object stream itself must lie in the file (an entry of type 1 with a position).
    const auto tableLength = static_cast<int64_t>(xrefStmTable_.size());
    const TkpXRefStmItem* own = streamNumber >= 0 && streamNumber < tableLength ? &xrefStmTable_[static_cast<size_t>(streamNumber)] : nullptr;
    if (own == nullptr || own->EntryType != 1 || own->Field2 <= 0) {
        throw EObjectStreamError(pw::FillMessage(msg::kObjectStreamPosition, streamNumber));
    }
    reader_->SetPosition(own->Field2);
    const std::unique_ptr<TkpPDFIndirectObject> object = ReadIndirectObjectAt();
    const auto* stream = object ? As<TkpPDFStreamObject>(object->Body.get()) : nullptr;
    if (stream == nullptr) throw pw::EInvalidCast();

    // Object streams carry no predictor: the filters alone decode them.
    std::unique_ptr<pw::TMemoryStream> data = DecodeStreamData(*stream->Data, stream->Dict->Lookup("/Filter"));
    const int64_t count = IntegerEntry(*store_, *stream->Dict, "/N");
    const int64_t first = IntegerEntry(*store_, *stream->Dict, "/First");
    const int64_t size = data->Size();
    if (count < 0 || first < 0 || first > size) {
        throw EObjectStreamError(pw::FillMessage(msg::kObjectStreamHeader, streamNumber));
    }

    // The header: (object number, offset) pairs, all read before any member.
    struct Pair {
        int32_t Number;
        int32_t Relative;
    };
    std::vector<Pair> pairs;
    TkpPDFStreamReader header(documentSerial_, data.get());
    for (int64_t k = 0; k < count; ++k) {
        const int32_t number = pw::StrToInt(header.ReadToken());
        pairs.push_back({number, pw::StrToInt(header.ReadToken())});
    }

    // A member that a newer cross-reference entry places elsewhere is out of date: the newer one wins.
    auto current = [&](const Pair& pair) {
        if (pair.Number < 0 || pair.Number >= tableLength) return true;
        const TkpXRefStmItem& entry = xrefStmTable_[static_cast<size_t>(pair.Number)];
        return !(entry.EntryType == 1 || (entry.EntryType == 2 && entry.Field2 != streamNumber));
    };

    // Each member is parsed within its own bytes, from its offset up to the next member's offset (or the end
    // of the data): members written without a blank between them stay apart, and hostile offsets cannot
    // make the same bytes be parsed again and again.
    std::vector<int64_t> starts;
    std::vector<int64_t> parsed;
    for (const Pair& pair : pairs) {
        const int64_t start = first + pair.Relative;
        starts.push_back(start);
        if (!current(pair)) continue;
        if (pair.Relative < 0 || start >= size) throw fail(msg::kObjectStreamMember, pair.Relative);
        parsed.push_back(start);
    }
    std::sort(starts.begin(), starts.end());
    std::sort(parsed.begin(), parsed.end());
    if (const auto twice = std::adjacent_find(parsed.begin(), parsed.end()); twice != parsed.end()) {
        throw fail(msg::kObjectStreamOverlap, *twice - first);
    }

    for (const Pair& pair : pairs) {
        if (!current(pair)) continue;
        const int64_t start = first + pair.Relative;
        const auto next = std::upper_bound(starts.begin(), starts.end(), start);
        const int64_t end = next == starts.end() ? size : std::min(*next, size);
        pw::TMemoryStream bytes(data->View().substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
        TkpPDFStreamReader reader(documentSerial_, &bytes);
        TkpPDFObjectPtr member = reader.ReadObject();
        // An "obj" header inside an object stream would make a stream without data: refused with the rest.
        if (member == nullptr || member->IsIndirectObject()) throw fail(msg::kObjectStreamMember, pair.Relative);

        // Page-tree nodes are left for the page-tree walk; everything else brings in what it refers to.
        const bool walked = !IsPageTreeNode(*member);
        if (walked) LoadReachable(member.get());
        if (trailer_->Info && trailer_->Info->ObjectNumber == pair.Number) {
            info_->Dictionary = TakeDictionary(std::move(member));
            info_->FromObjectStream = true;
        } else {
            store_->Add(std::make_unique<TkpPDFIndirectObject>(documentSerial_, pair.Number, 0, walked ? 1 : 0,
                                                               std::move(member)));
        }
    }
}

}  // namespace kp
