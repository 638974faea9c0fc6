#include "engine/text/PageTextOutput.h"

#include <gtest/gtest.h>

#include "engine/document/DocumentErrors.h"
#include "engine/filters/FilterErrors.h"
#include "support/ErrorMatchers.h"
#include "support/PdfBuilder.h"

namespace kp {
namespace {

std::string Fixture(const std::string& name) { return std::string(PAGEWREN_FIXTURES) + "/text/" + name; }

// The output-file form must be byte for byte the lines of GetPageText with CR LF after each.
TEST(PageTextOutput, SameBytesAsThePageTextLinesOnRealFiles) {
    for (const char* name : {"rl-canvas-winansi.pdf", "gs-groff-ms-twocol.pdf", "lo-writer-trivial.pdf",
                             "pdftex-minimal-xrefstream.pdf", "q-rc4-40-empty.pdf"}) {
        TkpExPDFDocument doc;
        doc.LoadFromFile(Fixture(name));
        ASSERT_GT(doc.PageCount(), 0) << name;
        for (int32_t page = 1; page <= doc.PageCount(); ++page) {
            std::string text = "before";
            AppendPageText(doc, page, text);
            EXPECT_EQ(text, "before" + doc.GetPageText(page).Text()) << name << " page " << page;
        }
    }
}

TEST(PageTextOutput, AFailingPageAddsNothing) {
    test::PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    pdf.Object(3, "<< /Type /Page /Parent 2 0 R /Contents [4 0 R 5 0 R] >>");
    pdf.Stream(4, "", "(A) Tj");
    pdf.Stream(5, "/Filter /Foo", "(B) Tj");
    TkpExPDFDocument doc;
    doc.LoadFromMemory(pdf.Build());
    std::string text = "kept\r\n";
    EXPECT_ERROR(AppendPageText(doc, 1, text), filters::EUnsupportedFilterError, "Unsupported filter (/Foo)");
    EXPECT_EQ(text, "kept\r\n");
    EXPECT_ERROR(AppendPageText(doc, 2, text), pw::EListError, "List index out of bounds (1)");
}

}  // namespace
}  // namespace kp
