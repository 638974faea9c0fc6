#include "engine/syntax/LiteralStrings.h"

namespace kp {
namespace {
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
}  // namespace

uint8_t OctalToByte(std::string_view digits) {
    unsigned value = 0;
    for (char c : digits) value = value * 8 + static_cast<unsigned>(c - '0');
    return static_cast<uint8_t>(value & 0xFF);
}

std::string UnescapeLiteral(std::string_view body) {
    std::string out;
    out.reserve(body.size());
    size_t i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c != '\\' || i + 1 >= body.size()) {
            out.push_back(c);
            ++i;
            continue;
        }
        const char next = body[i + 1];
        switch (next) {
            case '(': case ')': case '\\': out.push_back(next); i += 2; continue;
            case 'b': out.push_back('\b'); i += 2; continue;
            case 'f': out.push_back('\f'); i += 2; continue;
            case 'n': out.push_back('\n'); i += 2; continue;
            case 'r': out.push_back('\r'); i += 2; continue;
            case 't': out.push_back('\t'); i += 2; continue;
            default: break;
        }
        if (IsOctalDigit(next)) {
            size_t end = i + 1;
            while (end < body.size() && end < i + 4 && IsOctalDigit(body[end])) ++end;
            out.push_back(static_cast<char>(OctalToByte(body.substr(i + 1, end - i - 1))));
            i = end;
            continue;
        }
        // Unknown escape: keep the backslash; the next character is handled on its own.
        out.push_back('\\');
        ++i;
    }
    return out;
}

std::string EscapeLiteral(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    size_t column = 0;
    for (char c : bytes) {
        switch (c) {
            case '(': case ')': case '\\': out.push_back('\\'); out.push_back(c); ++column; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; ++column; break;
            case '\r': out += "\\r"; ++column; break;
            case '\t': {
                const size_t spaces = 8 - column % 8;
                out.append(spaces, ' ');
                column += spaces;
                break;
            }
            default: out.push_back(c); ++column; break;
        }
    }
    return out;
}

}  // namespace kp
