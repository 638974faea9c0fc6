#include "engine/security/KeyDerivation.h"

#include <algorithm>
#include <vector>

namespace kp {
namespace {

// /EncryptMetadata false adds these to the document key's digest.
constexpr std::array<uint8_t, 4> kMetadataClearMarker = {0xFF, 0xFF, 0xFF, 0xFF};

}  // namespace

TkpKey32 PadPassword(std::string_view password) {
    TkpKey32 padded{};
    const size_t taken = std::min(password.size(), kPasswordLength);
    std::copy_n(password.begin(), taken, padded.begin());
    std::copy_n(kPasswordPadding.begin(), kPasswordLength - taken, padded.begin() + static_cast<ptrdiff_t>(taken));
    return padded;
}

TkpPermissionBytes PermissionBytes(int64_t value) {
    const uint8_t high = value < 0 || value > 0xFFFF ? 0xFF : 0x00;
    return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF), high, high};
}

TkpMD5Digest DocumentKeyDigest(std::string_view password, const TkpKey32& ownerKey,
                               const TkpPermissionBytes& permissions, std::span<const uint8_t> fileID,
                               bool metadataClear, TkpSecurityRevision revision, size_t keyLength) {
    const TkpKey32 padded = PadPassword(password);
    const std::span<const uint8_t> marker =
        metadataClear ? std::span<const uint8_t>(kMetadataClearMarker) : std::span<const uint8_t>();
    TkpMD5Digest digest = MD5Of({padded, ownerKey, permissions, fileID, marker});
    if (revision == srRevision3) {
        const size_t hashed = std::min(keyLength, digest.size());
        for (int round = 0; round < kRevision3HashRounds; ++round) {
            digest = MD5Of({std::span<const uint8_t>(digest.data(), hashed)});
        }
    }
    return digest;
}

TkpMD5Digest OwnerKeyDigest(std::string_view ownerPassword, TkpSecurityRevision revision, size_t hashedLength) {
    TkpMD5Digest digest = MD5Of({PadPassword(ownerPassword)});
    if (revision == srRevision3) {
        const size_t hashed = std::min(hashedLength, digest.size());
        for (int round = 0; round < kRevision3HashRounds; ++round) {
            digest = MD5Of({std::span<const uint8_t>(digest.data(), hashed)});
        }
    }
    return digest;
}

void RC4Passes(std::span<const uint8_t> key, std::span<uint8_t> data, bool decrypting) {
    std::vector<uint8_t> passKey(key.begin(), key.end());
    for (int step = 0; step < kRevision3RC4Passes; ++step) {
        const int pass = decrypting ? kRevision3RC4Passes - 1 - step : step;
        for (size_t i = 0; i < key.size(); ++i) passKey[i] = static_cast<uint8_t>(key[i] ^ pass);
        RC4Crypt(passKey, data);
    }
}

TkpMD5Digest UserCheckDigest(std::span<const uint8_t> fileID) {
    return MD5Of({kPasswordPadding, fileID});
}

}  // namespace kp
