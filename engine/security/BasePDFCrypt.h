#pragma once
// TkpBasePDFCrypt: what both directions of the standard security handler share: the key level and
// algorithm, the file identifier, /O and /U, the document key, the permissions, and the per-object key.

#include <cstdint>

#include "engine/security/CryptTypes.h"
#include "engine/security/Crypto.h"
#include "engine/security/KeyDerivation.h"
#include "engine/syntax/PDFObjects.h"

namespace kp {

// Document keys are 40 to 128 bits long.
inline constexpr size_t kMinKeyLength = 5;
inline constexpr size_t kMaxKeyLength = 16;
// An object's RC4 key is the document key plus five bytes of object number and generation, at most 16.
inline constexpr size_t kObjectKeySalt = 5;

class TkpBasePDFCrypt {
public:
    TkpBasePDFCrypt() = default;
    virtual ~TkpBasePDFCrypt() = default;

    TkpPDFEncryptionLevel Level() const { return level_; }
    // Sets the level and, with it, the algorithm: el40bit uses revision 2 with a 5-byte key, el128bit
    // revision 3 with a 16-byte key. This is the rule for documents whose /Encrypt has no /R.
    void SetLevel(TkpPDFEncryptionLevel level);
    // Sets the algorithm explicitly, as /R and /Length ask: a revision and a key length of 5 to 16 bytes
    // (clamped). Level follows: el40bit for 5 bytes, el128bit otherwise.
    void SetAlgorithm(TkpSecurityRevision revision, size_t keyLength);
    TkpSecurityRevision Revision() const { return revision_; }
    // n, the number of bytes of EncryptionKey in use.
    size_t KeyLength() const { return keyLength_; }
    // False for a revision-4 document with /EncryptMetadata false: the document key then covers four
    // 0xFF bytes more.
    bool EncryptMetadata() const { return encryptMetadata_; }
    void SetEncryptMetadata(bool encryptMetadata) { encryptMetadata_ = encryptMetadata; }

    const TkpByteArray& FileID() const { return fileID_; }
    const TkpKey32& OwnerKey() const { return ownerKey_; }
    const TkpKey32& UserKey() const { return userKey_; }
    // The document key; only the first KeyLength bytes are used, the rest are zero.
    const TkpMD5Digest& EncryptionKey() const { return encryptionKey_; }
    TkpUserPermissions Permissions() const { return permissions_; }

    // The RC4 key of one object: MD5 of the document key, the three low bytes of the object number and
    // the two low bytes of the generation (lowest first), cut to KeyLength + 5 bytes, at most 16.
    TkpByteArray ObjectKey(int32_t objectNumber, int32_t generation) const;

protected:
    // Keeps the first KeyLength bytes of digest as the document key and zeroes the rest.
    void StoreEncryptionKey(const TkpMD5Digest& digest);
    // The first KeyLength bytes of a digest, as an RC4 key.
    std::span<const uint8_t> KeyPart(const TkpMD5Digest& digest) const { return {digest.data(), keyLength_}; }

    TkpByteArray fileID_;
    TkpKey32 ownerKey_{};
    TkpKey32 userKey_{};
    TkpMD5Digest encryptionKey_{};
    TkpUserPermissions permissions_ = TkpUserPermissions::All();

private:
    TkpPDFEncryptionLevel level_ = el128bit;
    TkpSecurityRevision revision_ = srRevision3;
    size_t keyLength_ = kMaxKeyLength;
    bool encryptMetadata_ = true;
};

}  // namespace kp
