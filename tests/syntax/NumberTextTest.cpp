#include "engine/syntax/NumberText.h"

#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

TEST(NumberText, ParseAndFormat) {
    EXPECT_DOUBLE_EQ(ParseNumber("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(ParseNumber(" 12.25 "), 12.25);
    EXPECT_ERROR(ParseNumber("1,5"), pw::EConvertError, "'1,5' is not a valid floating point value");
    EXPECT_ERROR(ParseNumber(""), pw::EConvertError, "'' is not a valid floating point value");
    EXPECT_EQ(FormatNumber(0.5), "0.5");
    EXPECT_EQ(FormatNumber(612), "612");
    EXPECT_EQ(FormatNumberFixed(1.0 / 3, pw::ffFixed, 15, 3), "0.333");
    int32_t value = 0;
    EXPECT_TRUE(TryParseInteger("12345", value));
    EXPECT_EQ(value, 12345);
    EXPECT_FALSE(TryParseInteger("123x", value));
    EXPECT_FALSE(TryParseInteger("4294967296", value));
}

TEST(NumberText, Colours) {
    EXPECT_EQ(ColorToPDF(0x0000FF), "1.0000 0.0000 0.0000");
    EXPECT_EQ(ColorToPDF(0x00FF00), "0.0000 1.0000 0.0000");
    EXPECT_EQ(ColorToPDF(0x800000), "0.0000 0.0000 0.5020");
    EXPECT_EQ(ColorToPDF(0xFF000005), "1.0000 1.0000 1.0000") << "system colour: window background";

    EXPECT_EQ(ParseRGBColor("0 0 1 rg"), 16711680);
    EXPECT_EQ(ParseRGBColor("1 0 0 rg"), 255);
    EXPECT_EQ(ParseRGBColor("  0 0.5 0 rg "), 128 << 8);
    EXPECT_EQ(ParseRGBColor("0.002 0 0 rg"), 1) << "0.51 rounds to 1";
    EXPECT_EQ(ParseRGBColor(""), 0);
    EXPECT_EQ(ParseRGBColor("1 1 1 1 1 rg"), -1) << "a fourth component fills the high byte, a fifth has none";
    EXPECT_THROW(ParseRGBColor("0 g"), pw::EConvertError);
    EXPECT_EQ(ParseRGBColor("1"), 255) << "the walk stops at the end of the text";
}

}  // namespace
}  // namespace kp
