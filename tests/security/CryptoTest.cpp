// MD5 and RC4 as wired to nettle, the password padding and the /P bytes.
#include <gtest/gtest.h>

#include "engine/security/Crypto.h"
#include "engine/security/KeyDerivation.h"
#include "engine/security/SecurityErrors.h"
#include "security/SecurityTestSupport.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using test::Hex;
using test::ToHex;

TEST(CryptoPrimitives, PublishedTestVectors) {
    const std::string abc = "abc";
    EXPECT_EQ(ToHex(MD5Of({std::span(reinterpret_cast<const uint8_t*>(abc.data()), abc.size())})),
              "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(ToHex(MD5Of({})), "D41D8CD98F00B204E9800998ECF8427E");

    std::string data = "Plaintext";
    const std::string key = "Key";
    RC4Crypt(std::span(reinterpret_cast<const uint8_t*>(key.data()), key.size()),
             std::span(reinterpret_cast<uint8_t*>(data.data()), data.size()));
    EXPECT_EQ(test::ToHex(data), "BBF316E8D940AF0AD3");
}

TEST(CryptoPrimitives, RC4RefusesKeysOutsideOneTo256Bytes) {
    uint8_t data[4] = {};
    const std::vector<uint8_t> longest(256, 1), tooLong(257, 1);
    EXPECT_ERROR(RC4Crypt({}, data), pw::Exception, "RC4: Invalid key length");
    EXPECT_ERROR(RC4Crypt(tooLong, data), pw::Exception, "RC4: Invalid key length");
    EXPECT_NO_THROW(RC4Crypt(longest, data));
}

TEST(CryptoPrimitives, PadPassword) {
    EXPECT_EQ(PadPassword(""), kPasswordPadding);
    EXPECT_EQ(ToHex(PadPassword("abc")), "616263" + ToHex(kPasswordPadding, 29));
    const std::string long40(40, 'x');
    EXPECT_EQ(ToHex(PadPassword(long40)), ToHex(std::string(32, 'x'))) << "only the first 32 bytes count";
}

TEST(CryptoPrimitives, PermissionBytes) {
    struct Row {
        int64_t value;
        const char* bytes;
    };
    for (const Row& row :
         {Row{-3904, "C0F0FFFF"}, Row{4294963392, "C0F0FFFF"}, Row{-44, "D4FFFFFF"}, Row{4294967252, "D4FFFFFF"},
          Row{4, "04000000"}, Row{65535, "FFFF0000"}, Row{65536, "0000FFFF"}}) {
        EXPECT_EQ(ToHex(PermissionBytes(row.value)), row.bytes) << row.value;
    }
}

}  // namespace
}  // namespace kp
