// The interactive form: the field tree walked into form-field records, the form written into the catalog,
// and the loops, depths and sizes a hostile form may have.
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
using test::StructureBuilder;
using test::StructureFile;

const TkpAcroFormField* FieldNamed(const TkpCustomPDFDocument& doc, const std::string& name) {
    for (const TkpAcroFormField& field : doc.FormFields()) {
        if (field.FieldName == name) return &field;
    }
    return nullptr;
}

std::vector<std::string> FieldNames(const TkpCustomPDFDocument& doc) {
    std::vector<std::string> names;
    for (const TkpAcroFormField& field : doc.FormFields()) names.push_back(field.FieldName);
    return names;
}

TEST(AcroForm, FieldTreeBecomesRecords) {
    PdfBuilder pdf = StructureBuilder(
        "/AcroForm 4 0 R",
        {{4, "<< /Fields [5 0 R 9 0 R 10 0 R 11 0 R 12 0 R 13 0 R 14 0 R 18 0 R 19 0 R (junk)] "
             "/DA (/Helv 0 Tf 0 g) /DR << /Font << /Helv 20 0 R /TiRo 21 0 R >> >> /NeedAppearances true >>"},
         {5, "<< /T (person) /Kids [6 0 R 7 0 R] /DR << /Font << /Helv 22 0 R >> >> >>"},
         {6, "<< /T (name) /FT /Tx /Parent 5 0 R /Ff 4097 /MaxLen 20 /Q 1 /V <FEFF0041006C00690063006500E9> "
             "/DA (0 0 1 rg /Helv 12 Tf) >>"},
         {7, "<< /Parent 5 0 R /Kids [8 0 R] >>"},
         {8, "<< /T (age) /FT /Tx /Parent 7 0 R /V (42) >>"},
         {9, "<< /T (agree) /FT /Btn /V /Yes /AP << /N << /Yes 30 0 R >> /D << /Off 31 0 R >> >> /DA (/TiRo 10.5 Tf) >>"},
         {10, "<< /T (choice) /FT /Btn /Ff 49152 /V /B /Kids [15 0 R 16 0 R] >>"},
         {11, "<< /T (go) /FT /Btn /Ff 65536 /AP << /N 32 0 R >> >>"},
         {12, "<< /T (pick) /FT /Ch /Ff 131072 /Opt [(x) [(ex) (Display)] <FEFF0059>] /V (x) >>"},
         {13, "<< /T (sig) /FT /Sig >>"},
         {14, "<< /T (odd) /FT /Zz >>"},
         {15, "<< /Parent 10 0 R /AS /A /AP << /N << /A 30 0 R /Off 31 0 R >> >> >>"},
         {16, "<< /Parent 10 0 R /AP << /N 17 0 R >> >>"},
         {17, "<< /B 30 0 R /Off 31 0 R >>"},
         {18, "<< /T (notes) /FT /Tx /V 33 0 R >>"},
         {19, "<< /FT /Tx /V (no name) >>"},
         {20, "<< /Type /Font /BaseFont /Helvetica >>"},
         {21, "<< /Type /Font /BaseFont /Times-Roman >>"},
         {22, "<< /Type /Font /BaseFont /ABCDEF+Arial,Bold >>"}});
    for (int number : {30, 31, 32}) pdf.Stream(number, "", "q Q");
    pdf.Stream(33, "/Filter /ASCIIHexDecode", "48 69>");
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());

    EXPECT_EQ(FieldNames(doc), (std::vector<std::string>{"person.name", "person.age", "agree", "choice", "go", "pick",
                                                         "sig", "odd", "notes"}));
    const TkpAcroFormField& name = doc.FormFields()[0];
    EXPECT_EQ(name.ObjectNumber, 6);
    EXPECT_EQ(name.FieldType, "/Tx");
    EXPECT_EQ(name.FieldKind, fkText);
    EXPECT_EQ(name.Flags, 4097);
    EXPECT_TRUE(name.ReadOnly);
    EXPECT_TRUE(name.MultiLine);
    EXPECT_EQ(name.MaxLen, 20);
    EXPECT_EQ(name.Quadding, 1);
    EXPECT_EQ(name.Value, "Alice\xE9");
    EXPECT_EQ(name.Font.Name, "Arial") << "the nearest /DR that names the font";
    EXPECT_TRUE(name.Font.Bold);
    EXPECT_FALSE(name.Font.Italic);
    EXPECT_EQ(name.Font.Size, 12);
    EXPECT_EQ(name.Font.Color, "0 0 1 rg");

    const TkpAcroFormField& age = doc.FormFields()[1];
    EXPECT_EQ(age.Flags, -1);
    EXPECT_FALSE(age.ReadOnly);
    EXPECT_FALSE(age.MultiLine);
    EXPECT_EQ(age.MaxLen, 0);
    EXPECT_EQ(age.Quadding, 0);
    EXPECT_EQ(age.Value, "42");
    EXPECT_EQ(age.Font.ResourceName, "Helv") << "the form's /DA, passed down";
    EXPECT_EQ(age.Font.Size, 0);
    EXPECT_EQ(age.Font.Color, "0 g");
    EXPECT_EQ(age.Font.Name, "Arial") << "the /DR of an ancestor beats the form's";

    const TkpAcroFormField& agree = *FieldNamed(doc, "agree");
    EXPECT_EQ(agree.FieldKind, fkCheckBox) << "a /Btn without /Ff";
    EXPECT_EQ(agree.Value, "Yes");
    EXPECT_EQ(agree.States, (std::vector<std::string>{"Yes", "Off"})) << "check boxes always have Off";
    EXPECT_EQ(agree.Font.Name, "Times-Roman");
    EXPECT_EQ(agree.Font.Size, 10) << "10.5 rounds to even";

    const TkpAcroFormField& choice = *FieldNamed(doc, "choice");
    EXPECT_EQ(choice.FieldKind, fkRadioButton);
    EXPECT_EQ(choice.Value, "B");
    EXPECT_EQ(choice.States, (std::vector<std::string>{"A", "Off", "B"})) << "the states of every widget, once";

    const TkpAcroFormField& go = *FieldNamed(doc, "go");
    EXPECT_EQ(go.FieldKind, fkPushButton);
    EXPECT_TRUE(go.States.empty()) << "a single appearance stream has no states";
    EXPECT_EQ(go.Font.Name, "Helvetica") << "the form's /DA and /DR";

    const TkpAcroFormField& pick = *FieldNamed(doc, "pick");
    EXPECT_EQ(pick.FieldKind, fkChoice);
    EXPECT_EQ(pick.States, (std::vector<std::string>{"x", "Display", "Y"}));
    EXPECT_EQ(FieldNamed(doc, "sig")->FieldKind, fkSignature);
    EXPECT_EQ(FieldNamed(doc, "odd")->FieldKind, fkChoice);
    EXPECT_EQ(FieldNamed(doc, "notes")->Value, "Hi") << "a stream value is decoded";

    // Everything the form refers to is in the store.
    for (int number : {4, 5, 6, 7, 8, 15, 16, 17, 20, 21, 22, 30, 31, 32, 33}) {
        EXPECT_GE(doc.ObjectStore().IndexOf(doc.DocumentSerial(), number, 0), 0) << number;
    }
    EXPECT_EQ(As<TkpPDFIndirectReference>(doc.Catalog().AcroForm.get())->ObjectNumber, 4);

    // The next load starts without the records of this one.
    doc.LoadFromMemory(StructureFile(""));
    EXPECT_TRUE(doc.FormFields().empty());
}

TEST(AcroForm, FormWrittenIntoTheCatalogGetsAnObjectOfItsOwn) {
    RecordingDocument doc;
    doc.LoadFromMemory(StructureFile("/AcroForm << /Fields [4 0 R] /DA (/F1 9 Tf) >>", {{4, "<< /T (a) /FT /Tx >>"}}));
    ASSERT_EQ(doc.FormFields().size(), 1u);
    EXPECT_EQ(doc.FormFields()[0].Font.Size, 9);
    const auto* reference = As<TkpPDFIndirectReference>(doc.Catalog().AcroForm.get());
    ASSERT_NE(reference, nullptr);
    EXPECT_GT(reference->ObjectNumber, static_cast<int32_t>(doc.XRefTable().size()) - 1) << "past the table";
    EXPECT_EQ(reference->ObjectNumber, doc.ObjectStore().ObjectNumberCounter());
    const TkpPDFIndirectObject* form = doc.ObjectStore().Find(reference);
    ASSERT_NE(form, nullptr);
    EXPECT_GE(form->UseCount, 1);
    EXPECT_NE(As<TkpPDFDictObject>(form->Body.get())->Lookup("/Fields"), nullptr);
    EXPECT_NE(std::find(doc.statuses.begin(), doc.statuses.end(), "AcroForms Processed"), doc.statuses.end());
}

TEST(AcroForm, LoopsAndRepeatsAreWalkedOnce) {
    PdfBuilder pdf = StructureBuilder("/AcroForm 4 0 R",
                                      {{4, "<< /Fields [5 0 R 5 0 R 6 0 R 7 0 R 9 0 R] >>"},
                                       {5, "<< /T (a) /FT /Tx /Kids [6 0 R] >>"},
                                       {6, "<< /T (b) /FT /Tx /Parent 5 0 R /Kids [5 0 R 6 0 R] >>"},
                                       {7, "<< /T (c) /FT /Btn /Ff 32768 /Kids 8 0 R >>"},
                                       {8, "[10 0 R]"},
                                       {9, "<< /T (d) /FT /Btn /Ff 32768 /Kids 8 0 R >>"},
                                       {10, "<< /T (w) /FT /Btn /AP << /N << /On 11 0 R >> >> >>"}});
    pdf.Stream(11, "", "q Q");
    RecordingDocument doc;
    doc.LoadFromMemory(pdf.Build());
    EXPECT_EQ(FieldNames(doc), (std::vector<std::string>{"a", "a.b", "c", "c.w", "d"}));
    EXPECT_EQ(FieldNamed(doc, "c")->States, (std::vector<std::string>{"On"}));
    EXPECT_TRUE(FieldNamed(doc, "d")->States.empty()) << "kids shared with c are c's";
}

TEST(AcroForm, BadFormsEndTheLoad) {
    // A chain of kids deeper than any real form.
    std::map<int, std::string> deep = {{4, "<< /Fields [5 0 R] >>"}};
    for (int n = 5; n < 5 + 100; ++n) deep[n] = "<< /T (f) /Kids [" + std::to_string(n + 1) + " 0 R] >>";
    deep[105] = "<< /T (leaf) /FT /Tx >>";

    struct Case { std::map<int, std::string> objects; const char* message; const char* why; };
    const Case cases[] = {
        {deep, "Unexpected Error", "fields nested a hundred deep"},
        {{{4, "<< /Fields [5 0 R] >>"}, {5, "<< /T (a) /Kids [<< /T (b) >>] >>"}}, "Invalid class typecast",
         "a kid written in place"},
        {{{4, "<< /Fields 7 >>"}}, "Unexpected PDF object encountered", "/Fields not an array"},
        {{{4, "[1]"}}, "Invalid class typecast", "a form that is no dictionary"},
        {{{4, "<< /Fields [5 0 R] >>"}, {5, "(field)"}}, "Invalid class typecast", "a field that is no dictionary"},
    };
    for (const Case& c : cases) ExpectLoadFails(StructureFile("/AcroForm 4 0 R", c.objects), c.message, c.why);
    EXPECT_ERROR(RecordingDocument().LoadFromMemory(StructureFile("/AcroForm 4 0 R", {{4, "<< /Fields 7 >>"}})),
                 EUnexpectedObjectError, "Unexpected PDF object encountered");
}

TEST(AcroForm, SharedLargeValuesCannotExhaustMemory) {
    // One value of 8 MiB after RunLength decoding, shared by twelve fields: their records would hold 96 MiB.
    std::string encoded;
    for (int i = 0; i < 65536; ++i) encoded += "\x81" "A";
    encoded += "\x80";
    std::string fields;
    std::map<int, std::string> objects;
    for (int n = 5; n < 17; ++n) {
        fields += std::to_string(n) + " 0 R ";
        objects[n] = "<< /T (f" + std::to_string(n) + ") /FT /Tx /V 4 0 R >>";
    }
    PdfBuilder pdf = StructureBuilder("/AcroForm << /Fields [" + fields + "] >>", objects);
    pdf.Stream(4, "/Filter /RunLengthDecode", encoded);
    RecordingDocument doc;
    EXPECT_ERROR(doc.LoadFromMemory(pdf.Build()), EUnexpectedError, "Unexpected Error");
}

TEST(AcroForm, DefaultAppearanceAndFontNames) {
    struct Case { const char* appearance; const char* resource; int size; const char* color; };
    const Case cases[] = {
        {"0.29803 0.29803 0.29803 rg /F3 11 Tf", "F3", 11, "0.29803 0.29803 0.29803 rg"},
        {"/Helv 0 Tf 0 g", "Helv", 0, "0 g"},
        {"/Cour 9.5 Tf 1 0 0 rg /Cour 8 Tf", "Cour", 8, "1 0 0 rg"},
        {"0 0 0 1 k /ZaDb 1e9 Tf", "ZaDb", 100000, ""},
        {"Tf rg g 12 Tf", "", 0, ""},
        {"", "", 0, ""},
    };
    for (const Case& c : cases) {
        const TkpFontInfo font = ParseDefaultAppearance(c.appearance);
        EXPECT_EQ(font.ResourceName, c.resource) << c.appearance;
        EXPECT_EQ(font.Size, c.size) << c.appearance;
        EXPECT_EQ(font.Color, c.color) << c.appearance;
    }

    struct Face { const char* baseFont; const char* name; bool bold; bool italic; };
    const Face faces[] = {
        {"ABCDEF+Arial,BoldItalic", "Arial", true, true}, {"Helvetica-Oblique", "Helvetica", false, true},
        {"Helvetica-Bold", "Helvetica", true, false},     {"Times-Roman", "Times-Roman", false, false},
        {"ArialMT", "ArialMT", false, false},             {"Ubuntu", "Ubuntu", false, false},
    };
    for (const Face& f : faces) {
        TkpFontInfo font;
        SplitBaseFont(f.baseFont, font);
        EXPECT_EQ(font.Name, f.name) << f.baseFont;
        EXPECT_EQ(font.Bold, f.bold) << f.baseFont;
        EXPECT_EQ(font.Italic, f.italic) << f.baseFont;
    }

    EXPECT_EQ(FieldKindOf("/Btn", 1 << 16 | 1 << 15), fkPushButton) << "push button before radio";
    EXPECT_EQ(FieldKindOf("/Btn", 1 << 15), fkRadioButton);
    EXPECT_EQ(FieldKindOf("/Btn", -1), fkCheckBox) << "absent flags";
    EXPECT_EQ(FieldKindOf("/Tx", 1 << 16), fkText);
    EXPECT_EQ(FieldKindOf("/Ch", 0), fkChoice);
    EXPECT_EQ(FieldKindOf("/Sig", 0), fkSignature);
}

}  // namespace
}  // namespace kp
