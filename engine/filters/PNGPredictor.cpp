#include "engine/filters/PNGPredictor.h"

#include <algorithm>
#include <cstdlib>

#include "engine/filters/FilterErrors.h"

namespace kp {

namespace {

enum TkpPNGTag : uint8_t { pnNone = 0, pnSub = 1, pnUp = 2, pnAverage = 3, pnPaeth = 4 };

}  // namespace

uint8_t PaethPredictor(uint8_t a, uint8_t b, uint8_t c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    if (pb <= pc) return b;
    return c;
}

std::vector<uint8_t> ApplyPNGPredictor(std::string_view data, int32_t columns) {
    if (columns < 1) {
        throw filters::EInvalidPredictorColumns(pw::FillMessage(filters::msg::kInvalidPredictorColumns, columns));
    }
    const auto* in = reinterpret_cast<const uint8_t*>(data.data());
    const size_t size = data.size();
    // No row can hold more data bytes than the input has, so a huge /Columns allocates nothing extra.
    const size_t rowLength = std::min<size_t>(static_cast<size_t>(columns), size);
    // The decoded rows go straight into the output; the row above starts as zeros.
    const std::vector<uint8_t> zeros(rowLength, 0);
    // Every row but a short last one is full, so the row above is always the last rowLength bytes out.
    std::vector<uint8_t> out;
    out.reserve(size);
    size_t p = 0;
    while (p < size) {
        const uint8_t tag = in[p++];
        if (tag > pnPaeth) throw filters::EImproperPNGAlgorithm(std::string(filters::msg::kImproperPNGAlgorithm));
        const size_t n = std::min(rowLength, size - p);
        const size_t start = out.size();
        out.resize(start + n);
        uint8_t* row = out.data() + start;
        const uint8_t* up = start >= rowLength ? row - rowLength : zeros.data();
        const uint8_t* raw = in + p;
        switch (tag) {
            case pnNone:
                std::copy(raw, raw + n, row);
                break;
            case pnSub:
                for (size_t j = 0; j < n; ++j) row[j] = static_cast<uint8_t>(raw[j] + (j > 0 ? row[j - 1] : 0));
                break;
            case pnUp:
                for (size_t j = 0; j < n; ++j) row[j] = static_cast<uint8_t>(raw[j] + up[j]);
                break;
            case pnAverage:
                for (size_t j = 0; j < n; ++j) {
                    const int left = j > 0 ? row[j - 1] : 0;
                    row[j] = static_cast<uint8_t>(raw[j] + (left + up[j]) / 2);
                }
                break;
            case pnPaeth:
                for (size_t j = 0; j < n; ++j) {
                    const uint8_t left = j > 0 ? row[j - 1] : 0;
                    const uint8_t upperLeft = j > 0 ? up[j - 1] : 0;
                    row[j] = static_cast<uint8_t>(raw[j] + PaethPredictor(left, up[j], upperLeft));
                }
                break;
        }
        p += n;
    }
    return out;
}

std::unique_ptr<pw::TMemoryStream> ApplyPNGPredictor(const pw::TMemoryStream& data, int32_t columns) {
    return std::make_unique<pw::TMemoryStream>(ApplyPNGPredictor(data.View(), columns));
}

}  // namespace kp
