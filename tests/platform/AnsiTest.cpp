#include "platform/Ansi.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(Windows1252, BothDirections) {
    EXPECT_EQ(AnsiToWide("AB"), u"AB");
    EXPECT_EQ(AnsiToWide("\x80\x93\x94\x9F\xE9\xFF"), u"\u20AC\u201C\u201D\u0178\u00E9\u00FF");
    EXPECT_EQ(AnsiToWide("\x81\x8D"), u"\u0081\u008D") << "undefined bytes keep their value";
    EXPECT_EQ(WideToAnsi(u"\u20AC\u201C\u00E9A"), "\x80\x93\xE9" "A");
    EXPECT_EQ(WideToAnsi(u"\u0081\u0090\u4E2D"), "???") << "C1 controls and unmapped characters give ?";
}

TEST(Windows1252, CaseRules) {
    EXPECT_EQ(AnsiUpperCase("abc\xE9\xF7\xFF\x9A\xDF"), "ABC\xC9\xF7\x9F\x8A\xDF");
    EXPECT_EQ(AnsiLowerCase("ABC\xC9\xD7\x9F"), "abc\xE9\xD7\xFF");
}

}  // namespace
}  // namespace pw
