// Cross-reference streams of TkpCustomPDFDocument: the chain of compressed cross-reference sections that
// files of PDF 1.5 and later may hold instead of classic "xref" tables. Each section is an indirect stream
// object whose dictionary doubles as the section's trailer and whose decoded data are fixed-width binary
// entries (type, second field, third field), one per object number of its subsections.
#include "engine/document/CustomPDFDocument.h"

#include <optional>
#include <set>

#include "engine/document/DocumentErrors.h"
#include "engine/filters/DecodePipeline.h"
#include "engine/filters/PNGPredictor.h"
#include "platform/Exception.h"

namespace kp {

using namespace document;

namespace {

// A field of more than four bytes does not fit the table's 32-bit fields.
constexpr int64_t kMaxFieldWidth = 4;
// PDF's own limit on the indirect objects of one file is 8,388,607: a section covering more numbers is
// corrupt, and refusing it keeps a few bytes of /Index or /Size from growing the table without bound.
constexpr int64_t kMaxObjectNumbers = 8388608;


int64_t IntegerItem(const TkpPDFArrayObject& array, int32_t index) {
    return TakeAs<TkpPDFIntegerObject>(array.Items(index))->Value;
}

// An unsigned big-endian number of `width` bytes (0 bytes give 0).
int64_t ReadBigEndian(const uint8_t*& bytes, int64_t width) {
    int64_t value = 0;
    for (int64_t i = 0; i < width; ++i) value = value << 8 | *bytes++;
    return value;
}

}  // namespace

struct TkpCustomPDFDocument::XRefStreamSection {
    std::vector<uint8_t> Data;  // the entries: decoded, PNG rows undone
    int64_t Widths[3] = {0, 0, 0};
    std::vector<std::pair<int64_t, int64_t>> Subsections;  // (first object number, count)
    std::optional<int32_t> Prev;

    int64_t EntryWidth() const { return Widths[0] + Widths[1] + Widths[2]; }
    int64_t EntryCount() const {
        int64_t total = 0;
        for (const auto& subsection : Subsections) total += subsection.second;
        return total;
    }
};

void TkpCustomPDFDocument::ReadXRefStreams(int32_t startOffset) {
    Status(msg::kStatusXRefStream);
    // Follow /Prev newest first, taking trailer values on the way; then place the entries oldest first, so
    // that for an object listed in several sections the newest entry wins.
    std::vector<XRefStreamSection> chain;
    std::set<int32_t> visited;
    TkpPDFObjectPtr pendingID;
    for (int32_t offset = startOffset;;) {
        if (!visited.insert(offset).second) throw ECrossReferenceError();  // a /Prev that loops back
        chain.push_back(ReadXRefStreamSection(offset, pendingID));
        if (!chain.back().Prev) break;
        offset = *chain.back().Prev;
    }

    for (auto section = chain.rbegin(); section != chain.rend(); ++section) {
        const int64_t width = section->EntryWidth();
        if (static_cast<int64_t>(section->Data.size()) < section->EntryCount() * width) {
            throw EXRefStreamError(std::string(msg::kXRefStreamShort));
        }
        const uint8_t* bytes = section->Data.data();
        for (const auto& [first, count] : section->Subsections) {
            for (int64_t i = 0; i < count; ++i) {
                TkpXRefStmItem item;
                item.EntryType = ReadBigEndian(bytes, section->Widths[0]);
                item.Field2 = ReadBigEndian(bytes, section->Widths[1]);
                item.Field3 = ReadBigEndian(bytes, section->Widths[2]);
                PlaceEntry(xrefStmTable_, first + i, item);
            }
        }
        section->Data = {};  // placed: its bytes are no longer needed
    }

    if (!xrefStmTable_.empty()) {
        // Object streams of an encrypted document wait for the security handler (see Authenticate).
        if (trailer_->Encrypt && !trailer_->Encrypt->IsNull()) {
            objectStreamsPending_ = true;
        } else {
            LoadObjectStreams();
        }
    }
    SettleID(pendingID);
    store_->SetObjectNumberCounter(static_cast<int32_t>(xrefStmTable_.size()));
}

TkpCustomPDFDocument::XRefStreamSection TkpCustomPDFDocument::ReadXRefStreamSection(int32_t offset,
                                                                                   TkpPDFObjectPtr& pendingID) {
    reader_->SetPosition(offset);
    const std::unique_ptr<TkpPDFIndirectObject> object = ReadIndirectObjectAt();
    if (object == nullptr) throw pw::EInvalidCast();
    auto& stream = *TakeAs<TkpPDFStreamObject>(object->Body.get());
    const TkpPDFDictObject& dict = *stream.Dict;

    XRefStreamSection section;
    std::unique_ptr<pw::TMemoryStream> decoded = DecodeStreamData(*stream.Data, dict.Lookup("/Filter"));
    if (TkpPDFObject* parms = dict.Lookup("/DecodeParms")) {
        // Any predictor dictionary means PNG rows; /Predictor itself is not consulted.
        TkpPDFObject* columns = TakeAs<TkpPDFDictObject>(parms)->Lookup("/Columns");
        const int32_t width = columns ? TakeAs<TkpPDFIntegerObject>(columns)->Value : kDefaultPredictorColumns;
        section.Data = ApplyPNGPredictor(decoded->View(), width);
    } else {
        section.Data = std::move(decoded->Bytes());
    }
    decoded.reset();

    TakeTrailerValues(dict, pendingID);
    if (TkpPDFObject* prev = dict.Lookup("/Prev")) section.Prev = TakeAs<TkpPDFIntegerObject>(prev)->Value;

    if (TkpPDFObject* index = dict.Lookup("/Index")) {
        const auto& pairs = *TakeAs<TkpPDFArrayObject>(index);
        if (pairs.Count() % 2 != 0) throw EXRefStreamError(std::string(msg::kXRefStreamRange));
        for (int32_t i = 0; i < pairs.Count(); i += 2) {
            section.Subsections.emplace_back(IntegerItem(pairs, i), IntegerItem(pairs, i + 1));
        }
    } else {
        section.Subsections.emplace_back(0, TakeAs<TkpPDFIntegerObject>(dict.Lookup("/Size"))->Value);
    }
    int64_t total = 0;
    for (const auto& [first, count] : section.Subsections) {
        total += count;
        if (count < 0 || first + count > kMaxObjectNumbers || total > kMaxObjectNumbers) {
            throw EXRefStreamError(std::string(msg::kXRefStreamRange));
        }
    }
    if (total == 0) return section;  // no entries: /W is not needed

    const auto& widths = *TakeAs<TkpPDFArrayObject>(dict.Lookup("/W"));
    if (widths.Count() < 3) throw EXRefStreamError(std::string(msg::kXRefStreamWidths));
    for (int32_t i = 0; i < 3; ++i) {
        section.Widths[i] = IntegerItem(widths, i);
        if (section.Widths[i] < 0 || section.Widths[i] > kMaxFieldWidth) {
            throw EXRefStreamError(std::string(msg::kXRefStreamWidths));
        }
    }
    // Entries without bytes would describe nothing but free objects, at no cost in data.
    if (section.EntryWidth() == 0) throw EXRefStreamError(std::string(msg::kXRefStreamWidths));
    // Only the bytes the entries need are kept while older sections are read.
    const auto needed = static_cast<size_t>(total * section.EntryWidth());
    if (section.Data.size() > needed) {
        section.Data.resize(needed);
        section.Data.shrink_to_fit();
    }
    return section;
}

}  // namespace kp
