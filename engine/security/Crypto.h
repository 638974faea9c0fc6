#pragma once
// MD5 (RFC 1321) and RC4, the two published algorithms the standard security handler is built on.
// Thin wrappers over nettle, which stays private to this folder.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace kp {

inline constexpr size_t kMD5DigestLength = 16;
using TkpMD5Digest = std::array<uint8_t, kMD5DigestLength>;

// RC4 accepts keys of 1 to 256 bytes; a key outside raises "RC4: Invalid key length".
inline constexpr size_t kRC4MinKeyLength = 1;
inline constexpr size_t kRC4MaxKeyLength = 256;

// MD5 of the parts taken one after another.
TkpMD5Digest MD5Of(std::initializer_list<std::span<const uint8_t>> parts);

// RC4 over data in place (encrypting and decrypting are the same operation).
void RC4Crypt(std::span<const uint8_t> key, std::span<uint8_t> data);

}  // namespace kp
