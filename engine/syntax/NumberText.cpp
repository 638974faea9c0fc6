#include "engine/syntax/NumberText.h"

#include <array>
#include <charconv>

namespace kp {

double ParseNumber(std::string_view text) { return pw::StrToFloat(text); }

std::string FormatNumber(double value) { return pw::FloatToStrF(value, pw::ffGeneral, 15, 0); }

std::string FormatNumberFixed(double value, pw::TFloatFormat format, int precision, int digits) {
    return pw::FloatToStrF(value, format, precision, digits);
}

bool TryParseInteger(std::string_view text, int32_t& value) { return pw::TryStrToInt(text, value); }

namespace {

// The classic default values of the Windows system colours, by index (scroll bar, background, ...).
constexpr std::array<uint32_t, 31> kSystemColours = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000, 0xB4B4B4,
    0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969,
    0xE3E3E3, 0x000000, 0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0,
};

uint32_t ResolveColour(uint32_t colour) {
    if ((colour & 0xFF000000u) != 0xFF000000u) return colour & 0xFFFFFF;
    const uint32_t index = colour & 0xFF;
    return index < kSystemColours.size() ? kSystemColours[index] : 0;
}

std::string Component(uint32_t value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value / 255.0, std::chars_format::fixed, 4);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string ColorToPDF(uint32_t colour) {
    const uint32_t rgb = ResolveColour(colour);
    return Component(rgb & 0xFF) + " " + Component(rgb >> 8 & 0xFF) + " " + Component(rgb >> 16 & 0xFF);
}

int32_t ParseRGBColor(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    uint32_t value = 0;
    unsigned shift = 0;
    while (!text.empty()) {
        const size_t space = text.find(' ');
        const std::string_view token = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (!token.empty() && token.front() == 'r') break;
        const int64_t component = pw::RoundHalfEven(static_cast<long double>(ParseNumber(token)) * 255);
        // Components past the third have no byte of their own in a 32-bit colour.
        if (shift < 32) value += static_cast<uint32_t>(component) << shift;
        shift += 8;
    }
    return static_cast<int32_t>(value);
}

}  // namespace kp
