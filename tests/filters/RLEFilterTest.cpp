#include "engine/filters/RLEFilter.h"

#include <gtest/gtest.h>

#include "FilterTestData.h"
#include "engine/filters/FilterErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using namespace filters::msg;
using test::Bytes;

std::string RLDecode(std::string_view text) { return TkpRLEFilter().DecodeString(text); }

TEST(RLEFilter, Decodes) {
    EXPECT_EQ(RLDecode(Bytes({2, 'a', 'b', 'c', 255, 'x', 128})), "abcxx");
    EXPECT_EQ(RLDecode(Bytes({128})), "");
    EXPECT_EQ(RLDecode(Bytes({129, 'y', 128})), std::string(128, 'y'));
    EXPECT_EQ(RLDecode(Bytes({0, 128, 128})), "\x80") << "128 as literal data is data";
    std::string literal = Bytes({127}) + std::string(128, 'q') + Bytes({128});
    EXPECT_EQ(RLDecode(literal), std::string(128, 'q'));
}

TEST(RLEFilter, Errors) {
    struct Case { std::string input; std::string_view message; };
    const Case cases[] = {
        {Bytes({0, 'a', 128, 0, 'b', 128}), kPrematureEndOfData},
        {Bytes({2, 'a', 'b', 128}), kUnexpectedEndOfFile},      // literal run reaching the final byte
        {Bytes({255, 128}), kUnexpectedEndOfFile},             // repeat run without its byte
        {Bytes({0, 'a'}), kRunLengthEndOfDataMarker},
        {"", kRunLengthEndOfDataMarker},
    };
    for (const auto& c : cases) EXPECT_ERROR(RLDecode(c.input), pw::Exception, c.message);
}

TEST(RLEFilter, EncodesAndRoundTrips) {
    const TkpRLEFilter filter;
    EXPECT_EQ(filter.EncodeString("abcxx"), Bytes({2, 'a', 'b', 'c', 255, 'x', 128}));
    EXPECT_EQ(filter.EncodeString(""), Bytes({128}));
    EXPECT_EQ(filter.EncodeString(std::string(300, 'y')), Bytes({129, 'y', 129, 'y', 213, 'y', 128}));
    for (const size_t size : {size_t{1}, size_t{2}, size_t{129}, size_t{20000}}) {
        const std::string data = test::SampleData(size, static_cast<uint32_t>(size));
        const pw::TMemoryStream input(data);
        const auto decoded = filter.DecodeStream(*filter.EncodeStream(input));
        EXPECT_EQ(decoded->ToString(), data) << size;
        EXPECT_EQ(decoded->Position(), 0);
    }
}

TEST(RLEFilter, OutputCeiling) {
    const std::string twoRuns = Bytes({129, 'a', 129, 'b', 128});
    EXPECT_EQ(TkpRLEFilter::Decode(twoRuns, 256).size(), 256u);
    EXPECT_ERROR(TkpRLEFilter::Decode(twoRuns, 255), filters::EDecodedSizeError,
                 "Decoded stream data exceed the limit of 255 bytes");
    EXPECT_ERROR(TkpRLEFilter::Decode(Bytes({2, 'a', 'b', 'c', 128}), 2), filters::EDecodedSizeError,
                 "Decoded stream data exceed the limit of 2 bytes");
}

}  // namespace
}  // namespace kp
