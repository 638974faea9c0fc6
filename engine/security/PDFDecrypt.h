#pragma once
// TkpPDFDecrypt: the decrypting direction of the standard security handler. It checks a password
// against /O and /U, keeps the document key when one is accepted, and decrypts strings and stream data
// for the reader, keyed per object.
//
// Call order: the level (or algorithm) and the entries of /Encrypt first, then VerifyPassword (or the
// Check operations); DecryptString and DecryptStreamData are meaningful only after a password was accepted.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/security/BasePDFCrypt.h"
#include "engine/security/EncryptionSettings.h"
#include "engine/syntax/Decryptor.h"

namespace kp {

// The fixed start of the owner password recorded for a document opened with its user password.
inline constexpr std::string_view kGeneratedOwnerPrefix = "Pagewren";

class TkpPDFDecrypt final : public TkpBasePDFCrypt, public IkpPDFDecryptor {
public:
    // text is the first /ID string's value: exactly 32 characters, read as hexadecimal digits; any other
    // length raises a plain exception "Invalid FileId.".
    void SetFileID(std::string_view text);
    // The identifier's bytes as they are (a literal identifier that is not 32 hexadecimal characters, or a
    // decoded hexadecimal one).
    void SetFileIDBytes(TkpByteArray bytes);
    // text is the string object's text with its delimiters: "<...>" is read as hexadecimal digits,
    // anything else as the bytes between the first and the last character. The first 32 bytes are kept,
    // a shorter value is filled up with zeros. A missing entry (empty text) or an empty string raises a
    // plain exception "Invalid Owner Key." / "Invalid User Key.".
    void SetOwnerKey(std::string_view text);
    void SetUserKey(std::string_view text);
    // The /P value (an integer is sign-extended by the caller).
    void SetPermissionFlags(int64_t value);
    const TkpPermissionBytes& PermissionFlags() const { return permissionFlags_; }
    bool OwnerAuthenticated() const { return ownerAuthenticated_; }

    // 0 when password is the user password (EncryptionKey is then set), -1 otherwise (EncryptionKey
    // unchanged).
    int CheckUserPassword(std::string_view password);
    // 0 when password is the owner password: the user password recovered from /O is handed back in
    // userPassword and checked with CheckUserPassword, which sets EncryptionKey. -1 otherwise. For
    // revision 3 with a key under 128 bits, both ways of hashing the owner key are tried (see
    // OwnerKeyDigest).
    int CheckOwnerPassword(std::string_view password, std::string& userPassword);
    // Tries password as owner, then as user password, and records the outcome in settings. An owner
    // keeps all permissions; a user gets the permissions of /P and the settings are locked afterwards.
    // False, and settings untouched, when neither accepts it. A locked settings record raises
    // "User cannot change encryption settings" when a password is accepted.
    bool VerifyPassword(TkpPDFEncryptionSettings& settings, std::string_view password);
    // Clears the permissions whose /P bit is 0; bits 9 to 12 count only for revision 3. Does nothing for
    // an owner-authenticated document.
    void RestrictPermissions();

    // RC4 with the object's key, in place; the length does not change.
    void DecryptString(std::string& bytes, int32_t objectNumber, int32_t generation) override;
    // The same over the whole buffer. Also serves data read before the handler existed, such as an object
    // stream's: pass that stream's own object number and generation.
    void DecryptStreamData(pw::TMemoryStream& data, int32_t objectNumber, int32_t generation) override;

private:
    // The candidate user password that /O holds under the owner password.
    std::string UserPasswordFromOwnerKey(std::string_view password, size_t hashedLength) const;

    TkpPermissionBytes permissionFlags_{};
    bool ownerAuthenticated_ = false;
};

// The owner password recorded for a document opened with its user password: kGeneratedOwnerPrefix, the
// local date and time as yyyymmddhhnnss, and a random number from 0 to 2147483646.
std::string GeneratedOwnerPassword();

}  // namespace kp
