#include "engine/security/Crypto.h"

#include <nettle/arcfour.h>
#include <nettle/md5.h>

#include <string>

#include "engine/security/SecurityErrors.h"

namespace kp {

TkpMD5Digest MD5Of(std::initializer_list<std::span<const uint8_t>> parts) {
    md5_ctx context;
    md5_init(&context);
    for (const auto part : parts) md5_update(&context, part.size(), part.data());
    TkpMD5Digest digest{};
    md5_digest(&context, digest.size(), digest.data());
    return digest;
}

void RC4Crypt(std::span<const uint8_t> key, std::span<uint8_t> data) {
    if (key.size() < kRC4MinKeyLength || key.size() > kRC4MaxKeyLength) {
        throw pw::Exception(std::string(security::msg::kRC4KeyLength));
    }
    arcfour_ctx context;
    arcfour_set_key(&context, key.size(), key.data());
    if (!data.empty()) arcfour_crypt(&context, data.size(), data.data(), data.data());
}

}  // namespace kp
