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

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kp::test {

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

    std::string Build() const;

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
    };
    Section& Current() { return sections_.back(); }

    std::string header_;
    std::vector<Section> sections_;
    std::string entryEnd_ = "\r\n";
    std::string startXRef_;
};

}  // namespace kp::test
