// Real files with forms, outlines, name trees and annotations: they load, and their information, outline
// shapes and field records are what the files hold (as qpdf shows them).
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "engine/document/DocumentErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using namespace document;
using test::Fixture;

std::string Title(const TkpPDFOutline& item) {
    const auto* title = item.Dict() ? As<TkpPDFStringObject>(item.Dict()->Lookup("/Title")) : nullptr;
    return title ? title->StringValue() : "?";
}

// The items below parent as "title(children)", siblings separated by ",", closed items marked "*".
std::string Shape(const TkpPDFOutline& parent) {
    std::string out;
    for (const TkpPDFOutline* item = parent.First; item != nullptr; item = item->Next) {
        if (!out.empty()) out += ",";
        out += Title(*item) + (item->Closed ? "*" : "");
        if (item->First != nullptr) out += "(" + Shape(*item) + ")";
    }
    return out;
}

TEST(RealStructures, FormOfAnOfficeSuite) {
    TkpCustomPDFDocument doc;
    doc.LoadFromFile(Fixture("document/lo-form.pdf"));
    EXPECT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(doc.Info().Creator(), u"Writer");
    EXPECT_EQ(doc.Info().Producer(), u"LibreOffice 6.4");
    EXPECT_EQ(doc.Info().CreationDate(), "D:20220626105843+02'00'");

    struct Expected { const char* name; TkpFieldKind kind; const char* value; };
    const Expected expected[] = {
        {"First Name", fkText, "Alice"}, {"Last Name", fkText, ""},     {"female", fkRadioButton, "Off"},
        {"Birthday", fkText, ""},        {"gdpr", fkCheckBox, "Off"},   {"other", fkCheckBox, "Off"},
        {"First Name_2", fkText, "Bob"}, {"Nationality", fkChoice, ""},
    };
    const std::vector<TkpAcroFormField>& fields = doc.FormFields();
    ASSERT_EQ(fields.size(), std::size(expected));
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].FieldName, expected[i].name);
        EXPECT_EQ(fields[i].FieldKind, expected[i].kind) << expected[i].name;
        EXPECT_EQ(fields[i].Value, expected[i].value) << expected[i].name;
    }
    EXPECT_EQ(fields[0].Font.Name, "Ubuntu");
    EXPECT_EQ(fields[0].Font.Size, 11);
    EXPECT_EQ(fields[0].Font.Color, "0.29803 0.29803 0.29803 rg");
    EXPECT_EQ(fields[2].States, (std::vector<std::string>{"1", "Off", "2"}));
    EXPECT_EQ(fields[4].States, (std::vector<std::string>{"Off", "Yes"}));
    EXPECT_TRUE(fields[6].MultiLine);
    EXPECT_EQ(fields[7].States, (std::vector<std::string>{"Unknown", "German", "Indonesian", "US-American", "French",
                                                           "Spanish", "Italian"}));
    // The form is written into the catalog: it becomes object 55 (the table has 54 entries).
    const auto* form = As<TkpPDFIndirectReference>(doc.Catalog().AcroForm.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->ObjectNumber, 55);
    EXPECT_NE(doc.ObjectStore().Find(form), nullptr);
}

TEST(RealStructures, FormInObjectStreams) {
    TkpCustomPDFDocument doc;
    doc.LoadFromFile(Fixture("document/pdftex-forms-objstm.pdf"));
    EXPECT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(doc.NamedDestinations().Count(), 2);
    const std::vector<TkpAcroFormField>& fields = doc.FormFields();
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].FieldName, "Name");
    EXPECT_EQ(fields[0].FieldKind, fkText);
    EXPECT_EQ(fields[0].Font.Name, "Helvetica");
    EXPECT_EQ(fields[0].Font.Size, 10);
    EXPECT_EQ(fields[1].FieldName, "Check");
    EXPECT_EQ(fields[1].FieldKind, fkCheckBox);
    EXPECT_EQ(fields[1].Value, "Off");
    EXPECT_EQ(fields[1].Font.Name, "ZapfDingbats");
    EXPECT_EQ(fields[2].FieldName, "Submit");
    EXPECT_EQ(fields[2].FieldKind, fkPushButton);
    EXPECT_EQ(As<TkpPDFIndirectReference>(doc.Catalog().AcroForm.get())->ObjectNumber, 24);
}

TEST(RealStructures, OutlinesWithNamedDestinationsOfATypesetter) {
    TkpCustomPDFDocument doc;
    doc.LoadFromFile(Fixture("document/pdftex-outlines.pdf"));
    EXPECT_EQ(doc.PageCount(), 4);
    EXPECT_EQ(doc.PageMode(), pmUseOutlines);
    EXPECT_EQ(doc.Info().Producer(), u"pdfTeX-1.40.23");
    EXPECT_EQ(doc.Info().Title(), u"");
    EXPECT_EQ(doc.NamedDestinations().Count(), 15);
    ASSERT_NE(doc.OutlineRoot(), nullptr);
    EXPECT_EQ(doc.OutlineRoot()->ObjectNumber, 5);
    EXPECT_EQ(doc.OutlineCount(), 27);
    EXPECT_EQ(Shape(*doc.OutlineRoot()),
              "First(Second,Third,Fourth(Fifth,Sixth),Seventh*(Eighth,Ninth)),"
              "Tenth(Eleventh,Twelfth,Thirteenth,Fourteenth),Fifteenth*(Sixteenth,Seventeenth),Eighteenth,"
              "Nineteenth(Twentieth,Twenty-first,Twenty-second,Twenty-third,Twenty-fourth,Twenty-fifth,"
              "Twenty-sixth,Twenty-seventh)");
    // The items' GoTo actions name their destinations by string; each became the destination array.
    const TkpPDFOutline* first = doc.OutlineRoot()->First;
    const auto* action = As<TkpPDFDictObject>(first->Dict()->Lookup("/A"));
    ASSERT_NE(action, nullptr);
    const auto* destination = As<TkpPDFArrayObject>(action->Lookup("/D"));
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(As<TkpPDFIndirectReference>(destination->Items(0))->ObjectNumber, 9);
    EXPECT_DOUBLE_EQ(NumberOf(destination->Items(3)), 716.092);
    const TkpPDFOutline* fifth = first->First->Next->Next->First;
    EXPECT_EQ(Title(*fifth), "Fifth");
    destination = As<TkpPDFArrayObject>(As<TkpPDFDictObject>(fifth->Dict()->Lookup("/A"))->Lookup("/D"));
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(As<TkpPDFIndirectReference>(destination->Items(0))->ObjectNumber, 10);
    EXPECT_DOUBLE_EQ(NumberOf(destination->Items(3)), 569.627);
}

TEST(RealStructures, AnnotationsAndInformation) {
    TkpCustomPDFDocument doc;
    doc.LoadFromFile(Fixture("document/fpdf-annotations.pdf"));
    EXPECT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(doc.PageLayout(), plOneColumn);
    EXPECT_EQ(doc.Info().Title(), u"Annotated PDF");
    EXPECT_EQ(doc.Info().Creator(), u"created by Martin Thoma");
    EXPECT_EQ(doc.Info().CreationDate(), "D:19900428000000+02'00'");
    const auto* annotations = As<TkpPDFArrayObject>(As<TkpPDFDictObject>(doc.Pages()[0]->Body.get())->Lookup("/Annots"));
    ASSERT_NE(annotations, nullptr);
    EXPECT_EQ(annotations->Count(), 3);
    ASSERT_NE(doc.Catalog().OpenAction, nullptr);
    EXPECT_TRUE(doc.Catalog().OpenAction->IsArray());
    EXPECT_EQ(doc.OutlineRoot(), nullptr);
    EXPECT_TRUE(doc.FormFields().empty());
}

TEST(RealStructures, OutlineLoopFailsTheLoad) {
    TkpCustomPDFDocument doc;
    EXPECT_ERROR(doc.LoadFromFile(Fixture("document/outlines-with-loop.pdf")), EUnexpectedError, "Unexpected Error");
    EXPECT_EQ(doc.PageCount(), 30) << "the pages were read before the outlines";
    EXPECT_EQ(doc.NamedDestinations().Count(), 2) << "the name tree was read before the outlines";
    EXPECT_EQ(doc.Reader(), nullptr);
}

}  // namespace
}  // namespace kp
