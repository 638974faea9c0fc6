// Fuzz target: DecodeStreamData over arbitrary data with a filter list chosen by the first bytes (the
// first gives the count, one to three, each next one a filter name, DCT and LZW included), and ApplyFilter
// with the first filter on a copy of the data.
#include <memory>

#include "FilterFuzzSupport.h"
#include "engine/filters/DecodePipeline.h"

namespace {

constexpr std::string_view kNames[] = {"/ASCIIHexDecode", "/ASCII85Decode", "/FlateDecode", "/RunLengthDecode",
                                       "/DCTDecode", "/LZWDecode"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t count = 1 + data[0] % 3;
    if (size < 1 + count) return 0;
    auto filters = std::make_unique<kp::TkpPDFArrayObject>();
    for (size_t i = 1; i <= count; ++i) {
        filters->Add(std::make_unique<kp::TkpPDFNameObject>(std::string(kNames[data[i] % std::size(kNames)])));
    }
    const pw::TMemoryStream raw(kp::fuzz::AsText(data + 1 + count, size - 1 - count));
    kp::fuzz::DecodeQuietly([&] { kp::DecodeStreamData(raw, filters.get()); });
    pw::TMemoryStream buffer(raw.View());
    const auto kind = static_cast<kp::TkpDecodeFilter>(data[1] % 6);
    kp::fuzz::DecodeQuietly([&] { kp::ApplyFilter(kind, buffer); });
    return 0;
}
