// Cross-reference streams: entries of chosen widths, predictor rows, subsections, /Prev chains, and the
// faults that end a load.
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "engine/document/DocumentErrors.h"
#include "engine/filters/FilterErrors.h"
#include "support/ErrorMatchers.h"
#include "support/PdfBuilder.h"

namespace kp {
namespace {

using namespace document;
using test::PdfBuilder;
using test::RecordingDocument;
using test::XRefStreamLayout;

// The text with its one occurrence of `from` replaced.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

long PositionOf(const std::string& file, const std::string& header) { return static_cast<long>(file.find(header)); }

int PageMark(RecordingDocument& doc, int page) { return As<TkpPDFIntegerObject>(doc.PageDict(page).Lookup("/N"))->Value; }

TEST(XRefStream, EntriesOfChosenWidthsAndRows) {
    struct Case { XRefStreamLayout layout; const char* what; };
    const Case cases[] = {
        {XRefStreamLayout().W({1, 2, 1}).Uncompressed(), "plain rows"},
        {XRefStreamLayout().PngUp(), "Flate with PNG Up rows"},
        {XRefStreamLayout().W({1, 3, 0}), "a third field of width 0"},
        {XRefStreamLayout().W({2, 4, 1}).PngUp().Uncompressed(), "PNG Up rows, no filter"},
    };
    for (const Case& c : cases) {
        const std::string file = PdfBuilder::Simple(3).XRefStream(c.layout).Build();
        RecordingDocument doc;
        ASSERT_NO_THROW(doc.LoadFromMemory(file)) << c.what;
        EXPECT_EQ(doc.PageCount(), 3) << c.what;
        EXPECT_EQ(std::count(doc.statuses.begin(), doc.statuses.end(), "Reading Cross-Reference Stream Table"), 1);
        EXPECT_EQ(std::count(doc.statuses.begin(), doc.statuses.end(), "Reading Cross-Reference Table"), 0);
        // Objects 0 to 5 and the stream itself (6): /Size 7, no /Index.
        ASSERT_EQ(doc.XRefStmTable().size(), 7u) << c.what;
        EXPECT_TRUE(doc.XRefTable().empty());
        EXPECT_EQ(doc.XRefStmTable()[0].EntryType, 0);
        for (int number = 1; number <= 5; ++number) {
            const TkpXRefStmItem& item = doc.XRefStmTable()[static_cast<size_t>(number)];
            EXPECT_EQ(item.EntryType, 1) << c.what << " object " << number;
            EXPECT_EQ(item.Field2, PositionOf(file, std::to_string(number) + " 0 obj")) << c.what;
            EXPECT_EQ(item.Field3, 0) << c.what;
        }
        EXPECT_EQ(doc.XRefStmTable()[6].Field2, PositionOf(file, "6 0 obj"));
        EXPECT_EQ(doc.ObjectStore().ObjectNumberCounter(), 7);
    }
}

TEST(XRefStream, FieldsAreBigEndian) {
    // With /W [1 2 1] the bytes 01 0A 3C 00 are type 1, position 2620, generation 0.
    PdfBuilder pdf = PdfBuilder::Simple(1);
    pdf.Entry(9, 1, 2620, 0).Entry(8, 0, 0x0102, 0xFF).XRefStream(XRefStreamLayout().W({1, 2, 1}).Uncompressed());
    const std::string file = pdf.Build();
    ASSERT_NE(file.find(std::string("\x01\x0A\x3C\x00", 4)), std::string::npos);
    RecordingDocument doc;
    doc.LoadFromMemory(file);
    EXPECT_EQ(doc.XRefStmTable()[9].EntryType, 1);
    EXPECT_EQ(doc.XRefStmTable()[9].Field2, 2620);
    EXPECT_EQ(doc.XRefStmTable()[9].Field3, 0);
    EXPECT_EQ(doc.XRefStmTable()[8].Field2, 0x0102);
    EXPECT_EQ(doc.XRefStmTable()[8].Field3, 0xFF) << "unsigned";
}

TEST(XRefStream, PrevChainNewestEntryAndNewestTrailerWin) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] /MediaBox [0 0 100 100] >>");
    pdf.Object(3, "<< /Type /Page /N 1 >>");
    pdf.Object(5, "<< /Title (old) >>");
    pdf.Trailer("/Root 1 0 R /Info 5 0 R /ID [<01> <01>]").XRefStream();
    pdf.NewSection();
    pdf.Object(3, "<< /Type /Page /N 2 >>");
    pdf.Object(7, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Trailer("/Root 7 0 R").XRefStream(XRefStreamLayout().W({1, 2, 2}).PngUp());

    RecordingDocument doc;
    ASSERT_NO_THROW(doc.LoadFromMemory(pdf.Build()));
    EXPECT_EQ(std::count(doc.statuses.begin(), doc.statuses.end(), "Reading Cross-Reference Stream Table"), 1)
        << "one status for the whole chain";
    EXPECT_EQ(doc.Trailer().RootNumber, 7);
    EXPECT_EQ(doc.Trailer().Info->ObjectNumber, 5);
    ASSERT_NE(doc.Trailer().ID, nullptr);
    EXPECT_EQ(doc.Trailer().ID->Count(), 2) << "the older section's /ID";
    ASSERT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(PageMark(doc, 1), 2);
    EXPECT_EQ(doc.XRefStmTable().size(), 9u);  // first: 0 to 6 with its stream at 6; update: 7 and its stream at 8
}

TEST(XRefStream, UpdateSubsectionsArePlacedByTheSharedRule) {
    // The first section covers 0 to 6 (its own stream is 6); /Index [0 1 7 2] replaces 0 and appends 7 and 8.
    PdfBuilder pdf = PdfBuilder::Simple(1);
    pdf.Object(4, "(four)").Object(5, "(five)").XRefStream();
    pdf.NewSection().Entry(0, 0, 0, 77).Object(7, "(seven)").Object(8, "(eight)");
    pdf.XRefStream(XRefStreamLayout().Index({{0, 1}, {7, 2}}));
    RecordingDocument doc;
    ASSERT_NO_THROW(doc.LoadFromMemory(pdf.Build()));
    ASSERT_EQ(doc.XRefStmTable().size(), 9u);
    EXPECT_EQ(doc.XRefStmTable()[0].Field3, 77);
    EXPECT_EQ(doc.XRefStmTable()[7].EntryType, 1);
    EXPECT_EQ(doc.XRefStmTable()[8].EntryType, 1);
    EXPECT_EQ(doc.XRefStmTable()[6].EntryType, 1) << "entries outside the update keep their older values";

    // A subsection that starts beyond the table's length.
    PdfBuilder gap = PdfBuilder::Simple(1);
    gap.Object(9, "(nine)").XRefStream();  // 0 to 10
    gap.NewSection().Object(12, "(twelve)").XRefStream(XRefStreamLayout().Index({{12, 1}}));
    RecordingDocument failed;
    EXPECT_ERROR(failed.LoadFromMemory(gap.Build()), ECrossReferenceError, "Error reading cross-referenece table");
}

TEST(XRefStream, DamagedStreamsFailWithTheirMessage) {
    const std::string plain = PdfBuilder::Simple(1).XRefStream(XRefStreamLayout().Uncompressed()).Build();
    const std::string rows = PdfBuilder::Simple(1).XRefStream(XRefStreamLayout().PngUp().Uncompressed()).Build();
    const std::string start = "startxref\n";
    const std::string self = plain.substr(plain.rfind(start) + start.size());
    const std::string selfOffset = self.substr(0, self.find('\n'));

    struct Case { std::string file; std::string message; const char* what; };
    const Case cases[] = {
        {Replaced(plain, "/W [ 1 4 2 ]", "/W [ 1 5 1 ]"), "Invalid field widths in cross-reference stream (/W)", "width 5"},
        {Replaced(plain, "/W [ 1 4 2 ]", "/W [ 1 4 ]  "), "Invalid field widths in cross-reference stream (/W)", "two widths"},
        {Replaced(plain, "/W [ 1 4 2 ]", "/W [ 1 -4 2]"), "Invalid field widths in cross-reference stream (/W)", "negative"},
        {Replaced(plain, "/W [ 1 4 2 ]", "/W [ 0 0 0 ]"), "Invalid field widths in cross-reference stream (/W)", "no bytes"},
        {Replaced(plain, "/Size 5 ", "/Size 9 "), "Cross-reference stream data too short for its entries", "/Size"},
        {Replaced(plain, "/Size 5 ", "/Size 5 /Index [0 5 7]"), "Invalid object range in cross-reference stream (/Index or /Size)", "odd"},
        {Replaced(plain, "/Size 5 ", "/Size 5 /Index [0 -5]"), "Invalid object range in cross-reference stream (/Index or /Size)", "negative"},
        {Replaced(plain, "/Size 5 ", "/Size 9000000 "), "Invalid object range in cross-reference stream (/Index or /Size)", "huge"},
        {Replaced(plain, "/Size 5 ", "/Size 5 /Prev " + selfOffset + " "), "Error reading cross-referenece table", "/Prev loop"},
        {Replaced(rows, "/DecodeParms << /Predictor 12 /Columns 7 >>", "/DecodeParms [<< /Columns 7 >>]"),
         "Invalid class typecast", "/DecodeParms array"},
        {Replaced(rows, "stream\n\x02", "stream\n\x05"), "Improper PNG algorithm tag in stream", "PNG tag"},
        {Replaced(plain, "/Size 5 ", "/Size 5 /Filter /Fl "), "Unsupported filter (/Fl)", "abbreviated filter"},
        {Replaced(plain, "startxref\n" + selfOffset, "startxref\n" + std::to_string(PositionOf(plain, "1 0 obj"))),
         "Invalid class typecast", "startxref at a dictionary"},
    };
    for (const Case& c : cases) {
        RecordingDocument doc;
        try {
            doc.LoadFromMemory(c.file);
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), c.message) << c.what;
        }
        EXPECT_EQ(doc.Reader(), nullptr);
    }
}

TEST(XRefStream, PrevToAClassicTableFails) {
    // A chain of streams cannot continue with a classic table: "xref" is parsed as an object there.
    PdfBuilder pdf = PdfBuilder::Simple(1);
    pdf.NewSection().Object(3, "<< /Type /Page >>").XRefStream();
    RecordingDocument doc;
    EXPECT_ERROR(doc.LoadFromMemory(pdf.Build()), pw::Exception, "'xref' is not a valid integer value");
}

TEST(XRefStream, FilesOfSeveralProducersLoad) {
    struct Case { const char* file; int pages; };
    const Case cases[] = {
        {"document/pdflatex-objstm-15.pdf", 3},
        {"document/q-objstm-rl-platypus.pdf", 6},
        {"document/inc-xrefstream-update.pdf", 6},  // an update written as a second stream, chained by /Prev
        {"document/object-stream.pdf", 1},
        {"document/bad35.pdf", 1},  // an object stream of the wrong /Type
        {"document/bad40.pdf", 1},  // a cross-reference stream without an entry for itself
    };
    for (const Case& c : cases) {
        RecordingDocument doc;
        ASSERT_NO_THROW(doc.LoadFromFile(test::Fixture(c.file))) << c.file;
        EXPECT_EQ(doc.PageCount(), c.pages) << c.file;
        EXPECT_FALSE(doc.XRefStmTable().empty()) << c.file;
        EXPECT_TRUE(doc.warnings.empty()) << c.file;
    }
}

TEST(XRefStream, DamagedFilesFailWithTheirMessage) {
    struct Case { const char* file; const char* message; };
    const Case cases[] = {
        {"document/filter-abbreviation.pdf", "Unsupported filter (/Fl)"},
        {"document/xref-range.pdf", "Unexpected filter object, found (Null Object)"},
        // /Predictor 2 (TIFF) is read as PNG rows of 41 bytes: the 40 bytes of data make one short row.
        {"document/tiff-predictor.pdf", "Cross-reference stream data too short for its entries"},
        {"document/xref-compressed-in-compressed.pdf", "Object stream 81 has no position in the file"},
    };
    for (const Case& c : cases) {
        RecordingDocument doc;
        try {
            doc.LoadFromFile(test::Fixture(c.file));
            ADD_FAILURE() << c.file << " loaded";
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), c.message) << c.file;
        }
    }
}

}  // namespace
}  // namespace kp
