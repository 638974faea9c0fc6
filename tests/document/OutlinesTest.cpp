// The outline tree: its shape and links, the resolution of titles, destinations and actions, and the
// failures, loops and sizes that must not take the load down with them.
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "StructureFixture.h"
#include "engine/document/DocumentErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using namespace document;
using test::ExpectLoadFails;
using test::PdfBuilder;
using test::RecordingDocument;
using test::StructureFile;

std::string Title(const TkpPDFOutline* item) {
    const TkpPDFDictObject* dict = item ? item->Dict() : nullptr;
    const auto* title = dict ? As<TkpPDFStringObject>(dict->Lookup("/Title")) : nullptr;
    return title ? title->StringValue() : "<none>";
}

std::string DestinationKind(const TkpPDFObject* value) {
    if (const auto* array = As<TkpPDFArrayObject>(value)) return As<TkpPDFNameObject>(array->Items(1))->Text;
    if (const auto* string = As<TkpPDFStringObject>(value)) return string->Text;
    return value == nullptr ? "absent" : "kind " + std::to_string(value->ObjectType());
}

TEST(Outlines, ShapeAndLinks) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile(
        "/Outlines 4 0 R",
        {{4, "<< /Type /Outlines /First 5 0 R /Last 7 0 R /Count 4 >>"},
         {5, "<< /Title (One) /Parent 4 0 R /Next 6 0 R /Dest [3 0 R /Fit] /C [1 0 0] >>"},
         {6, "<< /Title (Two) /Parent 4 0 R /Prev 5 0 R /Next 7 0 R /First 8 0 R /Last 8 0 R /Count -2 >>"},
         {7, "<< /Parent 4 0 R /Prev 6 0 R >>"},
         {8, "<< /Title (Sub) /Parent 6 0 R /Count 0 >>"}}));
    const TkpPDFOutline* root = doc.OutlineRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->ObjectNumber, 4);
    EXPECT_EQ(root->DocumentSerial, doc.DocumentSerial());
    EXPECT_EQ(doc.OutlineCount(), 4);
    EXPECT_EQ(root->Parent, nullptr);
    EXPECT_FALSE(root->Closed);
    ASSERT_NE(root->Dict(), nullptr);
    EXPECT_EQ(root->Dict()->Count(), 1) << "only /Type is left of the root";

    const TkpPDFOutline* one = root->First;
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(Title(one), "One");
    EXPECT_EQ(one->Parent, root);
    EXPECT_EQ(one->Prev, nullptr);
    EXPECT_EQ(one->First, nullptr);
    const TkpPDFOutline* two = one->Next;
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(Title(two), "Two");
    EXPECT_TRUE(two->Closed);
    EXPECT_EQ(two->Prev, one);
    EXPECT_EQ(two->Parent, root);
    const TkpPDFOutline* sub = two->First;
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(Title(sub), "Sub");
    EXPECT_EQ(sub->Parent, two);
    EXPECT_EQ(sub->Next, nullptr);
    EXPECT_FALSE(sub->Closed);
    const TkpPDFOutline* three = two->Next;
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->ObjectNumber, 7);
    EXPECT_EQ(three->Prev, two);
    EXPECT_EQ(three->Next, nullptr);
    EXPECT_EQ(three->Dict(), nullptr) << "nothing but links: no dictionary";

    for (const char* key : {"/Parent", "/Prev", "/Next", "/First", "/Last", "/Count"}) {
        EXPECT_EQ(two->Dict()->Lookup(key), nullptr) << key;
    }
    EXPECT_NE(one->Dict()->Lookup("/C"), nullptr) << "other entries stay";

    doc.Reset();
    EXPECT_EQ(doc.OutlineRoot(), nullptr);
    EXPECT_EQ(doc.OutlineCount(), 0);
}

TEST(Outlines, NoTreeWithoutAReference) {
    for (const char* catalog : {"", "/Outlines << /Type /Outlines >>", "/Outlines null"}) {
        RecordingDocument doc;
        doc.LoadFromMemory(StructureFile(catalog));
        EXPECT_EQ(doc.OutlineRoot(), nullptr) << catalog;
    }
}

TEST(Outlines, TitlesDestinationsAndActionsAreResolved) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile(
        "/Outlines 4 0 R /Dests 30 0 R",
        {{4, "<< /First 5 0 R >>"},
         {5, "<< /Title 20 0 R /Dest /Chap /Next 6 0 R >>"},
         {6, "<< /Title (b) /Dest 21 0 R /Next 7 0 R >>"},
         {7, "<< /Title (c) /Dest 22 0 R /Next 8 0 R >>"},
         {8, "<< /Title (d) /Dest (Nowhere) /Next 9 0 R >>"},
         {9, "<< /Title (e) /Dest <43686170> /A 23 0 R /Next 10 0 R >>"},
         {10, "<< /Title (f) /A << /S /Launch /F 24 0 R >> /Next 11 0 R >>"},
         {11, "<< /Title (g) /A << /S /GoToR /F 25 0 R /D 26 0 R /URI 27 0 R /JavaScript 28 0 R >> >>"},
         {20, "(Indirect title)"},
         {21, "(Chap)"},
         {22, "[3 0 R /FitH 5]"},
         {23, "<< /S /GoTo /D (Chap) >>"},
         {24, "(file.pdf)"},
         {25, "(other.pdf)"},
         {26, "[0 /Fit]"},
         {27, "(http://example.org)"},
         {28, "(js)"},
         {30, "<< /Chap [3 0 R /FitV 1] >>"}}));
    const TkpPDFOutline* item = doc.OutlineRoot()->First;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Title(item), "Indirect title");
    EXPECT_EQ(DestinationKind(item->Dict()->Lookup("/Dest")), "/FitV") << "a name found in the table";
    item = item->Next;
    EXPECT_EQ(DestinationKind(item->Dict()->Lookup("/Dest")), "/FitV") << "a reference to a string";
    item = item->Next;
    EXPECT_EQ(DestinationKind(item->Dict()->Lookup("/Dest")), "/FitH") << "a reference to an array";
    item = item->Next;
    EXPECT_EQ(DestinationKind(item->Dict()->Lookup("/Dest")), "(Nowhere)") << "unknown names are kept";
    item = item->Next;
    EXPECT_EQ(DestinationKind(item->Dict()->Lookup("/Dest")), "/FitV") << "hexadecimal bytes match the name";
    const auto* action = As<TkpPDFDictObject>(item->Dict()->Lookup("/A"));
    ASSERT_NE(action, nullptr) << "a referenced action is copied in";
    EXPECT_EQ(DestinationKind(action->Lookup("/D")), "/FitV");
    // A referenced /D became a copy of its target; what else the actions name is in the store.
    const auto* remote = As<TkpPDFDictObject>(item->Next->Next->Dict()->Lookup("/A"));
    EXPECT_EQ(DestinationKind(remote->Lookup("/D")), "/Fit");
    for (int number : {24, 25, 27, 28}) {
        EXPECT_GE(doc.ObjectStore().IndexOf(doc.DocumentSerial(), number, 0), 0) << number;
    }
    EXPECT_EQ(doc.OutlineCount(), 7);
}

TEST(Outlines, WrongKindsAndLoopsEndTheLoad) {
    struct Case { std::map<int, std::string> objects; const char* message; const char* why; };
    const Case cases[] = {
        {{{5, "<< /Dest 12 >>"}}, "Unexpected Error", "an integer destination"},
        {{{5, "<< /Dest << /D [3 0 R /Fit] >> >>"}}, "Unexpected Error", "a dictionary destination"},
        {{{5, "<< /Dest 9 0 R >>"}, {9, "<< >>"}}, "Unexpected Error", "a reference to a dictionary destination"},
        {{{5, "<< /A (x) >>"}}, "Unexpected Error", "a string action"},
        {{{5, "<< /A 9 0 R >>"}, {9, "[1]"}}, "Unexpected Error", "a reference to an array action"},
        {{{5, "<< /A << /S /GoTo /D 5 >> >>"}}, "Unexpected Error", "an integer /D in the action"},
        {{{5, "<< /Title 7 >>"}}, "Unexpected PDF object encountered", "an integer title"},
        {{{5, "<< /Next (x) >>"}}, "Invalid class typecast", "a /Next that is no reference"},
        {{{5, "[1]"}}, "Invalid class typecast", "an item that is no dictionary"},
        {{{5, "<< /Next 6 0 R >>"}, {6, "<< /Next 5 0 R >>"}}, "Unexpected Error", "/Next back to an earlier item"},
        {{{5, "<< /First 4 0 R >>"}}, "Unexpected Error", "/First back to the root"},
        {{{5, "<< /Next 5 0 R >>"}}, "Unexpected Error", "an item that is its own next"},
    };
    for (const Case& c : cases) {
        std::map<int, std::string> objects = c.objects;
        objects[4] = "<< /First 5 0 R >>";
        ExpectLoadFails(StructureFile("/Outlines 4 0 R", objects), c.message, c.why);
    }
    EXPECT_ERROR(RecordingDocument().LoadFromMemory(
                     StructureFile("/Outlines 4 0 R", {{4, "<< /First 5 0 R >>"}, {5, "<< /Dest 12 >>"}})),
                 EUnexpectedError, "Unexpected Error");
}

TEST(Outlines, MissingObjectsEndTheirChain) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile("/Outlines 4 0 R",
                                     {{4, "<< /First 5 0 R >>"},
                                      {5, "<< /Title (a) /Next 8 0 R /Dest null /A 9 0 R /First 7 0 R >>"},
                                      {10, "null"}}));
    const TkpPDFOutline* item = doc.OutlineRoot()->First;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Next, nullptr);
    EXPECT_EQ(item->First, nullptr);
    EXPECT_TRUE(item->Dict()->Lookup("/A")->IsNull()) << "an action that is not there is null";
    EXPECT_EQ(doc.OutlineCount(), 1);
}

TEST(Outlines, CopiesOfOneLargeDestinationAreBounded) {
    // A destination of 100000 numbers named by 100 items: each copy would take some megabytes.
    std::string huge = "[3 0 R /Fit";
    for (int i = 0; i < 100000; ++i) huge += " 0";
    huge += "]";
    std::map<int, std::string> objects = {{4, "<< /First 10 0 R >>"}, {5, "<< /Big 6 0 R >>"}, {6, huge}};
    constexpr int kItems = 100;
    for (int i = 0; i < kItems; ++i) {
        objects[10 + i] = "<< /Dest /Big" + (i + 1 < kItems ? " /Next " + std::to_string(11 + i) + " 0 R" : "") + " >>";
    }
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile("/Outlines 4 0 R /Dests 5 0 R", objects));
    ASSERT_EQ(doc.OutlineCount(), kItems);
    const TkpPDFOutline* last = doc.OutlineRoot()->First;
    while (last->Next != nullptr) last = last->Next;
    EXPECT_TRUE(doc.OutlineRoot()->First->Dict()->Lookup("/Dest")->IsArray());
    EXPECT_TRUE(last->Dict()->Lookup("/Dest")->IsName()) << "past the copy budget the name is kept";
}

TEST(Outlines, LongChainsAndDeepNestingDoNotExhaustTheStack) {
    constexpr int kItems = 20000;
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R /Outlines 4 0 R >>");
    pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] >>");
    pdf.Object(3, "<< /Type /Page >>");
    pdf.Object(4, "<< /First 5 0 R >>");
    // Items 5 .. 5 + kItems - 1 are siblings; each of the first ten also heads a nested chain of /First.
    const int nestedBase = 5 + kItems;
    for (int i = 0; i < kItems; ++i) {
        std::string body = "<< /Title (s" + std::to_string(i) + ")";
        if (i + 1 < kItems) body += " /Next " + std::to_string(5 + i + 1) + " 0 R";
        if (i == 0) body += " /First " + std::to_string(nestedBase) + " 0 R";
        pdf.Object(5 + i, body + " >>");
    }
    for (int i = 0; i < kItems; ++i) {
        std::string body = "<< /Title (n" + std::to_string(i) + ")";
        if (i + 1 < kItems) body += " /First " + std::to_string(nestedBase + i + 1) + " 0 R";
        pdf.Object(nestedBase + i, body + " >>");
    }
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    EXPECT_EQ(doc.OutlineCount(), 2 * kItems);
    int depth = 0;
    for (const TkpPDFOutline* item = doc.OutlineRoot()->First->First; item != nullptr; item = item->First) ++depth;
    EXPECT_EQ(depth, kItems);
}

}  // namespace
}  // namespace kp
