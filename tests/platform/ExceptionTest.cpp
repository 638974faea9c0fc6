#include "platform/Exception.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(FillMessage, FillsPlaceholdersLeftToRightInOnePass) {
    EXPECT_EQ(FillMessage("List index out of bounds (%d)", int64_t{-3}), "List index out of bounds (-3)");
    EXPECT_EQ(FillMessage("Error (%s)", std::string_view("a\0b", 3)), std::string("Error (a\0b)", 11));
    // A fill containing a placeholder is not filled again.
    EXPECT_EQ(FillMessage("Cannot open file \"%s\". %s", {"x%s.pdf", "No such file"}),
              "Cannot open file \"x%s.pdf\". No such file");
    EXPECT_EQ(FillMessage("no placeholder", "x"), "no placeholder");
}

TEST(PlatformErrors, CarryTheirTexts) {
    EXPECT_STREQ(EInvalidCast().what(), "Invalid class typecast");
    EXPECT_STREQ(EFOpenError("/x.pdf", "Permission denied").what(), "Cannot open file \"/x.pdf\". Permission denied");
}

}  // namespace
}  // namespace pw
