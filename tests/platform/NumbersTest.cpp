#include "platform/Numbers.h"

#include <clocale>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/Exception.h"

namespace pw {
namespace {

TEST(DecimalIntegers, SignDigitsAndRanges) {
    struct Case { const char* text; bool ok32; int32_t v32; bool ok64; int64_t v64; };
    const Case cases[] = {
        {"0", true, 0, true, 0},
        {"+17", true, 17, true, 17},
        {"-2147483648", true, INT32_MIN, true, INT32_MIN},
        {"2147483647", true, INT32_MAX, true, INT32_MAX},
        {"2147483648", false, 0, true, 2147483648LL},
        {"-9223372036854775808", false, 0, true, INT64_MIN},
        {"9223372036854775808", false, 0, false, 0},
        {"", false, 0, false, 0},
        {"-", false, 0, false, 0},
        {" 1", false, 0, false, 0},   // no spaces in the decimal form
        {"1x", false, 0, false, 0},
        {"$10", false, 0, false, 0},  // no hexadecimal in the decimal form
    };
    for (const auto& c : cases) {
        int32_t v32 = -99;
        int64_t v64 = -99;
        EXPECT_EQ(TryDecimalToInt32(c.text, v32), c.ok32) << c.text;
        EXPECT_EQ(TryDecimalToInt64(c.text, v64), c.ok64) << c.text;
        if (c.ok32) {
            EXPECT_EQ(v32, c.v32) << c.text;
        }
        if (c.ok64) {
            EXPECT_EQ(v64, c.v64) << c.text;
        }
    }
}

TEST(PlatformIntegerSyntax, AcceptsSpacesSignsAndHexPrefixes) {
    struct Case { const char* text; bool ok; int32_t value; };
    const Case cases[] = {
        {"  42", true, 42},   {"-7", true, -7},       {"$1F", true, 31},       {"x10", true, 16},
        {"X10", true, 16},    {"0x10", true, 16},     {"0XfF", true, 255},     {"-$10", true, -16},
        {"$FFFFFFFF", true, -1}, {"$100000000", false, 0}, {"2147483648", false, 0}, {"42 ", false, 0},
        {"", false, 0},       {"$", false, 0},        {"0x", false, 0},        {"1.5", false, 0},
    };
    for (const auto& c : cases) {
        int32_t value = -99;
        EXPECT_EQ(TryStrToInt(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_THROW(
        {
            try {
                StrToInt("12a");
            } catch (const EConvertError& e) {
                EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
                throw;
            }
        },
        EConvertError);
}

TEST(FloatConversion, AcceptedSyntaxIndependentOfLocale) {
    // A locale with "," as separator must not change anything; try to switch to one when installed.
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    struct Case { const char* text; bool ok; double value; };
    const Case cases[] = {
        {"-.5", true, -0.5}, {"1.5", true, 1.5}, {" 2 ", true, 2}, {"5.", true, 5}, {"+3e2", true, 300},
        {"1E-2", true, 0.01}, {"1e+2", true, 100}, {"1,5", false, 0}, {"", false, 0}, {".", false, 0},
        {"inf", false, 0}, {"nan", false, 0}, {"0x1p3", false, 0}, {"1e", false, 0}, {"1e999", false, 0},
        {"1e-999", true, 0},
    };
    for (const auto& c : cases) {
        double value = -99;
        EXPECT_EQ(TryStrToFloat(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_EQ(FloatToStrF(0.5, ffFixed, 15, 4), "0.5000");
    std::setlocale(LC_ALL, saved.c_str());
    try {
        StrToFloat("1,5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
    }
}

TEST(FloatFormatting, GeneralAndFixed) {
    EXPECT_EQ(FloatToStrF(1.5, ffGeneral, 15, 0), "1.5");
    EXPECT_EQ(FloatToStrF(-0.25, ffGeneral, 15, 0), "-0.25");
    EXPECT_EQ(FloatToStrF(100, ffGeneral, 15, 0), "100");
    EXPECT_EQ(FloatToStrF(0.1, ffGeneral, 15, 0), "0.1");
    EXPECT_EQ(FloatToStrF(1e20, ffGeneral, 15, 0), "1E20");
    EXPECT_EQ(FloatToStrF(0.000001, ffGeneral, 15, 0), "1E-6");
    EXPECT_EQ(FloatToStrF(0, ffGeneral, 15, 0), "0");
    EXPECT_EQ(FloatToStrF(2.0 / 3.0, ffGeneral, 15, 0), "0.666666666666667");
    EXPECT_EQ(FloatToStrF(1.0 / 3.0, ffFixed, 15, 2), "0.33");
}

TEST(Rounding, HalfEvenAndHalfAwayFromZero) {
    struct Case { long double value; int64_t even; int64_t away; };
    const Case cases[] = {{2.5L, 2, 3},  {3.5L, 4, 4},   {-2.5L, -2, -3}, {-3.5L, -4, -4},
                          {2.4L, 2, 2},  {2.6L, 3, 3},   {0.5L, 0, 1},    {-0.5L, 0, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value), c.even) << static_cast<double>(c.value);
        EXPECT_EQ(RoundHalfAwayFromZero(c.value), c.away) << static_cast<double>(c.value);
    }
    EXPECT_EQ(RoundHalfEven(1e30L), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(RoundHalfEven(std::nanl("")), 0);
}

}  // namespace
}  // namespace pw
