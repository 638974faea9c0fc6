// Real encrypted files: their /Encrypt and /ID read with the syntax reader, passwords checked, and a
// known string and content stream of each decrypted (the stream must then inflate to the known text).
#include <gtest/gtest.h>
#include <zlib.h>

#include "engine/security/EncryptDictionary.h"
#include "engine/security/SecurityErrors.h"
#include "security/SecurityTestSupport.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

// A classic PDF file in memory with just enough structure reading for these tests: the trailer of the
// section that the last startxref names, and objects found by their last "n 0 obj" header (incremental
// updates append newer versions).
class FixtureFile {
public:
    explicit FixtureFile(const std::string& name) : reader_(1, &source_) {
        source_.LoadFromFile(std::string(PAGEWREN_FIXTURES) + "/security/" + name);
        const std::string_view text = source_.View();
        const size_t startxref = text.rfind("startxref");
        const size_t section = std::stoul(std::string(text.substr(startxref + 9, 20)));
        reader_.SetPosition(static_cast<int64_t>(text.find("trailer", section) + 7));
        reader_.SkipWhitespace();
        trailer_ = reader_.ReadPDFDictionary();
        const auto* encrypt = As<TkpPDFIndirectReference>(trailer_->Lookup("/Encrypt"));
        encryptObject_ = ReadObject(encrypt->ObjectNumber);
        encrypt_ = As<TkpPDFDictObject>(As<TkpPDFIndirectObject>(encryptObject_.get())->Body.get());
    }

    const TkpPDFDictObject& Encrypt() const { return *encrypt_; }
    const TkpPDFArrayObject* ID() const { return As<TkpPDFArrayObject>(trailer_->Lookup("/ID")); }
    TkpPDFStreamReader& Reader() { return reader_; }

    // The body of object number (generation 0), parsed by the reader.
    TkpPDFObjectPtr ReadObject(int32_t number) {
        const std::string header = std::to_string(number) + " 0 obj";
        const std::string_view text = source_.View();
        size_t at = text.rfind(header);
        while (at != std::string_view::npos && at > 0 && std::isdigit(static_cast<unsigned char>(text[at - 1]))) {
            at = text.rfind(header, at - 1);
        }
        EXPECT_NE(at, std::string_view::npos) << header;
        reader_.SetPosition(static_cast<int64_t>(at));
        return reader_.ReadObject();
    }

    // The raw data of stream object number, decrypted when the reader has a decryptor.
    std::string StreamData(int32_t number) {
        const auto object = ReadObject(number);
        const auto* stream = As<TkpPDFStreamObject>(As<TkpPDFIndirectObject>(object.get())->Body.get());
        const int64_t dataAt = reader_.Position();
        int64_t length = 0;
        if (const auto* direct = As<TkpPDFIntegerObject>(stream->Dict->Lookup("/Length"))) {
            length = direct->Value;
        } else {
            const auto lengthObject =
                ReadObject(As<TkpPDFIndirectReference>(stream->Dict->Lookup("/Length"))->ObjectNumber);
            length = As<TkpPDFIntegerObject>(As<TkpPDFIndirectObject>(lengthObject.get())->Body.get())->Value;
        }
        reader_.SetPosition(dataAt);
        reader_.SetObjectNumber(number, 0);
        return reader_.ReadStreamData(length, number, 0)->ToString();
    }

private:
    pw::TMemoryStream source_;
    TkpPDFStreamReader reader_;
    std::unique_ptr<TkpPDFDictObject> trailer_;
    TkpPDFObjectPtr encryptObject_;
    const TkpPDFDictObject* encrypt_ = nullptr;
};

// zlib inflate of a whole stream; a wrong key gives garbage that fails the header or checksum test.
std::string Inflate(const std::string& data) {
    z_stream z{};
    EXPECT_EQ(inflateInit(&z), Z_OK);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    std::string out;
    int status = Z_OK;
    while (status == Z_OK) {
        char buffer[4096];
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    }
    inflateEnd(&z);
    EXPECT_EQ(status, Z_STREAM_END) << "the decrypted stream is not zlib data";
    return out;
}

struct RealFile {
    const char* file;
    const char* userPassword;
    const char* ownerPassword;  // nullptr when the test suite that made it does not tell
    bool userIsOwner;           // the owner password is the user password as well
    TkpPDFEncryptionLevel level;
    size_t keyLength;
    int32_t stringObject;
    const char* stringKey;
    const char* stringValue;
    int32_t streamObject;
    const char* streamText;
};

const RealFile kFiles[] = {
    {"q-rc4-40-empty.pdf", "", "owner-40", false, el40bit, 5, 2, "/Title", "Canvas notes 9", 7,
     "(Closing remarks \\227 page 1) Tj"},
    {"enc-R2_V1_U-view_O-master.pdf", "view", "master", false, el40bit, 5, 89, "/CreationDate",
     "D:20031010180432-03'00'", 107, "(Potato 0) Tj"},
    {"q-rc4-128-userpw.pdf", "mango128", "owner-128", false, el128bit, 16, 2, "/Title", "Platypus report 10", 10,
     "(Platypus report 10 \\227 page 1) Tj"},
    {"enc-R3_V2.pdf", "", "", true, el128bit, 16, 89, "/ModDate", "D:20031010181210-03'00'", 107, "(Potato 0) Tj"},
    // Revision 3 with a 40-bit key: opens only with the algorithm chosen by /R.
    {"encrypted-40-bit-R3.pdf", "623", nullptr, false, el40bit, 5, 0, nullptr, nullptr, 4, "(Potato) Tj"},
    // Revision 4 with /EncryptMetadata false: opens only with the 0xFF bytes in the key.
    {"V4-clearmeta.pdf", "", "", true, el128bit, 16, 2, "/CreationDate", "D:20031010180432-03'00'", 40,
     "(Potato 0) Tj"},
};

void PrintTo(const RealFile& real, std::ostream* out) {
    *out << real.file;
}

class EncryptedFiles : public testing::TestWithParam<RealFile> {};

TEST_P(EncryptedFiles, WrongPasswordIsRefused) {
    FixtureFile file(GetParam().file);
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    EXPECT_FALSE(PrepareStandardDecryption(decrypt, &file.Reader(), file.Encrypt(), file.ID(), "wrong", settings));
    EXPECT_FALSE(settings.Enabled());
}

TEST_P(EncryptedFiles, UserPasswordOpensAndDecrypts) {
    const RealFile& real = GetParam();
    FixtureFile file(real.file);
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    ASSERT_TRUE(
        PrepareStandardDecryption(decrypt, &file.Reader(), file.Encrypt(), file.ID(), real.userPassword, settings));
    EXPECT_EQ(decrypt->OwnerAuthenticated(), real.userIsOwner);
    EXPECT_EQ(settings.Changeable(), real.userIsOwner);
    EXPECT_EQ(decrypt->Level(), real.level);
    EXPECT_EQ(decrypt->KeyLength(), real.keyLength);

    if (real.stringKey != nullptr) {
        const auto object = file.ReadObject(real.stringObject);
        const auto* dict = As<TkpPDFDictObject>(As<TkpPDFIndirectObject>(object.get())->Body.get());
        EXPECT_EQ(As<TkpPDFStringObject>(dict->Lookup(real.stringKey))->StringValue(), real.stringValue);
    }
    EXPECT_NE(Inflate(file.StreamData(real.streamObject)).find(real.streamText), std::string::npos);
}

TEST_P(EncryptedFiles, OwnerPasswordOpensAndGivesTheUserPassword) {
    const RealFile& real = GetParam();
    // The test suite that made encrypted-40-bit-R3.pdf does not tell its owner password.
    const char* owner = real.ownerPassword != nullptr ? real.ownerPassword : "";
    FixtureFile file(real.file);
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    ASSERT_EQ(PrepareStandardDecryption(decrypt, &file.Reader(), file.Encrypt(), file.ID(), owner, settings),
              real.ownerPassword != nullptr);
    if (real.ownerPassword == nullptr) return;
    EXPECT_TRUE(decrypt->OwnerAuthenticated());
    EXPECT_EQ(settings.UserPassword(), real.userPassword);
    EXPECT_EQ(settings.UserPermissions(), TkpUserPermissions::All());
    EXPECT_NE(Inflate(file.StreamData(real.streamObject)).find(real.streamText), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Corpus, EncryptedFiles, testing::ValuesIn(kFiles),
                         [](const testing::TestParamInfo<RealFile>& info) {
                             std::string name;
                             for (const char c : std::string_view(info.param.file)) {
                                 if (c == '.') break;
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             }
                             return name;
                         });

TEST(EncryptedFilesAES, RefusedBeforeAnyPassword) {
    struct Row {
        const char* file;
        const char* message;
    };
    for (const Row& row : {Row{"q-aes-128.pdf", "Unsupported encryption method: AES-128"},
                           Row{"q-aes-256.pdf", "Unsupported encryption method: AES-256"}}) {
        SCOPED_TRACE(row.file);
        FixtureFile file(row.file);
        TkpPDFEncryptionSettings settings;
        std::unique_ptr<TkpPDFDecrypt> decrypt;
        EXPECT_ERROR(PrepareStandardDecryption(decrypt, &file.Reader(), file.Encrypt(), file.ID(), "", settings),
                     security::EUnsupportedEncryption, row.message);
        EXPECT_EQ(file.Reader().Decryptor(), nullptr);
        EXPECT_FALSE(settings.Enabled());
    }
}

}  // namespace
}  // namespace kp
