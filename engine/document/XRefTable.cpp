// Classic cross-reference sections of TkpCustomPDFDocument: the chain of "xref" tables and their trailers.
#include "engine/document/CustomPDFDocument.h"

#include <set>

#include "engine/document/DocumentErrors.h"
#include "engine/document/FileFrame.h"
#include "engine/syntax/CharClasses.h"
#include "platform/Numbers.h"

namespace kp {

using namespace document;

namespace {

void SkipToDigit(TkpPDFStreamReader& reader) {
    for (int c = reader.PeekByte(); c != kEndOfData && (c < '0' || c > '9'); c = reader.PeekByte()) reader.ReadByte();
}

// A classic entry is a fixed 20-byte block: offset in characters 1-10, generation in 11-16, type at 18.
TkpXRefItem ParseEntry(const std::string& block) {
    if (block.size() < 18) throw ECrossReferenceError();
    TkpXRefItem item;
    item.Offset = pw::StrToInt(block.substr(0, 10));
    item.Generation = pw::StrToInt(block.substr(10, 6));
    item.EntryType = block[17];
    return item;
}


}  // namespace

void TkpCustomPDFDocument::ReadClassicXRef(int32_t startOffset) {
    // Walk the /Prev chain newest first: each trailer supplies only what newer ones lacked. Then place the
    // entries oldest first, so that for an object listed in several sections the newest entry wins.
    std::vector<int32_t> chain;
    std::set<int32_t> visited;
    TkpPDFObjectPtr pendingID;
    for (int32_t offset = startOffset;;) {
        if (!visited.insert(offset).second) throw ECrossReferenceError();  // a /Prev that loops back
        chain.push_back(offset);
        Status(msg::kStatusXRefTable);
        reader_->SetPosition(offset);
        const std::unique_ptr<TkpPDFDictObject> trailer = ReadTrailer(*reader_);
        TakeTrailerValues(*trailer, pendingID);
        TkpPDFObject* prev = trailer->Lookup("/Prev");
        if (prev == nullptr) break;
        offset = TakeAs<TkpPDFIntegerObject>(prev)->Value;
    }

    for (auto section = chain.rbegin(); section != chain.rend(); ++section) {
        reader_->SetPosition(*section);
        SkipToDigit(*reader_);
        for (;;) {
            const int32_t first = pw::StrToInt(reader_->ReadToken());
            const int32_t count = pw::StrToInt(reader_->ReadToken());
            if (count == 0) break;  // ends the section: later subsections are not read
            SkipToDigit(*reader_);
            for (int64_t i = 0; i < count; ++i) {
                PlaceEntry(xrefTable_, int64_t{first} + i, ParseEntry(reader_->ReadChars(20)));
            }
            reader_->SkipWhitespace();
            if (reader_->PeekChars(7) == "trailer") break;
        }
    }

    SettleID(pendingID);
    store_->SetObjectNumberCounter(static_cast<int32_t>(xrefTable_.size()));
}

void TkpCustomPDFDocument::TakeTrailerValues(const TkpPDFDictObject& trailer, TkpPDFObjectPtr& pendingID) {
    if (trailer_->RootNumber == -1) {
        if (TkpPDFObject* root = trailer.Lookup("/Root")) trailer_->RootNumber = TakeAs<TkpPDFIndirectReference>(root)->ObjectNumber;
    }
    if (!pendingID) {
        if (TkpPDFObject* id = trailer.Lookup("/ID")) pendingID = id->Clone();
    }
    if (!trailer_->Encrypt) {
        if (TkpPDFObject* encrypt = trailer.Lookup("/Encrypt")) trailer_->Encrypt = encrypt->Clone();
    }
    if (!trailer_->Info) {
        if (TkpPDFObject* info = trailer.Lookup("/Info")) {
            trailer_->Info.reset(static_cast<TkpPDFIndirectReference*>(TakeAs<TkpPDFIndirectReference>(info)->Clone().release()));
        }
    }
}

void TkpCustomPDFDocument::SettleID(const TkpPDFObjectPtr& pendingID) {
    if (!pendingID) return;
    if (auto* array = As<TkpPDFArrayObject>(pendingID.get())) {
        trailer_->ID.reset(static_cast<TkpPDFArrayObject*>(array->Clone().release()));
    } else if (pendingID->IsReference()) {
        if (TkpPDFArrayObject* array = FetchArray(pendingID.get(), false)) {
            trailer_->ID.reset(static_cast<TkpPDFArrayObject*>(array->Clone().release()));
        }
    }
}

}  // namespace kp
