#include "cli/TextOutput.h"

#include <array>

#include "platform/Ansi.h"

namespace cli {

namespace {

std::string Utf8Of(char16_t unit) {
    std::string out;
    if (unit < 0x80) {
        out += static_cast<char>(unit);
    } else if (unit < 0x800) {
        out += static_cast<char>(0xC0 | (unit >> 6));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (unit >> 12));
        out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    }
    return out;
}

// The UTF-8 bytes of each Windows-1252 byte, built once.
const std::array<std::string, 256>& Utf8Table() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> built;
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            built[static_cast<size_t>(byte)] = Utf8Of(pw::AnsiToWide(std::string_view(&c, 1)).at(0));
        }
        return built;
    }();
    return table;
}

}  // namespace

std::string AnsiToUtf8(std::string_view bytes) {
    const auto& table = Utf8Table();
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += table[byte];
        }
    }
    return out;
}

}  // namespace cli
