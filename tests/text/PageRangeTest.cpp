#include <gtest/gtest.h>

#include "engine/document/DocumentErrors.h"
#include "engine/text/ExPDFDocument.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

TkpPageNumbers Parse(const std::string& range, int32_t pageCount = 5) {
    TkpPageNumbers pages{99};
    TkpExPDFDocument::ParsePageRange(range, pageCount, pages);
    return pages;
}

TEST(PageRange, Accepted) {
    const std::pair<std::string, TkpPageNumbers> cases[] = {
        {"", {1, 2, 3, 4, 5}},
        {"1-", {1, 2, 3, 4, 5}},
        {"-3", {1, 2, 3}},
        {"-", {1, 2, 3, 4, 5}},
        {"3,1,3", {3, 1, 3}},
        {"1 3", {1, 3}},
        {"2 - 4", {2, 1, 2, 3, 4, 5, 4}},
        {"+2", {2}},
        {"$3", {3}},
        {"0x4", {4}},
        {"1-3,5", {1, 2, 3, 5}},
        {" 2 -  3 ", {2, 1, 2, 3, 4, 5, 3}},
        {"\"2-3\"", {2, 3}},
        {"2 -3", {2, 1, 2, 3}},
        {"2 ", {2}},
        {"   ", {}},
    };
    for (const auto& [range, pages] : cases) EXPECT_EQ(Parse(range), pages) << "'" << range << "'";
}

TEST(PageRange, Refused) {
    using document::EInvalidPageError;
    EXPECT_ERROR(Parse("0"), EInvalidPageError, "Invalid page number (0)");
    EXPECT_ERROR(Parse("6"), EInvalidPageError, "Invalid page number (6)");
    EXPECT_ERROR(Parse("2,4-2"), EInvalidPageError, "Invalid page range (4-2)");
    EXPECT_ERROR(Parse("0-2"), EInvalidPageError, "Invalid page range (0-2)");
    EXPECT_ERROR(Parse("3-9"), EInvalidPageError, "Invalid page range (3-9)");
    EXPECT_ERROR(Parse("1,x"), EInvalidPageError, "Invalid page range (1,x)");
    EXPECT_ERROR(Parse("1-3-5"), EInvalidPageError, "Invalid page range (1-3-5)");
    EXPECT_ERROR(Parse("1,"), EInvalidPageError, "Invalid page range (1,)");
    EXPECT_ERROR(Parse("4294967297"), EInvalidPageError, "Invalid page range (4294967297)");
    EXPECT_ERROR(Parse("", 0), EInvalidPageError, "Invalid page range (1-0)");
}

}  // namespace
}  // namespace kp
