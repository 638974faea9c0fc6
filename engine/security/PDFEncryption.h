#pragma once
// TkpPDFEncryption: the encrypting direction of the standard security handler. From the passwords,
// the /P value and a file identifier it computes /O, /U and the document key with the same algorithms
// as the decrypting side, and encrypts strings and stream data with the same per-object key.
// Only what writing an encrypted file needs; the document's save path does not use it yet.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/security/BasePDFCrypt.h"

namespace kp {

class TkpPDFEncryption final : public TkpBasePDFCrypt {
public:
    void SetFileID(TkpByteArray fileID) { fileID_ = std::move(fileID); }
    // The identifier the document makes when it writes: MD5 of two texts it supplies.
    void MakeFileID(std::string_view first, std::string_view second);

    // Computes /O (an empty owner password takes the user password), the document key, /U and the /P
    // bytes. The level or algorithm and the file identifier must be set before.
    void ComputeKeys(std::string_view ownerPassword, std::string_view userPassword, int64_t permissions);
    const TkpPermissionBytes& PermissionFlags() const { return permissionFlags_; }

    void EncryptString(std::string& bytes, int32_t objectNumber, int32_t generation) const;
    void EncryptStreamData(pw::TMemoryStream& data, int32_t objectNumber, int32_t generation) const;

private:
    TkpPermissionBytes permissionFlags_{};
};

}  // namespace kp
