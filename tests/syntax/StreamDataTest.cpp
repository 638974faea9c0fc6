#include <gtest/gtest.h>

#include "ReaderFixture.h"
#include "engine/syntax/SyntaxErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using namespace syntax;

std::string StreamBytes(std::string_view text, int64_t length) {
    test::ReaderOver r(text);
    auto data = r.reader.ReadStreamData(length, 1, 0);
    EXPECT_EQ(data->Position(), 0);
    return data->ToString();
}

TEST(StreamData, EndOfLineRulesAndTrustedLength) {
    struct Case { const char* input; int64_t length; const char* data; };
    const Case cases[] = {
        {"stream\r\nhello\nendstream", 5, "hello"},
        {"stream\nhello endstream", 5, "hello"},
        {"  stream \t\r\nhello\r\nendstream", 5, "hello"},
        {"stream\rhello\rendstream", 5, "hello"},
        {"stream\n\nhello\nendstream", 6, "\nhello"},   // only one LF belongs to the keyword
        {"stream\nendstream", 0, ""},
        {"stream\nendstream", 1, ""},                    // length 1 in front of the keyword: empty
        {"stream\nXendstream", 1, "X"},
        {"stream\nab\nendstream", 2, "ab"},
    };
    for (const auto& c : cases) EXPECT_EQ(StreamBytes(c.input, c.length), c.data) << c.input;
}

TEST(StreamData, Errors) {
    EXPECT_ERROR(StreamBytes("strean\nx", 1), EStreamReadError, "Error reading PDF stream");
    EXPECT_ERROR(StreamBytes("stream\nhello\nendstream", -1), EStreamReadError, "Error reading PDF stream");
    EXPECT_ERROR(StreamBytes("stream\nhello\nendstream", 4), EEndStreamError, "Expected PDF endstream");
    EXPECT_ERROR(StreamBytes("stream\nhello", 5), EEndStreamError, "Expected PDF endstream");
    // A length far beyond the data reads what is there and fails without allocating the length.
    EXPECT_ERROR(StreamBytes("stream\nhello\nendstream", int64_t{1} << 60), EEndStreamError, "Expected PDF endstream");
}

class XorDecryptor : public IkpPDFDecryptor {
public:
    void DecryptString(std::string&, int32_t, int32_t) override {}
    void DecryptStreamData(pw::TMemoryStream& data, int32_t objectNumber, int32_t generation) override {
        keys.push_back({objectNumber, generation});
        for (auto& b : data.Bytes()) b ^= 0x20;
    }
    std::vector<std::pair<int32_t, int32_t>> keys;
};

TEST(StreamData, DecryptedWithTheNumbersPassedIn) {
    XorDecryptor decryptor;
    test::ReaderOver r("stream\nHELLO\nendstream");
    r.reader.SetDecryptor(&decryptor);
    r.reader.SetObjectNumber(3, 0);
    EXPECT_EQ(r.reader.ReadStreamData(5, 9, 2)->ToString(), "hello");
    ASSERT_EQ(decryptor.keys.size(), 1u);
    EXPECT_EQ(decryptor.keys[0], std::make_pair(9, 2));

    test::ReaderOver invalid("stream\nHELLO\nendstream");
    invalid.reader.SetDecryptor(&decryptor);
    invalid.reader.SetObjectNumber(3, -1);
    EXPECT_ERROR(invalid.reader.ReadStreamData(5, 3, 0), EInvalidObjectNo, "Invalid object number");
}

}  // namespace
}  // namespace kp
