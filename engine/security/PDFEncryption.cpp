#include "engine/security/PDFEncryption.h"

#include <algorithm>

namespace kp {
namespace {

std::span<const uint8_t> BytesOf(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

void TkpPDFEncryption::MakeFileID(std::string_view first, std::string_view second) {
    const TkpMD5Digest digest = MD5Of({BytesOf(first), BytesOf(second)});
    fileID_.assign(digest.begin(), digest.end());
}

void TkpPDFEncryption::ComputeKeys(std::string_view ownerPassword, std::string_view userPassword, int64_t permissions) {
    permissionFlags_ = PermissionBytes(permissions);

    // /O: the padded user password encrypted under a key made from the owner password.
    const TkpMD5Digest ownerDigest = OwnerKeyDigest(ownerPassword.empty() ? userPassword : ownerPassword, Revision());
    ownerKey_ = PadPassword(userPassword);
    if (Revision() == srRevision2) {
        RC4Crypt(KeyPart(ownerDigest), ownerKey_);
    } else {
        RC4Passes(KeyPart(ownerDigest), ownerKey_, false);
    }

    StoreEncryptionKey(DocumentKeyDigest(userPassword, ownerKey_, permissionFlags_, fileID_, !EncryptMetadata(),
                                         Revision(), KeyLength()));

    // /U: revision 2 encrypts the padding string; revision 3 encrypts the digest of the padding and the
    // identifier and fills the last 16 bytes with zeros.
    const std::span<const uint8_t> key(encryptionKey_.data(), KeyLength());
    if (Revision() == srRevision2) {
        userKey_ = kPasswordPadding;
        RC4Crypt(key, userKey_);
    } else {
        userKey_.fill(0);
        const TkpMD5Digest check = UserCheckDigest(fileID_);
        std::copy(check.begin(), check.end(), userKey_.begin());
        RC4Passes(key, std::span<uint8_t>(userKey_.data(), check.size()), false);
    }
}

void TkpPDFEncryption::EncryptString(std::string& bytes, int32_t objectNumber, int32_t generation) const {
    RC4Crypt(ObjectKey(objectNumber, generation),
             std::span<uint8_t>(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size()));
}

void TkpPDFEncryption::EncryptStreamData(pw::TMemoryStream& data, int32_t objectNumber, int32_t generation) const {
    RC4Crypt(ObjectKey(objectNumber, generation), data.Bytes());
}

}  // namespace kp
