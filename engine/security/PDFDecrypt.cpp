#include "engine/security/PDFDecrypt.h"

#include <algorithm>
#include <ctime>
#include <random>

#include "engine/security/SecurityErrors.h"
#include "engine/syntax/HexText.h"

namespace kp {
namespace {

// The file identifier is given as 32 hexadecimal digits (16 bytes).
constexpr size_t kFileIDDigits = 32;
// Largest random number in a generated owner password.
constexpr int32_t kGeneratedRandomMax = 2147483646;

// The bytes of /O or /U from the string object's text (see SetOwnerKey); an empty value raises.
TkpKey32 KeyFromText(std::string_view text, std::string_view errorText) {
    std::string bytes;
    if (text.size() >= 2) {
        const std::string_view inner = text.substr(1, text.size() - 2);
        bytes = text.front() == '<' && text.back() == '>' ? HexToBytes(inner) : std::string(inner);
    }
    if (bytes.empty()) throw pw::Exception(std::string(errorText));
    TkpKey32 key{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), key.size()), key.begin());
    return key;
}

// Bit number (1 is the lowest) of the /P value.
bool PermissionBit(const TkpPermissionBytes& flags, int bit) {
    const int index = bit - 1;
    return (flags[static_cast<size_t>(index / 8)] >> (index % 8) & 1) != 0;
}

}  // namespace

void TkpPDFDecrypt::SetFileID(std::string_view text) {
    if (text.size() != kFileIDDigits) throw pw::Exception(std::string(security::msg::kInvalidFileId));
    fileID_ = HexToByteArray(text);
}

void TkpPDFDecrypt::SetFileIDBytes(TkpByteArray bytes) { fileID_ = std::move(bytes); }

void TkpPDFDecrypt::SetOwnerKey(std::string_view text) {
    ownerKey_ = KeyFromText(text, security::msg::kInvalidOwnerKey);
}

void TkpPDFDecrypt::SetUserKey(std::string_view text) {
    userKey_ = KeyFromText(text, security::msg::kInvalidUserKey);
}

void TkpPDFDecrypt::SetPermissionFlags(int64_t value) {
    permissionFlags_ = PermissionBytes(value);
}

int TkpPDFDecrypt::CheckUserPassword(std::string_view password) {
    const TkpMD5Digest digest =
        DocumentKeyDigest(password, ownerKey_, permissionFlags_, fileID_, !EncryptMetadata(), Revision(), KeyLength());
    TkpKey32 check = userKey_;
    bool accepted;
    if (Revision() == srRevision2) {
        RC4Crypt(KeyPart(digest), check);
        accepted = check == kPasswordPadding;
    } else {
        RC4Passes(KeyPart(digest), check, true);
        const TkpMD5Digest expected = UserCheckDigest(fileID_);
        accepted = std::equal(expected.begin(), expected.end(), check.begin());
    }
    if (!accepted) return -1;
    StoreEncryptionKey(digest);
    return 0;
}

std::string TkpPDFDecrypt::UserPasswordFromOwnerKey(std::string_view password, size_t hashedLength) const {
    const TkpMD5Digest digest = OwnerKeyDigest(password, Revision(), hashedLength);
    TkpKey32 user = ownerKey_;
    if (Revision() == srRevision2) {
        RC4Crypt(KeyPart(digest), user);
    } else {
        RC4Passes(KeyPart(digest), user, true);
    }
    // The recovered password ends where its padding begins.
    const auto end = std::search(user.begin(), user.end(), kPasswordPadding.begin(), kPasswordPadding.begin() + 2);
    return std::string(user.begin(), end);
}

int TkpPDFDecrypt::CheckOwnerPassword(std::string_view password, std::string& userPassword) {
    userPassword = UserPasswordFromOwnerKey(password, kMD5DigestLength);
    if (CheckUserPassword(userPassword) == 0) return 0;
    // Revision 3 with a key under 128 bits: writers differ on how many bytes the 50 rounds hash (the PDF
    // standard says all 16, others hash only the key's bytes), so the second way is tried too.
    if (Revision() == srRevision3 && KeyLength() < kMaxKeyLength) {
        std::string other = UserPasswordFromOwnerKey(password, KeyLength());
        if (CheckUserPassword(other) == 0) {
            userPassword = std::move(other);
            return 0;
        }
    }
    return -1;
}

bool TkpPDFDecrypt::VerifyPassword(TkpPDFEncryptionSettings& settings, std::string_view password) {
    std::string userPassword;
    if (CheckOwnerPassword(password, userPassword) == 0) {
        ownerAuthenticated_ = true;
        settings.SetEnabled(true);
        settings.SetOwnerPassword(std::string(password));
        settings.SetUserPassword(userPassword);
        settings.SetUserPermissions(Permissions());
        settings.SetLevel(Level());
        return true;
    }
    if (CheckUserPassword(password) == 0) {
        RestrictPermissions();
        settings.SetEnabled(true);
        settings.SetUserPassword(std::string(password));
        settings.SetOwnerPassword(GeneratedOwnerPassword());
        settings.SetUserPermissions(Permissions());
        settings.SetLevel(Level());
        settings.SetChangeable(false);
        return true;
    }
    return false;
}

void TkpPDFDecrypt::RestrictPermissions() {
    if (ownerAuthenticated_) return;
    struct Rule {
        int bit;
        TkpUserPermissionsType permission;
    };
    static constexpr Rule kAllRevisions[] = {{3, AllowPrint}, {4, AllowModify}, {5, AllowCopy}, {6, AllowAnnotation}};
    static constexpr Rule kRevision3Only[] = {
        {9, AllowFormFill}, {10, AllowAccessibility}, {11, AllowDocAssembly}, {12, AllowHighResPrint}};
    for (const Rule& rule : kAllRevisions) {
        if (!PermissionBit(permissionFlags_, rule.bit)) permissions_.Exclude(rule.permission);
    }
    if (Revision() == srRevision3) {
        for (const Rule& rule : kRevision3Only) {
            if (!PermissionBit(permissionFlags_, rule.bit)) permissions_.Exclude(rule.permission);
        }
    }
}

void TkpPDFDecrypt::DecryptString(std::string& bytes, int32_t objectNumber, int32_t generation) {
    RC4Crypt(ObjectKey(objectNumber, generation),
             std::span<uint8_t>(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size()));
}

void TkpPDFDecrypt::DecryptStreamData(pw::TMemoryStream& data, int32_t objectNumber, int32_t generation) {
    RC4Crypt(ObjectKey(objectNumber, generation), data.Bytes());
}

std::string GeneratedOwnerPassword() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[16] = {};
    std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
    std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int32_t> number(0, kGeneratedRandomMax);
    return std::string(kGeneratedOwnerPrefix) + stamp + std::to_string(number(generator));
}

}  // namespace kp
