#include "engine/syntax/PDFObjects.h"

#include <gtest/gtest.h>

#include "ReaderFixture.h"
#include "engine/syntax/SyntaxErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

std::unique_ptr<TkpPDFDictObject> ParseDict(std::string_view text) {
    test::ReaderOver r(text);
    return r.reader.ReadPDFDictionary();
}

int32_t IntAt(const TkpPDFObject* object) {
    const auto* integer = As<TkpPDFIntegerObject>(object);
    return integer ? integer->Value : -999;
}

TEST(PDFObjects, KindTagsAreFixed) {
    EXPECT_EQ(TkpPDFBooleanObject(true).ObjectType(), 0);
    EXPECT_EQ(TkpPDFIntegerObject(1).ObjectType(), 1);
    EXPECT_EQ(TkpPDFInt64Object(1).ObjectType(), 2);
    EXPECT_EQ(TkpPDFRealObject(1).ObjectType(), 3);
    EXPECT_EQ(TkpPDFStringObject("()").ObjectType(), 4);
    EXPECT_EQ(TkpPDFNameObject("/A").ObjectType(), 5);
    EXPECT_EQ(TkpPDFArrayObject().ObjectType(), 6);
    EXPECT_EQ(TkpPDFDictObject().ObjectType(), 7);
    EXPECT_EQ(TkpPDFStreamObject(std::make_unique<TkpPDFDictObject>()).ObjectType(), 8);
    EXPECT_EQ(TkpPDFNullObject().ObjectType(), 9);
    EXPECT_EQ(TkpPDFIndirectReference(1, 2, 0).ObjectType(), 10);
    EXPECT_EQ(TkpPDFIndirectObject(1, 2, 0, nullptr).ObjectType(), 11);
    EXPECT_TRUE(TkpPDFNullObject().IsNull());
    EXPECT_FALSE(TkpPDFNullObject().IsName());
}

TEST(PDFDictionary, DuplicateKeysFirstMatchWins) {
    auto dict = ParseDict("<< /A 1 /A 2 >>");
    ASSERT_EQ(dict->Count(), 2);
    EXPECT_EQ(IntAt(dict->Lookup("/A")), 1);
    dict->SetValue("/A", std::make_unique<TkpPDFIntegerObject>(3));
    EXPECT_EQ(IntAt(dict->ValueAt(0)), 3);
    EXPECT_EQ(IntAt(dict->ValueAt(1)), 2);
    EXPECT_EQ(dict->Count(), 2);
}

TEST(PDFDictionary, KeysCarryTheirSlashAndEscapesStayRaw) {
    auto dict = ParseDict("<< /Type /Page /A#20B 5 >>");
    EXPECT_EQ(dict->Lookup("Type"), nullptr);
    ASSERT_NE(dict->Lookup("/Type"), nullptr);
    EXPECT_EQ(dict->Lookup("/A B"), nullptr);
    EXPECT_EQ(IntAt(dict->Lookup("/A#20B")), 5);
    EXPECT_EQ(As<TkpPDFNameObject>(dict->Lookup("/Type"))->NameValue(), "Page");
}

TEST(PDFDictionary, EditingOperations) {
    TkpPDFDictObject dict;
    dict.AddInteger("/A", 1);
    dict.AddName("/N", "");  // an empty name text adds nothing
    EXPECT_EQ(dict.Count(), 1);
    dict.AddName("/N", "/X");
    dict.AddInt64("/L", 1LL << 40);
    dict.SetName("/N", "/Y");
    dict.SetBoolean("/B", true);
    EXPECT_EQ(dict.IndexOf("/B"), 3);
    EXPECT_EQ(As<TkpPDFNameObject>(dict.Lookup("/N"))->Text, "/Y");

    TkpPDFObjectPtr old = dict.PutValue(0, std::make_unique<TkpPDFIntegerObject>(9));
    EXPECT_EQ(IntAt(old.get()), 1) << "the replaced value is handed back";
    EXPECT_EQ(IntAt(dict.Lookup("/A")), 9);
    EXPECT_ERROR(dict.PutValue(4, nullptr), syntax::EInvalidIndex, "Index Out Of Bounds!");

    dict.Remove("/N");
    dict.Remove("/missing");
    EXPECT_EQ(dict.Count(), 3);
    EXPECT_EQ(dict.KeyAt(1)->Text, "/L");
    dict.Delete(0);
    EXPECT_EQ(dict.KeyAt(0)->Text, "/L");
}

TEST(PDFDictionary, MergeClonesEveryEntryInOrder) {
    auto target = ParseDict("<< /A 1 /B 2 >>");
    auto other = ParseDict("<< /B 20 /C [1 2] >>");
    target->Merge(other.get());
    target->Merge(nullptr);
    EXPECT_EQ(target->Count(), 3);
    EXPECT_EQ(IntAt(target->Lookup("/B")), 20);
    ASSERT_TRUE(target->Lookup("/C")->IsArray());
    EXPECT_NE(target->Lookup("/C"), other->Lookup("/C")) << "merged values are copies";
    other.reset();
    EXPECT_EQ(As<TkpPDFArrayObject>(target->Lookup("/C"))->Count(), 2);

    auto self = ParseDict("<< /A 1 /A 2 >>");
    self->Merge(self.get());
    EXPECT_EQ(IntAt(self->ValueAt(0)), 2) << "each entry in turn set on the first /A";
}

TEST(PDFArray, ItemsInsertAndPut) {
    TkpPDFArrayObject array;
    EXPECT_EQ(array.AddInteger(1), 0);
    EXPECT_EQ(array.Add(std::make_unique<TkpPDFIntegerObject>(3)), 1);
    array.Insert(1, std::make_unique<TkpPDFIntegerObject>(2));
    array.Insert(3, std::make_unique<TkpPDFIntegerObject>(4));
    EXPECT_EQ(array.Count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(IntAt(array.Items(i)), i + 1);
    EXPECT_EQ(array.Items(-1), nullptr);
    EXPECT_EQ(array.Items(4), nullptr);
    EXPECT_ERROR(array.Insert(5, nullptr), pw::EListError, "List index out of bounds (5)");
    EXPECT_ERROR(array.Put(4, nullptr), pw::EListError, "List index out of bounds (4)");
    EXPECT_ERROR(array.Put(-1, nullptr), pw::EListError, "List index out of bounds (-1)");
    TkpPDFObjectPtr old = array.Put(0, std::make_unique<TkpPDFNullObject>());
    EXPECT_EQ(IntAt(old.get()), 1);
    EXPECT_TRUE(array.Items(0)->IsNull());
}

TEST(PDFObjects, CloneIsDeepAndIndependent) {
    auto dict = ParseDict("<< /S <41> /T (x) /N /Name /R 3 0 R /F 1.5 /B false /Z null /L 9000000000 /E >>");
    auto clone = dict->CloneDict();
    dict.reset();
    ASSERT_EQ(clone->Count(), 9);
    const auto* hex = As<TkpPDFStringObject>(clone->Lookup("/S"));
    ASSERT_NE(hex, nullptr);
    EXPECT_TRUE(hex->IsHex);
    EXPECT_EQ(hex->StringValue(), "41");
    EXPECT_EQ(As<TkpPDFStringObject>(clone->Lookup("/T"))->StringValue(), "x");
    EXPECT_FALSE(As<TkpPDFStringObject>(clone->Lookup("/T"))->IsHex);
    const auto* ref = As<TkpPDFIndirectReference>(clone->Lookup("/R"));
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(ref->DocumentSerial, 7);
    EXPECT_EQ(ref->ObjectNumber, 3);
    EXPECT_EQ(As<TkpPDFInt64Object>(clone->Lookup("/L"))->Value, 9000000000LL);
    EXPECT_EQ(clone->Lookup("/E"), nullptr) << "an absent value stays absent";
    EXPECT_EQ(clone->IndexOf("/E"), 8);

    auto streamDict = std::make_unique<TkpPDFDictObject>();
    streamDict->AddInteger("/Length", 3);
    TkpPDFStreamObject stream(std::move(streamDict), std::make_unique<pw::TMemoryStream>(std::string_view("abc")));
    stream.Data->SetPosition(2);
    auto streamClone = stream.Clone();
    auto* copy = As<TkpPDFStreamObject>(streamClone.get());
    EXPECT_EQ(copy->Data->ToString(), "abc") << "the whole buffer is copied from position 0";
    EXPECT_NE(copy->Data.get(), stream.Data.get());
    EXPECT_EQ(IntAt(copy->Dict->Lookup("/Length")), 3);
    TkpPDFStreamObject empty(std::make_unique<TkpPDFDictObject>());
    EXPECT_EQ(As<TkpPDFStreamObject>(empty.Clone().get())->Data, nullptr);

    TkpPDFIndirectObject indirect(7, 12, 3, 1, std::make_unique<TkpPDFIntegerObject>(5));
    indirect.MarkUsed();
    auto indirectClone = indirect.Clone();
    const auto* ic = As<TkpPDFIndirectObject>(indirectClone.get());
    EXPECT_EQ(ic->UseCount, 2);
    EXPECT_EQ(ic->Generation, 3);
    EXPECT_EQ(IntAt(ic->Body.get()), 5);
    EXPECT_EQ(TkpPDFIndirectObject(1, 1, 0, 0, nullptr).UseCount, 0);
}

TEST(PDFObjects, AccessorsOfShortTexts) {
    EXPECT_EQ(TkpPDFStringObject("").StringValue(), "");
    EXPECT_EQ(TkpPDFStringObject("()").StringValue(), "");
    EXPECT_EQ(TkpPDFNameObject("").NameValue(), "");
    EXPECT_EQ(TkpPDFNameObject("/").NameValue(), "");
}

TEST(ObjectUtilities, TypeNamesNumbersAndReferences) {
    const std::pair<TkpPDFObjectPtr, const char*> names[] = {
        {std::make_unique<TkpPDFBooleanObject>(true), "Boolean Object"},
        {std::make_unique<TkpPDFIntegerObject>(1), "Integer Object"},
        {std::make_unique<TkpPDFRealObject>(1), "Real Object"},
        {std::make_unique<TkpPDFStringObject>("()"), "String Object"},
        {std::make_unique<TkpPDFNameObject>("/A"), "Name Object"},
        {std::make_unique<TkpPDFArrayObject>(), "Array Object"},
        {std::make_unique<TkpPDFDictObject>(), "Dictionary Object"},
        {std::make_unique<TkpPDFStreamObject>(std::make_unique<TkpPDFDictObject>()), "Stream Object"},
        {std::make_unique<TkpPDFNullObject>(), "Null Object"},
        {std::make_unique<TkpPDFIndirectReference>(1, 1, 0), "IndirectReference Object"},
        {std::make_unique<TkpPDFIndirectObject>(1, 1, 0, nullptr), "Indirect Object"},
    };
    for (const auto& [object, name] : names) EXPECT_EQ(ObjectTypeName(object.get()), name);

    EXPECT_DOUBLE_EQ(NumberOf(TkpPDFIntegerObject(-4).Clone().get()), -4);
    EXPECT_DOUBLE_EQ(NumberOf(TkpPDFRealObject(2.5).Clone().get()), 2.5);
    TkpPDFInt64Object big(5);
    EXPECT_ERROR(NumberOf(&big), syntax::EUnexpectedObjectError, "Unexpected PDF object encountered");
    EXPECT_ERROR(NumberOf(nullptr), syntax::EUnexpectedObjectError, "Unexpected PDF object encountered");

    test::ReaderOver r("[0 0 612.5 792]");
    auto box = r.reader.ReadPDFArray();
    const TkpNumberRect rect = ReadNumberRect(*box);
    EXPECT_DOUBLE_EQ(rect.Values[2], 612.5);
    EXPECT_DOUBLE_EQ(rect.Values[3], 792);
    box->Put(1, std::make_unique<TkpPDFNameObject>("/X"));
    EXPECT_THROW(ReadNumberRect(*box), syntax::EUnexpectedObjectError);

    TkpPDFIndirectObject object(3, 12, 1, nullptr);
    const auto ref = ReferenceOf(object);
    EXPECT_EQ(ref->DocumentSerial, 3);
    EXPECT_EQ(ref->ObjectNumber, 12);
    EXPECT_EQ(ref->Generation, 1);
}

TEST(ObjectUtilities, UniqueIDConcatenatesDigits) {
    EXPECT_EQ(UniqueID(3, 12, 0), 3120);
    EXPECT_EQ(UniqueID(1, 0, 0), 100);
    EXPECT_EQ(UniqueID(1, 23, 0), UniqueID(12, 3, 0)) << "different triples may share a key";
    EXPECT_EQ(UniqueID(101, 65535, 65535), 1016553565535LL) << "wider than 32 bits";
}

}  // namespace
}  // namespace kp
