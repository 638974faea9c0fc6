#include "engine/filters/FlateFilter.h"

#include <gtest/gtest.h>

#include "FilterTestData.h"
#include "engine/filters/FilterErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using filters::EDecompressionError;
using filters::msg::kZlibError;
using test::ZlibCompress;

std::string Inflate(std::string_view data) { return TkpFlateFilter().DecodeString(data); }

TEST(FlateFilter, InflatesZlibStreamsOfEverySize) {
    // 10240 and its multiples: the output ends exactly where a request of the original decoder would.
    for (const size_t size : {size_t{0}, size_t{1}, size_t{10239}, size_t{10240}, size_t{20480}, size_t{300001}}) {
        const std::string data = test::SampleData(size, static_cast<uint32_t>(size) + 1);
        for (const int level : {0, 1, 9}) {
            pw::TMemoryStream input(ZlibCompress(data, level));
            const auto output = TkpFlateFilter().DecodeStream(input);
            EXPECT_EQ(output->ToString(), data) << size << " at level " << level;
            EXPECT_EQ(output->Position(), 0);
            EXPECT_EQ(input.Position(), 0) << "the input is not touched";
        }
    }
    // A high ratio makes the output buffer grow many times over its first guess.
    const std::string zeros(5'000'000, '\0');
    EXPECT_EQ(Inflate(ZlibCompress(zeros, 9)), zeros);
}

TEST(FlateFilter, InputEndingEarlyGivesWhatCameOut) {
    const std::string data = test::SampleData(100000, 5);
    const std::string compressed = ZlibCompress(data);
    const std::string half = Inflate(std::string_view(compressed).substr(0, compressed.size() / 2));
    EXPECT_GT(half.size(), 0u);
    EXPECT_LT(half.size(), data.size());
    EXPECT_EQ(half, data.substr(0, half.size()));
    // Without the Adler-32 checksum every byte is there, and no error is raised.
    EXPECT_EQ(Inflate(std::string_view(compressed).substr(0, compressed.size() - 4)), data);
    EXPECT_EQ(Inflate(""), "");
    EXPECT_EQ(Inflate(compressed.substr(0, 1)), "");
}

TEST(FlateFilter, BytesAfterTheCompressedStreamAreIgnored) {
    const std::string data = test::SampleData(30000, 9);
    EXPECT_EQ(Inflate(ZlibCompress(data) + "\r\nendstream garbage"), data);
    EXPECT_EQ(Inflate(ZlibCompress(data) + ZlibCompress("second")), data);
}

TEST(FlateFilter, ZlibErrorsReadError) {
    const std::string good = ZlibCompress("some page content BT /F1 12 Tf (Hello) Tj ET");
    std::string badChecksum = good;
    badChecksum.back() ^= 1;
    std::string badHeader = good;
    badHeader[1] ^= 1;
    std::string rawDeflate = good.substr(2, good.size() - 6);
    // A stream that asks for a preset dictionary (FDICT set, header check kept valid).
    const std::string presetDictionary = test::Bytes({0x78, 0xBB, 0, 0, 0, 1}) + good.substr(2);
    const std::string lzw = test::Bytes({0x80, 0x0B, 0x60, 0x50, 0x22, 0x0C, 0x0C, 0x85, 0x01});
    for (const std::string& bad : {badChecksum, badHeader, rawDeflate, presetDictionary, lzw}) {
        EXPECT_ERROR(Inflate(bad), EDecompressionError, kZlibError);
    }
}

TEST(FlateFilter, OutputCeiling) {
    const std::string compressed = ZlibCompress(std::string(100000, 'a'));
    EXPECT_EQ(TkpFlateFilter::Decode(compressed, 100000).size(), 100000u);
    EXPECT_ERROR(TkpFlateFilter::Decode(compressed, 99999), filters::EDecodedSizeError,
                 "Decoded stream data exceed the limit of 99999 bytes");
    // The output is bounded even when the stream is cut short past the limit.
    EXPECT_ERROR(TkpFlateFilter::Decode(compressed.substr(0, compressed.size() - 4), 5000),
                 filters::EDecodedSizeError, "Decoded stream data exceed the limit of 5000 bytes");
}

TEST(FlateFilter, CompressesForZlib) {
    const TkpFlateFilter filter;
    const std::string data = test::SampleData(50000, 11);
    for (const int level : {-1, 0, 6, 9}) {
        const std::string compressed = filter.CompressString(data, level);
        std::string plain(data.size(), '\0');
        uLongf size = plain.size();
        ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(plain.data()), &size,
                             reinterpret_cast<const Bytef*>(compressed.data()), compressed.size()),
                  Z_OK);
        EXPECT_EQ(plain, data);
    }
    EXPECT_LT(filter.CompressString(data, 9).size(), filter.CompressString(data, 0).size());
    EXPECT_ERROR(filter.CompressString(data, 10), filters::ECompressionError, kZlibError);
}

}  // namespace
}  // namespace kp
