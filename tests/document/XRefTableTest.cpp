#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "engine/document/DocumentErrors.h"
#include "support/ErrorMatchers.h"
#include "support/PdfBuilder.h"

namespace kp {
namespace {

using namespace document;
using test::PdfBuilder;
using test::RecordingDocument;

int PageNumberValue(RecordingDocument& doc, int page) {
    return As<TkpPDFIntegerObject>(doc.PageDict(page).Lookup("/N"))->Value;
}

TEST(ClassicXRef, IncrementalSectionsNewestEntryAndNewestTrailerWin) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] /MediaBox [0 0 100 100] >>");
    pdf.Object(3, "<< /Type /Page /N 1 >>");
    pdf.Object(5, "<< /Title (old) >>");
    pdf.Trailer("/Root 1 0 R /Info 5 0 R /ID [<01> <01>]");
    pdf.NewSection();
    pdf.Object(3, "<< /Type /Page /N 2 >>");
    pdf.Object(6, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Trailer("/Root 6 0 R");
    pdf.NewSection();
    pdf.Object(3, "<< /Type /Page /N 3 >>");
    pdf.Trailer("");  // the newest trailer lacks /Root and /ID: older ones supply them

    RecordingDocument doc;
    EXPECT_TRUE(doc.LoadFromMemory(pdf.Build()));
    EXPECT_EQ(std::count(doc.statuses.begin(), doc.statuses.end(), "Reading Cross-Reference Table"), 3);
    EXPECT_EQ(doc.Trailer().RootNumber, 6) << "the newest trailer that has /Root decides";
    EXPECT_EQ(doc.Trailer().Info->ObjectNumber, 5);
    ASSERT_NE(doc.Trailer().ID, nullptr);
    EXPECT_EQ(doc.Trailer().ID->Count(), 2) << "an older section's /ID is used";
    ASSERT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(PageNumberValue(doc, 1), 3) << "the newest section's entry wins";
    EXPECT_EQ(doc.XRefTable().size(), 7u);
    EXPECT_EQ(doc.ObjectStore().ObjectNumberCounter(), 7);
}

TEST(ClassicXRef, SubsectionsAndPlacement) {
    // An update subsection may start exactly at the table's length; one past it fails.
    PdfBuilder extend = PdfBuilder::Simple(1);
    extend.NewSection().Object(4, "(appended)").Subsections({{4, 1}});
    RecordingDocument ok;
    ok.LoadFromMemory(extend.Build());
    EXPECT_EQ(ok.XRefTable().size(), 5u);

    PdfBuilder gap = PdfBuilder::Simple(1);
    gap.NewSection().Object(5, "(beyond)").Subsections({{5, 1}});
    RecordingDocument failed;
    EXPECT_ERROR(failed.LoadFromMemory(gap.Build()), ECrossReferenceError, "Error reading cross-referenece table");

    // A count of 0 ends the section: the subsection after it is never read.
    PdfBuilder zero = PdfBuilder::Simple(1);
    zero.Subsections({{0, 3}, {7, 0}, {3, 1}});
    RecordingDocument stopped;
    EXPECT_THROW(stopped.LoadFromMemory(zero.Build()), pw::EListError) << "page 3 was never entered";
    EXPECT_EQ(stopped.XRefTable().size(), 3u);
}

TEST(ClassicXRef, EntryLineEnds) {
    for (const char* eol : {"\r\n", " \n", " \r"}) {
        RecordingDocument doc;
        EXPECT_NO_THROW(doc.LoadFromMemory(PdfBuilder::Simple(2).EntryEnd(eol).Build())) << eol;
        EXPECT_EQ(doc.PageCount(), 2);
    }
    // 19-byte entries are read misaligned: the second entry's offset field starts one byte early.
    RecordingDocument misread;
    EXPECT_THROW(misread.LoadFromMemory(PdfBuilder::Simple(2).EntryEnd("\n").Build()), pw::EConvertError);
}

TEST(ClassicXRef, PrevLoopAndBadTrailerValues) {
    PdfBuilder looping = PdfBuilder::Simple(1);
    // The trailer points back at its own section.
    std::string bytes = looping.Build();
    const size_t xref = bytes.rfind("xref\n0 ");
    bytes.insert(bytes.find(">>", bytes.rfind("trailer")), "/Prev " + std::to_string(xref) + " ");
    RecordingDocument loop;
    EXPECT_ERROR(loop.LoadFromMemory(bytes), ECrossReferenceError, "Error reading cross-referenece table");

    struct Case { const char* trailer; };
    for (const Case& c : {Case{"/Root 1"}, Case{"/Root 1 0 R /Info (x)"}, Case{"/Root 1 0 R /Prev (x)"}}) {
        RecordingDocument doc;
        EXPECT_ERROR(doc.LoadFromMemory(PdfBuilder::Simple(1).Trailer(c.trailer).Build()), pw::EInvalidCast,
                     "Invalid class typecast");
    }
}

TEST(ClassicXRef, EncryptIsDeepResolved) {
    PdfBuilder pdf = PdfBuilder::Simple(1);
    pdf.Object(7, "<< /Filter /Standard /O 8 0 R /Nested [9 0 R] >>");
    pdf.Object(8, "(owner)");
    pdf.Object(9, "<< /Deep 8 0 R >>");
    pdf.Trailer("/Root 1 0 R /Encrypt 7 0 R");
    pw::TMemoryStream file{std::string_view(pdf.Build())};  // outlives the document's reader
    RecordingDocument doc;
    doc.ReadFileStructure(file);
    EXPECT_TRUE(doc.IsEncrypted());
    const auto* encrypt = As<TkpPDFDictObject>(doc.Trailer().Encrypt.get());
    ASSERT_NE(encrypt, nullptr);
    EXPECT_EQ(As<TkpPDFStringObject>(encrypt->Lookup("/O"))->Text, "(owner)");
    const auto* nested = As<TkpPDFDictObject>(As<TkpPDFArrayObject>(encrypt->Lookup("/Nested"))->Items(0));
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(As<TkpPDFStringObject>(nested->Lookup("/Deep"))->Text, "(owner)");

    RecordingDocument nullEncrypt;
    nullEncrypt.LoadFromMemory(PdfBuilder::Simple(1).Trailer("/Root 1 0 R /Encrypt null").Build());
    EXPECT_FALSE(nullEncrypt.IsEncrypted());
    EXPECT_EQ(nullEncrypt.PageCount(), 1);

    PdfBuilder circular = PdfBuilder::Simple(1);
    circular.Object(7, "<< /Self 7 0 R >>").Trailer("/Root 1 0 R /Encrypt 7 0 R");
    RecordingDocument loop;
    EXPECT_ERROR(loop.LoadFromMemory(circular.Build()), EReferenceLoopError,
                 "Circular or too deeply nested object references (7)");
}

}  // namespace
}  // namespace kp
