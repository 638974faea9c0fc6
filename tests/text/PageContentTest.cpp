#include <gtest/gtest.h>

#include "engine/document/DocumentErrors.h"
#include "engine/filters/FilterErrors.h"
#include "engine/syntax/SyntaxErrors.h"
#include "engine/text/ExPDFDocument.h"
#include "support/ErrorMatchers.h"
#include "support/PdfBuilder.h"

namespace kp {
namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const pw::TStringList& list) {
    Lines lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
    return lines;
}

// One page per form of /Contents; each page's comment gives its number.
class ContentForms : public ::testing::Test {
protected:
    void SetUp() override {
        test::PdfBuilder pdf;
        const std::vector<std::string> contents = {
            "/Contents 20 0 R",            // 1: a reference to a stream
            "/Contents [21 0 R 22 0 R]",   // 2: an array of references
            "/Contents 30 0 R",            // 3: a reference to an array
            "",                            // 4: no /Contents
            "/Contents 23 0 R",            // 5: a stream with an indirect /Filter
            "/Contents [24 0 R 25 0 R]",   // 6: streams that run together when joined
            "/Contents 31 0 R",            // 7: a reference to a dictionary
            "/Contents [21 0 R 5]",        // 8: an array element that is no stream
            "/Contents 26 0 R",            // 9: an unsupported filter
            "/Contents (not a stream)",    // 10: a direct value of another kind
            "/Contents [22 0 R 21 0 R]",   // 11: the streams of page 2 the other way round
        };
        std::string kids;
        for (size_t i = 0; i < contents.size(); ++i) {
            const int number = static_cast<int>(3 + i);
            kids += std::to_string(number) + " 0 R ";
            pdf.Object(number, "<< /Type /Page /Parent 2 0 R " + contents[i] + " >>");
        }
        pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
        pdf.Object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(contents.size()) +
                          " /MediaBox [0 0 612 792] >>");
        pdf.Stream(20, "", "BT /F1 12 Tf 72 712 Td (One) Tj ET");
        pdf.Stream(21, "", "(A) Tj");
        pdf.Stream(22, "", "0 -14 Td (B) Tj");
        pdf.Stream(23, "/Filter 32 0 R", "28 48 65 78 29 20 54 6A>");  // "(Hex) Tj"
        pdf.Stream(24, "", "BT (A) Tj");
        pdf.Stream(25, "", "ET");
        pdf.Stream(26, "/Filter /Foo", "(x) Tj");
        pdf.Object(30, "[21 0 R 22 0 R]");
        pdf.Object(31, "<< /Not /AStream >>");
        pdf.Object(32, "/ASCIIHexDecode");
        doc.LoadFromMemory(pdf.Build());
        ASSERT_EQ(doc.PageCount(), static_cast<int32_t>(contents.size()));
    }
    Lines Text(int page) { return LinesOf(doc.GetPageText(page)); }

    TkpExPDFDocument doc;
};

TEST_F(ContentForms, FormsOfContents) {
    EXPECT_EQ(Text(1), (Lines{"", "One"}));
    EXPECT_EQ(Text(2), (Lines{"A", "", "B"})) << "each stream is scanned with fresh state";
    EXPECT_EQ(Text(3), (Lines{"A", "", "B"}));
    EXPECT_EQ(Text(4), Lines{});
    EXPECT_EQ(Text(5), Lines{"Hex"});
    EXPECT_EQ(Text(10), Lines{});
    EXPECT_EQ(doc.CollectPageContent(2).size(), 2u);
    EXPECT_EQ(doc.CollectPageContent(2), doc.CollectPageContent(3));
    EXPECT_EQ(doc.CollectPageContent(11).front(), doc.CollectPageContent(2).back()) << "array order";
}

TEST_F(ContentForms, ReadingAndJoining) {
    EXPECT_EQ(doc.ReadContentStream(*doc.CollectPageContent(1).front()), "BT /F1 12 Tf 72 712 Td (One) Tj ET")
        << "without /Filter the raw bytes come back";
    EXPECT_EQ(doc.JoinedPageContent(5), "(Hex) Tj");
    EXPECT_EQ(doc.JoinedPageContent(6), "BT (A) TjET") << "nothing is inserted between streams";
    EXPECT_EQ(doc.JoinedPageContent(4), "");
}

TEST_F(ContentForms, Failures) {
    EXPECT_ERROR(doc.GetPageText(7), document::EUnexpectedObjectError, "Unexpected PDF object encountered");
    EXPECT_ERROR(doc.GetPageText(8), syntax::EUnexpectedObjectError, "Unexpected PDF object encountered");
    EXPECT_ERROR(doc.GetPageText(9), filters::EUnsupportedFilterError, "Unsupported filter (/Foo)");
    EXPECT_ERROR(doc.GetPageText(0), pw::EListError, "List index out of bounds (-1)");
    EXPECT_ERROR(doc.GetPageText(12), pw::EListError, "List index out of bounds (11)");
    EXPECT_ERROR(doc.ExtractText("1,9"), filters::EUnsupportedFilterError, "Unsupported filter (/Foo)");
    EXPECT_ERROR(doc.ExtractText("1,12"), document::EInvalidPageError, "Invalid page number (12)");
}

TEST_F(ContentForms, ExtractTextFollowsTheRange) {
    EXPECT_EQ(LinesOf(doc.ExtractText("2,1")), (Lines{"A", "", "B", "", "One"}));
    EXPECT_EQ(LinesOf(doc.ExtractText("1,1")), (Lines{"", "One", "", "One"}));
    EXPECT_EQ(LinesOf(doc.ExtractText("4-5")), Lines{"Hex"});
}

TEST(PlainText, DocumentWithoutPages) {
    test::PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Object(2, "<< /Type /Pages /Kids [] /Count 0 >>");
    TkpExPDFDocument doc;
    doc.LoadFromMemory(pdf.Build());
    ASSERT_EQ(doc.PageCount(), 0);
    EXPECT_ERROR(doc.ExtractText(""), document::EInvalidPageError, "Invalid page range (1-0)");
    EXPECT_EQ(doc.ExtractText(" ").Count(), 0);
}

}  // namespace
}  // namespace kp
