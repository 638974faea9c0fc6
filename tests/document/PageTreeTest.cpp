#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "engine/document/DocumentErrors.h"
#include "engine/syntax/SyntaxErrors.h"
#include "platform/Screen.h"
#include "support/ErrorMatchers.h"
#include "support/PdfBuilder.h"

namespace kp {
namespace {

using namespace document;
using test::PdfBuilder;
using test::RecordingDocument;

int IntEntry(TkpPDFDictObject& dict, const char* key) {
    const auto* value = As<TkpPDFIntegerObject>(dict.Lookup(key));
    return value ? value->Value : -999;
}

TEST(PageTree, DepthFirstOrderAndInheritance) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R /PageMode /UseOutlines >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R] /MediaBox [0 0 612 792] /Resources << /R 1 >> >>");
    pdf.Object(3, "<< /Type /Pages /Parent 2 0 R /Kids [5 0 R 6 0 R 7 0 R] /Rotate 90 >>");
    pdf.Object(4, "<< /Type /Pages /Parent 2 0 R /Kids [8 0 R 9 0 R 10 0 R] /MediaBox [0 0 100 200] >>");
    for (int n = 5; n <= 10; ++n) {
        std::string extra = " /N " + std::to_string(n);
        if (n == 6) extra += " /Rotate 0 /Resources << /Own 1 >> /B [1 0 R]";
        pdf.Object(n, "<< /Type /Page /Parent " + std::string(n < 8 ? "3" : "4") + " 0 R" + extra + " >>");
    }
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    ASSERT_EQ(doc.PageCount(), 6);
    for (int page = 1; page <= 6; ++page) EXPECT_EQ(IntEntry(doc.PageDict(page), "/N"), page + 4);
    EXPECT_EQ(IntEntry(doc.PageDict(1), "/Rotate"), 90);
    EXPECT_EQ(IntEntry(doc.PageDict(2), "/Rotate"), 0) << "the page's own value wins";
    EXPECT_EQ(IntEntry(doc.PageDict(3), "/Rotate"), 90);
    EXPECT_EQ(doc.PageDict(4).Lookup("/Rotate"), nullptr);
    EXPECT_NE(As<TkpPDFDictObject>(doc.PageDict(2).Lookup("/Resources"))->Lookup("/Own"), nullptr);
    EXPECT_NE(As<TkpPDFDictObject>(doc.PageDict(1).Lookup("/Resources"))->Lookup("/R"), nullptr);
    EXPECT_EQ(doc.PageDict(2).Lookup("/Parent"), nullptr);
    EXPECT_EQ(doc.PageDict(2).Lookup("/B"), nullptr);
    EXPECT_EQ(doc.PageMode(), pmUseOutlines);
    EXPECT_EQ(doc.PageLayout(), plNone);

    double width = 0, height = 0;
    doc.GetPageSize(1, muPoints, width, height);
    EXPECT_DOUBLE_EQ(width, 612);
    EXPECT_DOUBLE_EQ(height, 792);
    doc.GetPageSize(4, muPoints, width, height);
    EXPECT_DOUBLE_EQ(width, 100) << "the nearer ancestor's box";
    doc.GetPageSize(1, muInches, width, height);
    EXPECT_DOUBLE_EQ(width, 8.5);
    EXPECT_DOUBLE_EQ(height, 11);
    doc.GetPageSize(1, muPixels, width, height);
    EXPECT_DOUBLE_EQ(width, 612 * pw::PixelsPerInch() / 72.0);
    doc.GetPageSize(1, muMM, width, height);
    EXPECT_NEAR(width, 215.9, 0.01);
    doc.GetPageSize(1, muTwips, width, height);
    EXPECT_DOUBLE_EQ(width, 12240);
    EXPECT_ERROR(doc.GetPageSize(7, muPoints, width, height), pw::EListError, "List index out of bounds (6)");
    EXPECT_ERROR(doc.GetPageSize(0, muPoints, width, height), pw::EListError, "List index out of bounds (-1)");
}

TEST(PageTree, MediaBoxRulesForGetPageSize) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R /PageLayout /TwoColumnLeft >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] >>");
    pdf.Object(3, "<< /Type /Page /MediaBox 6 0 R >>");
    pdf.Object(4, "<< /Type /Page >>");
    pdf.Object(5, "<< /Type /Page /MediaBox [0 0 /A 1] >>");
    pdf.Object(6, "[10 20 -90.5 120]");
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    EXPECT_EQ(doc.PageLayout(), plTwoColumnLeft);
    double width = 0, height = 0;
    doc.GetPageSize(1, muPoints, width, height);
    EXPECT_DOUBLE_EQ(width, -100.5) << "signs are kept";
    EXPECT_DOUBLE_EQ(height, 100);
    doc.GetPageSize(2, muPoints, width, height);
    EXPECT_DOUBLE_EQ(width, 612) << "no media box: US Letter";
    EXPECT_ERROR(doc.GetPageSize(3, muPoints, width, height), syntax::EUnexpectedObjectError,
                 "Unexpected PDF object encountered");
}

TEST(PageTree, BadTrees) {
    struct Case { const char* name; std::vector<std::pair<int, std::string>> objects; const char* message; };
    const Case cases[] = {
        {"leaf without /Type", {{3, "<< /Parent 2 0 R >>"}}, "Unexpected Error"},
        {"unknown /Type", {{3, "<< /Type /Pg >>"}}, "Unexpected Error"},
        {"kid pointing at an ancestor", {{3, "<< /Type /Pages /Kids [2 0 R] >>"}}, "Unexpected Error"},
        {"shared subtree", {{2, "<< /Type /Pages /Kids [3 0 R 3 0 R] >>"}, {3, "<< /Type /Pages /Kids [] >>"}},
         "Unexpected Error"},
        {"/Type not a name", {{3, "<< /Type (Page) >>"}}, "Invalid class typecast"},
        {"kid not a reference", {{2, "<< /Type /Pages /Kids [3] >>"}}, "Invalid class typecast"},
        {"/Kids of the wrong kind", {{2, "<< /Type /Pages /Kids 5 >>"}}, "Unexpected PDF object encountered"},
        {"node not a dictionary", {{3, "[1 2]"}}, "Invalid class typecast"},
        {"catalog not a dictionary", {{1, "(catalog)"}}, "Invalid class typecast"},
        {"catalog without /Pages", {{1, "<< /Type /Catalog >>"}}, "Error reading document. The catalog has no page tree"},
        {"/Pages not a reference", {{1, "<< /Pages 2 >>"}}, "Invalid class typecast"},
        {"/Metadata not a reference", {{1, "<< /Pages 2 0 R /Metadata << >> >>"}}, "Invalid class typecast"},
    };
    for (const Case& c : cases) {
        PdfBuilder pdf;
        std::map<int, std::string> objects = {{1, "<< /Type /Catalog /Pages 2 0 R >>"},
                                              {2, "<< /Type /Pages /Kids [3 0 R] >>"},
                                              {3, "<< /Type /Page >>"}};
        for (const auto& [number, body] : c.objects) objects[number] = body;
        for (const auto& [number, body] : objects) pdf.Object(number, body);
        RecordingDocument doc;
        try {
            doc.LoadFromMemory(pdf.Build());
            ADD_FAILURE() << c.name << ": loaded";
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }

    // Deeper than any real tree: refused, not a stack overflow.
    PdfBuilder deep;
    deep.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    for (int n = 2; n < 2 + kMaxPageTreeDepth + 5; ++n) deep.Object(n, "<< /Type /Pages /Kids [" + std::to_string(n + 1) + " 0 R] >>");
    RecordingDocument doc;
    EXPECT_ERROR(doc.LoadFromMemory(deep.Build()), EUnexpectedError, "Unexpected Error");
}

TEST(PageTree, MissingCatalogAndKidsWithoutPosition) {
    RecordingDocument noRoot;
    EXPECT_ERROR(noRoot.LoadFromMemory(PdfBuilder::Simple(1).Trailer("").Build()), ECatalogError,
                 "Error reading document. No catalog found");
    PdfBuilder freeRoot = PdfBuilder::Simple(1);
    freeRoot.Free(1);
    RecordingDocument free;
    EXPECT_ERROR(free.LoadFromMemory(freeRoot.Build()), ECatalogError, "Error reading document. No catalog found");

    PdfBuilder freeKid = PdfBuilder::Simple(3);
    freeKid.Free(4);
    RecordingDocument doc;
    doc.LoadFromMemory(freeKid.Build());
    EXPECT_EQ(doc.PageCount(), 2) << "a kid without a file position contributes no page";
}

}  // namespace
}  // namespace kp
