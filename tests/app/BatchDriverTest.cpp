#include "app/BatchDriver.h"

#include <gtest/gtest.h>

#include <deque>

#include "AppTestSupport.h"
#include "engine/document/DocumentErrors.h"
#include "engine/filters/FilterErrors.h"
#include "support/ErrorMatchers.h"
#include "support/PdfBuilder.h"

namespace app {
namespace {

using namespace app::test;

// The window state the driver touches, as plain fields, with a log of the calls that change it.
struct FakeWindow : IConversionWindow {
    std::string OutputFolder() const override { return outputFolder; }
    void SetOutputFolder(const std::string& folder) override { outputFolder = folder; }
    void ShowOutputFolder(const std::string& folder) override { label = folder; }
    bool Busy() const override { return busy; }
    void SetBusy(bool value) override {
        busy = value;
        log.push_back(value ? "busy" : "idle");
    }
    int FileCount() const override { return static_cast<int>(files.size()); }
    std::string FirstFilePath() const override { return files.front(); }
    void DeleteFirstFile() override { files.pop_front(); }
    bool PreserveTextFormat() const override { return preserveTextFormat; }
    void SetExportEnabled(bool enabled) override {
        exportEnabled = enabled;
        log.push_back(enabled ? "enabled" : "disabled");
    }
    void SetStatusText(const std::string& text) override { status = text; }
    void ShowPreview(const std::string& path) override { log.push_back("preview " + path); }

    std::string outputFolder;
    std::string label;
    bool busy = false;
    std::deque<std::string> files;
    bool preserveTextFormat = false;
    bool exportEnabled = true;
    std::string status;
    std::vector<std::string> log;
};

// The lines of every page of a fixture, each followed by CR LF, read through the engine's page text.
std::string ExpectedText(const std::string& path) {
    kp::TkpPDFDocument doc;
    doc.LoadFromFile(path);
    std::string text;
    for (int page = 1; page <= doc.PageCount(); ++page) text += doc.GetPageText(page).Text();
    return text;
}

class BatchDriverTest : public ::testing::Test {
protected:
    void Export() { TBatchDriver(window, doc).ExportFiles(); }
    TempFolder temp;
    FakeWindow window;
    kp::TkpPDFDocument doc;
};

TEST_F(BatchDriverTest, EmptyListDoesNothing) {
    window.outputFolder = temp / "never/";
    Export();
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(window.status, "");
    EXPECT_FALSE(fs::exists(temp / "never"));
}

TEST_F(BatchDriverTest, ConvertsTheListInOrderAndReportsTheLastOutput) {
    fs::create_directories(temp.Path() / "in");
    fs::copy_file(Fixture("rl-canvas-winansi.pdf"), temp / "in/annual.report.pdf");
    window.outputFolder = temp / "out/";
    window.files = {Fixture("rl-canvas-winansi.pdf"), Fixture("gs-groff-ms-twocol.pdf"), temp / "in/annual.report.pdf"};
    Export();

    EXPECT_TRUE(window.files.empty());
    EXPECT_FALSE(window.busy);
    EXPECT_TRUE(window.exportEnabled);
    EXPECT_EQ(window.status, "Complete Export File " + temp / "out/annual.txt");
    EXPECT_EQ(window.log, (std::vector<std::string>{"busy", "disabled", "preview " + Fixture("rl-canvas-winansi.pdf"),
                                                    "preview " + Fixture("gs-groff-ms-twocol.pdf"),
                                                    "preview " + temp / "in/annual.report.pdf", "idle", "enabled"}));

    const std::string canvas = ReadFile(temp / "out/rl-canvas-winansi.txt");
    EXPECT_EQ(canvas, ExpectedText(Fixture("rl-canvas-winansi.pdf"))) << "pages 1, 2, 3 with nothing between";
    EXPECT_NE(canvas.find("\r\nOur na357ve first draft"), std::string::npos) << "escapes are not decoded";
    EXPECT_EQ(canvas.substr(canvas.size() - 2), "\r\n");
    EXPECT_EQ(ReadFile(temp / "out/gs-groff-ms-twocol.txt"), ExpectedText(Fixture("gs-groff-ms-twocol.pdf")));
    EXPECT_EQ(ReadFile(temp / "out/annual.txt"), canvas) << "the name is cut at its first dot";
}

TEST_F(BatchDriverTest, SameBaseNameOverwritesAndDocumentWithoutPagesGivesAnEmptyFile) {
    fs::create_directories(temp.Path() / "a");
    fs::create_directories(temp.Path() / "b");
    kp::test::PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Object(2, "<< /Type /Pages /Kids [] /Count 0 >>");
    WriteFile(temp / "a/doc.pdf", pdf.Build());
    fs::copy_file(Fixture("lo-writer-trivial.pdf"), temp / "b/doc.pdf");
    fs::create_directories(temp.Path() / "out");
    WriteFile(temp / "out/doc.txt", "old content");
    window.outputFolder = temp / "out/";

    window.files = {temp / "b/doc.pdf", temp / "a/doc.pdf"};
    Export();
    EXPECT_EQ(ReadFile(temp / "out/doc.txt"), "") << "the second file overwrote the first";

    window.files = {temp / "a/doc.pdf", temp / "b/doc.pdf"};
    Export();
    EXPECT_EQ(ReadFile(temp / "out/doc.txt"), ExpectedText(Fixture("lo-writer-trivial.pdf")));
}

TEST_F(BatchDriverTest, AnErrorEndsTheRunAfterRemovingTheFailingItem) {
    window.outputFolder = temp / "out/";
    window.status = "before";
    window.files = {Fixture("lo-writer-trivial.pdf"), Fixture("bad2.pdf"), Fixture("rl-canvas-winansi.pdf")};
    EXPECT_ERROR(Export(), kp::document::EOffsetError, "Error reading document. Unable to read offset");
    EXPECT_EQ(window.files, std::deque<std::string>{Fixture("rl-canvas-winansi.pdf")});
    EXPECT_FALSE(window.busy);
    EXPECT_TRUE(window.exportEnabled);
    EXPECT_EQ(window.status, "before");
    EXPECT_TRUE(fs::exists(temp / "out/lo-writer-trivial.txt")) << "files already written remain";
    EXPECT_FALSE(fs::exists(temp / "out/bad2.txt"));

    // A content stream the pipeline cannot decode fails the same way, from the extraction.
    window.files = {Fixture("unfilterable.pdf")};
    EXPECT_ERROR(Export(), kp::filters::EUnsupportedFilterError, "Unsupported filter (/PlateDecode)");
    EXPECT_TRUE(window.files.empty());
    EXPECT_FALSE(fs::exists(temp / "out/unfilterable.txt"));
}

TEST_F(BatchDriverTest, EncryptedFileWithUserPasswordGivesAnEmptyFileAndTheRunGoesOn) {
    window.outputFolder = temp / "out/";
    window.files = {Fixture("q-rc4-40-userpw.pdf"), Fixture("lo-writer-trivial.pdf")};
    Export();
    EXPECT_EQ(ReadFile(temp / "out/q-rc4-40-userpw.txt"), "");
    EXPECT_TRUE(fs::exists(temp / "out/lo-writer-trivial.txt"));
    EXPECT_EQ(window.status, "Complete Export File " + temp / "out/lo-writer-trivial.txt");
}

TEST_F(BatchDriverTest, OutputFolderRules) {
    // Without a trailing "/" the value names its parent folder.
    window.outputFolder = temp / "out";
    window.files = {Fixture("lo-writer-trivial.pdf")};
    Export();
    EXPECT_EQ(window.outputFolder, temp.Path().string() + "/");
    EXPECT_TRUE(fs::exists(temp / "lo-writer-trivial.txt"));

    // Only one missing level is created; writing into a folder that is still missing fails.
    window.outputFolder = temp / "x/y/";
    window.files = {Fixture("lo-writer-trivial.pdf")};
    EXPECT_ERROR(Export(), pw::EFOpenError,
                 "Cannot open file \"" + temp / "x/y/lo-writer-trivial.txt" + "\". No such file or directory");
    EXPECT_FALSE(fs::exists(temp / "x"));
    EXPECT_TRUE(window.files.empty());
}

TEST_F(BatchDriverTest, EmptyOutputFolderBecomesTheDefault) {
    const char* oldHome = std::getenv("HOME");
    const std::string saved = oldHome ? oldHome : "";
    setenv("HOME", temp.Path().c_str(), 1);
    window.files = {Fixture("lo-writer-trivial.pdf")};
    Export();
    if (oldHome) setenv("HOME", saved.c_str(), 1);
    EXPECT_EQ(window.outputFolder, temp / "Export/");
    EXPECT_EQ(window.label, temp / "Export/");
    EXPECT_TRUE(fs::exists(temp / "Export/lo-writer-trivial.txt"));
}

TEST_F(BatchDriverTest, FormattedTextIsRefusedUntilItExists) {
    window.outputFolder = temp / "out/";
    window.preserveTextFormat = true;
    window.files = {Fixture("lo-writer-trivial.pdf"), Fixture("rl-canvas-winansi.pdf")};
    EXPECT_ERROR(Export(), pw::Exception, "Preserve Text Format is not available yet");
    EXPECT_EQ(window.files.size(), 1u);
}

}  // namespace
}  // namespace app
