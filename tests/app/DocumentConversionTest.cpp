#include "app/DocumentConversion.h"

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "engine/document/DocumentErrors.h"
#include "support/ErrorMatchers.h"

namespace app {
namespace {

using namespace app::test;

TEST(OutputBaseName, CutAtTheFirstDot) {
    EXPECT_EQ(OutputBaseName("/in/report.pdf"), "report");
    EXPECT_EQ(OutputBaseName("/in/report.final.pdf"), "report");
    EXPECT_EQ(OutputBaseName("/in/README"), "README");
    EXPECT_EQ(OutputBaseName("/in.dir/name"), "name") << "a dot in a folder name does not count";
    EXPECT_EQ(OutputBaseName("plain.pdf"), "plain");
}

TEST(ConvertDocument, PagesInOrderOrAsARangeNamesThem) {
    kp::TkpPDFDocument doc;
    const std::string all = ConvertDocument(doc, Fixture("rl-canvas-winansi.pdf"), tkPlain);
    ASSERT_EQ(doc.PageCount(), 3);
    std::string pages[4];
    for (int page = 1; page <= 3; ++page) pages[page] = doc.GetPageText(page).Text();
    EXPECT_EQ(all, pages[1] + pages[2] + pages[3]);
    EXPECT_EQ(ConvertLoadedDocument(doc, tkPlain, "3,1-2,2"), pages[3] + pages[1] + pages[2] + pages[2]);
    EXPECT_ERROR(ConvertLoadedDocument(doc, tkPlain, "4"), kp::document::EInvalidPageError, "Invalid page number (4)");
}

}  // namespace
}  // namespace app
