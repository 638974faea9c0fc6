#include "engine/syntax/LiteralStrings.h"

#include <gtest/gtest.h>

namespace kp {
namespace {

TEST(LiteralStrings, Unescape) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\\(b\\)c", "a(b)c"},
        {"\\101", "A"},
        {"\\0", std::string(1, '\0')},
        {"\\7777", "\xFF" "7"},
        {"\\8", "\\8"},
        {"\\q", "\\q"},
        {"\\\\n", "\\n"},
        {"\\b\\f\\n\\r\\t", "\b\f\n\r\t"},
        {"\\12x", "\nx"},
        {"end\\", "end\\"},
        {"\\1012", "A2"},
    };
    for (const auto& [body, bytes] : cases) EXPECT_EQ(UnescapeLiteral(body), bytes) << body;
}

TEST(LiteralStrings, EscapeAndTabColumns) {
    EXPECT_EQ(EscapeLiteral("a\tb"), "a       b");
    EXPECT_EQ(EscapeLiteral("(x)\\"), "\\(x\\)\\\\");
    EXPECT_EQ(EscapeLiteral("\b\f\n\r"), "\\b\\f\\n\\r");
    EXPECT_EQ(EscapeLiteral("\b\tz"), "\\b        z") << "backspace takes no column";
    EXPECT_EQ(EscapeLiteral("12345678\t"), "12345678        ");
    EXPECT_EQ(UnescapeLiteral(EscapeLiteral("round (trip) \\ \n")), "round (trip) \\ \n");
}

TEST(LiteralStrings, OctalToByte) {
    EXPECT_EQ(OctalToByte("7"), 7);
    EXPECT_EQ(OctalToByte("17"), 15);
    EXPECT_EQ(OctalToByte("777"), 255);
    EXPECT_EQ(OctalToByte("400"), 0);
}

}  // namespace
}  // namespace kp
