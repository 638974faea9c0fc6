#include <cstdio>
#include <filesystem>
#include <fstream>

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

class TempFile {
public:
    TempFile(const std::string& name, const std::string& bytes)
        : path_((std::filesystem::temp_directory_path() / name).string()) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

TEST(LoadSequence, EventsOfOneSuccessfulLoad) {
    RecordingDocument doc;
    EXPECT_TRUE(doc.LoadFromMemory(PdfBuilder::Simple(3).Build()));
    const std::vector<std::string> expected = {
        "Reading Cross-Reference Table", "<begin>", "Traversing Pages...", "Processing Annotations...",
        "Reading Outlines...", "Document read complete. Pages read = 3", "<end>"};
    EXPECT_EQ(doc.statuses, expected);
    EXPECT_EQ(doc.progress, (std::vector<int>{10, 75, 30, 90, 60, 100}));
    EXPECT_TRUE(doc.IsLoaded());
    EXPECT_FALSE(doc.IsEncrypted());
    EXPECT_TRUE(doc.IsOwner());
    EXPECT_EQ(doc.PDFVersion(), pvPDF14);
    EXPECT_EQ(doc.PageCount(), 3);
    EXPECT_EQ(doc.Reader(), nullptr) << "the file is not read after the load";
}

TEST(LoadSequence, OptionalCatalogEntriesAddTheirStatuses) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R /Dests 4 0 R /AcroForm << /Fields [] >> /Names << >> >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] >>");
    pdf.Object(3, "<< /Type /Page >>");
    pdf.Object(4, "<< >>");
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    const std::vector<std::string> expected = {
        "Reading Cross-Reference Table", "<begin>", "Traversing Pages...", "Processing Destinations",
        "Processing Annotations...", "AcroForms Processed", "Processing Name Tree...", "Reading Outlines...",
        "Document read complete. Pages read = 1", "<end>"};
    EXPECT_EQ(doc.statuses, expected);
}

TEST(LoadSequence, DefaultsAndSerials) {
    TkpCustomPDFDocument first;
    EXPECT_FALSE(first.IsLoaded());
    EXPECT_EQ(first.PDFVersion(), pvPDF14);
    EXPECT_EQ(first.MeasurementUnit(), muPixels);
    EXPECT_EQ(first.MergeOptions(), moIncludeOutlines | moIncludeFormFields);
    EXPECT_TRUE(first.ShowSetupDialog());
    EXPECT_GT(first.DocumentSerial(), 100);
    TkpCustomPDFDocument second;
    EXPECT_EQ(second.DocumentSerial(), first.DocumentSerial() + 1);

    const int32_t before = first.DocumentSerial();
    first.LoadFromMemory(PdfBuilder::Simple(1).Build());
    EXPECT_EQ(first.DocumentSerial(), before) << "a fresh component loads without a reset";
    first.LoadFromMemory(PdfBuilder::Simple(2).Build());
    EXPECT_GT(first.DocumentSerial(), before) << "the second load resets and takes a new serial";
    EXPECT_EQ(first.PageCount(), 2);
    EXPECT_EQ(first.Pages()[0]->DocumentSerial, first.DocumentSerial());
}

TEST(LoadSequence, AfterAFailedLoadTheNextLoadIsClean) {
    RecordingDocument doc;
    PdfBuilder broken = PdfBuilder::Simple(2);
    broken.Object(3, "<< /Type /Thing >>");
    EXPECT_ERROR(doc.LoadFromMemory(broken.Build()), EUnexpectedError, "Unexpected Error");
    EXPECT_EQ(doc.Reader(), nullptr);
    doc.LoadFromMemory(PdfBuilder::Simple(4).Build());
    RecordingDocument fresh;
    fresh.LoadFromMemory(PdfBuilder::Simple(4).Build());
    EXPECT_EQ(doc.PageCount(), fresh.PageCount());
    EXPECT_EQ(doc.ObjectStore().Count(), fresh.ObjectStore().Count());
    EXPECT_EQ(doc.XRefTable().size(), fresh.XRefTable().size());
}

TEST(LoadSequence, FileNamesAndFilenameProperty) {
    TempFile file("pagewren_load_test.pdf", PdfBuilder::Simple(2).Build());
    const std::string withoutExtension = file.Path().substr(0, file.Path().size() - 4);

    TkpCustomPDFDocument doc;
    EXPECT_TRUE(doc.LoadFromFile(withoutExtension));
    EXPECT_EQ(doc.WorkFileName(), file.Path()) << "\".pdf\" is appended to a name without extension";
    EXPECT_EQ(doc.Filename(), file.Path());
    EXPECT_EQ(doc.PageCount(), 2);

    TkpCustomPDFDocument assigned;
    assigned.SetFilename(file.Path());
    EXPECT_TRUE(assigned.IsLoaded()) << "assigning Filename loads at once";
    assigned.SetFilename("");
    EXPECT_EQ(assigned.Filename(), "");
    EXPECT_TRUE(assigned.IsLoaded()) << "clearing the name does not unload";

    TkpCustomPDFDocument missing;
    EXPECT_ERROR(missing.LoadFromFile("/nonexistent/file.pdf"), pw::EFOpenError,
                 "Cannot open file \"/nonexistent/file.pdf\". No such file or directory");
    EXPECT_FALSE(missing.IsLoaded());
}

}  // namespace
}  // namespace kp
