#pragma once
// The records of the interactive form's fields, made at load in the order the field tree is walked, and the
// default-appearance font record each carries. The page-element layer builds form elements from them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kp {

// The font and colour a field's text is drawn with, from its default appearance string (/DA) and the
// default-resource fonts (/DR /Font).
struct TkpFontInfo {
    std::string Name;          // face: the font's /BaseFont without subset tag and style words; empty if unknown
    int32_t Size = 0;          // points, from the Tf operand (0: the viewer sizes the text automatically)
    bool Bold = false;
    bool Italic = false;
    std::string Color;         // "r g b rg" or "g g" as the operands were written; empty without either
    std::string ResourceName;  // the Tf font's key in /DR /Font, without its slash
};

// Field kinds in the order the page elements number them.
enum TkpFieldKind : int32_t { fkPushButton, fkRadioButton, fkCheckBox, fkText, fkChoice, fkSignature };

// /Ff bits (bit 1 is the lowest).
inline constexpr int32_t kFieldReadOnly = 1 << 0;
inline constexpr int32_t kFieldMultiLine = 1 << 12;
inline constexpr int32_t kFieldRadio = 1 << 15;
inline constexpr int32_t kFieldPushButton = 1 << 16;

struct TkpAcroFormField {
    int32_t ObjectNumber = 0;   // the field dictionary's object
    uint16_t Generation = 0;
    std::string FieldName;      // fully qualified: the ancestors' /T and the field's own, joined by "."
    std::string FieldType;      // /FT as written ("/Tx", "/Btn", ...)
    TkpFieldKind FieldKind = fkChoice;
    int32_t Flags = -1;         // /Ff; -1 when absent
    bool ReadOnly = false;
    bool MultiLine = false;
    int32_t MaxLen = 0;
    int32_t Quadding = 0;       // /Q: 0 left, 1 centred, 2 right
    TkpFontInfo Font;
    std::string Value;          // /V as 8-bit text
    // Buttons: the appearance state names (check boxes always include "Off"); choice fields: the options.
    std::vector<std::string> States;
};

// The kind of a field from its /FT text and its /Ff flags (-1 when absent).
TkpFieldKind FieldKindOf(std::string_view fieldType, int32_t flags);

// The Tf font resource name and size and the last rg or g colour of a default appearance string; Name, Bold
// and Italic are left for the caller, who knows the fonts.
TkpFontInfo ParseDefaultAppearance(std::string_view appearance);

// Splits a /BaseFont text (without its slash) into the face name and style: a subset tag ("ABCDEF+") is
// dropped; "Bold" and "Italic" or "Oblique" (any case) after a "," or "-" set the style and are cut off with
// that separator ("Arial,BoldItalic" -> Arial, bold, italic; "Helvetica-Oblique" -> Helvetica, italic).
void SplitBaseFont(std::string_view baseFont, TkpFontInfo& font);

}  // namespace kp
