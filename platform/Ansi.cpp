#include "platform/Ansi.h"

#include <array>
#include <cstdint>

namespace pw {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five undefined bytes.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

char16_t ByteToUnit(unsigned char b) {
    if (b < 0x80 || b >= 0xA0) return b;
    const char16_t mapped = kHighControls[b - 0x80];
    return mapped != 0 ? mapped : b;
}

char UnitToByte(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == u) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::u16string AnsiToWide(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes) out.push_back(ByteToUnit(static_cast<unsigned char>(c)));
    return out;
}

std::string WideToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t u : text) out.push_back(UnitToByte(u));
    return out;
}

unsigned char AnsiUpperChar(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;  // a-grave .. thorn, not the division sign
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: return c;
    }
}

unsigned char AnsiLowerChar(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;  // A-grave .. Thorn, not the multiplication sign
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

std::string AnsiUpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(AnsiUpperChar(static_cast<unsigned char>(c)));
    return out;
}

std::string AnsiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace pw
