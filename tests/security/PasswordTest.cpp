// Password attempts: owner and user opening, the settings record, permissions, and the decryptor on
// the reader.
#include <gtest/gtest.h>

#include "engine/security/EncryptDictionary.h"
#include "engine/security/SecurityErrors.h"
#include "security/SecurityTestSupport.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using test::Hex;
using test::Parse;
using test::ReaderOver;

// A 40-bit document without /Length or /R whose user password is empty and whose owner password is
// "secret" (entries computed independently), /P given by the test.
std::unique_ptr<TkpPDFDictObject> OwnerOnlyDocument(std::string_view permissions = "-44") {
    return Parse<TkpPDFDictObject>("<< /Filter /Standard /V 1 /P " + std::string(permissions) +
                                   " /O <BE72FF4450D87231D318B78F204E7589BC882E5A842C5B529F1F9DD0AC4DE2FC>"
                                   " /U <25696C91313877B0A9A7B31BC6A96A71FEEF38D9F8997DB6DA6FD99BE6492F07> >>");
}
constexpr std::string_view kOwnerOnlyKey = "B6FAABC472";
// "Encrypted text" and "BT (stream) Tj ET" encrypted for object 12, generation 0 of that document.
constexpr std::string_view kStringCipher = "6BFA856D59B1CA958648BD253EC1";
constexpr std::string_view kStreamCipher = "6CC0C63753B5CC958305E06012DF31E980";

std::unique_ptr<TkpPDFArrayObject> FileID() {
    return Parse<TkpPDFArrayObject>("[<000102030405060708090A0B0C0D0E0F><000102030405060708090A0B0C0D0E0F>]");
}

TkpUserPermissions Without(std::initializer_list<TkpUserPermissionsType> cleared) {
    TkpUserPermissions permissions = TkpUserPermissions::All();
    for (const auto p : cleared) permissions.Exclude(p);
    return permissions;
}

TEST(PasswordCheck, EmptyUserPasswordOpensAsUserAndLocksTheSettings) {
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    ASSERT_TRUE(PrepareStandardDecryption(decrypt, nullptr, *OwnerOnlyDocument(), FileID().get(), "", settings));

    EXPECT_FALSE(decrypt->OwnerAuthenticated());
    EXPECT_EQ(decrypt->Level(), el40bit);
    EXPECT_EQ(test::ToHex(decrypt->EncryptionKey(), 5), kOwnerOnlyKey);
    // /P -44: bits 4 (modify) and 6 (annotations) are 0; bits 9 to 12 do not count for 40 bits.
    EXPECT_EQ(decrypt->Permissions(), Without({AllowModify, AllowAnnotation}));

    EXPECT_TRUE(settings.Enabled());
    EXPECT_EQ(settings.Level(), el40bit);
    EXPECT_EQ(settings.UserPassword(), "");
    EXPECT_EQ(settings.UserPermissions(), decrypt->Permissions());
    EXPECT_FALSE(settings.Changeable());
    EXPECT_EQ(settings.OwnerPassword(), "") << "a generated owner password is never shown";
    settings.SetChangeable(true);
    EXPECT_EQ(settings.OwnerPassword().substr(0, kGeneratedOwnerPrefix.size()), kGeneratedOwnerPrefix);
}

TEST(PasswordCheck, OwnerPasswordOpensWithAllPermissions) {
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    ASSERT_TRUE(PrepareStandardDecryption(decrypt, nullptr, *OwnerOnlyDocument(), FileID().get(), "secret", settings));
    EXPECT_TRUE(decrypt->OwnerAuthenticated());
    EXPECT_EQ(decrypt->Permissions(), TkpUserPermissions::All());
    EXPECT_EQ(test::ToHex(decrypt->EncryptionKey(), 5), kOwnerOnlyKey);
    EXPECT_TRUE(settings.Changeable());
    EXPECT_EQ(settings.OwnerPassword(), "secret");
    EXPECT_EQ(settings.UserPassword(), "") << "the user password recovered from /O";
    EXPECT_EQ(settings.UserPermissions(), TkpUserPermissions::All());

    decrypt->RestrictPermissions();
    EXPECT_EQ(decrypt->Permissions(), TkpUserPermissions::All()) << "an owner keeps every permission";
}

TEST(PasswordCheck, WrongPasswordIsRefusedAndLeavesTheSettings) {
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    EXPECT_FALSE(PrepareStandardDecryption(decrypt, nullptr, *OwnerOnlyDocument(), FileID().get(), "Secret", settings));
    EXPECT_FALSE(settings.Enabled());
    EXPECT_TRUE(settings.Changeable());
    EXPECT_EQ(settings.Level(), el128bit);
    EXPECT_EQ(decrypt->EncryptionKey(), TkpMD5Digest{});
}

TEST(PasswordCheck, PermissionValueAsNegativeOrUnsignedIsTheSame) {
    TkpPDFEncryptionSettings a, b;
    std::unique_ptr<TkpPDFDecrypt> negative, unsignedValue;
    ASSERT_TRUE(PrepareStandardDecryption(negative, nullptr, *OwnerOnlyDocument("-44"), FileID().get(), "", a));
    ASSERT_TRUE(
        PrepareStandardDecryption(unsignedValue, nullptr, *OwnerOnlyDocument("4294967252"), FileID().get(), "", b));
    EXPECT_EQ(negative->PermissionFlags(), unsignedValue->PermissionFlags());
    EXPECT_EQ(negative->EncryptionKey(), unsignedValue->EncryptionKey());
    EXPECT_EQ(negative->Permissions(), unsignedValue->Permissions());
}

TEST(PasswordCheck, RestrictPermissionsByRevision) {
    // /P -3904 clears bits 3 to 6 and 9 to 12; revision 2 looks only at the first four.
    struct Row {
        const char* level;
        TkpUserPermissions expected;
    };
    const Row rows[] = {
        {"/Length 40", Without({AllowPrint, AllowModify, AllowCopy, AllowAnnotation})},
        {"/Length 128", TkpUserPermissions()},
    };
    for (const Row& row : rows) {
        TkpPDFDecrypt decrypt;
        ReadEncryptDictionary(decrypt,
                              *Parse<TkpPDFDictObject>("<< /O <01> /U <01> /P -3904 " + std::string(row.level) + " >>"),
                              FileID().get());
        decrypt.RestrictPermissions();
        EXPECT_EQ(decrypt.Permissions(), row.expected) << row.level;
    }
}

TEST(PasswordCheck, LockedSettingsRefuseALaterOwnerOpening) {
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    ASSERT_TRUE(PrepareStandardDecryption(decrypt, nullptr, *OwnerOnlyDocument(), FileID().get(), "", settings));
    EXPECT_ERROR(PrepareStandardDecryption(decrypt, nullptr, *OwnerOnlyDocument(), FileID().get(), "secret", settings),
                 pw::Exception, "User cannot change encryption settings");
}

TEST(EncryptionSettings, DefaultsAndLock) {
    TkpPDFEncryptionSettings settings;
    EXPECT_TRUE(settings.Changeable());
    EXPECT_FALSE(settings.Enabled());
    EXPECT_EQ(settings.Level(), el128bit);
    EXPECT_EQ(settings.UserPermissions(), TkpUserPermissions::All());
    settings.SetOwnerPassword("o");
    settings.SetChangeable(false);
    EXPECT_EQ(settings.OwnerPassword(), "");
    EXPECT_ERROR(settings.SetEnabled(true), pw::Exception, "User cannot change encryption settings");
    EXPECT_ERROR(settings.SetLevel(el40bit), pw::Exception, "User cannot change encryption settings");
    EXPECT_ERROR(settings.SetOwnerPassword("x"), pw::Exception, "User cannot change encryption settings");
    EXPECT_ERROR(settings.SetUserPassword("x"), pw::Exception, "User cannot change encryption settings");
    EXPECT_ERROR(settings.SetUserPermissions({}), pw::Exception, "User cannot change encryption settings");
    settings.SetChangeable(true);
    EXPECT_EQ(settings.OwnerPassword(), "o");
}

TEST(DecryptorOnReader, ReaderDecryptsStringsAndStreamsOfTheObject) {
    std::string text = "12 0 obj\n<< /T <" + std::string(kStringCipher) + "> /E () /H <> /Length 17 >>\nstream\n" +
                       Hex(kStreamCipher) + "\nendstream\nendobj\n";
    ReaderOver r(text);
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    ASSERT_TRUE(PrepareStandardDecryption(decrypt, &r.reader, *OwnerOnlyDocument(), FileID().get(), "", settings));
    ASSERT_EQ(r.reader.Decryptor(), decrypt.get());

    const auto object = r.reader.ReadObject();
    const auto* stream = As<TkpPDFStreamObject>(As<TkpPDFIndirectObject>(object.get())->Body.get());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(As<TkpPDFStringObject>(stream->Dict->Lookup("/T"))->Text, "(Encrypted text)");
    EXPECT_EQ(As<TkpPDFStringObject>(stream->Dict->Lookup("/E"))->Text, "()") << "empty strings stay empty";
    EXPECT_EQ(As<TkpPDFStringObject>(stream->Dict->Lookup("/H"))->Text, "<>");
    EXPECT_EQ(r.reader.ReadStreamData(17, 12, 0)->ToString(), "BT (stream) Tj ET");

    // Data read before the handler existed (an object stream's) is decrypted with its own object's key.
    pw::TMemoryStream early(Hex(kStreamCipher));
    decrypt->DecryptStreamData(early, 12, 0);
    EXPECT_EQ(early.ToString(), "BT (stream) Tj ET");
}

TEST(DecryptorOnReader, EachAttemptReplacesTheLastOnTheReader) {
    ReaderOver r("");
    TkpPDFEncryptionSettings settings;
    std::unique_ptr<TkpPDFDecrypt> decrypt;
    EXPECT_FALSE(PrepareStandardDecryption(decrypt, &r.reader, *OwnerOnlyDocument(), FileID().get(), "x", settings));
    EXPECT_EQ(r.reader.Decryptor(), decrypt.get()) << "installed before the password is checked";

    const auto bad = Parse<TkpPDFArrayObject>("[()]");
    EXPECT_ERROR(PrepareStandardDecryption(decrypt, &r.reader, *OwnerOnlyDocument(), bad.get(), "", settings),
                 pw::Exception, "Invalid FileId.");
    ASSERT_NE(decrypt, nullptr) << "the failed attempt's decryptor stays with the document";
    EXPECT_FALSE(decrypt->OwnerAuthenticated());
    EXPECT_EQ(r.reader.Decryptor(), nullptr) << "never left pointing at a destroyed decryptor";

    EXPECT_TRUE(PrepareStandardDecryption(decrypt, &r.reader, *OwnerOnlyDocument(), FileID().get(), "", settings));
    EXPECT_EQ(r.reader.Decryptor(), decrypt.get());
}

}  // namespace
}  // namespace kp
