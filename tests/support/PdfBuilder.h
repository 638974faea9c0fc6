#pragma once
// A small writer of PDF files for tests: it lays out objects, computes their offsets, writes classic
// cross-reference sections with 20-byte entries and trailers, and can write deliberately broken variants.
//
//   PdfBuilder pdf;
//   pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
//   pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
//   pdf.Object(3, "<< /Type /Page /MediaBox [0 0 612 792] >>");
//   std::string bytes = pdf.Build();
//
// NewSection() starts an incremental update: later objects go into a new body, cross-reference section and
// trailer (with /Prev) appended after the previous one.
//
// XRefStream() writes the current section's table as a cross-reference stream instead, and Compressed()
// puts objects into object streams of such a section:
//
//   PdfBuilder pdf("%PDF-1.5\n");
//   pdf.Compressed(10, 1, "<< /Type /Catalog /Pages 2 0 R >>");
//   pdf.Object(2, ...).XRefStream(XRefStreamLayout().W({1, 2, 1}).PngUp());

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kp::test {

// How a section's cross-reference stream is written (PdfBuilder::XRefStream), set by chained calls:
// XRefStreamLayout().W({1, 2, 1}).PngUp().Uncompressed().
struct XRefStreamLayout {
    std::vector<int> widths{1, 4, 2};        // /W; each field is written big-endian, cut to its width
    std::vector<std::pair<int, int>> index;  // /Index as given; empty: no /Index in a first section (0 to
                                             // /Size), one subsection per run of numbers in an update
    bool pngUp = false;                      // rows with PNG Up tags, /DecodeParms << /Predictor 12 /Columns >>
    bool compress = true;                    // /Filter /FlateDecode

    XRefStreamLayout& W(std::vector<int> value) { widths = std::move(value); return *this; }
    XRefStreamLayout& Index(std::vector<std::pair<int, int>> value) { index = std::move(value); return *this; }
    XRefStreamLayout& PngUp() { pngUp = true; return *this; }
    XRefStreamLayout& Uncompressed() { compress = false; return *this; }
};

class PdfBuilder {
public:
    explicit PdfBuilder(std::string header = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n") : header_(std::move(header)) { NewSection(); }

    // Adds "number generation obj <body> endobj" to the current section.
    PdfBuilder& Object(int number, const std::string& body, int generation = 0);
    // Adds a stream object; /Length is written from the data unless lengthValue is given ("8 0 R", "999").
    PdfBuilder& Stream(int number, const std::string& dictEntries, const std::string& data,
                       const std::string& lengthValue = "");
    // Raw bytes appended to the current section's body (comments, junk).
    PdfBuilder& Raw(const std::string& bytes);
    // Starts an incremental update section.
    PdfBuilder& NewSection();

    // Entries of the current section's trailer besides /Size and /Prev; defaults to "/Root 1 0 R".
    PdfBuilder& Trailer(const std::string& entries);
    // Marks object numbers of the current section's table as free entries.
    PdfBuilder& Free(int number);
    // The end of line of every cross-reference entry: "\r\n" (default), " \n", or "\n" (19-byte entries).
    PdfBuilder& EntryEnd(const std::string& eol);
    // Overrides the offset written after the final "startxref".
    PdfBuilder& StartXRef(const std::string& value);
    // Overrides the offset recorded for one object of the current section.
    PdfBuilder& OffsetOf(int number, long offset);
    // Replaces the subsection headers of the current section: a list of (first, count) ranges written
    // as given, entries taken from the section's objects (or free) for each number in the range.
    PdfBuilder& Subsections(std::vector<std::pair<int, int>> ranges);

    // Writes the current section's table as a cross-reference stream, numbered one past the highest object
    // number so far (the trailer entries go into its dictionary); its own entry is included.
    PdfBuilder& XRefStream(XRefStreamLayout layout = {});
    // Puts object `number` into object stream `streamNumber` of the current section, which must be written
    // as a cross-reference stream. The object stream is written Flate-compressed after the section's body,
    // its members in the order given; their entries are of type 2.
    PdfBuilder& Compressed(int streamNumber, int number, const std::string& body);
    // Overrides the cross-reference stream entry written for one object number of the current section.
    PdfBuilder& Entry(int number, long type, long field2, long field3);

    std::string Build() const;

    // zlib-compressed bytes (the data of a /FlateDecode stream).
    static std::string Deflate(const std::string& data);

    // A catalog (1), a page-tree root (2) and `pages` pages (3, 4, ...) of 612 x 792.
    static PdfBuilder Simple(int pages);

private:
    struct Section {
        std::string body;                      // raw body bytes, object positions relative to its start
        std::map<int, long> offsets;           // object number -> offset within body
        std::map<int, long> offsetOverrides;   // object number -> absolute offset written instead
        std::vector<int> freeNumbers;
        std::string trailer = "/Root 1 0 R";
        std::vector<std::pair<int, int>> subsections;  // empty: one per run of consecutive numbers
        bool isStream = false;                         // written as a cross-reference stream
        XRefStreamLayout layout;
        std::map<int, std::vector<std::pair<int, std::string>>> objectStreams;  // number -> members in order
        std::map<int, std::vector<long>> entryOverrides;                        // number -> type, field 2, 3
    };
    Section& Current() { return sections_.back(); }
    // The section's classic table and trailer, or its cross-reference stream written at xrefOffset; both
    // raise size (/Size) to cover the section's numbers.
    std::string ClassicTable(const Section& section, long bodyStart, long previousXRef, int& size) const;
    std::string StreamTable(const Section& section, long bodyStart, const std::map<int, long>& streamOffsets,
                            long xrefOffset, long previousXRef, int& size) const;

    std::string header_;
    std::vector<Section> sections_;
    std::string entryEnd_ = "\r\n";
    std::string startXRef_;
};

}  // namespace kp::test
