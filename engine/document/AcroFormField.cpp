#include "engine/document/AcroFormField.h"

#include <algorithm>
#include <cmath>

#include "platform/Numbers.h"

namespace kp {

namespace {

// Font sizes beyond this are not sizes of text on a page; the bound keeps the conversion to an integer sane.
constexpr double kMaxFontSize = 100000;

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0'; }

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

TkpFieldKind FieldKindOf(std::string_view fieldType, int32_t flags) {
    if (fieldType == "/Btn") {
        const int32_t bits = flags == -1 ? 0 : flags;
        if (bits & kFieldPushButton) return fkPushButton;
        if (bits & kFieldRadio) return fkRadioButton;
        return fkCheckBox;
    }
    if (fieldType == "/Tx") return fkText;
    if (fieldType == "/Sig") return fkSignature;
    return fkChoice;
}

TkpFontInfo ParseDefaultAppearance(std::string_view appearance) {
    TkpFontInfo font;
    std::vector<std::string_view> operands;
    size_t position = 0;
    while (position < appearance.size()) {
        while (position < appearance.size() && IsWhite(appearance[position])) ++position;
        const size_t start = position;
        while (position < appearance.size() && !IsWhite(appearance[position])) ++position;
        if (start == position) break;
        const std::string_view token = appearance.substr(start, position - start);
        double number = 0;
        if (token.front() == '/' || pw::TryStrToFloat(token, number)) {
            operands.push_back(token);
            continue;
        }
        const size_t count = operands.size();
        if (token == "Tf" && count >= 2 && operands[count - 2].front() == '/') {
            font.ResourceName = std::string(operands[count - 2].substr(1));
            double size = 0;
            font.Size = 0;
            if (pw::TryStrToFloat(operands[count - 1], size)) {
                font.Size = static_cast<int32_t>(pw::RoundHalfEven(std::clamp(size, -kMaxFontSize, kMaxFontSize)));
            }
        } else if (token == "rg" && count >= 3) {
            font.Color = std::string(operands[count - 3]) + " " + std::string(operands[count - 2]) + " " +
                         std::string(operands[count - 1]) + " rg";
        } else if (token == "g" && count >= 1) {
            font.Color = std::string(operands[count - 1]) + " g";
        }
        operands.clear();
    }
    return font;
}

void SplitBaseFont(std::string_view baseFont, TkpFontInfo& font) {
    const size_t plus = baseFont.find('+');
    if (plus != std::string_view::npos) baseFont.remove_prefix(plus + 1);
    font.Bold = false;
    font.Italic = false;
    const size_t separator = baseFont.find_first_of(",-");
    if (separator != std::string_view::npos) {
        const std::string style = Lower(baseFont.substr(separator + 1));
        font.Bold = style.find("bold") != std::string::npos;
        font.Italic = style.find("italic") != std::string::npos || style.find("oblique") != std::string::npos;
        if (font.Bold || font.Italic) baseFont = baseFont.substr(0, separator);
    }
    font.Name = std::string(baseFont);
}

}  // namespace kp
