#include "engine/security/EncryptDictionary.h"

#include "engine/security/SecurityErrors.h"
#include "engine/syntax/HexText.h"

namespace kp {
namespace {

// The key length given by /Length for revision 3: 40 to 128 bits in steps of 8.
constexpr int32_t kMinKeyBits = 40;
constexpr int32_t kMaxKeyBits = 128;
constexpr int32_t kBitsPerByte = 8;
// /Length when the dictionary has none.
constexpr int32_t kDefaultKeyBits = 40;
// /V and /R values of the AES-256 handler.
constexpr int32_t kAES256Version = 5;
constexpr int32_t kAES256Revisions[] = {5, 6};
// /V of the crypt-filter handler, whose filters may be RC4 (/V2) or AES (/AESV2, /AESV3).
constexpr int32_t kCryptFilterVersion = 4;
constexpr int32_t kRevision4 = 4;

const TkpPDFIntegerObject* IntegerEntry(const TkpPDFDictObject& dict, std::string_view key) {
    return As<TkpPDFIntegerObject>(dict.Lookup(key));
}

// The crypt filter method (/CFM) of the filter that /StmF or /StrF names, or an empty text.
std::string FilterMethod(const TkpPDFDictObject& encrypt, std::string_view key) {
    const auto* name = As<TkpPDFNameObject>(encrypt.Lookup(key));
    const auto* filters = As<TkpPDFDictObject>(encrypt.Lookup("/CF"));
    if (name == nullptr || filters == nullptr) return {};
    const auto* filter = As<TkpPDFDictObject>(filters->Lookup(name->Text));
    const auto* method = filter != nullptr ? As<TkpPDFNameObject>(filter->Lookup("/CFM")) : nullptr;
    return method != nullptr ? method->Text : std::string();
}

// AES cannot be decrypted here: refuse it before a password is tried, rather than decrypt with RC4.
void CheckMethod(const TkpPDFDictObject& encrypt) {
    const auto* version = IntegerEntry(encrypt, "/V");
    const auto* revision = IntegerEntry(encrypt, "/R");
    bool aes256 = version != nullptr && version->Value == kAES256Version;
    for (const int32_t r : kAES256Revisions) aes256 = aes256 || (revision != nullptr && revision->Value == r);
    if (aes256) throw security::EUnsupportedEncryption(security::msg::kAES256);
    if (version == nullptr || version->Value != kCryptFilterVersion) return;
    for (const std::string_view key : {"/StmF", "/StrF"}) {
        const std::string method = FilterMethod(encrypt, key);
        if (method == "/AESV2") throw security::EUnsupportedEncryption(security::msg::kAES128);
        if (method == "/AESV3") throw security::EUnsupportedEncryption(security::msg::kAES256);
    }
}

// The text of a string entry, empty when the entry is missing; another kind is an invalid cast.
std::string StringEntryText(const TkpPDFDictObject& dict, std::string_view key) {
    const TkpPDFObject* value = dict.Lookup(key);
    if (value == nullptr) return {};
    const auto* text = As<TkpPDFStringObject>(value);
    if (text == nullptr) throw pw::EInvalidCast();
    return text->Text;
}

void ReadFileID(TkpPDFDecrypt& decrypt, const TkpPDFArrayObject* id) {
    // Without an identifier the key computations leave it out, as other readers do.
    if (id == nullptr || id->Count() == 0) return;
    const auto* first = As<TkpPDFStringObject>(id->Items(0));
    if (first == nullptr) throw pw::EInvalidCast();
    const std::string value = first->StringValue();
    if (!first->IsHex && value.size() == 32 && IsHexDigits(value)) {
        // Thirty-two hexadecimal characters in a literal are read as the digits of a 16-byte identifier.
        decrypt.SetFileID(value);
        return;
    }
    // Any other identifier is taken as the bytes it holds (a hexadecimal string decoded), whatever its
    // length: real writers store 16 binary bytes in a literal string, and the key derivation wants them as
    // they are. Only an empty identifier is refused.
    TkpByteArray bytes = first->IsHex ? HexToByteArray(value) : TkpByteArray(value.begin(), value.end());
    if (bytes.empty()) throw pw::Exception(std::string(security::msg::kInvalidFileId));
    decrypt.SetFileIDBytes(std::move(bytes));
}

void ReadPermissions(TkpPDFDecrypt& decrypt, const TkpPDFDictObject& encrypt) {
    const TkpPDFObject* value = encrypt.Lookup("/P");
    if (const auto* integer = As<TkpPDFIntegerObject>(value)) {
        decrypt.SetPermissionFlags(integer->Value);
    } else if (const auto* int64 = As<TkpPDFInt64Object>(value)) {
        decrypt.SetPermissionFlags(int64->Value);
    } else {
        throw security::EInvalidPermission();
    }
}

// /Length in bits; the level follows from it alone.
int32_t ReadLength(TkpPDFDecrypt& decrypt, const TkpPDFDictObject& encrypt) {
    int32_t bits = kDefaultKeyBits;
    if (const TkpPDFObject* value = encrypt.Lookup("/Length")) {
        const auto* integer = As<TkpPDFIntegerObject>(value);
        if (integer == nullptr) throw pw::EInvalidCast();
        bits = integer->Value;
    }
    decrypt.SetLevel(bits == kDefaultKeyBits ? el40bit : el128bit);
    return bits;
}

// The algorithm of /R: a revision-3 document keeps revision 3 whatever its key length, as the PDF
// standard has it; a key length of 40 alone would otherwise pick revision 2 and refuse the right password.
void ApplyRevision(TkpPDFDecrypt& decrypt, const TkpPDFDictObject& encrypt, int32_t bits) {
    const auto* revision = IntegerEntry(encrypt, "/R");
    if (revision == nullptr) return;
    if (revision->Value == srRevision2) {
        decrypt.SetAlgorithm(srRevision2, kMinKeyLength);
    } else if (revision->Value == srRevision3 || revision->Value == kRevision4) {
        const bool standardLength = bits >= kMinKeyBits && bits <= kMaxKeyBits && bits % kBitsPerByte == 0;
        decrypt.SetAlgorithm(srRevision3,
                             standardLength ? static_cast<size_t>(bits / kBitsPerByte) : decrypt.KeyLength());
        const auto* encryptMetadata = As<TkpPDFBooleanObject>(encrypt.Lookup("/EncryptMetadata"));
        if (revision->Value == kRevision4 && encryptMetadata != nullptr && !encryptMetadata->Value) {
            decrypt.SetEncryptMetadata(false);
        }
    }
}

}  // namespace

void ReadEncryptDictionary(TkpPDFDecrypt& decrypt, const TkpPDFDictObject& encrypt, const TkpPDFArrayObject* id) {
    CheckMethod(encrypt);
    ReadFileID(decrypt, id);
    decrypt.SetOwnerKey(StringEntryText(encrypt, "/O"));
    decrypt.SetUserKey(StringEntryText(encrypt, "/U"));
    ReadPermissions(decrypt, encrypt);
    ApplyRevision(decrypt, encrypt, ReadLength(decrypt, encrypt));
}

bool PrepareStandardDecryption(std::unique_ptr<TkpPDFDecrypt>& current, TkpPDFStreamReader* reader,
                               const TkpPDFDictObject& encrypt, const TkpPDFArrayObject* id, std::string_view password,
                               TkpPDFEncryptionSettings& settings) {
    if (reader != nullptr && current != nullptr && reader->Decryptor() == current.get()) {
        reader->SetDecryptor(nullptr);
    }
    current = std::make_unique<TkpPDFDecrypt>();
    ReadEncryptDictionary(*current, encrypt, id);
    if (reader != nullptr) reader->SetDecryptor(current.get());
    return current->VerifyPassword(settings, password);
}

}  // namespace kp
