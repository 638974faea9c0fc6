#include "engine/filters/DecodePipeline.h"

#include "engine/filters/Ascii85Filter.h"
#include "engine/filters/AsciiHexFilter.h"
#include "engine/filters/FilterErrors.h"
#include "engine/filters/FlateFilter.h"
#include "engine/filters/RLEFilter.h"

namespace kp {

namespace {

struct TkpFilterName {
    std::string_view name;
    TkpDecodeFilter kind;
};
constexpr TkpFilterName kFilterNames[] = {
    {"/ASCIIHexDecode", ftASCIIHexDecode}, {"/ASCII85Decode", ftASCII85Decode},
    {"/FlateDecode", ftFlateDecode},       {"/LZWDecode", ftFlateDecode},
    {"/RunLengthDecode", ftRunLengthDecode}, {"/DCTDecode", ftDCTDecode},
};

// The length of data once trailing LF and CR bytes are cut off: line ends that a writer put before
// "endstream" but counted in /Length are not part of the filtered data.
size_t TrimmedLength(std::string_view data) {
    size_t n = data.size();
    while (n > 0 && (data[n - 1] == '\n' || data[n - 1] == '\r')) --n;
    return n;
}

[[noreturn]] void RaiseCCITT() {
    throw filters::EUnsupportedFilterError(std::string(filters::msg::kUnsupportedFilter));
}

// Decodes trimmed data with one filter (not DCT). ASCIIHex data without a final ">" decode as if they had
// one, which is what appending it would give.
std::vector<uint8_t> DecodeTrimmed(TkpDecodeFilter kind, std::string_view data) {
    switch (kind) {
        case ftASCIIHexDecode:
            return data.ends_with('>') ? TkpAsciiHexFilter::Decode(data) : TkpAsciiHexFilter::DecodeDigits(data);
        case ftASCII85Decode: return TkpAscii85Filter::Decode(data);
        case ftFlateDecode: return TkpFlateFilter::Decode(data);
        case ftRunLengthDecode: return TkpRLEFilter::Decode(data);
        case ftDCTDecode: return std::vector<uint8_t>(data.begin(), data.end());
        case ftCCITTFaxDecode: break;
    }
    RaiseCCITT();
}

}  // namespace

TkpDecodeFilter FilterKindOf(std::string_view name) {
    for (const auto& entry : kFilterNames) {
        if (entry.name == name) return entry.kind;
    }
    throw filters::EUnsupportedFilterError(pw::FillMessage(filters::msg::kUnsupportedFilterName, name));
}

TkpDecodeFilters ParseFilterList(const TkpPDFObject* filter) {
    TkpDecodeFilters kinds;
    if (filter == nullptr) return kinds;
    if (const auto* name = As<TkpPDFNameObject>(filter)) {
        kinds.push_back(FilterKindOf(name->Text));
    } else if (const auto* array = As<TkpPDFArrayObject>(filter)) {
        kinds.reserve(static_cast<size_t>(array->Count()));
        for (int32_t i = 0; i < array->Count(); ++i) {
            const auto* item = As<TkpPDFNameObject>(array->Items(i));
            if (item == nullptr) throw pw::EInvalidCast();
            kinds.push_back(FilterKindOf(item->Text));
        }
    } else {
        throw filters::EUnexpectedFilterObject(
            pw::FillMessage(filters::msg::kUnexpectedFilterObject, ObjectTypeName(filter)));
    }
    return kinds;
}

std::unique_ptr<pw::TMemoryStream> ApplyFilter(TkpDecodeFilter kind, pw::TMemoryStream& buffer) {
    buffer.SetSize(static_cast<int64_t>(TrimmedLength(buffer.View())));
    if (kind == ftCCITTFaxDecode) RaiseCCITT();
    if (kind == ftASCIIHexDecode && !buffer.View().ends_with('>')) {
        buffer.Seek(0, pw::soEnd);
        buffer.Write(">", 1);
    }
    return std::make_unique<pw::TMemoryStream>(DecodeTrimmed(kind, buffer.View()));
}

std::unique_ptr<pw::TMemoryStream> DecodeStreamData(const pw::TMemoryStream& raw, const TkpPDFObject* filter) {
    const TkpDecodeFilters kinds = ParseFilterList(filter);
    // Each step reads the previous step's output (the raw data for the first) and replaces it: the raw
    // data are neither copied nor changed on the way.
    std::unique_ptr<pw::TMemoryStream> work;
    for (const TkpDecodeFilter kind : kinds) {
        if (kind == ftDCTDecode) continue;
        const std::string_view input = work ? work->View() : raw.View();
        work = std::make_unique<pw::TMemoryStream>(DecodeTrimmed(kind, input.substr(0, TrimmedLength(input))));
    }
    if (!work) work = std::make_unique<pw::TMemoryStream>(raw.Bytes());
    return work;
}

}  // namespace kp
