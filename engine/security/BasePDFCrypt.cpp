#include "engine/security/BasePDFCrypt.h"

#include <algorithm>

namespace kp {
namespace {

constexpr uint8_t ByteOf(uint32_t value, int index) { return static_cast<uint8_t>(value >> (8 * index)); }

}  // namespace

void TkpBasePDFCrypt::SetLevel(TkpPDFEncryptionLevel level) {
    level_ = level;
    revision_ = level == el40bit ? srRevision2 : srRevision3;
    keyLength_ = level == el40bit ? kMinKeyLength : kMaxKeyLength;
}

void TkpBasePDFCrypt::SetAlgorithm(TkpSecurityRevision revision, size_t keyLength) {
    revision_ = revision;
    keyLength_ = std::clamp(keyLength, kMinKeyLength, kMaxKeyLength);
    level_ = keyLength_ == kMinKeyLength ? el40bit : el128bit;
}

void TkpBasePDFCrypt::StoreEncryptionKey(const TkpMD5Digest& digest) {
    encryptionKey_.fill(0);
    std::copy_n(digest.begin(), keyLength_, encryptionKey_.begin());
}

TkpByteArray TkpBasePDFCrypt::ObjectKey(int32_t objectNumber, int32_t generation) const {
    const auto number = static_cast<uint32_t>(objectNumber);
    const auto gen = static_cast<uint32_t>(generation);
    const uint8_t salt[kObjectKeySalt] = {ByteOf(number, 0), ByteOf(number, 1), ByteOf(number, 2), ByteOf(gen, 0),
                                          ByteOf(gen, 1)};
    const TkpMD5Digest digest = MD5Of({KeyPart(encryptionKey_), salt});
    const size_t length = std::min(keyLength_ + kObjectKeySalt, digest.size());
    return TkpByteArray(digest.begin(), digest.begin() + static_cast<ptrdiff_t>(length));
}

}  // namespace kp
