// Encrypted documents through the whole load: the empty-password attempt, the password loop, owner and user
// passwords, encrypted object streams, and methods that are refused.
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "engine/filters/DecodePipeline.h"
#include "engine/security/SecurityErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using test::Fixture;

// A document whose password handler offers the given passwords in turn, then gives up.
struct AskingDocument : TkpCustomPDFDocument {
    explicit AskingDocument(std::vector<std::string> answers) : answers_(std::move(answers)) {
        OnPassword = [this](void*, std::string& password, bool& continueAsking, int attempt) {
            tries.push_back(attempt);
            if (static_cast<size_t>(attempt) < answers_.size()) {
                password = answers_[static_cast<size_t>(attempt)];
            } else {
                continueAsking = false;
            }
        };
    }
    std::vector<int> tries;

private:
    std::vector<std::string> answers_;
};

TEST(EncryptedLoad, EmptyUserPasswordOpensWithoutAHandler) {
    // Some files have an empty owner password too: the empty password then opens them as owner.
    struct Case { const char* file; int pages; bool owner; };
    const Case cases[] = {
        {"security/q-rc4-40-empty.pdf", 3, false},           // 40-bit, revision 2
        {"security/enc-R3_V2.pdf", 30, true},                // 128-bit, revision 3
        {"security/V4-clearmeta.pdf", 30, true},             // revision 4 with /EncryptMetadata false
        {"document/q-rc4-128-objstm.pdf", 3, false},         // object streams encrypted like every stream
        {"document/encrypted-with-images.pdf", 2, true},
    };
    for (const Case& c : cases) {
        TkpCustomPDFDocument doc;
        ASSERT_NO_THROW(doc.LoadFromFile(Fixture(c.file))) << c.file;
        EXPECT_TRUE(doc.IsEncrypted()) << c.file;
        EXPECT_EQ(doc.PageCount(), c.pages) << c.file;
        EXPECT_EQ(doc.IsOwner(), c.owner) << c.file;
        EXPECT_TRUE(doc.Encryption().Enabled()) << c.file;
        EXPECT_EQ(doc.Encryption().Changeable(), c.owner) << c.file << ": opened as user, the settings are locked";
    }
}

TEST(EncryptedLoad, ContentIsDecryptedBeforeItIsDecoded) {
    TkpCustomPDFDocument doc;
    doc.LoadFromFile(Fixture("security/q-rc4-40-empty.pdf"));
    const auto* page = As<TkpPDFDictObject>(doc.Pages()[0]->Body.get());
    const TkpPDFStreamObject* contents = doc.ObjectStore().ResolveStream(page->Lookup("/Contents"));
    ASSERT_NE(contents, nullptr);
    const auto decoded = DecodeStreamData(*contents->Data, contents->Dict->Lookup("/Filter"));
    EXPECT_NE(decoded->ToString().find("Tf"), std::string::npos) << "clear content operators after decryption";
}

TEST(EncryptedLoad, UserPasswordWithoutAHandlerLoadsNoPages) {
    TkpCustomPDFDocument doc;
    EXPECT_TRUE(doc.LoadFromFile(Fixture("security/q-rc4-128-userpw.pdf")));
    EXPECT_TRUE(doc.IsLoaded());
    EXPECT_EQ(doc.PageCount(), 0);
}

TEST(EncryptedLoad, PasswordLoop) {
    AskingDocument right({"wrong", "also wrong", "mango128"});
    EXPECT_TRUE(right.LoadFromFile(Fixture("security/q-rc4-128-userpw.pdf")));
    EXPECT_EQ(right.tries, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(right.PageCount(), 6);
    EXPECT_EQ(right.Encryption().UserPassword(), "mango128");

    AskingDocument giveUp({"wrong", "wrong"});
    EXPECT_FALSE(giveUp.LoadFromFile(Fixture("security/q-rc4-128-userpw.pdf")));
    EXPECT_EQ(giveUp.tries, (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(giveUp.IsLoaded()) << "a handler that gives up resets the document";
    EXPECT_EQ(giveUp.PageCount(), 0);

    AskingDocument revision3With40Bits({"623"});
    revision3With40Bits.LoadFromFile(Fixture("security/encrypted-40-bit-R3.pdf"));
    EXPECT_EQ(revision3With40Bits.PageCount(), 1);

    AskingDocument owner({"master"});
    owner.LoadFromFile(Fixture("security/enc-R2_V1_U-view_O-master.pdf"));
    EXPECT_EQ(owner.PageCount(), 30);
    EXPECT_TRUE(owner.IsOwner());
    EXPECT_EQ(owner.Encryption().UserPassword(), "view") << "the user password recovered from /O";
}

TEST(EncryptedLoad, AESIsRefusedAtOnce) {
    TkpCustomPDFDocument doc;
    EXPECT_ERROR(doc.LoadFromFile(Fixture("security/q-aes-128.pdf")), security::EUnsupportedEncryption,
                 "Unsupported encryption method: AES-128");
    EXPECT_EQ(doc.Reader(), nullptr);
}

}  // namespace
}  // namespace kp
