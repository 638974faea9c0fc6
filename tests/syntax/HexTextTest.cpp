#include "engine/syntax/HexText.h"

#include <gtest/gtest.h>

namespace kp {
namespace {

TEST(HexText, PairsAndBytes) {
    bool ok = true;
    EXPECT_EQ(HexPairToByte("4G", ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(HexPairToByte("ff", ok), 255);
    EXPECT_TRUE(ok);
    EXPECT_EQ(HexPairToByte("A", ok), 10);
    EXPECT_EQ(HexPairToByte("1ff", ok), 255) << "modulo 256";
    EXPECT_TRUE(IsHexDigits(""));
    EXPECT_FALSE(IsHexDigits("0x"));

    EXPECT_EQ(HexToBytes("48 65 6C6C6F"), "Hello");
    EXPECT_EQ(HexToBytes("414"), "A") << "a digit without partner is dropped";
    EXPECT_EQ(HexToBytes("4\n1g4z2"), "AB");
    EXPECT_EQ(HexToByteArray("00ff"), (TkpByteArray{0, 255}));
    EXPECT_EQ(BytesToHex(std::string("\x00\xAB\x7f", 3)), "00AB7F");
    EXPECT_EQ(HexToBytes(BytesToHex("any bytes\xff")), "any bytes\xff");
}

TEST(HexText, TextStringsToWide) {
    EXPECT_EQ(HexTextToWide("FEFF00410042"), u"AB");
    EXPECT_EQ(HexTextToWide("feff00410000 0042"), u"A") << "up to the first zero unit";
    EXPECT_EQ(HexTextToWide("FEFF004100"), u"A") << "an incomplete final group is dropped";
    EXPECT_EQ(HexTextToWide("FEFF20AC"), u"\u20AC");
    EXPECT_EQ(HexTextToWide("4142"), u"AB");
    EXPECT_EQ(HexTextToWide("80"), u"\u20AC") << "through the ANSI code page";
    const std::string many = "FEFF" + std::string(2000, '4');
    EXPECT_EQ(HexTextToWide(many).size(), 249u) << "at most 999 digits after the mark";
}

}  // namespace
}  // namespace kp
