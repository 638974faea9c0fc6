// The interactive form (/AcroForm): its objects are brought into the store and the field tree is walked
// into the document's form-field records.
//
// The walk is bounded on hostile forms: every field and every /Kids array is walked once (a field listed
// twice, a kid naming an ancestor or kids shared between fields add nothing), the nesting depth is limited,
// each default appearance string is parsed once, each /DR font dictionary is indexed once, and the text the
// records hold together is limited.
#include "engine/document/CustomPDFDocument.h"

#include <unordered_map>
#include <unordered_set>

#include "engine/document/DocumentErrors.h"
#include "engine/document/TextStrings.h"
#include "engine/filters/DecodePipeline.h"

namespace kp {

using namespace document;

namespace {

// Real forms nest fields a few levels deep; the bound keeps the recursive walk's stack small and the
// qualified names (which repeat every ancestor's name) short on hostile files.
constexpr int kMaxFieldTreeDepth = 64;
// Text held by all form-field records together (names, values, states, each state also counted with its
// own overhead). Far above any real form; it stops a large value or option list shared by many fields
// from being copied into unbounded memory.
constexpr int64_t kMaxFormFieldText = int64_t{64} << 20;

// The form dictionary's entries brought into the store besides the fields.
constexpr const char* kFormEntries[] = {"/NeedAppearances", "/SigFlags", "/CO", "/DR", "/DA", "/Q", "/XFA"};

// What one walk of the field tree has seen and worked out already.
struct FormWalk {
    std::unordered_set<const TkpPDFIndirectObject*> fields;
    std::unordered_set<const TkpPDFArrayObject*> kids;
    std::unordered_map<const TkpPDFStringObject*, TkpFontInfo> appearances;
    // Each /DR /Font dictionary's keys (the first entry of a key wins) and values.
    std::unordered_map<const TkpPDFDictObject*, std::unordered_map<std::string, TkpPDFObject*>> fonts;

    const TkpFontInfo& Appearance(const TkpPDFStringObject& appearance) {
        auto found = appearances.find(&appearance);
        if (found == appearances.end()) {
            found = appearances.emplace(&appearance, ParseDefaultAppearance(StringBytes(appearance))).first;
        }
        return found->second;
    }

    TkpPDFObject* Font(const TkpPDFDictObject& dict, const std::string& key) {
        auto found = fonts.find(&dict);
        if (found == fonts.end()) {
            found = fonts.emplace(&dict, std::unordered_map<std::string, TkpPDFObject*>()).first;
            for (int32_t i = 0; i < dict.Count(); ++i) found->second.try_emplace(dict.KeyAt(i)->Text, dict.ValueAt(i));
        }
        const auto entry = found->second.find(key);
        return entry == found->second.end() ? nullptr : entry->second;
    }
};

}  // namespace

// What a field passes down to its kids: its qualified name, default appearance and default-resource fonts
// (each level's own /DR fonts, the nearer level winning).
struct TkpCustomPDFDocument::FieldContext {
    std::string Name;
    bool Named = false;  // false above the first field with a /T
    const TkpPDFStringObject* Appearance = nullptr;
    const TkpPDFDictObject* Fonts = nullptr;
    const FieldContext* Parent = nullptr;
    FormWalk* Walk = nullptr;
};

void TkpCustomPDFDocument::ReadAcroForm(const TkpPDFDictObject& catalog) {
    TkpPDFObject* form = catalog.Lookup("/AcroForm");
    if (form == nullptr || form->IsNull()) return;
    catalog_->AcroForm = form->Clone();
    if (const auto* reference = As<TkpPDFIndirectReference>(form)) {
        if (TkpPDFIndirectObject* object = FetchStored(reference->ObjectNumber)) {
            ReadFormFields(*TakeAs<TkpPDFDictObject>(object->Body.get()));
        }
    } else {
        TkpPDFDictObject& dict = *TakeAs<TkpPDFDictObject>(form);
        ReadFormFields(dict);
        // A form written into the catalog becomes an object of its own, numbered past the table, so that
        // the form entry is a reference like any other.
        auto object = std::make_unique<TkpPDFIndirectObject>(documentSerial_, store_->NewObjectNumber(), 0, dict.Clone());
        object->MarkUsed();
        catalog_->AcroForm = ReferenceOf(*object);
        store_->Add(std::move(object));
    }
    Status(msg::kStatusAcroForms);
}

void TkpCustomPDFDocument::ReadFormFields(TkpPDFDictObject& form) {
    for (const char* key : kFormEntries) LoadReachable(form.Lookup(key));
    FormWalk walk;
    FieldContext top;
    top.Walk = &walk;
    top.Appearance = store_->ResolveString(form.Lookup("/DA"));
    if (const TkpPDFDictObject* resources = store_->ResolveDict(form.Lookup("/DR"))) {
        top.Fonts = store_->ResolveDict(resources->Lookup("/Font"));
    }
    TkpPDFArrayObject* fields = FetchArray(form.Lookup("/Fields"), true);
    for (int32_t i = 0; fields != nullptr && i < fields->Count(); ++i) {
        if (const auto* reference = As<TkpPDFIndirectReference>(fields->Items(i))) ReadField(*reference, top, 0);
    }
}

void TkpCustomPDFDocument::ReadField(const TkpPDFIndirectReference& reference, const FieldContext& parent, int depth) {
    FormWalk& walk = *parent.Walk;
    TkpPDFIndirectObject* object = store_->Find(&reference);
    if (object == nullptr) object = FetchStored(reference.ObjectNumber);
    if (object == nullptr || !walk.fields.insert(object).second) return;
    if (depth >= kMaxFieldTreeDepth) throw EUnexpectedError();
    TkpPDFDictObject& field = *TakeAs<TkpPDFDictObject>(object->Body.get());
    // Everything the field refers to (its kids and their appearances included) goes into the store first,
    // so that the record below is made from stored objects.
    LoadReachable(&field);

    FieldContext context;
    context.Walk = &walk;
    context.Parent = &parent;
    context.Name = parent.Name;
    context.Named = parent.Named;
    const TkpPDFStringObject* title = store_->ResolveString(field.Lookup("/T"));
    if (title != nullptr) {
        context.Name = (parent.Named ? parent.Name + "." : std::string()) + TextStringToAnsi(*title);
        context.Named = true;
    }
    const TkpPDFStringObject* appearance = store_->ResolveString(field.Lookup("/DA"));
    context.Appearance = appearance ? appearance : parent.Appearance;
    if (const TkpPDFDictObject* resources = store_->ResolveDict(field.Lookup("/DR"))) {
        context.Fonts = store_->ResolveDict(resources->Lookup("/Font"));
    }
    TkpPDFArrayObject* kids = FetchArray(field.Lookup("/Kids"), true);
    if (kids != nullptr && !walk.kids.insert(kids).second) kids = nullptr;  // shared with a field walked before

    // The field type is not inherited: only a field with its own /FT (and a /T) gets a record.
    if (title != nullptr && store_->ResolveName(field.Lookup("/FT")) != nullptr) {
        TkpAcroFormField record = MakeFieldRecord(*object, context, kids);
        int64_t text = static_cast<int64_t>(record.FieldName.size() + record.FieldType.size() + record.Value.size() +
                                            record.Font.Name.size() + record.Font.Color.size() +
                                            record.Font.ResourceName.size());
        for (const std::string& state : record.States) text += static_cast<int64_t>(state.size() + sizeof(std::string));
        formFieldText_ += text;
        if (formFieldText_ > kMaxFormFieldText) throw EUnexpectedError();
        formFields_.push_back(std::move(record));
    }

    for (int32_t i = 0; kids != nullptr && i < kids->Count(); ++i) {
        ReadField(*TakeAs<TkpPDFIndirectReference>(kids->Items(i)), context, depth + 1);
    }
}

namespace {

// /V as text: a name without its slash, a string's text, a stream's decoded data; anything else is empty.
std::string FieldValueText(const TkpPDFObject* value) {
    if (const auto* name = As<TkpPDFNameObject>(value)) return name->NameValue();
    if (const auto* string = As<TkpPDFStringObject>(value)) return TextStringToAnsi(*string);
    if (const auto* stream = As<TkpPDFStreamObject>(value); stream != nullptr && stream->Data != nullptr) {
        return DecodeStreamData(*stream->Data, stream->Dict->Lookup("/Filter"))->ToString();
    }
    return {};
}

// One /Opt entry: a string, or an [export display] pair of which the display text is taken.
std::string OptionText(const TkpPDFObjectStore& store, TkpPDFObject* item) {
    TkpPDFObject* value = store.ResolveDirect(item);
    if (const auto* pair = As<TkpPDFArrayObject>(value)) value = store.ResolveDirect(pair->Items(pair->Count() > 1 ? 1 : 0));
    if (const auto* string = As<TkpPDFStringObject>(value)) return TextStringToAnsi(*string);
    if (const auto* name = As<TkpPDFNameObject>(value)) return name->NameValue();
    return {};
}

}  // namespace

TkpAcroFormField TkpCustomPDFDocument::MakeFieldRecord(const TkpPDFIndirectObject& object, const FieldContext& context,
                                                       const TkpPDFArrayObject* widgets) {
    const TkpPDFDictObject& field = static_cast<const TkpPDFDictObject&>(*object.Body);
    TkpAcroFormField record;
    record.ObjectNumber = object.ObjectNumber;
    record.Generation = object.Generation;
    record.FieldName = context.Name;
    if (const TkpPDFNameObject* type = store_->ResolveName(field.Lookup("/FT"))) record.FieldType = type->Text;
    if (const TkpPDFIntegerObject* flags = store_->ResolveInteger(field.Lookup("/Ff"))) record.Flags = flags->Value;
    record.FieldKind = FieldKindOf(record.FieldType, record.Flags);
    if (record.Flags != -1) {
        record.ReadOnly = (record.Flags & kFieldReadOnly) != 0;
        record.MultiLine = (record.Flags & kFieldMultiLine) != 0;
    }
    if (const TkpPDFIntegerObject* maxLen = store_->ResolveInteger(field.Lookup("/MaxLen"))) record.MaxLen = maxLen->Value;
    if (const TkpPDFIntegerObject* quadding = store_->ResolveInteger(field.Lookup("/Q"))) record.Quadding = quadding->Value;

    if (context.Appearance != nullptr) {
        record.Font = context.Walk->Appearance(*context.Appearance);
        const std::string key = "/" + record.Font.ResourceName;
        // The nearest level whose /DR fonts name the Tf font gives the face.
        for (const FieldContext* level = &context; level != nullptr && !record.Font.ResourceName.empty();
             level = level->Parent) {
            TkpPDFObject* entry = level->Fonts ? context.Walk->Font(*level->Fonts, key) : nullptr;
            if (entry == nullptr) continue;
            const auto* font = As<TkpPDFDictObject>(store_->ResolveDirect(entry));
            const auto* baseFont = font ? As<TkpPDFNameObject>(store_->ResolveDirect(font->Lookup("/BaseFont"))) : nullptr;
            if (baseFont != nullptr) SplitBaseFont(baseFont->NameValue(), record.Font);
            break;
        }
    }
    record.Value = FieldValueText(store_->ResolveDirect(field.Lookup("/V")));

    if (record.FieldKind == fkPushButton || record.FieldKind == fkRadioButton || record.FieldKind == fkCheckBox) {
        std::unordered_set<std::string> seen;
        auto addStates = [&](const TkpPDFDictObject& widget) {
            const TkpPDFDictObject* appearances = FetchDict(widget.Lookup("/AP"), true);
            TkpPDFObject* normal = appearances ? appearances->Lookup("/N") : nullptr;
            // A single appearance stream (a push button's face) has no state names.
            const TkpPDFObject* target = store_->ResolveDirect(normal);
            if (target == nullptr || target->IsStream()) return;
            const TkpPDFDictObject* states = FetchDict(normal, true);
            for (int32_t i = 0; states != nullptr && i < states->Count(); ++i) {
                std::string state = states->KeyAt(i)->NameValue();
                if (seen.insert(state).second) record.States.push_back(std::move(state));
            }
        };
        if (field.Lookup("/AP") != nullptr) {
            addStates(field);
        } else if (widgets != nullptr) {
            // A field whose widgets are its kids (a radio group) has the states of all of them.
            for (int32_t i = 0; i < widgets->Count(); ++i) {
                if (const TkpPDFDictObject* widget = FetchDict(widgets->Items(i), true)) addStates(*widget);
            }
        }
        if (record.FieldKind == fkCheckBox && seen.insert("Off").second) record.States.emplace_back("Off");
    } else if (record.FieldType == "/Ch") {
        const TkpPDFArrayObject* options = FetchArray(field.Lookup("/Opt"), true);
        for (int32_t i = 0; options != nullptr && i < options->Count(); ++i) {
            record.States.push_back(OptionText(*store_, options->Items(i)));
        }
    }
    return record;
}

}  // namespace kp
