#pragma once
// Undoing the PNG row predictors of cross-reference streams.
//
// Every byte is one sample: /Predictor, /Colors and /BitsPerComponent are not consulted, and any predictor
// dictionary selects PNG rows. The cross-reference stream reader calls this on the output of
// DecodeStreamData; no other stream is un-predicted.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/Streams.h"

namespace kp {

// What a predictor dictionary without /Columns means: one byte per row, as the PDF standard says.
inline constexpr int32_t kDefaultPredictorColumns = 1;

// The PNG predictor of a byte from its left, upper and upper-left neighbours, with the PNG tie-break.
uint8_t PaethPredictor(uint8_t a, uint8_t b, uint8_t c);

// The rows of data, each a tag byte (0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth) and columns data bytes,
// decoded and joined without their tags, as a new buffer positioned at 0. A tag above 4 raises
// EImproperPNGAlgorithm; columns below 1 raise EInvalidPredictorColumns. A final row cut short keeps the
// data bytes it has, decoded like the rest, so that the caller sees exactly how much data there was.
std::unique_ptr<pw::TMemoryStream> ApplyPNGPredictor(const pw::TMemoryStream& data, int32_t columns);
std::vector<uint8_t> ApplyPNGPredictor(std::string_view data, int32_t columns);

}  // namespace kp
