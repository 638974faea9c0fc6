#include "engine/filters/PNGPredictor.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "FilterTestData.h"
#include "engine/filters/FilterErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using test::Bytes;

std::string Unpredict(const std::string& data, int32_t columns) {
    const pw::TMemoryStream input(data);
    const auto output = ApplyPNGPredictor(input, columns);
    EXPECT_EQ(output->Position(), 0);
    return output->ToString();
}

TEST(PNGPredictor, PaethPicksTheNearestNeighbourWithPNGTieBreak) {
    struct Case { int a, b, c, expected; };
    const Case cases[] = {
        {10, 20, 5, 20},       // p = 25: pa 15, pb 5, pc 20
        {7, 7, 7, 7},
        {0, 15, 10, 0},        // p = 5: pa 5, pb 10, pc 5, a wins over c
        {25, 10, 20, 10},      // p = 15: pa 10, pb 5, pc 5, b wins over c
        {100, 200, 150, 150},  // p = 150: pc 0
        {255, 0, 255, 0},      // p = 0: pb 0
        {0, 255, 255, 0},      // p = 0: pa 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PaethPredictor(static_cast<uint8_t>(c.a), static_cast<uint8_t>(c.b), static_cast<uint8_t>(c.c)),
                  c.expected)
            << c.a << " " << c.b << " " << c.c;
    }
}

TEST(PNGPredictor, RowsOfEachTag) {
    // Up: each row adds the row above; the first adds zeros.
    EXPECT_EQ(Unpredict(Bytes({2, 1, 2, 3, 4, 2, 1, 1, 1, 255}), 4), Bytes({1, 2, 3, 4, 2, 3, 4, 3}));
    // None copies; Sub adds the byte to the left.
    EXPECT_EQ(Unpredict(Bytes({0, 9, 8, 7, 1, 1, 1, 1}), 3), Bytes({9, 8, 7, 1, 2, 3}));
    // Average: the first byte of a row uses floor(up / 2).
    EXPECT_EQ(Unpredict(Bytes({0, 9, 200, 3, 1, 1}), 2), Bytes({9, 200, 5, 103}));
    // Paeth: left 10, up 20, upper-left 5 predicts 20.
    EXPECT_EQ(Unpredict(Bytes({0, 5, 20, 4, 5, 3}), 2), Bytes({5, 20, 10, 23}));
}

// PNG prediction written out from the row rules, to check decoding on larger mixed tables.
std::string Predict(const std::string& plain, size_t columns, uint32_t seed) {
    std::string out;
    for (size_t start = 0; start < plain.size(); start += columns) {
        const int tag = static_cast<int>((seed = seed * 1103515245u + 12345u) >> 16) % 5;
        out.push_back(static_cast<char>(tag));
        for (size_t j = 0; j < columns; ++j) {
            const int left = j > 0 ? static_cast<uint8_t>(plain[start + j - 1]) : 0;
            const int up = start >= columns ? static_cast<uint8_t>(plain[start - columns + j]) : 0;
            const int upperLeft = start >= columns && j > 0 ? static_cast<uint8_t>(plain[start - columns + j - 1]) : 0;
            int predicted = 0;
            switch (tag) {
                case 1: predicted = left; break;
                case 2: predicted = up; break;
                case 3: predicted = (left + up) / 2; break;
                case 4: {
                    const int p = left + up - upperLeft;
                    const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upperLeft);
                    predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : upperLeft;
                    break;
                }
            }
            out.push_back(static_cast<char>(static_cast<uint8_t>(plain[start + j]) - predicted));
        }
    }
    return out;
}

TEST(PNGPredictor, UndoesMixedTagsOnLargeTables) {
    for (const size_t columns : {size_t{1}, size_t{5}, size_t{7}, size_t{64}}) {
        const std::string plain = test::SampleData(columns * 200, static_cast<uint32_t>(columns));
        EXPECT_EQ(Unpredict(Predict(plain, columns, 42), static_cast<int32_t>(columns)), plain) << columns;
    }
}

TEST(PNGPredictor, ShortLastRowKeepsItsBytes) {
    EXPECT_EQ(Unpredict(Bytes({2, 1, 2, 3, 2, 1, 1}), 3), Bytes({1, 2, 3, 2, 3})) << "a row of two bytes";
    EXPECT_EQ(Unpredict(Bytes({2, 1, 2, 3, 2}), 3), Bytes({1, 2, 3})) << "a lone tag gives nothing";
    EXPECT_EQ(Unpredict(Bytes({1, 1, 1}), INT32_MAX), Bytes({1, 2})) << "huge /Columns, little data";
    EXPECT_EQ(Unpredict("", 4), "");
}

TEST(PNGPredictor, Errors) {
    EXPECT_ERROR(Unpredict(Bytes({2, 1, 2, 5, 1, 1}), 2), filters::EImproperPNGAlgorithm,
                 "Improper PNG algorithm tag in stream");
    EXPECT_ERROR(Unpredict(Bytes({255}), 2), filters::EImproperPNGAlgorithm, "Improper PNG algorithm tag in stream");
    EXPECT_ERROR(Unpredict(Bytes({0, 1}), 0), filters::EInvalidPredictorColumns, "Invalid PNG predictor columns (0)");
    EXPECT_ERROR(Unpredict(Bytes({0, 1}), -3), filters::EInvalidPredictorColumns, "Invalid PNG predictor columns (-3)");
}

}  // namespace
}  // namespace kp
