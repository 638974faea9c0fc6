#include "engine/document/TextStrings.h"

#include <cstdint>
#include <string_view>

#include "engine/syntax/HexText.h"
#include "platform/Ansi.h"

namespace kp {

namespace {

bool StartsWithFEFFText(std::string_view text) {
    if (text.size() < 4) return false;
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return upper(text[0]) == 'F' && upper(text[1]) == 'E' && upper(text[2]) == 'F' && upper(text[3]) == 'F';
}

bool StartsWithByteOrderMark(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF;
}

std::u16string BigEndianUnits(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1])));
    }
    return out;
}

// The digits of a hexadecimal string without the white space PDF allows between them.
std::string HexDigits(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\0') digits.push_back(c);
    }
    return digits;
}

}  // namespace

std::u16string DecodeTextString(const TkpPDFStringObject& string) {
    std::string body = string.StringValue();
    if (string.IsHex) {
        std::string digits = HexDigits(body);
        if (StartsWithFEFFText(digits)) return HexTextToWide(digits);
        body = HexToBytes(digits);
    }
    const bool unicode = StartsWithByteOrderMark(body);
    std::string_view rest(body);
    if (unicode) rest.remove_prefix(2);
    if (StartsWithFEFFText(rest)) return HexTextToWide(rest);
    if (unicode || (!rest.empty() && static_cast<unsigned char>(rest[0]) <= 32)) return BigEndianUnits(rest);
    return pw::AnsiToWide(rest);
}

std::string StringBytes(const TkpPDFStringObject& string) {
    return string.IsHex ? HexToBytes(string.StringValue()) : string.StringValue();
}

std::string TextStringToAnsi(const TkpPDFStringObject& string) {
    std::string bytes = StringBytes(string);
    if (!StartsWithByteOrderMark(bytes)) return bytes;
    return pw::WideToAnsi(BigEndianUnits(std::string_view(bytes).substr(2)));
}

std::string DecodeNameText(const TkpPDFNameObject& name) {
    const std::string text = name.NameValue();
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '#' && i + 2 < text.size()) {
            bool ok = false;
            const uint8_t byte = HexPairToByte(std::string_view(text).substr(i + 1, 2), ok);
            if (ok) {
                out.push_back(static_cast<char>(byte));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace kp
