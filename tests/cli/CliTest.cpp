// pagewren-cli end to end: the built program run on real files, its exit status, standard output and
// standard error compared whole.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "../app/AppTestSupport.h"
#include "app/DocumentConversion.h"
#include "support/PdfBuilder.h"

extern char** environ;

namespace cli {
namespace {

using namespace app::test;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    Outcome Run(std::vector<std::string> args) {
        args.insert(args.begin(), PAGEWREN_CLI);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        const std::string outPath = temp / "stdout.bin";
        const std::string errPath = temp / "stderr.bin";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        Outcome outcome;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        outcome.out = ReadFile(outPath);
        outcome.err = ReadFile(errPath);
        return outcome;
    }

    // The text the batch driver writes for a document: every page's lines, CR LF after each.
    static std::string Expected(const std::string& path, const std::optional<std::string>& pages = std::nullopt) {
        kp::TkpPDFDocument document;
        return app::ConvertDocument(document, path, app::tkPlain, pages);
    }

    // A one-page PDF whose page has the given content stream, in the test's folder.
    void WriteOnePagePdf(const std::string& name, const std::string& content) {
        kp::test::PdfBuilder pdf;
        pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
        pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
        pdf.Object(3, "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>");
        pdf.Stream(4, "", content);
        WriteFile(temp / name, pdf.Build());
    }

    TempFolder temp;
};

TEST_F(CliTest, UsageErrorsHelpAndVersion) {
    EXPECT_EQ(Run({}).status, 2);
    const Outcome formatted = Run({"--formatted", Fixture("lo-writer-trivial.pdf")});
    EXPECT_EQ(formatted.status, 2);
    EXPECT_NE(formatted.err.find("--formatted"), std::string::npos) << formatted.err;
    EXPECT_EQ(formatted.out, "");
    EXPECT_EQ(Run({"-o", temp / "x", "--stdout", Fixture("lo-writer-trivial.pdf")}).status, 2);
    EXPECT_EQ(Run({"--plain", "--formatted", Fixture("lo-writer-trivial.pdf")}).status, 2);
    EXPECT_EQ(Run({"-j", "0", Fixture("lo-writer-trivial.pdf")}).status, 2);
    EXPECT_EQ(Run({"--bogus", Fixture("lo-writer-trivial.pdf")}).status, 2);
    EXPECT_FALSE(fs::exists(temp / "x"));

    const Outcome help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--plain", "--formatted", "--stdout", "--pages", "--password", "--jobs", "--utf8", "--quiet"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    const Outcome version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("pagewren-cli ", 0), 0u) << version.out;
}

TEST_F(CliTest, WritesTheDriversTextToFilesOrStandardOutput) {
    const std::string canvas = Fixture("rl-canvas-winansi.pdf");
    const std::string groff = Fixture("gs-groff-ms-twocol.pdf");
    const Outcome toFiles = Run({"-q", "-o", temp / "new/deeper", canvas, groff});
    EXPECT_EQ(toFiles.status, 0);
    EXPECT_EQ(toFiles.err, "");
    EXPECT_EQ(toFiles.out, "");
    const std::string canvasText = Expected(canvas);
    ASSERT_NE(canvasText.find("Closing remarks"), std::string::npos);
    EXPECT_EQ(ReadFile(temp / "new/deeper/rl-canvas-winansi.txt"), canvasText);
    EXPECT_EQ(ReadFile(temp / "new/deeper/gs-groff-ms-twocol.txt"), Expected(groff));

    const Outcome toStdout = Run({"--stdout", groff, canvas});
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, Expected(groff) + canvasText) << "argument order, nothing between documents";

    // Cross-reference stream and object streams.
    const Outcome compressed = Run({"--stdout", Fixture("pdftex-minimal-xrefstream.pdf")});
    EXPECT_EQ(compressed.status, 0);
    EXPECT_EQ(compressed.out.rfind("\r\nLoremipsumdolorsitamet,", 0), 0u) << compressed.out.substr(0, 80);

    WriteOnePagePdf("cafe.pdf", "BT 72 700 Td (Caf\xE9 \x80 \x9D) Tj 0 -14 Td (na\xEFve) Tj ET");
    EXPECT_EQ(Run({"--stdout", temp / "cafe.pdf"}).out, "\r\nCaf\xE9 \x80 \x9D\r\nna\xEFve\r\n");
    const Outcome utf8 = Run({"--utf8", "--stdout", temp / "cafe.pdf"});
    EXPECT_EQ(utf8.status, 0);
    EXPECT_EQ(utf8.out, "\r\nCaf\xC3\xA9 \xE2\x82\xAC \xC2\x9D\r\nna\xC3\xAFve\r\n");
    EXPECT_EQ(Run({"--utf8", "-o", temp / "u", temp / "cafe.pdf"}).status, 0);
    EXPECT_EQ(ReadFile(temp / "u/cafe.txt"), utf8.out);
}

TEST_F(CliTest, PageRanges) {
    const std::string canvas = Fixture("rl-canvas-winansi.pdf");
    const Outcome reversed = Run({"--stdout", "--pages", "3,1", canvas});
    EXPECT_EQ(reversed.status, 0);
    EXPECT_EQ(reversed.out, Expected(canvas, "3") + Expected(canvas, "1"));
    EXPECT_NE(Expected(canvas, "3"), Expected(canvas, "1"));

    const Outcome outside = Run({"--stdout", "--pages", "2-7", canvas, Fixture("lo-writer-trivial.pdf")});
    EXPECT_EQ(outside.status, 1);
    EXPECT_EQ(outside.err, canvas + ": Invalid page range (2-7)\n" + Fixture("lo-writer-trivial.pdf") +
                               ": Invalid page range (2-7)\n");
    EXPECT_EQ(outside.out, "");
}

TEST_F(CliTest, AFailingDocumentIsReportedAndTheNextOneConverted) {
    WriteOnePagePdf("operand.pdf", "BT 72 700\nTd (x) Tj ET");

    const std::string good = Fixture("lo-writer-trivial.pdf");
    const std::string missing = temp / "missing.pdf";
    const Outcome outcome = Run({"--stdout", Fixture("bad2.pdf"), good, Fixture("unfilterable.pdf"),
                                 temp / "operand.pdf", missing});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, Expected(good));
    EXPECT_EQ(outcome.err, Fixture("bad2.pdf") + ": Error reading document. Unable to read offset\n" +
                               Fixture("unfilterable.pdf") + ": Unsupported filter (/PlateDecode)\n" +
                               temp / "operand.pdf" + ": '700\nTd' is not a valid floating point value\n" +
                               missing + ": Cannot open file \"" + missing + "\". No such file or directory\n");

    const Outcome toFiles = Run({"-o", temp / "out", Fixture("unfilterable.pdf")});
    EXPECT_EQ(toFiles.status, 1);
    EXPECT_FALSE(fs::exists(temp / "out/unfilterable.txt")) << "a failed document writes no file";
}

TEST_F(CliTest, FoldersAreSearchedWithTheirSubfoldersInSortedOrder) {
    fs::create_directories(temp.Path() / "in/sub");
    fs::copy_file(Fixture("gs-groff-ms-twocol.pdf"), temp / "in/B.PDF");
    fs::copy_file(Fixture("rl-canvas-winansi.pdf"), temp / "in/a.pdf");
    fs::copy_file(Fixture("lo-writer-trivial.pdf"), temp / "in/sub/c.pdf");
    fs::copy_file(Fixture("lo-writer-trivial.pdf"), temp / "in/notes.txt");
    const Outcome outcome = Run({"--stdout", temp / "in", Fixture("lo-writer-trivial.pdf")});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, Expected(Fixture("gs-groff-ms-twocol.pdf")) + Expected(Fixture("rl-canvas-winansi.pdf")) +
                               Expected(Fixture("lo-writer-trivial.pdf")) + Expected(Fixture("lo-writer-trivial.pdf")));
    EXPECT_EQ(Run({"--stdout", temp / "in/sub/.."}).out, outcome.out.substr(0, outcome.out.size() - Expected(Fixture("lo-writer-trivial.pdf")).size()));
}

TEST_F(CliTest, ParallelRunsGiveTheSameOutputAsOneWorker) {
    const char* names[] = {"rl-canvas-winansi.pdf", "gs-groff-ms-twocol.pdf", "bad2.pdf", "lo-writer-trivial.pdf",
                           "unfilterable.pdf", "q-rc4-40-empty.pdf"};
    for (int copy = 0; copy < 3; ++copy) {
        const fs::path folder = temp.Path() / "in" / ("set" + std::to_string(copy));
        fs::create_directories(folder);
        for (const char* name : names) fs::copy_file(Fixture(name), folder / name);
    }
    // The same base name in every set: the last one in order must win, as with one worker.
    fs::copy_file(Fixture("rl-canvas-winansi.pdf"), temp / "in/set2/lo-writer-trivial.pdf", fs::copy_options::overwrite_existing);

    const Outcome one = Run({"-j", "1", "--stdout", temp / "in"});
    EXPECT_EQ(one.status, 1);
    for (const char* jobs : {"2", "4", "16"}) {
        const Outcome many = Run({"-j", jobs, "--stdout", temp / "in"});
        EXPECT_EQ(many.status, one.status) << jobs;
        EXPECT_EQ(many.out, one.out) << jobs;
        EXPECT_EQ(many.err, one.err) << jobs;
        EXPECT_EQ(Run({"-j", jobs, "-o", temp / ("out" + std::string(jobs)), temp / "in"}).status, 1);
        EXPECT_EQ(ReadFile(temp / ("out" + std::string(jobs)) + "/lo-writer-trivial.txt"),
                  Expected(Fixture("rl-canvas-winansi.pdf")));
    }
}

TEST_F(CliTest, EncryptedDocuments) {
    const std::string locked = Fixture("q-rc4-40-userpw.pdf");
    // Only the empty password is tried: refused, the document has no pages and gives no bytes.
    const Outcome tried = Run({"-o", temp / "out", locked});
    EXPECT_EQ(tried.status, 0);
    EXPECT_EQ(tried.err, "");
    EXPECT_EQ(ReadFile(temp / "out/q-rc4-40-userpw.txt"), "");
    EXPECT_EQ(Run({"--stdout", locked}).out, "");

    const Outcome wrong = Run({"--stdout", "--password", "pear", locked, Fixture("lo-writer-trivial.pdf")});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, locked + ": Invalid password\n");
    EXPECT_EQ(wrong.out, Expected(Fixture("lo-writer-trivial.pdf"))) << "a password changes nothing for others";

    const Outcome right = Run({"--stdout", "--password", "kiwi40", locked, Fixture("lo-writer-trivial.pdf")});
    EXPECT_EQ(right.status, 0);
    EXPECT_EQ(right.err, "");
    EXPECT_EQ(right.out.rfind("Report 1 on Open questions\r\n", 0), 0u) << right.out.substr(0, 80);
    EXPECT_EQ(right.out.substr(right.out.size() - Expected(Fixture("lo-writer-trivial.pdf")).size()),
              Expected(Fixture("lo-writer-trivial.pdf")));

    // An empty user password opens the document without --password.
    const Outcome open = Run({"--stdout", Fixture("q-rc4-40-empty.pdf")});
    EXPECT_EQ(open.status, 0);
    EXPECT_EQ(open.out.rfind("Closing remarks 227 page 1\r\n", 0), 0u) << open.out.substr(0, 80);
}

}  // namespace
}  // namespace cli
