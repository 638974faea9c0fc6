#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "engine/document/DocumentErrors.h"
#include "support/ErrorMatchers.h"
#include "support/PdfBuilder.h"

namespace kp {
namespace {

using test::PdfBuilder;
using test::RecordingDocument;

// A document whose single page carries the given extra entries; objects 10 and up are free for the test.
PdfBuilder OnePage(const std::string& pageEntries) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] >>");
    pdf.Object(3, "<< /Type /Page " + pageEntries + " >>");
    return pdf;
}

TkpPDFIndirectObject* Stored(RecordingDocument& doc, int32_t number) {
    const int32_t index = doc.ObjectStore().IndexOf(doc.DocumentSerial(), number, 0);
    return index < 0 ? nullptr : doc.ObjectStore().Items(index);
}

TEST(LoadWalk, IndirectLengthIsStoredBeforeTheDataAreRead) {
    PdfBuilder pdf = OnePage("/Contents 10 0 R");
    pdf.Stream(10, "", "BT (Hello) Tj ET", "11 0 R");
    pdf.Object(11, "16");
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    TkpPDFIndirectObject* contents = Stored(doc, 10);
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(As<TkpPDFStreamObject>(contents->Body.get())->Data->ToString(), "BT (Hello) Tj ET");
    EXPECT_NE(Stored(doc, 11), nullptr);
}

TEST(LoadWalk, MissingLengthIsMeasuredUpToEndstream) {
    PdfBuilder pdf = OnePage("/Contents 10 0 R");
    pdf.Object(10, "<< /Length 12 0 R >>\nstream\r\nabc def\r\nendstream").Free(12);
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    EXPECT_EQ(As<TkpPDFStreamObject>(Stored(doc, 10)->Body.get())->Data->ToString(), "abc def");
}

TEST(LoadWalk, SharedObjectsAreReadOnceAndCyclesEnd) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R] >>");
    pdf.Object(3, "<< /Type /Page /Resources 10 0 R /Annots [11 0 R] >>");
    pdf.Object(4, "<< /Type /Page /Resources 10 0 R >>");
    pdf.Object(10, "<< /Font << >> >>");
    pdf.Object(11, "<< /Type /Annot /P 3 0 R /Self 11 0 R >>");
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    EXPECT_EQ(Stored(doc, 10)->UseCount, 2) << "read once, the second reference only counts";
    EXPECT_NE(Stored(doc, 11), nullptr);
    int copies = 0;
    for (int32_t i = 0; i < doc.ObjectStore().Count(); ++i) copies += doc.ObjectStore().Items(i)->ObjectNumber == 11;
    EXPECT_EQ(copies, 1);
}

TEST(LoadWalk, WarningsAndAbsentObjects) {
    PdfBuilder pdf = OnePage("/Bad 0 0 R /Free 10 0 R /Arr [<< /Length 1 >> 12 0 R]");
    pdf.Free(10);
    pdf.Stream(12, "", "x");
    pdf.Object(13, "[14 0 R]");
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    EXPECT_EQ(doc.warnings, (std::vector<std::string>{"Invalid Object number in PDF (0)"}));
    EXPECT_EQ(Stored(doc, 10), nullptr) << "a free entry resolves to nothing";
    EXPECT_NE(Stored(doc, 12), nullptr);

    // A stream met directly as an array item: only the load walk's own roots can hold one.
    doc.warnings.clear();
    TkpPDFArrayObject array;
    array.Add(std::make_unique<TkpPDFStreamObject>(std::make_unique<TkpPDFDictObject>()));
    doc.LoadReachable(&array);
    EXPECT_EQ(doc.warnings, (std::vector<std::string>{"Stream Object found inside Array!"}));
}

TEST(LoadWalk, LongReferenceChainsDoNotExhaustTheStack) {
    // 20000 objects each naming the next: walked with an explicit stack.
    PdfBuilder pdf = OnePage("/Chain 10 0 R");
    const int length = 20000;
    for (int i = 0; i < length; ++i) pdf.Object(10 + i, "<< /Next " + std::to_string(11 + i) + " 0 R >>");
    pdf.Object(10 + length, "(end)");
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    EXPECT_NE(Stored(doc, 10 + length), nullptr);
}

TEST(LoadWalk, MismatchedObjectHeadersAndSelfReferringStreamsDoNotLoop) {
    PdfBuilder pdf = OnePage("/X 10 0 R /S 12 0 R");
    pdf.Object(10, "<< /Back 10 0 R >>");
    pdf.Stream(12, "/Me 12 0 R", "data");
    std::string bytes = pdf.Build();
    // The table sends 10 to a header that says 11: every visit of 10 0 R would read it again.
    bytes.replace(bytes.find("10 0 obj"), 8, "11 0 obj");
    RecordingDocument doc;
    EXPECT_NO_THROW(doc.LoadFromMemory(bytes));
    EXPECT_NE(Stored(doc, 11), nullptr);
    ASSERT_NE(Stored(doc, 12), nullptr);
    EXPECT_EQ(As<TkpPDFStreamObject>(Stored(doc, 12)->Body.get())->Data->ToString(), "data");
}

TEST(LoadWalk, FetchOperations) {
    PdfBuilder pdf = PdfBuilder::Simple(1);
    pdf.Object(10, "[1 2 3]");
    pdf.Object(11, "12 0 R");
    pdf.Object(12, "(text)");
    pdf.Object(13, "/Name");
    pdf.Object(14, "<< /K /V >>");
    pdf.Object(15, "16 0 R");
    pdf.Object(16, "15 0 R");
    pw::TMemoryStream file{std::string_view(pdf.Build())};  // outlives the document's reader
    RecordingDocument doc;
    doc.ReadFileStructure(file);
    TkpPDFIndirectReference ref10(doc.DocumentSerial(), 10, 0), ref11(doc.DocumentSerial(), 11, 0),
        ref13(doc.DocumentSerial(), 13, 0), ref14(doc.DocumentSerial(), 14, 0), ref15(doc.DocumentSerial(), 15, 0);
    EXPECT_EQ(doc.FetchArray(&ref10, false)->Count(), 3);
    EXPECT_EQ(doc.ObjectStore().Count(), 0) << "outside storing mode nothing is stored";
    EXPECT_EQ(doc.FetchArray(&ref10, true)->Count(), 3);
    EXPECT_EQ(doc.ObjectStore().Count(), 1);
    EXPECT_EQ(doc.FetchString(&ref11)->Text, "(text)");
    EXPECT_EQ(doc.FetchName(&ref13)->Text, "/Name");
    EXPECT_EQ(doc.FetchDict(&ref14, false)->Count(), 1);
    TkpPDFNullObject null;
    EXPECT_ERROR(doc.FetchDict(&null, false), document::EUnexpectedObjectError, "Unexpected PDF object encountered");
    EXPECT_ERROR(doc.FetchArray(&ref14, false), document::EUnexpectedObjectError, "Unexpected PDF object encountered");
    EXPECT_THROW(doc.FetchString(&ref15), document::EReferenceLoopError);
    EXPECT_EQ(doc.FetchObject(12)->ObjectNumber, 12);
    EXPECT_EQ(doc.FetchStored(12)->UseCount, 1);
    EXPECT_EQ(doc.GetObjectOffset(0), 0);
    EXPECT_ERROR(doc.GetObjectOffset(99), pw::EListError, "List index out of bounds (99)");
}

}  // namespace
}  // namespace kp
