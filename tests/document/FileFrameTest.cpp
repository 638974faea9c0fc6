#include "engine/document/FileFrame.h"

#include <gtest/gtest.h>

#include "engine/document/DocumentErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using namespace document;

struct Frame {
    explicit Frame(std::string_view text) : source(text), reader(101, &source) {}
    pw::TMemoryStream source;
    TkpPDFStreamReader reader;
};

TkpPDFVersion Header(std::string_view text) {
    Frame frame(text);
    return ReadHeader(frame.reader);
}
int32_t StartXRef(std::string_view text) {
    Frame frame(text);
    return FindStartXRef(frame.reader);
}
std::unique_ptr<TkpPDFDictObject> Trailer(std::string_view text) {
    Frame frame(text);
    return ReadTrailer(frame.reader);
}

TEST(FileFrame, Header) {
    EXPECT_EQ(Header("%PDF-1.4\n"), pvPDF14);
    EXPECT_EQ(Header("%PDF-1.0"), pvPDF10);
    EXPECT_EQ(Header("%PDF-1.6abc\n"), pvPDF16) << "nothing after the digit is looked at";
    EXPECT_ERROR(Header("%PDF-1.7\n"), EUnsupportedVersion, "Unsupported PDF Version (%PDF-1.7)");
    EXPECT_ERROR(Header("%PDF-1.9x y"), EUnsupportedVersion, "Unsupported PDF Version (%PDF-1.9x)");
    EXPECT_ERROR(Header("\n%PDF-1.4\n"), EInvalidHeader, "Invalid PDF Header (\n%PDF-1)");
    EXPECT_ERROR(Header("%PDF-2.0\n"), EInvalidHeader, "Invalid PDF Header (%PDF-2.)");
    EXPECT_ERROR(Header("oops\n"), EInvalidHeader, "Invalid PDF Header (oops)");
    EXPECT_ERROR(Header(""), EInvalidHeader, "Invalid PDF Header ()");
    EXPECT_ERROR(Header("%PDF-1.x"), pw::EConvertError, "'x' is not a valid integer value");
    EXPECT_ERROR(Header("%PDF-1."), pw::EConvertError, "'' is not a valid integer value");
}

TEST(FileFrame, StartXRefIsTheLastWholeWord) {
    struct Case { const char* tail; int32_t offset; };
    const Case cases[] = {
        {"startxref\n100\n%%EOF\nstartxref\n200\n%%EOF\n", 200},
        {"STARTXREF 42", 42},
        {"startxref\n7\nstartxrefs 9", 7},              // a longer word is not a match
        {"startxref(\n5\nstartxref\n6\n%%EOF", 6},
        {"startxref\r\n  \t12345%%EOF", 12345},
    };
    for (const auto& c : cases) EXPECT_EQ(StartXRef(std::string("%PDF-1.4\n") + c.tail), c.offset) << c.tail;
    for (const char* bad : {"%PDF-1.4 no keyword", "%PDF-1.4 startxref\n%%EOF", "startxref 99999999999", "xstartxref 5"}) {
        EXPECT_ERROR(StartXRef(bad), EOffsetError, "Error reading document. Unable to read offset");
    }
}

TEST(FileFrame, Trailer) {
    EXPECT_EQ(Trailer("0 1\n0000000000 65535 f\r\ntrailer\n<< /Size 1 /Root 1 0 R >>")->Count(), 2);
    EXPECT_ERROR(Trailer("xref 0 0 tree"), ETrailerError, "Error reading PDF trailer");
    EXPECT_ERROR(Trailer("0 0"), ETrailerError, "Error reading PDF trailer");
    EXPECT_THROW(Trailer("trailer [1 2]"), pw::EInvalidCast);
    EXPECT_THROW(Trailer("trailer"), pw::EInvalidCast);
}

}  // namespace
}  // namespace kp
