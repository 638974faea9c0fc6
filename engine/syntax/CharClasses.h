#pragma once
// Byte classes of the PDF lexer.

#include <array>
#include <cstdint>

namespace kp {

// TAB, LF, CR and space. Form feed and NUL are not whitespace here.
inline constexpr bool IsPDFWhitespace(int c) { return c == 9 || c == 10 || c == 13 || c == 32; }

namespace detail {
constexpr std::array<bool, 256> MakeNameDelimiters() {
    std::array<bool, 256> table{};
    for (char c : {'\t', '\n', '\r', ' ', '(', ')', '/', '<', '>', '[', ']'}) table[static_cast<unsigned char>(c)] = true;
    return table;
}
inline constexpr std::array<bool, 256> kNameDelimiters = MakeNameDelimiters();
}  // namespace detail

// Whitespace and ( ) / < > [ ]; { } and % are not delimiters.
inline bool IsNameDelimiter(int c) { return c >= 0 && detail::kNameDelimiters[static_cast<size_t>(c)]; }
// The name delimiters and NUL.
inline bool IsTokenDelimiter(int c) { return c == 0 || IsNameDelimiter(c); }

}  // namespace kp
