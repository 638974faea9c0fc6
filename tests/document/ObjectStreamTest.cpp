// Object streams: members unpacked into the store while the file structure is read, the information
// dictionary taken from one, out-of-date members, decryption of the stream data, and damaged streams.
#include <gtest/gtest.h>

#include <set>

#include "DocumentFixture.h"
#include "engine/document/DocumentErrors.h"
#include "support/ErrorMatchers.h"
#include "support/PdfBuilder.h"

namespace kp {
namespace {

using namespace document;
using test::PdfBuilder;
using test::RecordingDocument;

// How many stored objects carry this object number.
int StoredCopies(const TkpCustomPDFDocument& doc, int32_t number) {
    int copies = 0;
    for (int32_t i = 0; i < doc.ObjectStore().Count(); ++i) copies += doc.ObjectStore().Items(i)->ObjectNumber == number;
    return copies;
}

TkpPDFIndirectObject* Stored(const TkpCustomPDFDocument& doc, int32_t number) {
    const int32_t index = doc.ObjectStore().IndexOf(doc.DocumentSerial(), number, 0);
    return index < 0 ? nullptr : doc.ObjectStore().Items(index);
}

TEST(ObjectStream, MembersAreStoredWhileTheStructureIsRead) {
    // Catalog, page-tree root and three pages in object stream 10; page 3's contents (6) and the root's
    // resources (7) lie in the file.
    PdfBuilder pdf("%PDF-1.5\n");
    pdf.Compressed(10, 1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.Compressed(10, 2, "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] /Count 3 /MediaBox [0 0 200 300] /Resources 7 0 R >>");
    pdf.Compressed(10, 3, "<< /Type /Page /Parent 2 0 R /Contents 6 0 R >>");
    pdf.Compressed(10, 4, "<< /Type /Page /Parent 2 0 R >>");
    pdf.Compressed(10, 5, "<< /Type /Page /Parent 2 0 R >>");
    pdf.Stream(6, "", "BT (Hello) Tj ET");
    pdf.Object(7, "<< /ProcSet [/PDF] >>");
    pdf.XRefStream();
    const std::string file = pdf.Build();

    pw::TMemoryStream bytes(file);
    RecordingDocument structure;
    structure.ReadFileStructure(bytes);
    for (int32_t number : {1, 2, 3, 4, 5}) {
        ASSERT_NE(Stored(structure, number), nullptr) << number;
        EXPECT_EQ(structure.GetObjectOffset(number), 0) << "members are never looked for in the file";
    }
    EXPECT_EQ(Stored(structure, 7), nullptr) << "the page-tree root is left for the page-tree walk";
    ASSERT_NE(Stored(structure, 6), nullptr) << "what a member refers to is brought in from the file";
    EXPECT_EQ(Stored(structure, 1)->UseCount, 1) << "walked members are marked used";
    EXPECT_EQ(Stored(structure, 10), nullptr) << "the object stream itself is not stored";
    EXPECT_EQ(structure.ObjectStore().ObjectNumberCounter(), 12);

    RecordingDocument doc;
    ASSERT_NO_THROW(doc.LoadFromMemory(file));
    EXPECT_EQ(doc.PageCount(), 3);
    EXPECT_EQ(doc.Pages()[0], Stored(doc, 3));
}

TEST(ObjectStream, InformationDictionaryIsNotStored) {
    PdfBuilder pdf = PdfBuilder::Simple(1);
    pdf.Compressed(10, 7, "<< /Title (Packed) >>").Compressed(10, 8, "(other)");
    pdf.Trailer("/Root 1 0 R /Info 7 0 R").XRefStream();
    RecordingDocument doc;
    ASSERT_NO_THROW(doc.LoadFromMemory(pdf.Build()));
    EXPECT_TRUE(doc.Info().FromObjectStream);
    ASSERT_NE(doc.Info().Dictionary->Lookup("/Title"), nullptr);
    EXPECT_EQ(As<TkpPDFStringObject>(doc.Info().Dictionary->Lookup("/Title"))->Text, "(Packed)");
    EXPECT_EQ(StoredCopies(doc, 7), 0);
    EXPECT_EQ(StoredCopies(doc, 8), 1);

    // An information "dictionary" of another kind is refused.
    PdfBuilder wrong = PdfBuilder::Simple(1);
    wrong.Compressed(10, 7, "[1 2]").Trailer("/Root 1 0 R /Info 7 0 R").XRefStream();
    RecordingDocument failed;
    EXPECT_ERROR(failed.LoadFromMemory(wrong.Build()), pw::EInvalidCast, "Invalid class typecast");
}

TEST(ObjectStream, EachObjectStreamIsUnpackedOnce) {
    // Entries 1 and 3 name stream 10 with an entry of stream 11 between them: stream 10 is still read once.
    PdfBuilder pdf;
    pdf.Compressed(10, 1, "<< /Type /Catalog /Pages 2 0 R >>").Compressed(10, 3, "<< /Type /Page /Parent 2 0 R >>");
    pdf.Compressed(11, 2, "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 10 10] >>");
    pdf.XRefStream();
    RecordingDocument doc;
    ASSERT_NO_THROW(doc.LoadFromMemory(pdf.Build()));
    EXPECT_EQ(doc.PageCount(), 1);
    for (int32_t number : {1, 2, 3}) EXPECT_EQ(StoredCopies(doc, number), 1) << number;
}

TEST(ObjectStream, NewerEntriesOverrideOlderMembers) {
    // An update moves page 3 out of object stream 10, into the file or into a new object stream 12.
    for (const bool intoStream : {false, true}) {
        PdfBuilder pdf("%PDF-1.5\n");
        pdf.Compressed(10, 1, "<< /Type /Catalog /Pages 2 0 R >>");
        pdf.Compressed(10, 2, "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 10 10] >>");
        pdf.Compressed(10, 3, "<< /Type /Page /Parent 2 0 R /N 1 >>");
        pdf.XRefStream();
        pdf.NewSection();
        if (intoStream) {
            pdf.Compressed(12, 3, "<< /Type /Page /Parent 2 0 R /N 2 >>");
        } else {
            pdf.Object(3, "<< /Type /Page /Parent 2 0 R /N 2 >>");
        }
        pdf.XRefStream();
        RecordingDocument doc;
        ASSERT_NO_THROW(doc.LoadFromMemory(pdf.Build())) << intoStream;
        ASSERT_EQ(doc.PageCount(), 1);
        EXPECT_EQ(As<TkpPDFIntegerObject>(doc.PageDict(1).Lookup("/N"))->Value, 2) << intoStream;
        EXPECT_EQ(StoredCopies(doc, 3), 1) << intoStream;
    }

    // The same in a file of the qpdf test suite: objects 8 and 9 were overridden by an update.
    RecordingDocument real;
    ASSERT_NO_THROW(real.LoadFromFile(test::Fixture("document/override-compressed-object.pdf")));
    EXPECT_EQ(real.PageCount(), 1);
    const auto* catalog = As<TkpPDFDictObject>(Stored(real, 2)->Body.get());
    const auto* marks = As<TkpPDFArrayObject>(catalog->Lookup("/QTest"));
    ASSERT_NE(marks, nullptr);
    std::vector<std::string> texts;
    for (int32_t i = 0; i < marks->Count(); ++i) {
        const auto* ref = As<TkpPDFIndirectReference>(marks->Items(i));
        texts.push_back(As<TkpPDFStringObject>(real.ObjectStore().Find(ref)->Body.get())->Text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"(orig-1)", "(override-2)", "(override-3)", "(orig-4)"}));
}

TEST(ObjectStream, MembersWithoutBlanksBetweenThemStayApart) {
    // Each member is read up to the next member's offset: "12345678" holds 7 = 1234 and 8 = 5678.
    PdfBuilder pdf = PdfBuilder::Simple(1);
    pdf.Stream(10, "/Type /ObjStm /N 2 /First 8", "7 0 8 4 12345678");
    pdf.Entry(7, 2, 10, 0).Entry(8, 2, 10, 1).XRefStream();
    RecordingDocument doc;
    ASSERT_NO_THROW(doc.LoadFromMemory(pdf.Build()));
    EXPECT_EQ(As<TkpPDFIntegerObject>(Stored(doc, 7)->Body.get())->Value, 1234);
    EXPECT_EQ(As<TkpPDFIntegerObject>(Stored(doc, 8)->Body.get())->Value, 5678);

    RecordingDocument real;
    ASSERT_NO_THROW(real.LoadFromFile(test::Fixture("document/no-space-compressed-object.pdf")));
    EXPECT_EQ(real.PageCount(), 1);
}

TEST(ObjectStream, DamagedObjectStreamsFailWithTheirMessage) {
    struct Case { std::string dict; std::string data; std::string message; const char* what; };
    const Case cases[] = {
        {"/N 1 /First 999", "7 0 (x)", "Invalid object stream 10: /N or /First out of range", "/First beyond"},
        {"/N -1 /First 4", "7 0 (x)", "Invalid object stream 10: /N or /First out of range", "/N negative"},
        {"/N 1 /First 4", "7 50 (x)", "Invalid object stream 10: no valid object at offset 50", "offset beyond"},
        {"/N 1 /First 5", "7 -1 (x)", "Invalid object stream 10: no valid object at offset -1", "offset negative"},
        {"/N 1 /First 4", "7 0 )", "Invalid object stream 10: no valid object at offset 0", "no object"},
        {"/N 1 /First 4", "7 0 7 0 obj (x) endobj", "Invalid object stream 10: no valid object at offset 0",
         "an obj header"},
        {"/N 2 /First 8", "7 0 8 0 (x)", "Invalid object stream 10: objects overlap at offset 0", "same offset"},
        {"/N 2 /First 4", "7 0 (x)", "'(x' is not a valid integer value", "fewer pairs than /N"},
        {"/N /Two /First 4", "7 0 (x)", "'/Two' is not a valid integer value", "/N a name"},
    };
    for (const Case& c : cases) {
        PdfBuilder pdf = PdfBuilder::Simple(1);
        pdf.Stream(10, "/Type /ObjStm " + c.dict, c.data).Entry(7, 2, 10, 0).XRefStream();
        RecordingDocument doc;
        try {
            doc.LoadFromMemory(pdf.Build());
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), c.message) << c.what;
        }
    }

    // The object stream's own entry must give a position in the file.
    PdfBuilder packed = PdfBuilder::Simple(1);
    packed.Compressed(10, 7, "(x)").Entry(10, 2, 11, 0).XRefStream();
    RecordingDocument inside;
    EXPECT_ERROR(inside.LoadFromMemory(packed.Build()), EObjectStreamError, "Object stream 10 has no position in the file");
    PdfBuilder missing = PdfBuilder::Simple(1);
    missing.Entry(7, 2, 99, 0).XRefStream();
    RecordingDocument beyond;
    EXPECT_ERROR(beyond.LoadFromMemory(missing.Build()), EObjectStreamError, "Object stream 99 has no position in the file");
}

// Decrypts stream data by XOR with the low byte of the object number, and records every call.
struct XorDecryptor : IkpPDFDecryptor {
    std::set<std::pair<int32_t, int32_t>> streams;
    int strings = 0;
    void DecryptString(std::string&, int32_t, int32_t) override { ++strings; }
    void DecryptStreamData(pw::TMemoryStream& data, int32_t number, int32_t generation) override {
        streams.insert({number, generation});
        for (uint8_t& byte : data.Bytes()) byte ^= static_cast<uint8_t>(number);
    }
};

// Unpacks object streams with a decryptor attached, as the load does once a security handler exists.
struct DecryptingDocument : RecordingDocument {
    XorDecryptor decryptor;
    void LoadObjectStreams() override {
        reader_->SetDecryptor(&decryptor);
        RecordingDocument::LoadObjectStreams();
        reader_->SetDecryptor(nullptr);
    }
};

TEST(ObjectStream, AttachedDecryptorDecryptsEachStreamWithItsOwnKey) {
    const std::string members[] = {"<< /Type /Catalog /Pages 2 0 R /Lang (en) >>",
                                   "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 10 10] >>",
                                   "<< /Type /Page /Parent 2 0 R >>"};
    std::string header;
    std::string body;
    for (int i = 0; i < 3; ++i) {
        header += std::to_string(i + 1) + " " + std::to_string(body.size()) + " ";
        body += members[i];
    }
    std::string data = header + body;
    for (char& byte : data) byte = static_cast<char>(byte ^ 10);
    PdfBuilder pdf;
    pdf.Stream(10, "/Type /ObjStm /N 3 /First " + std::to_string(header.size()), data);
    pdf.Entry(1, 2, 10, 0).Entry(2, 2, 10, 1).Entry(3, 2, 10, 2).XRefStream();

    DecryptingDocument doc;
    ASSERT_NO_THROW(doc.LoadFromMemory(pdf.Build()));
    EXPECT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(doc.decryptor.streams, (std::set<std::pair<int32_t, int32_t>>{{10, 0}}));
    EXPECT_EQ(doc.decryptor.strings, 0) << "strings inside an object stream are not decrypted again";
    EXPECT_EQ(As<TkpPDFStringObject>(As<TkpPDFDictObject>(Stored(doc, 1)->Body.get())->Lookup("/Lang"))->Text, "(en)");
}

}  // namespace
}  // namespace kp
