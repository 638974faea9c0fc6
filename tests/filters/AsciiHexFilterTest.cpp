#include "engine/filters/AsciiHexFilter.h"

#include <gtest/gtest.h>

#include "FilterTestData.h"
#include "engine/filters/FilterErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using filters::msg::kEndOfDataMarker;
using filters::msg::kIllegalCharacter;

std::string HexDecode(std::string_view text) { return TkpAsciiHexFilter().DecodeString(text); }

TEST(AsciiHexFilter, Decodes) {
    struct Case { std::string_view input; std::string expected; };
    const Case cases[] = {
        {"41 42>", "AB"},
        {"4 1 4 2>", "AB"},
        {"414>", "A\x40"},             // a lone final digit stands for digit * 16
        {"6a6B>", "jk"},               // lower-case digits
        {"\t4\r\n1\n>", "A"},
        {">", ""},
        {"41>42>", "A"},               // the first ">" ends the data
        {"00fF>", std::string("\x00\xff", 2)},
    };
    for (const auto& c : cases) EXPECT_EQ(HexDecode(c.input), c.expected) << c.input;
}

TEST(AsciiHexFilter, Errors) {
    EXPECT_ERROR(HexDecode("4G>"), pw::Exception, kIllegalCharacter);
    EXPECT_ERROR(HexDecode("41\f42>"), pw::Exception, kIllegalCharacter);  // only space, LF, CR, TAB are skipped
    EXPECT_ERROR(HexDecode("41 42"), pw::Exception, kEndOfDataMarker);
    EXPECT_ERROR(HexDecode("41>\n"), pw::Exception, kEndOfDataMarker);
    EXPECT_ERROR(HexDecode(""), pw::Exception, kEndOfDataMarker);
    // The marker is checked before any digit is read.
    EXPECT_ERROR(HexDecode("zz"), pw::Exception, kEndOfDataMarker);
}

TEST(AsciiHexFilter, EncodesUpperCaseAndRoundTrips) {
    const TkpAsciiHexFilter filter;
    EXPECT_EQ(filter.EncodeString(std::string("\x00\xab\x7f", 3)), "00AB7F>");
    EXPECT_EQ(filter.EncodeString(""), ">");
    for (const size_t size : {size_t{1}, size_t{2}, size_t{1000}}) {
        const std::string data = test::SampleData(size, static_cast<uint32_t>(size));
        const pw::TMemoryStream input(data);
        const auto encoded = filter.EncodeStream(input);
        const auto decoded = filter.DecodeStream(*encoded);
        EXPECT_EQ(decoded->ToString(), data);
        EXPECT_EQ(decoded->Position(), decoded->Size()) << "the decoded buffer is left at its end";
    }
}

TEST(AsciiHexFilter, OutputCeiling) {
    EXPECT_EQ(TkpAsciiHexFilter::Decode("414243>", 3).size(), 3u);
    EXPECT_ERROR(TkpAsciiHexFilter::Decode("4142434>", 3), filters::EDecodedSizeError,
                 "Decoded stream data exceed the limit of 3 bytes");
}

}  // namespace
}  // namespace kp
