// Known answers of the key derivations. The expected values were computed with an independent
// implementation of the standard security handler's algorithms (owner password "owner", user password
// "user", file identifier 00 01 .. 0F), not with this code.
#include <gtest/gtest.h>

#include "engine/security/EncryptDictionary.h"
#include "engine/security/PDFEncryption.h"
#include "security/SecurityTestSupport.h"

namespace kp {
namespace {

using test::Hex;
using test::Parse;
using test::ToHex;

constexpr std::string_view kFileID = "000102030405060708090A0B0C0D0E0F";

struct KnownAnswer {
    const char* name;
    // The entries of /Encrypt that choose the algorithm.
    const char* entries;
    TkpSecurityRevision revision;
    size_t keyLength;
    bool encryptMetadata;
    int64_t permissions;
    const char* owner;      // /O
    const char* user;       // /U
    const char* key;        // the document key
    const char* objectKey;  // ObjectKey(7, 0)
    const char* cipher;     // "Hello" encrypted for object 7, generation 0
};

const KnownAnswer kAnswers[] = {
    {"40-bit revision 2", "/V 1 /R 2 /Length 40 /P -44", srRevision2, 5, true, -44,
     "94E8094419662A774442FB072E3D9F19E9D130EC09A4D0061E78FE920F7AB62F",
     "4A42BD4C10DCEDE0C89DDC347E317CAEDE858B3EB906273792FE7382AE8F1C3E", "12F4702081", "60D2206CB1E47E9E80C2",
     "0986638F46"},
    {"128-bit revision 3", "/V 2 /R 3 /Length 128 /P -3904", srRevision3, 16, true, -3904,
     "0BA3835F88F90388E74E54584125CE142BE0DE24C6B0D37746E075B891756671",
     "B8D04C0B647956D75DF3B1F5A437EF9700000000000000000000000000000000", "EBC53CF170C71152A5BA9925BD0FEFC3",
     "A92B9A572BDE3762112F40846BBF7F70", "BC976A6293"},
    {"40-bit revision 3", "/V 1 /R 3 /Length 40 /P -44", srRevision3, 5, true, -44,
     "3C482162008FAFCB228B7DB3C43A1090BC5B56E9B1556E89FC0656FD291F4908",
     "0EE71A91A3BCA3518285D3765E3A076300000000000000000000000000000000", "98587F4D21", "C2D2BD7E3035BE5266FF",
     "DB98DD7945"},
    {"128-bit revision 4 with /EncryptMetadata false",
     "/V 4 /R 4 /Length 128 /P -3904 /EncryptMetadata false /CF << /StdCF << /CFM /V2 >> >> /StmF /StdCF "
     "/StrF /StdCF",
     srRevision3, 16, false, -3904, "0BA3835F88F90388E74E54584125CE142BE0DE24C6B0D37746E075B891756671",
     "8CFE739C15D10ED11168124AF4CAC78E00000000000000000000000000000000", "B7F28EE1B51D773508063D025D186024",
     "28723D99FC0D517ADC4601CFFD94849B", "4C834D3C83"},
};

void PrintTo(const KnownAnswer& answer, std::ostream* out) {
    *out << answer.name;
}

class KnownAnswers : public testing::TestWithParam<KnownAnswer> {
protected:
    std::unique_ptr<TkpPDFDictObject> Dictionary(std::string_view entries) const {
        return Parse<TkpPDFDictObject>("<< /Filter /Standard " + std::string(entries) + " /O <" + GetParam().owner +
                                       "> /U <" + GetParam().user + "> >>");
    }
    std::unique_ptr<TkpPDFArrayObject> ID() const {
        return Parse<TkpPDFArrayObject>("[<" + std::string(kFileID) + "><" + std::string(kFileID) + ">]");
    }
};

TEST_P(KnownAnswers, DecryptorFindsTheKeyAndDecrypts) {
    const KnownAnswer& answer = GetParam();
    TkpPDFDecrypt decrypt;
    ReadEncryptDictionary(decrypt, *Dictionary(answer.entries), ID().get());
    EXPECT_EQ(decrypt.Revision(), answer.revision);
    EXPECT_EQ(decrypt.KeyLength(), answer.keyLength);

    std::string recovered;
    EXPECT_EQ(decrypt.CheckUserPassword("User"), -1);
    EXPECT_EQ(decrypt.CheckOwnerPassword("user", recovered), -1) << "the user password is not the owner's";
    EXPECT_EQ(decrypt.EncryptionKey(), TkpMD5Digest{}) << "a refused password leaves the key unset";

    ASSERT_EQ(decrypt.CheckOwnerPassword("owner", recovered), 0);
    EXPECT_EQ(recovered, "user");
    ASSERT_EQ(decrypt.CheckUserPassword("user"), 0);
    EXPECT_EQ(ToHex(decrypt.EncryptionKey(), answer.keyLength), answer.key);
    EXPECT_EQ(ToHex(decrypt.EncryptionKey()).substr(answer.keyLength * 2),
              std::string((16 - answer.keyLength) * 2, '0'));
    EXPECT_EQ(ToHex(decrypt.ObjectKey(7, 0)), answer.objectKey);

    std::string text = Hex(answer.cipher);
    decrypt.DecryptString(text, 7, 0);
    EXPECT_EQ(text, "Hello");
}

TEST_P(KnownAnswers, EncryptionGivesTheSameEntries) {
    const KnownAnswer& answer = GetParam();
    TkpPDFEncryption encryption;
    encryption.SetAlgorithm(answer.revision, answer.keyLength);
    encryption.SetEncryptMetadata(answer.encryptMetadata);
    encryption.SetFileID(HexToByteArray(kFileID));
    encryption.ComputeKeys("owner", "user", answer.permissions);
    EXPECT_EQ(ToHex(encryption.OwnerKey()), answer.owner);
    EXPECT_EQ(ToHex(encryption.UserKey()), answer.user);
    EXPECT_EQ(ToHex(encryption.EncryptionKey(), answer.keyLength), answer.key);

    std::string text = "Hello";
    encryption.EncryptString(text, 7, 0);
    EXPECT_EQ(ToHex(text), answer.cipher);
}

INSTANTIATE_TEST_SUITE_P(StandardHandler, KnownAnswers, testing::ValuesIn(kAnswers),
                         [](const testing::TestParamInfo<KnownAnswer>& info) {
                             std::string name;
                             for (const char c : std::string_view(info.param.name)) {
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             }
                             return name;
                         });

// The algorithm follows /R; without /R the key length alone decides, as before.
TEST(KnownAnswerRules, RevisionThreeWithFortyBitsNeedsR) {
    const KnownAnswer& answer = kAnswers[2];
    const auto id = Parse<TkpPDFArrayObject>("[<" + std::string(kFileID) + ">]");
    TkpPDFDecrypt withoutR;
    ReadEncryptDictionary(withoutR,
                          *Parse<TkpPDFDictObject>(std::string("<< /Length 40 /P -44 /O <") + answer.owner + "> /U <" +
                                                   answer.user + "> >>"),
                          id.get());
    EXPECT_EQ(withoutR.Revision(), srRevision2);
    EXPECT_EQ(withoutR.CheckUserPassword("user"), -1);
}

// Some writers hash only the key's 5 bytes in the owner key's 50 rounds (entries computed that way for
// owner "ownerpw", user "userpw"); the owner password opens such a file as well.
TEST(KnownAnswerRules, OwnerKeyHashedOverTheKeyLengthOnly) {
    const auto id = Parse<TkpPDFArrayObject>("[<" + std::string(kFileID) + ">]");
    TkpPDFDecrypt decrypt;
    ReadEncryptDictionary(
        decrypt,
        *Parse<TkpPDFDictObject>("<< /V 2 /R 3 /Length 40 /P -44"
                                 " /O <68DBCA4666A2877BC572DA0EFDC5103D708A525DE32C51996040A12D589AC0DB>"
                                 " /U <AF1BB4F85068617193E08CE5F6853CFA00000000000000000000000000000000> >>"),
        id.get());
    std::string recovered;
    ASSERT_EQ(decrypt.CheckOwnerPassword("ownerpw", recovered), 0);
    EXPECT_EQ(recovered, "userpw");
    EXPECT_EQ(ToHex(decrypt.EncryptionKey(), 5), "040323F3C0");
}

TEST(KnownAnswerRules, RevisionTwoAlwaysUsesFortyBits) {
    const KnownAnswer& answer = kAnswers[0];
    const auto id = Parse<TkpPDFArrayObject>("[<" + std::string(kFileID) + ">]");
    TkpPDFDecrypt decrypt;
    ReadEncryptDictionary(decrypt,
                          *Parse<TkpPDFDictObject>(std::string("<< /R 2 /Length 128 /P -44 /O <") + answer.owner +
                                                   "> /U <" + answer.user + "> >>"),
                          id.get());
    EXPECT_EQ(decrypt.KeyLength(), 5u);
    EXPECT_EQ(decrypt.Level(), el40bit);
    EXPECT_EQ(decrypt.CheckUserPassword("user"), 0);
}

TEST(KnownAnswerRules, EncryptMetadataFalseCountsOnlyForRevision4) {
    const KnownAnswer& answer = kAnswers[3];
    const auto id = Parse<TkpPDFArrayObject>("[<" + std::string(kFileID) + ">]");
    const std::string keys = std::string(" /O <") + answer.owner + "> /U <" + answer.user + "> >>";
    TkpPDFDecrypt metadataDefault;
    ReadEncryptDictionary(metadataDefault, *Parse<TkpPDFDictObject>("<< /V 4 /R 4 /Length 128 /P -3904" + keys),
                          id.get());
    EXPECT_EQ(metadataDefault.CheckUserPassword("user"), -1) << "the 0xFF bytes are part of this document's key";

    TkpPDFDecrypt revision3;
    ReadEncryptDictionary(revision3,
                          *Parse<TkpPDFDictObject>("<< /V 2 /R 3 /Length 128 /P -3904 /EncryptMetadata false" + keys),
                          id.get());
    EXPECT_TRUE(revision3.EncryptMetadata()) << "revision 3 has no unencrypted metadata";
}

}  // namespace
}  // namespace kp
