// Reading /Encrypt and /ID: the errors of bad entries, in the order they are met, and the entries of
// unusual shape that still open.
#include <gtest/gtest.h>

#include "engine/security/EncryptDictionary.h"
#include "engine/security/SecurityErrors.h"
#include "security/SecurityTestSupport.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using test::Parse;

constexpr std::string_view kGoodID = "[<000102030405060708090A0B0C0D0E0F><000102030405060708090A0B0C0D0E0F>]";
constexpr std::string_view kKeys = " /O <0102> /U <0304> ";

struct BadInput {
    const char* why;
    std::string dictionary;
    std::string_view id;
    std::string_view message;
};

void Read(const BadInput& row) {
    TkpPDFDecrypt decrypt;
    const auto id = Parse<TkpPDFArrayObject>(row.id);
    ReadEncryptDictionary(decrypt, *Parse<TkpPDFDictObject>(row.dictionary), id.get());
}

TEST(EncryptDictionary, PlainErrors) {
    const BadInput rows[] = {
        {"an empty literal identifier", "<< /O <01> /U <01> /P -4 >>", "[() ()]", "Invalid FileId."},
        {"an empty hexadecimal identifier", "<< /O <01> /U <01> /P -4 >>", "[<> <>]", "Invalid FileId."},
        {"/O missing", "<< /U <01> /P -4 >>", kGoodID, "Invalid Owner Key."},
        {"/O empty", "<< /O () /U <01> /P -4 >>", kGoodID, "Invalid Owner Key."},
        {"/U missing", "<< /O <01> /P -4 >>", kGoodID, "Invalid User Key."},
        {"/U empty", "<< /O <01> /U <> /P -4 >>", kGoodID, "Invalid User Key."},
        {"the identifier is read before /O", "<< /P -4 >>", "[()]", "Invalid FileId."},
        {"/O and /U before /P", "<< /O <01> /P 1.5 >>", kGoodID, "Invalid User Key."},
    };
    for (const BadInput& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_ERROR(Read(row), pw::Exception, row.message);
    }
}

TEST(EncryptDictionary, InvalidCasts) {
    const BadInput rows[] = {
        {"/O a name", "<< /O /Owner /U <01> /P -4 >>", kGoodID, ""},
        {"/U a number", "<< /O <01> /U 5 /P -4 >>", kGoodID, ""},
        {"/Length a name", "<< /O <01> /U <01> /P -4 /Length /Long >>", kGoodID, ""},
        {"/Length a real", "<< /O <01> /U <01> /P -4 /Length 128.0 >>", kGoodID, ""},
        {"/Length a 64-bit integer", "<< /O <01> /U <01> /P -4 /Length 4294967296 >>", kGoodID, ""},
        {"first /ID item not a string", "<< /O <01> /U <01> /P -4 >>", "[5 <000102030405060708090A0B0C0D0E0F>]", ""},
    };
    for (const BadInput& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_ERROR(Read(row), pw::EInvalidCast, "Invalid class typecast");
    }
}

TEST(EncryptDictionary, InvalidPermission) {
    for (const char* p : {"/P 1.5", "/P /All", "/P (-4)", ""}) {
        SCOPED_TRACE(p);
        EXPECT_ERROR(Read({"", "<<" + std::string(kKeys) + p + " /Length 40.5 >>", kGoodID, ""}),
                     security::EInvalidPermission, "Invalid permission in encryption dictionary");
    }
}

TEST(EncryptDictionary, AESIsRefusedFirst) {
    const BadInput rows[] = {
        {"V 4 with an AESV2 filter for streams",
         "<< /V 4 /R 4 /CF << /StdCF << /CFM /AESV2 >> >> /StmF /StdCF /StrF /Identity" + std::string(kKeys) +
             "/P -4 >>",
         kGoodID, "Unsupported encryption method: AES-128"},
        {"V 4 with an AESV2 filter for strings, before a bad /ID",
         "<< /V 4 /R 4 /CF << /Str << /CFM /AESV2 >> >> /StrF /Str" + std::string(kKeys) + "/P -4 >>", "[(x)]",
         "Unsupported encryption method: AES-128"},
        {"V 4 with an AESV3 filter", "<< /V 4 /CF << /F << /CFM /AESV3 >> >> /StmF /F /StrF /F >>", kGoodID,
         "Unsupported encryption method: AES-256"},
        {"V 5", "<< /V 5 /R 5 >>", kGoodID, "Unsupported encryption method: AES-256"},
        {"R 6 alone", "<< /R 6 /O <01> /U <01> /P -4 >>", kGoodID, "Unsupported encryption method: AES-256"},
    };
    for (const BadInput& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_ERROR(Read(row), security::EUnsupportedEncryption, row.message);
    }
}

TEST(EncryptDictionary, RC4CryptFiltersAreAccepted) {
    TkpPDFDecrypt decrypt;
    const auto id = Parse<TkpPDFArrayObject>(kGoodID);
    EXPECT_NO_THROW(ReadEncryptDictionary(
        decrypt,
        *Parse<TkpPDFDictObject>("<< /V 4 /R 4 /Length 128 /CF << /StdCF << /CFM /V2 >> /Other << /CFM /AESV2 >> >> "
                                 "/StmF /StdCF /StrF /StdCF /EFF /Other" +
                                 std::string(kKeys) + "/P -4 >>"),
        id.get()))
        << "an AES filter for embedded files only does not stop RC4 strings and streams";
}

// The choice for a trailer without /ID: go on with an empty identifier, which the keys then leave out.
TEST(EncryptDictionary, MissingIdentifierOpensWithoutIt) {
    const auto encrypt = Parse<TkpPDFDictObject>(
        "<< /V 1 /R 2 /P -4 /O <2055C756C72E1AD702608E8196ACAD447AD32D17CFF583235F6DD15FED7DAB67>"
        " /U <F010714C0A1C95252D8ABCDEF4B77CBC571110A620CC602B4B5086A257160465> >>");
    for (const char* id : {"", "[]"}) {
        SCOPED_TRACE(id);
        TkpPDFDecrypt decrypt;
        const auto array = *id != '\0' ? Parse<TkpPDFArrayObject>(id) : nullptr;
        ReadEncryptDictionary(decrypt, *encrypt, array.get());
        EXPECT_TRUE(decrypt.FileID().empty());
        ASSERT_EQ(decrypt.CheckUserPassword(""), 0);
        EXPECT_EQ(test::ToHex(decrypt.EncryptionKey(), 5), "663AE6A62C");
    }
}

TEST(EncryptDictionary, IdentifiersAreTheBytesTheyHold) {
    const auto encrypt = Parse<TkpPDFDictObject>("<< /O <01> /U <01> /P -4 >>");
    struct Row {
        const char* id;
        const char* fileID;
    };
    const Row rows[] = {
        {"[<000102030405060708090A0B0C0D0E0F>]", "000102030405060708090A0B0C0D0E0F"},
        {"[<000102030405060708090A0B0C0D0E>]", "000102030405060708090A0B0C0D0E"},  // 15 bytes, as written
        {"[(\\000\\001\\002\\003\\004\\005\\006\\007\\010\\011\\012\\013\\014\\015\\016\\017)]",
         "000102030405060708090A0B0C0D0E0F"},  // a 16-byte literal: its bytes, not "Invalid FileId."
        {"[(0123456789abcdef0123456789ABCDEF)]", "0123456789ABCDEF0123456789ABCDEF"},  // 32 digits in a literal
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        TkpPDFDecrypt decrypt;
        const auto id = Parse<TkpPDFArrayObject>(row.id);
        ReadEncryptDictionary(decrypt, *encrypt, id.get());
        EXPECT_EQ(test::ToHex(decrypt.FileID(), decrypt.FileID().size()), row.fileID);
    }
}

TEST(EncryptDictionary, KeysOfOtherLengths) {
    const auto id = Parse<TkpPDFArrayObject>(kGoodID);
    // Revision 3 compares only the first 16 bytes of /U: a /U cut to them still opens (the 128-bit
    // known answer of KnownAnswerTest.cpp).
    const std::string owner = "0BA3835F88F90388E74E54584125CE142BE0DE24C6B0D37746E075B891756671";
    TkpPDFDecrypt shortUser;
    ReadEncryptDictionary(shortUser,
                          *Parse<TkpPDFDictObject>("<< /R 3 /Length 128 /P -3904 /O <" + owner +
                                                   "> /U <B8D04C0B647956D75DF3B1F5A437EF97> >>"),
                          id.get());
    EXPECT_EQ(shortUser.CheckUserPassword("user"), 0);

    // A longer /O keeps its first 32 bytes; a shorter one is filled with zeros and refuses the password.
    TkpPDFDecrypt longOwner;
    ReadEncryptDictionary(longOwner,
                          *Parse<TkpPDFDictObject>("<< /R 3 /Length 128 /P -3904 /O <" + owner +
                                                   "FFFFFFFF> /U <B8D04C0B647956D75DF3B1F5A437EF97> >>"),
                          id.get());
    EXPECT_EQ(test::ToHex(longOwner.OwnerKey()), owner);
    EXPECT_EQ(longOwner.CheckUserPassword("user"), 0);

    TkpPDFDecrypt shortOwner;
    ReadEncryptDictionary(shortOwner,
                          *Parse<TkpPDFDictObject>("<< /R 3 /Length 128 /P -3904 /O <" + owner.substr(0, 32) +
                                                   "> /U <B8D04C0B647956D75DF3B1F5A437EF97> >>"),
                          id.get());
    EXPECT_EQ(test::ToHex(shortOwner.OwnerKey()), owner.substr(0, 32) + std::string(32, '0'));
    std::string recovered;
    EXPECT_EQ(shortOwner.CheckUserPassword("user"), -1);
    EXPECT_EQ(shortOwner.CheckOwnerPassword("owner", recovered), -1);
}

TEST(EncryptDictionary, LiteralKeysAreTakenAsBytes) {
    TkpPDFDecrypt decrypt;
    const auto id = Parse<TkpPDFArrayObject>(kGoodID);
    ReadEncryptDictionary(decrypt, *Parse<TkpPDFDictObject>("<< /O (a\\)b) /U (<>) /P -4 >>"), id.get());
    EXPECT_EQ(test::ToHex(decrypt.OwnerKey(), 4), "61296200");
    EXPECT_EQ(test::ToHex(decrypt.UserKey(), 3), "3C3E00") << "a literal that looks like hex stays literal";
}

TEST(EncryptDictionary, KeyLengthOfRevisionThree) {
    const auto id = Parse<TkpPDFArrayObject>(kGoodID);
    struct Row {
        const char* entries;
        TkpSecurityRevision revision;
        size_t keyLength;
        TkpPDFEncryptionLevel level;
    };
    const Row rows[] = {
        {"/Length 40", srRevision2, 5, el40bit},        {"", srRevision2, 5, el40bit},
        {"/Length 128", srRevision3, 16, el128bit},     {"/Length 56", srRevision3, 16, el128bit},
        {"/R 3 /Length 56", srRevision3, 7, el128bit},  {"/R 3", srRevision3, 5, el40bit},
        {"/R 3 /Length 41", srRevision3, 16, el128bit}, {"/R 4 /Length 128", srRevision3, 16, el128bit},
        {"/R 2 /Length 128", srRevision2, 5, el40bit},  {"/R 1 /Length 128", srRevision3, 16, el128bit},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entries);
        TkpPDFDecrypt decrypt;
        ReadEncryptDictionary(
            decrypt, *Parse<TkpPDFDictObject>("<<" + std::string(kKeys) + "/P -4 " + row.entries + ">>"), id.get());
        EXPECT_EQ(decrypt.Revision(), row.revision);
        EXPECT_EQ(decrypt.KeyLength(), row.keyLength);
        EXPECT_EQ(decrypt.Level(), row.level);
    }
}

}  // namespace
}  // namespace kp
