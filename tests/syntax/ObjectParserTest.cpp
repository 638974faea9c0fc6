#include <gtest/gtest.h>

#include "ReaderFixture.h"
#include "engine/syntax/SyntaxErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using namespace syntax;

TkpPDFObjectPtr Parse(std::string_view text) {
    test::ReaderOver r(text);
    return r.reader.ReadObject();
}

// Records what it was asked to decrypt and turns every byte to upper case, so the result shows it ran.
class UpperCaseDecryptor : public IkpPDFDecryptor {
public:
    void DecryptString(std::string& bytes, int32_t objectNumber, int32_t generation) override {
        calls.push_back({objectNumber, generation});
        for (char& c : bytes) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    void DecryptStreamData(pw::TMemoryStream& data, int32_t objectNumber, int32_t generation) override {
        calls.push_back({objectNumber, generation});
        for (auto& b : data.Bytes()) b = static_cast<uint8_t>(std::toupper(b));
    }
    std::vector<std::pair<int32_t, int32_t>> calls;
};

TEST(ObjectParser, NumbersReferencesAndFallbacks) {
    auto ref = Parse("1 0 R");
    ASSERT_TRUE(ref && ref->IsReference());
    EXPECT_EQ(As<TkpPDFIndirectReference>(ref.get())->DocumentSerial, 7);
    EXPECT_EQ(As<TkpPDFIndirectReference>(ref.get())->ObjectNumber, 1);
    EXPECT_EQ(As<TkpPDFIndirectReference>(Parse("5 65537 R").get())->Generation, 1) << "truncated to 16 bits";

    test::ReaderOver lower("1 0 r");
    auto one = lower.reader.ReadObject();
    ASSERT_TRUE(one && one->IsInteger());
    EXPECT_EQ(As<TkpPDFIntegerObject>(one.get())->Value, 1);
    EXPECT_EQ(As<TkpPDFIntegerObject>(lower.reader.ReadObject().get())->Value, 0) << "the next read starts again at 0";

    auto big = Parse("2147483648");
    ASSERT_TRUE(big && big->IsInt64());
    EXPECT_EQ(As<TkpPDFInt64Object>(big.get())->Value, 2147483648LL);
    EXPECT_EQ(As<TkpPDFIntegerObject>(Parse("-17").get())->Value, -17);
    EXPECT_DOUBLE_EQ(As<TkpPDFRealObject>(Parse("1.5").get())->Value, 1.5);
    EXPECT_DOUBLE_EQ(As<TkpPDFRealObject>(Parse("-.5").get())->Value, -0.5);
    auto odd = Parse("1.2.3");
    ASSERT_TRUE(odd && odd->IsString());
    EXPECT_EQ(As<TkpPDFStringObject>(odd.get())->Text, "1.2.3");
    EXPECT_FALSE(As<TkpPDFStringObject>(odd.get())->IsHex);
    EXPECT_ERROR(Parse("abc"), pw::Exception, "'abc' is not a valid integer value");
    EXPECT_ERROR(Parse("99999999999999999999"), pw::Exception, "'99999999999999999999' is not a valid integer value");
    EXPECT_ERROR(Parse("x 0 R"), pw::EConvertError, "'x' is not a valid integer value");
    EXPECT_ERROR(Parse("1 y obj"), pw::EConvertError, "'y' is not a valid integer value");
}

TEST(ObjectParser, IndirectObjectsLeaveThePositionAfterTheBody) {
    test::ReaderOver r("12 0 OBJ << /A 1 >> endobj");
    auto object = r.reader.ReadObject();
    auto* indirect = As<TkpPDFIndirectObject>(object.get());
    ASSERT_NE(indirect, nullptr);
    EXPECT_EQ(indirect->ObjectNumber, 12);
    EXPECT_EQ(indirect->DocumentSerial, 7);
    EXPECT_EQ(indirect->UseCount, 0);
    ASSERT_TRUE(indirect->Body->IsDictionary());
    EXPECT_EQ(r.reader.ObjectNumber(), 12);
    EXPECT_EQ(r.reader.PeekToken(), "endobj");

    test::ReaderOver s("4 2 obj << /Length 5 >> stream\nhello\nendstream");
    auto streamObject = s.reader.ReadObject();
    auto* holder = As<TkpPDFIndirectObject>(streamObject.get());
    ASSERT_NE(holder, nullptr);
    auto* stream = As<TkpPDFStreamObject>(holder->Body.get());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->Data, nullptr);
    EXPECT_EQ(s.reader.ReadChars(6), "stream") << "the position is at the keyword";
    EXPECT_EQ(s.reader.Generation(), 2);

    EXPECT_THROW(Parse("4 0 obj [1] stream"), pw::EInvalidCast);
    EXPECT_THROW(Parse("4 0 obj null stream"), pw::EInvalidCast);
}

TEST(ObjectParser, KeywordsAndStoppers) {
    EXPECT_TRUE(As<TkpPDFBooleanObject>(Parse("true").get())->Value);
    EXPECT_FALSE(As<TkpPDFBooleanObject>(Parse("false").get())->Value);
    EXPECT_TRUE(Parse("null")->IsNull());
    EXPECT_ERROR(Parse("trux"), EBooleanError, "Expected boolean (true) object");
    EXPECT_ERROR(Parse("fals"), EBooleanError, "Expected boolean (false) object");
    EXPECT_ERROR(Parse("nul"), ENullObjectError, "Expected PDF null object");
    for (const char* stopper : {")", ">", "]", "}", "", "  % only a comment"}) {
        test::ReaderOver r(stopper);
        EXPECT_EQ(r.reader.ReadObject(), nullptr) << stopper;
    }
}

TEST(ObjectParser, Strings) {
    struct Case { const char* input; const char* text; bool hex; };
    const Case cases[] = {
        {"(a(b)c)", "(a(b)c)", false},
        {"(a\\)b)", "(a)b)", false},
        {"(line\\\r\nnext)", "(linenext)", false},
        {"(line\\\nnext)", "(linenext)", false},
        {"(line\\\rnext)", "(linenext)", false},
        {"(\\101\\(x)", "(A(x)", false},
        {"<48 65>", "<48 65>", true},
        {"<4<1>>", "<4<1>>", true},
        {"()", "()", false},
    };
    for (const auto& c : cases) {
        auto object = Parse(c.input);
        auto* string = As<TkpPDFStringObject>(object.get());
        ASSERT_NE(string, nullptr) << c.input;
        EXPECT_EQ(string->Text, c.text) << c.input;
        EXPECT_EQ(string->IsHex, c.hex) << c.input;
    }
    test::ReaderOver bad("x");
    EXPECT_ERROR(bad.reader.ReadPDFString(), EStringReadError, "Error reading PDF string (x)");
}

TEST(ObjectParser, StringsAreDecryptedWithTheLastObjectHeader) {
    UpperCaseDecryptor decryptor;
    test::ReaderOver r("5 1 obj [(abc) <6869> () <>] endobj");
    r.reader.SetDecryptor(&decryptor);
    auto object = r.reader.ReadObject();
    auto* array = As<TkpPDFArrayObject>(As<TkpPDFIndirectObject>(object.get())->Body.get());
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(As<TkpPDFStringObject>(array->Items(0))->Text, "(ABC)");
    EXPECT_EQ(As<TkpPDFStringObject>(array->Items(1))->Text, "(HI)") << "a decrypted hex string becomes literal";
    EXPECT_FALSE(As<TkpPDFStringObject>(array->Items(1))->IsHex);
    EXPECT_EQ(As<TkpPDFStringObject>(array->Items(2))->Text, "()");
    EXPECT_EQ(As<TkpPDFStringObject>(array->Items(3))->Text, "<>") << "empty strings are not decrypted";
    EXPECT_TRUE(As<TkpPDFStringObject>(array->Items(3))->IsHex);
    ASSERT_EQ(decryptor.calls.size(), 2u);
    EXPECT_EQ(decryptor.calls[0], std::make_pair(5, 1));

    test::ReaderOver invalid("(abc)");
    invalid.reader.SetDecryptor(&decryptor);
    invalid.reader.SetObjectNumber(-1, -1);
    EXPECT_ERROR(invalid.reader.ReadPDFString(), EInvalidObjectNo, "Invalid object number");
    test::ReaderOver half("(abc)");
    half.reader.SetDecryptor(&decryptor);
    half.reader.SetObjectNumber(-1, 0);
    EXPECT_NO_THROW(half.reader.ReadPDFString()) << "strings refuse only when both numbers are -1";
}

TEST(ObjectParser, ArraysAndNames) {
    auto numbers = Parse("[1 2 3]");
    EXPECT_EQ(As<TkpPDFArrayObject>(numbers.get())->Count(), 3);
    EXPECT_EQ(As<TkpPDFArrayObject>(Parse("[ ]").get())->Count(), 0);
    test::ReaderOver paren("[1 2 ) x");
    auto closed = paren.reader.ReadObject();
    EXPECT_EQ(As<TkpPDFArrayObject>(closed.get())->Count(), 2);
    EXPECT_EQ(paren.reader.PeekByte(), ' ') << "the ) was consumed";
    auto mixed = Parse("[/A/B(c)<<>>[0 0 R]]");
    auto* array = As<TkpPDFArrayObject>(mixed.get());
    ASSERT_EQ(array->Count(), 5);
    EXPECT_EQ(As<TkpPDFNameObject>(array->Items(1))->Text, "/B");
    EXPECT_TRUE(As<TkpPDFArrayObject>(array->Items(4))->Items(0)->IsReference());

    test::ReaderOver name("/Type/Page");
    EXPECT_EQ(name.reader.ReadPDFName()->Text, "/Type");
    EXPECT_EQ(name.reader.PeekByte(), '/') << "a non-whitespace delimiter stays";
    test::ReaderOver spaced("/A  x");
    spaced.reader.ReadPDFName();
    EXPECT_EQ(spaced.reader.Position(), 3) << "one whitespace delimiter is consumed";
    test::ReaderOver bad("A");
    EXPECT_ERROR(bad.reader.ReadPDFName(), ENameReadError, "Error reading PDF name string (A)");
    test::ReaderOver badArray("1");
    EXPECT_ERROR(badArray.reader.ReadPDFArray(), EArrayReadError, "Error reading PDF array (1)");
}

TEST(ObjectParser, Dictionaries) {
    auto object = Parse("<</Type/Page>>");
    auto* dict = As<TkpPDFDictObject>(object.get());
    ASSERT_NE(dict, nullptr);
    EXPECT_EQ(As<TkpPDFNameObject>(dict->Lookup("/Type"))->Text, "/Page");

    auto noValue = Parse("<< /A >>");
    ASSERT_EQ(As<TkpPDFDictObject>(noValue.get())->Count(), 1);
    EXPECT_EQ(As<TkpPDFDictObject>(noValue.get())->ValueAt(0), nullptr);

    auto commented = Parse("<< /A 1 % note\n /B 2 >>");
    EXPECT_EQ(As<TkpPDFDictObject>(commented.get())->Count(), 2);

    test::ReaderOver bad("<(");
    EXPECT_ERROR(bad.reader.ReadPDFDictionary(), EDictionaryReadError, "Error reading PDF dictionary (()");
    EXPECT_ERROR(Parse("<< 1 2 >>"), ENameReadError, "Error reading PDF name string (1)");
    EXPECT_ERROR(Parse("<< /A (x >>"), EStringReadError, "Error reading PDF string (end of data)");
}

TEST(ObjectParser, EndOfDataInsideEveryConstructIsAnError) {
    const std::pair<const char*, const char*> cases[] = {
        {"(abc", "Error reading PDF string (end of data)"},
        {"(abc\\", "Error reading PDF string (end of data)"},
        {"<414", "Error reading PDF string (end of data)"},
        {"[1 2", "Error reading PDF array (end of data)"},
        {"[", "Error reading PDF array (end of data)"},
        {"<< /A 1", "Error reading PDF dictionary (end of data)"},
        {"<<", "Error reading PDF dictionary (end of data)"},
        {"<< /A [1", "Error reading PDF array (end of data)"},
    };
    for (const auto& [input, message] : cases) {
        try {
            Parse(input);
            ADD_FAILURE() << input << " raised nothing";
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), message) << input;
        }
    }
    test::ReaderOver name("/");
    EXPECT_EQ(name.reader.ReadPDFName()->Text, "/") << "a name may end with the data";
    test::ReaderOver badName("");
    EXPECT_ERROR(badName.reader.ReadPDFName(), ENameReadError, "Error reading PDF name string (end of data)");
    test::ReaderOver number("5");
    EXPECT_EQ(As<TkpPDFIntegerObject>(number.reader.ReadObject().get())->Value, 5) << "a number may end the data";
}

TEST(ObjectParser, NestingIsBounded) {
    const std::string deepArray = std::string(kMaxObjectNesting + 1, '[') + std::string(kMaxObjectNesting + 1, ']');
    EXPECT_ERROR(Parse(deepArray), EArrayReadError, "Error reading PDF array (nesting too deep)");
    const std::string okArray = std::string(kMaxObjectNesting, '[') + std::string(kMaxObjectNesting, ']');
    EXPECT_NE(Parse(okArray), nullptr);
    std::string deepDict;
    for (int i = 0; i <= kMaxObjectNesting; ++i) deepDict += "<< /A ";
    EXPECT_ERROR(Parse(deepDict), EDictionaryReadError, "Error reading PDF dictionary (nesting too deep)");
    std::string deepObjects;
    for (int i = 0; i <= kMaxObjectNesting; ++i) deepObjects += "1 0 obj ";
    EXPECT_ERROR(Parse(deepObjects), pw::Exception, "Indirect objects nested too deeply");
    // Far past the limit: still an error, not a stack overflow.
    EXPECT_THROW(Parse(std::string(1000000, '[')), EArrayReadError);
}

}  // namespace
}  // namespace kp
