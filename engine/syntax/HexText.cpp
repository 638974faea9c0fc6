#include "engine/syntax/HexText.h"

#include "platform/Ansi.h"

namespace kp {
namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

template <typename Out>
void AppendHexBytes(std::string_view text, Out& out) {
    out.reserve(text.size() / 2);
    int high = -1;
    for (char c : text) {
        const int value = DigitValue(c);
        if (value < 0) continue;
        if (high < 0) {
            high = value;
        } else {
            out.push_back(static_cast<typename Out::value_type>(high * 16 + value));
            high = -1;
        }
    }
}

}  // namespace

bool IsHexDigits(std::string_view text) {
    for (char c : text) {
        if (DigitValue(c) < 0) return false;
    }
    return true;
}

uint8_t HexPairToByte(std::string_view text, bool& ok) {
    ok = IsHexDigits(text);
    if (!ok) return 0;
    unsigned value = 0;
    for (char c : text) value = (value * 16 + static_cast<unsigned>(DigitValue(c))) & 0xFF;
    return static_cast<uint8_t>(value);
}

std::string HexToBytes(std::string_view text) {
    std::string out;
    AppendHexBytes(text, out);
    return out;
}

TkpByteArray HexToByteArray(std::string_view text) {
    TkpByteArray out;
    AppendHexBytes(text, out);
    return out;
}

std::string BytesToHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 15]);
    }
    return out;
}

std::u16string HexTextToWide(std::string_view text) {
    const bool unicode = text.size() >= 4 && (text[0] == 'F' || text[0] == 'f') && (text[1] == 'E' || text[1] == 'e') &&
                         (text[2] == 'F' || text[2] == 'f') && (text[3] == 'F' || text[3] == 'f');
    if (!unicode) return pw::AnsiToWide(HexToBytes(text));
    const std::string_view digits = text.substr(4, 999);
    std::u16string out;
    for (size_t i = 0; i + 4 <= digits.size(); i += 4) {
        bool ok = false;
        const unsigned high = HexPairToByte(digits.substr(i, 2), ok);
        const unsigned low = HexPairToByte(digits.substr(i + 2, 2), ok);
        const auto unit = static_cast<char16_t>(high << 8 | low);
        if (unit == 0) break;
        out.push_back(unit);
    }
    return out;
}

}  // namespace kp
