// Text strings, viewer preferences, document information, the named destinations of /Dests and of the name
// tree, and the events of the catalog steps that read them.
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "StructureFixture.h"
#include "engine/document/DocumentErrors.h"
#include "engine/document/TextStrings.h"
#include "platform/Exception.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using namespace document;
using test::ExpectLoadFails;
using test::RecordingDocument;
using test::StructureFile;

std::unique_ptr<TkpPDFStringObject> Literal(const std::string& bytes) {
    return std::make_unique<TkpPDFStringObject>("(" + bytes + ")");
}

std::unique_ptr<TkpPDFStringObject> Hex(const std::string& digits) {
    auto string = std::make_unique<TkpPDFStringObject>("<" + digits + ">");
    string->IsHex = true;
    return string;
}

// The stored value of object n (generation 0) of the loaded document.
TkpPDFObject* Stored(const TkpCustomPDFDocument& doc, int number) {
    const int32_t index = doc.ObjectStore().IndexOf(doc.DocumentSerial(), number, 0);
    return index < 0 ? nullptr : doc.ObjectStore().Items(index)->Body.get();
}

// "/Fit", "/FitH", ... of a destination array, or a description of what stands there instead.
std::string DestinationKind(const TkpPDFObject* destination) {
    if (destination == nullptr) return "absent";
    if (destination->IsNull()) return "null";
    const auto* array = As<TkpPDFArrayObject>(destination);
    if (array == nullptr) return "kind " + std::to_string(destination->ObjectType());
    const auto* kind = As<TkpPDFNameObject>(array->Items(1));
    return kind ? kind->Text : "no kind";
}

TEST(TextStrings, DocumentTextStringDecoding) {
    struct Case { std::unique_ptr<TkpPDFStringObject> string; std::u16string text; const char* why; };
    Case cases[] = {
        {Literal(""), u"", "empty literal"},
        {Hex(""), u"", "empty hexadecimal"},
        {Literal("Plain title"), u"Plain title", "Windows-1252"},
        {Literal("caf\xE9 \x80"), u"caf\u00E9 \u20AC", "Windows-1252 beyond ASCII"},
        {Literal(std::string("\xFE\xFF\x00" "A\x00\xE9", 6)), u"A\u00E9", "FE FF marks UTF-16"},
        {Literal(std::string("\xFE\xFF\x00" "A\x00", 5)), u"A", "a lone final byte is dropped"},
        {Hex("FEFF00410042"), u"AB", "FEFF hexadecimal text"},
        {Hex("feff 0041\n0042"), u"AB", "any case, white space between digits"},
        {Literal("FEFF0041"), u"A", "the FEFF rule holds for literal text too"},
        {Hex("48656C6C6F"), u"Hello", "hexadecimal bytes without FEFF are decoded, not shown as digits"},
        {Literal(std::string("\x00" "A\x00" "B", 4)), u"AB", "first byte 32 or less: UTF-16 byte pairs"},
        {Literal(" A"), u"\u2041", "a leading blank counts as well"},
        {Literal("C:\\new"), u"C:\\new", "already unescaped by the parser: no second unescaping"},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeTextString(*c.string), c.text) << c.why;
}

TEST(TextStrings, EightBitTextOfFieldsAndNames) {
    EXPECT_EQ(TextStringToAnsi(*Hex("FEFF0041006C00690063006500E9")), "Alice\xE9");
    EXPECT_EQ(TextStringToAnsi(*Literal(std::string("\xFE\xFF\x04\x10", 4))), "?") << "no Windows-1252 character";
    EXPECT_EQ(TextStringToAnsi(*Literal(" lead")), " lead") << "no byte-pair rule for field text";
    EXPECT_EQ(TextStringToAnsi(*Hex("41 42")), "AB");
    EXPECT_EQ(DecodeNameText(TkpPDFNameObject("/A#20B#2")), "A B#2");
    EXPECT_EQ(DecodeNameText(TkpPDFNameObject("/#zz")), "#zz");
}

TEST(ViewerPreferences, BooleanKeysReadAndWritten) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile("/ViewerPreferences 4 0 R",
                                     {{4, "<< /FitWindow true /HideToolbar 1 /CenterWindow false /DisplayDocTitle true "
                                          "/HideMenubar (true) >>"}}));
    TkpPDFViewerPreferences& preferences = doc.ViewerPreferences();
    EXPECT_TRUE(preferences.FitWindow());
    EXPECT_FALSE(preferences.HideToolbar()) << "an integer is not a boolean";
    EXPECT_FALSE(preferences.CenterWindow());
    EXPECT_TRUE(preferences.DisplayDocTitle());
    EXPECT_FALSE(preferences.HideMenubar());
    EXPECT_FALSE(preferences.HideWindowUI()) << "absent";

    preferences.SetHideToolbar(true);
    EXPECT_TRUE(preferences.HideToolbar());
    EXPECT_TRUE(As<TkpPDFBooleanObject>(preferences.Dictionary->Lookup("/HideToolbar"))->Value);
    preferences.SetFitWindow(false);
    EXPECT_EQ(preferences.Dictionary->Lookup("/FitWindow"), nullptr) << "false removes the key";
    preferences.SetHideWindowUI(true);
    preferences.SetHideWindowUI(false);
    EXPECT_EQ(preferences.Dictionary->IndexOf("/HideWindowUI"), -1);

    doc.Reset();
    EXPECT_EQ(doc.ViewerPreferences().Dictionary->Count(), 0) << "a fresh state has an empty dictionary";
}

TEST(DocumentInfo, PropertiesFromTheDictionaryUnlessSet) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile(
        "", {{4, "<< /Title <FEFF005400EF0074006C0065> /Author (Ann) /Subject 5 /Keywords 5 0 R "
                 "/Creator (\\376\\377\\000W) /CreationDate (D:20200102) /ModDate <443A32303231> >>"},
             {5, "(indirect)"}},
        "", "/Info 4 0 R"));
    TkpPDFInfo& info = doc.Info();
    EXPECT_EQ(info.Title(), u"T\u00EFtle");
    EXPECT_EQ(info.Author(), u"Ann");
    EXPECT_EQ(info.Subject(), u"") << "not a string";
    EXPECT_EQ(info.Keywords(), u"") << "a reference is not a string";
    EXPECT_EQ(info.Creator(), u"W") << "escaped FE FF bytes";
    EXPECT_EQ(info.Producer(), u"");
    EXPECT_EQ(info.CreationDate(), "D:20200102");
    EXPECT_EQ(info.ModDate(), "D:2021");

    info.SetTitle(u"Other");
    info.SetSubject(u"");
    info.SetModDate("D:1999");
    EXPECT_EQ(info.Title(), u"Other");
    EXPECT_EQ(info.Subject(), u"");
    EXPECT_EQ(info.ModDate(), "D:1999");
    EXPECT_EQ(info.Author(), u"Ann") << "unset properties still read the dictionary";
    info.SetAuthor(u"");
    EXPECT_EQ(info.Author(), u"") << "a value set wins even when empty";
}

TEST(NamedDestinations, DestsDictionaryFillsTheTableAndNamedLinksGetTheirDestination) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile(
        "/Dests 4 0 R",
        {{4, "<< /Intro [3 0 R /Fit] /Ref 5 0 R /Dict << /D [3 0 R /XYZ 0 792 0] >> /Gone 9 0 R "
             "/Intro [3 0 R /FitH 1] >>"},
         {5, "<< /D [3 0 R /FitV 700] >>"},
         {6, "<< /Type /Annot /Subtype /Link /Dest /Ref >>"},
         {7, "<< /Type /Annot /Subtype /Link /A << /S /GoTo /D (Intro) >> >>"},
         {8, "<< /Type /Annot /Subtype /Link /Dest (Unknown) >>"},
         {9, "null"}},
        "/Annots [6 0 R 7 0 R 8 0 R]"));
    const TkpNamedDestinations& table = doc.NamedDestinations();
    ASSERT_EQ(table.Count(), 5);
    const std::pair<const char*, const char*> expected[] = {
        {"Intro", "/Fit"}, {"Ref", "/FitV"}, {"Dict", "/XYZ"}, {"Gone", "null"}, {"Intro", "/FitH"}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(table.Name(i), expected[i].first);
        EXPECT_EQ(DestinationKind(table.Destination(i)), expected[i].second) << table.Name(i);
    }
    const auto* page = As<TkpPDFIndirectReference>(As<TkpPDFArrayObject>(table.Destination(1))->Items(0));
    EXPECT_EQ(page->DocumentSerial, doc.DocumentSerial());

    // The annotations are walked after /Dests: names and strings become copies of their destinations.
    EXPECT_EQ(DestinationKind(As<TkpPDFDictObject>(Stored(doc, 6))->Lookup("/Dest")), "/FitV");
    const auto* action = As<TkpPDFDictObject>(As<TkpPDFDictObject>(Stored(doc, 7))->Lookup("/A"));
    EXPECT_EQ(DestinationKind(action->Lookup("/D")), "/Fit") << "the first pair of a name wins";
    EXPECT_TRUE(As<TkpPDFDictObject>(Stored(doc, 8))->Lookup("/Dest")->IsString()) << "unknown names stay";
}

TEST(NamedDestinations, WrongKindsEndTheLoad) {
    struct Case { std::string catalog; std::map<int, std::string> objects; const char* message; const char* why; };
    const Case cases[] = {
        {"/Dests 4 0 R", {{4, "<< /A 12 >>"}}, "Unexpected PDF object encountered", "an integer value"},
        {"/Dests 4 0 R", {{4, "<< /A 5 0 R >>"}, {5, "(text)"}}, "Unexpected PDF object encountered",
         "a reference to a string"},
        {"/Dests 4 0 R", {{4, "<< /A << /S /GoTo >> >>"}}, "Unexpected PDF object encountered",
         "a dictionary without /D"},
        {"/Dests << /A [3 0 R /Fit] >>", {}, "Invalid class typecast", "/Dests not a reference"},
        {"/Dests 4 0 R", {{4, "[3 0 R /Fit]"}}, "Invalid class typecast", "/Dests not a dictionary"},
    };
    for (const Case& c : cases) ExpectLoadFails(StructureFile(c.catalog, c.objects), c.message, c.why);
    EXPECT_ERROR(RecordingDocument().LoadFromMemory(StructureFile("/Dests 4 0 R", {{4, "<< /A 12 >>"}})),
                 EUnexpectedError, "Unexpected PDF object encountered");
}

TEST(NameTree, DestinationsOfKidsAndLeavesInOrder) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile(
        "/Names 4 0 R",
        {{4, "<< /Dests 5 0 R /JavaScript 20 0 R >>"},
         {5, "<< /Kids [6 0 R 7 0 R] >>"},
         {6, "<< /Limits [(a) (d)] /Names [(a) [3 0 R /Fit] (b) 8 0 R (c) null (d) 11 0 R] >>"},
         {7, "<< /Names [<65> 10 0 R (f) << /D [3 0 R /FitB] >> (g) (not a destination) /h [3 0 R /FitBH 3] (z)] >>"},
         {8, "<< /D [3 0 R /FitV 5] >>"},
         {10, "[3 0 R /FitR 1 2 3 4]"},
         {20, "<< /Names [(js) 21 0 R] >>"},
         {21, "<< /S /JavaScript /JS (app.alert\\(1\\)) >>"}}));
    const TkpNamedDestinations& table = doc.NamedDestinations();
    const std::pair<const char*, const char*> expected[] = {
        {"a", "/Fit"}, {"b", "/FitV"}, {"c", "null"}, {"d", "null"}, {"65", "/FitR"}, {"h", "/FitBH"}};
    ASSERT_EQ(table.Count(), 6) << "direct values that are no destinations are passed over";
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(table.Name(i), expected[i].first);
        EXPECT_EQ(DestinationKind(table.Destination(i)), expected[i].second) << table.Name(i);
    }
    // Keys match by the bytes they stand for, whatever their notation.
    EXPECT_EQ(DestinationKind(table.Find(*Literal("e"))), "/FitR");
    EXPECT_EQ(DestinationKind(table.Find(TkpPDFNameObject("/a"))), "/Fit");
    EXPECT_EQ(DestinationKind(table.Find(*Hex("68"))), "/FitBH");
    EXPECT_EQ(table.Find(TkpPDFNameObject("/zz")), nullptr);
    // The names dictionary and every tree it holds are in the store.
    for (int number : {4, 5, 6, 7, 8, 10, 20, 21}) EXPECT_NE(Stored(doc, number), nullptr) << number;
    ASSERT_NE(doc.Catalog().Names, nullptr);
    EXPECT_TRUE(doc.Catalog().Names->IsReference());
}

TEST(NameTree, NamesDictionaryWrittenIntoTheCatalog) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile("/Names << /Dests << /Names [(x) [3 0 R /Fit]] >> >>"));
    ASSERT_EQ(doc.NamedDestinations().Count(), 1);
    EXPECT_EQ(doc.NamedDestinations().Name(0), "x");
    EXPECT_TRUE(doc.Catalog().Names->IsDictionary());
}

TEST(NameTree, BadTreesEndTheLoad) {
    // A chain of kids far deeper than any balanced tree.
    std::map<int, std::string> deep;
    for (int n = 5; n < 5 + 100; ++n) deep[n] = "<< /Kids [" + std::to_string(n + 1) + " 0 R] >>";
    deep[105] = "<< /Names [(a) [3 0 R /Fit]] >>";

    struct Case { std::map<int, std::string> objects; const char* message; const char* why; };
    const Case cases[] = {
        {deep, "Unexpected Error", "kids nested a hundred deep"},
        {{{5, "<< /Names [(a) 8 0 R] >>"}, {8, "(text)"}}, "Unexpected PDF object encountered",
         "a value naming a string"},
        {{{5, "<< /Kids [<< /Names [] >>] >>"}}, "Invalid class typecast", "a kid written in place"},
        {{{5, "<< /Kids 6 0 R >>"}, {6, "[7 0 R]"}, {7, "<< /Names [] >>"}}, "Invalid class typecast",
         "/Kids not a direct array"},
        {{{5, "<< /Names [12 [3 0 R /Fit]] >>"}}, "Invalid class typecast", "a key that is no string"},
        {{{5, "<< /Kids [6 0 R] >>"}, {6, "<< /Kids [5 0 R] >>"}}, "Unexpected Error", "a kid naming the root"},
        {{{5, "<< /Kids [6 0 R 6 0 R] >>"}, {6, "<< /Names [(a) [3 0 R /Fit]] >>"}}, "Unexpected Error",
         "a shared kid"},
        {{{5, "[1 2]"}}, "Unexpected PDF object encountered", "a root that is no dictionary"},
    };
    for (const Case& c : cases) {
        std::map<int, std::string> objects = c.objects;
        objects[4] = "<< /Dests 5 0 R >>";
        ExpectLoadFails(StructureFile("/Names 4 0 R", objects), c.message, c.why);
    }
    EXPECT_ERROR(RecordingDocument().LoadFromMemory(
                     StructureFile("/Names 4 0 R", {{4, "<< /Dests 5 0 R >>"}, {5, "[1 2]"}})),
                 EUnexpectedObjectError, "Unexpected PDF object encountered");
    EXPECT_ERROR(RecordingDocument().LoadFromMemory(StructureFile("/Names << /Dests (x) >>")), EUnexpectedObjectError,
                 "Unexpected PDF object encountered");
    EXPECT_ERROR(RecordingDocument().LoadFromMemory(StructureFile(
                     "/Names 4 0 R", {{4, "<< /Dests 5 0 R >>"}, {5, "<< /Names [(a) 8 0 R] >>"}, {8, "(text)"}})),
                 EUnexpectedError, "Unexpected PDF object encountered");
}

TEST(CatalogSteps, StatusTextsAndProgressOfEveryStep) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile("/Dests 4 0 R /AcroForm << /Fields [] >> /Names 5 0 R /Outlines 6 0 R",
                                     {{4, "<< >>"}, {5, "<< >>"}, {6, "<< /Type /Outlines >>"}}));
    const std::vector<std::string> expected = {
        "Reading Cross-Reference Table", "<begin>", "Traversing Pages...", "Processing Destinations",
        "Processing Annotations...", "AcroForms Processed", "Processing Name Tree...", "Reading Outlines...",
        "Document read complete. Pages read = 1", "<end>"};
    EXPECT_EQ(doc.statuses, expected);
    EXPECT_EQ(doc.progress, (std::vector<int>{10, 75, 30, 90, 60, 100}));
}

TEST(CatalogSteps, ActionsAreStoredAndCopied) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile("/OpenAction 4 0 R /AA << /WC 5 0 R >>",
                                     {{4, "<< /S /GoTo /D [3 0 R /Fit] /Next 6 0 R >>"},
                                      {5, "<< /S /JavaScript /JS 7 0 R >>"},
                                      {6, "<< /S /URI /URI (http://example.org) >>"},
                                      {7, "(close\\(\\))"}}));
    for (int number : {4, 5, 6, 7}) EXPECT_NE(Stored(doc, number), nullptr) << number;
    ASSERT_NE(doc.Catalog().OpenAction, nullptr);
    EXPECT_EQ(As<TkpPDFIndirectReference>(doc.Catalog().OpenAction.get())->ObjectNumber, 4);
    ASSERT_NE(doc.Catalog().AA, nullptr);
    EXPECT_TRUE(doc.Catalog().AA->IsDictionary());
}

}  // namespace
}  // namespace kp
