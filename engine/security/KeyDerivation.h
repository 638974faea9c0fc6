#pragma once
// The password algorithms of the standard security handler (RC4, revisions 2 to 4), shared by the
// decrypting and the encrypting direction. Pure functions: no state, no exceptions of their own.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/security/CryptTypes.h"
#include "engine/security/Crypto.h"

namespace kp {

// Passwords, /O and /U are 32 bytes long.
inline constexpr size_t kPasswordLength = 32;
using TkpKey32 = std::array<uint8_t, kPasswordLength>;
// /P as 4 bytes, lowest first.
using TkpPermissionBytes = std::array<uint8_t, 4>;

// The padding string of the standard security handler.
inline constexpr TkpKey32 kPasswordPadding = {
    0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41, 0x64, 0x00, 0x4E, 0x56, 0xFF, 0xFA, 0x01, 0x08,
    0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68, 0x3E, 0x80, 0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A,
};

// Revision 3 hashes the password digest 50 more times and runs RC4 20 times with varied keys.
inline constexpr int kRevision3HashRounds = 50;
inline constexpr int kRevision3RC4Passes = 20;

// The first 32 bytes of password, filled up with the leading bytes of the padding string.
TkpKey32 PadPassword(std::string_view password);

// /P as stored for the key computation: bits 0-15 of value, then FF FF when value is negative or above
// 65535, 00 00 otherwise (-3904 and 4294963392 both give C0 F0 FF FF).
TkpPermissionBytes PermissionBytes(int64_t value);

// The document key for a user password: MD5 of the padded password, /O, the /P bytes, the file identifier
// (left out when empty) and, when metadataClear (a revision-4 document with /EncryptMetadata false), four
// 0xFF bytes; revision 3 then hashes the first keyLength bytes 50 more times. The first keyLength bytes
// of the result are the key; the digest is returned whole.
TkpMD5Digest DocumentKeyDigest(std::string_view password, const TkpKey32& ownerKey,
                               const TkpPermissionBytes& permissions, std::span<const uint8_t> fileID,
                               bool metadataClear, TkpSecurityRevision revision, size_t keyLength);

// The RC4 key that encrypts /O: MD5 of the padded owner password, for revision 3 hashed 50 more times
// over the first hashedLength bytes; the first keyLength bytes of the result are the key. The PDF standard
// hashes all 16 bytes; some writers hash only the key's bytes, which differs for keys under 128 bits.
TkpMD5Digest OwnerKeyDigest(std::string_view ownerPassword, TkpSecurityRevision revision,
                            size_t hashedLength = kMD5DigestLength);

// The 20 RC4 passes of revision 3 over data in place, each with the key's bytes XORed with the pass
// number: 0 to 19 when encrypting, 19 down to 0 when decrypting.
void RC4Passes(std::span<const uint8_t> key, std::span<uint8_t> data, bool decrypting);

// MD5 of the padding string followed by the file identifier (left out when empty): what a revision-3
// /U holds, encrypted, in its first 16 bytes.
TkpMD5Digest UserCheckDigest(std::span<const uint8_t> fileID);

}  // namespace kp
