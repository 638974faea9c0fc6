#include "engine/syntax/ByteSource.h"

#include <gtest/gtest.h>

#include "engine/syntax/SyntaxErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

// A stream that is not in memory, so the filter goes through virtual Read and Seek.
class CountingStream : public pw::TStream {
public:
    explicit CountingStream(std::string bytes) : inner_(bytes) {}
    int64_t Read(void* buffer, int64_t count) override { ++reads; return inner_.Read(buffer, count); }
    int64_t Write(const void* buffer, int64_t count) override { return inner_.Write(buffer, count); }
    int64_t Seek(int64_t offset, pw::TSeekOrigin origin) override { return inner_.Seek(offset, origin); }
    int reads = 0;

private:
    pw::TMemoryStream inner_;
};

template <typename Source>
void CheckPeekingAndEnd(Source& source) {
    TkpRandomAccessFilter filter(&source);
    EXPECT_EQ(filter.PeekByte(), 'a');
    EXPECT_EQ(filter.PeekByte(), 'a');
    EXPECT_EQ(filter.Position(), 0);
    EXPECT_EQ(filter.ReadByte(), 'a');
    EXPECT_EQ(filter.PeekChars(9), "bcd") << "only the bytes left";
    EXPECT_EQ(filter.Position(), 1);
    EXPECT_EQ(filter.ReadChars(2), "bc");
    filter.StepBack();
    EXPECT_EQ(filter.ReadByte(), 'c');
    filter.Skip(-2);
    EXPECT_EQ(filter.Position(), 1);
    filter.Skip(2);
    EXPECT_EQ(filter.ReadByte(), 'd');
    EXPECT_EQ(filter.ReadByte(), kEndOfData);
    EXPECT_EQ(filter.PeekByte(), kEndOfData);
    EXPECT_EQ(filter.Position(), 4) << "reading at the end does not move";
    EXPECT_EQ(filter.ReadChars(3), "");
    EXPECT_EQ(filter.Seek(-1, pw::soBeginning), -1);
    EXPECT_EQ(filter.Seek(-1, pw::soCurrent), -1);
    EXPECT_EQ(filter.Position(), 4) << "an offset of -1 does not move";
    EXPECT_EQ(filter.Seek(1, pw::soBeginning), 1);
    EXPECT_EQ(filter.Size(), 4);
    EXPECT_EQ(filter.InitialSize(), 4);
}

TEST(RandomAccessFilter, PeekingAndEndOfDataOverMemory) {
    pw::TMemoryStream memory(std::string_view("abcd"));
    CheckPeekingAndEnd(memory);
}

TEST(RandomAccessFilter, PeekingAndEndOfDataOverAnyStream) {
    CountingStream other("abcd");
    CheckPeekingAndEnd(other);
    EXPECT_GT(other.reads, 0) << "the generic path reads through the source";
}

TEST(ReadOnlyFilter, RefusesNullSourceAndWrites) {
    EXPECT_ERROR(TkpReadOnlyFilter(nullptr), syntax::EInvalidStream, "Invalid Stream! Cannot create with null stream");
    pw::TMemoryStream memory(std::string_view("x"));
    TkpReadOnlyFilter filter(&memory);
    EXPECT_ERROR(filter.Write("y", 1), syntax::EReadError, "A write-only filter cannot read");
    EXPECT_THROW(filter.Write("y", 1), syntax::TkpException);
}

TEST(ExtMemStream, BigEndianAndPadding) {
    TkpExtMemStream stream;
    stream.WriteWord(0x0102);
    stream.WriteDWord(0x03040506);
    EXPECT_EQ(stream.Size(), 6);
    stream.PadTo4();
    EXPECT_EQ(stream.PadCount, 2);
    EXPECT_EQ(stream.Size(), 8);
    stream.PadTo4();
    EXPECT_EQ(stream.PadCount, 0);
    EXPECT_EQ(stream.Size(), 8);
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadWord(), 0x0102);
    EXPECT_EQ(stream.ReadDWord(), 0x03040506u);
    EXPECT_EQ(stream.ReadChars(5), std::string(2, '\0'));
    stream.SkipClamped(-100);
    EXPECT_EQ(stream.Position(), 0);
    stream.SkipClamped(100);
    EXPECT_EQ(stream.Position(), 8);
    stream.WriteByte('A');
    stream.WriteString("BC");
    const uint8_t more[] = {'D'};
    stream.WriteBytes(more);
    stream.SetPosition(8);
    EXPECT_EQ(stream.ReadChars(10), "ABCD");
    EXPECT_EQ(ReadStreamByte(stream), kEndOfData);
    stream.SetPosition(8);
    EXPECT_EQ(ReadStreamByte(stream), 'A');
}

}  // namespace
}  // namespace kp
