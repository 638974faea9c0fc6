#include "engine/filters/Ascii85Filter.h"

#include <gtest/gtest.h>

#include "FilterTestData.h"
#include "engine/filters/FilterErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using namespace filters::msg;

std::string A85Decode(std::string_view text) { return TkpAscii85Filter().DecodeString(text); }

TEST(Ascii85Filter, Decodes) {
    struct Case { std::string_view input; std::string expected; };
    const Case cases[] = {
        {"z~>", std::string(4, '\0')},
        {"G^4T~>", "xyz"},                                   // a final group of four digits gives three bytes
        {"0E~>", "0"},
        {"87cURD_*#4DfTZ)+T~>", "Hello, World!"},
        {"87cUR D_*#4\r\nDfTZ)\t+T~>", "Hello, World!"},     // whitespace anywhere inside groups
        {"~>", ""},
        {"!!!!!z~>", std::string(8, '\0')},
        {"s8W-!~>", "\xff\xff\xff\xff"},                     // 2^32 - 1, the largest group
        {"s8W*~>", "\xff\xff\xff"},                           // the encoding of three 0xFF bytes
    };
    for (const auto& c : cases) EXPECT_EQ(A85Decode(c.input), c.expected) << c.input;
}

TEST(Ascii85Filter, Errors) {
    struct Case { std::string_view input; std::string_view message; };
    const Case cases[] = {
        {"!!z~>", kMisplacedZ},
        {"87cUR~~>", kIllegalCharacter},       // "~" before the final marker
        {"87cUR~>~>", kIllegalCharacter},
        {"87cUv~>", kIllegalCharacter},        // "v" is past "u"
        {"87\f~>", kIllegalCharacter},
        {"87cURD~>", kSingleFinalCharacter},
        {"87cUR", kEndOfDataMarker},
        {"87cUR~", kEndOfDataMarker},
        {"87cUR~>\n", kEndOfDataMarker},       // the decoder itself does not trim line ends
        {"", kEndOfDataMarker},
        // Groups whose value does not fit their bytes never spill: they are refused.
        {"uuuuu~>", kAscii85GroupTooLarge},
        {"s8W-\"~>", kAscii85GroupTooLarge},   // 2^32
        {"uu~>", kAscii85GroupTooLarge},
        {"s8W-~>", kAscii85GroupTooLarge},     // rounds up past three bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_ERROR(A85Decode(c.input), pw::Exception, c.message);
    }
}

TEST(Ascii85Filter, EncodesAndRoundTrips) {
    const TkpAscii85Filter filter;
    EXPECT_EQ(filter.EncodeString("Hello, World!"), "87cURD_*#4DfTZ)+T~>");
    EXPECT_EQ(filter.EncodeString(std::string(4, '\0') + "xyz"), "zG^4T~>");
    EXPECT_EQ(filter.EncodeString(std::string(2, '\0')), "!!!~>") << "only whole groups become z";
    for (size_t size = 0; size <= 9; ++size) {
        const std::string data = test::SampleData(size, 7);
        EXPECT_EQ(A85Decode(filter.EncodeString(data)), data) << size;
    }
    const std::string data = test::SampleData(5000, 3);
    const pw::TMemoryStream input(data);
    const auto decoded = filter.DecodeStream(*filter.EncodeStream(input));
    EXPECT_EQ(decoded->ToString(), data);
    EXPECT_EQ(decoded->Position(), decoded->Size()) << "the decoded buffer is left at its end";
}

TEST(Ascii85Filter, OutputCeilingStopsZExpansion) {
    EXPECT_EQ(TkpAscii85Filter::Decode("zz~>", 8).size(), 8u);
    EXPECT_ERROR(TkpAscii85Filter::Decode("zzz~>", 8), filters::EDecodedSizeError,
                 "Decoded stream data exceed the limit of 8 bytes");
    EXPECT_ERROR(TkpAscii85Filter::Decode("zz0E~>", 8), filters::EDecodedSizeError,
                 "Decoded stream data exceed the limit of 8 bytes");
}

}  // namespace
}  // namespace kp
