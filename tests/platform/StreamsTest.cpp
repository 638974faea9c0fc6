#include "platform/Streams.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/Exception.h"

namespace pw {
namespace {

TEST(MemoryStream, ReadSeekWriteAndSize) {
    TMemoryStream stream(std::string_view("abcdef"));
    char buf[4] = {};
    EXPECT_EQ(stream.Read(buf, 4), 4);
    EXPECT_EQ(std::string(buf, 4), "abcd");
    EXPECT_EQ(stream.Position(), 4);
    EXPECT_EQ(stream.Seek(-3, soCurrent), 1);
    EXPECT_EQ(stream.Seek(-2, soEnd), 4);
    EXPECT_EQ(stream.Seek(0, soBeginning), 0);
    EXPECT_EQ(stream.Seek(-5, soBeginning), 0) << "a negative position is clamped to the start";
    // Past the end: reads give nothing, a write extends the buffer.
    stream.SetPosition(10);
    EXPECT_EQ(stream.Read(buf, 4), 0);
    EXPECT_EQ(stream.ReadByteInline(), -1);
    EXPECT_EQ(stream.Write("Z", 1), 1);
    EXPECT_EQ(stream.Size(), 11);
    EXPECT_EQ(stream.Bytes()[10], 'Z');
    EXPECT_EQ(stream.Bytes()[7], 0);
}

TEST(FileStream, ReadsSeeksAndReportsMissingFiles) {
    const auto path = std::filesystem::temp_directory_path() / "pagewren_stream_test.bin";
    {
        TFileStream out(path.string(), fmCreate);
        EXPECT_EQ(out.Write("0123456789", 10), 10);
    }
    TFileStream in(path.string(), fmOpenRead);
    EXPECT_EQ(in.Size(), 10);
    EXPECT_EQ(in.Seek(3, soBeginning), 3);
    EXPECT_EQ(in.Seek(2, soCurrent), 5);
    char buf[8] = {};
    EXPECT_EQ(in.Read(buf, 8), 5);
    EXPECT_EQ(std::string(buf, 5), "56789");

    TMemoryStream memory;
    memory.LoadFromFile(path.string());
    EXPECT_EQ(memory.ToString(), "0123456789");
    std::filesystem::remove(path);

    try {
        TFileStream missing("/nonexistent/dir/file.pdf", fmOpenRead);
        FAIL() << "expected EFOpenError";
    } catch (const EFOpenError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file \"/nonexistent/dir/file.pdf\". No such file or directory");
    }
}

}  // namespace
}  // namespace pw
