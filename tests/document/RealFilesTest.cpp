// Real files of several producers: they load with the right page counts and sizes, and damaged ones fail
// with the exact message of their fault.
#include <gtest/gtest.h>

#include "DocumentFixture.h"

namespace kp {
namespace {

using test::Fixture;

TEST(RealFiles, LoadWithPageCountsAndSizes) {
    struct Case { const char* file; int pages; double width; double height; };
    const Case cases[] = {
        {"document/cairo-text-14.pdf", 2, 595, 842},
        {"document/inc-classic-2updates.pdf", 2, 595.2756, 841.8898},
        {"document/rl-canvas-winansi.pdf", 3, 595.2756, 841.8898},
        {"document/lo-calc-sheet.pdf", 3, 595.303937007874, 841.889763779528},
        {"document/lo-writer-trivial.pdf", 1, 595.303937007874, 841.889763779528},
        {"document/bad-token-startxref.pdf", 1, 612, 792},
    };
    for (const Case& c : cases) {
        TkpCustomPDFDocument doc;
        ASSERT_NO_THROW(doc.LoadFromFile(Fixture(c.file))) << c.file;
        EXPECT_EQ(doc.PageCount(), c.pages) << c.file;
        for (int page = 1; page <= doc.PageCount(); ++page) {
            double width = 0, height = 0;
            doc.GetPageSize(page, muPoints, width, height);
            EXPECT_NEAR(width, c.width, 1e-6) << c.file << " page " << page;
            EXPECT_NEAR(height, c.height, 1e-6) << c.file << " page " << page;
        }
    }
}

TEST(RealFiles, DamagedFilesFailWithTheirMessage) {
    struct Case { const char* file; const char* message; };
    const Case cases[] = {
        {"document/bad1.pdf", "Invalid PDF Header (oops)"},
        {"document/bad2.pdf", "Error reading document. Unable to read offset"},
        {"document/bad7.pdf", "Invalid class typecast"},
        {"document/bad11.pdf", "Invalid class typecast"},
        {"document/bad23.pdf", "Unexpected PDF object encountered"},
        {"document/append-xref-loop.pdf", "Error reading cross-referenece table"},
        // The second entry is 21 bytes long: its offset field " 000000000" still converts (leading blanks
        // are skipped), and the generation field "9 0000" is where the misreading shows.
        {"document/xref-errors.pdf", "'9 0000' is not a valid integer value"},
        {"document/obj0.pdf", "Invalid class typecast"},
        {"document/pages-loop.pdf", "Unexpected Error"},
        {"document/no-pages-types.pdf", "Unexpected Error"},
    };
    for (const Case& c : cases) {
        TkpCustomPDFDocument doc;
        try {
            doc.LoadFromFile(Fixture(c.file));
            ADD_FAILURE() << c.file << " loaded";
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), c.message) << c.file;
        }
        EXPECT_EQ(doc.Reader(), nullptr);
    }
}

}  // namespace
}  // namespace kp
