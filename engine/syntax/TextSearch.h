#pragma once
// Text utilities over byte strings: word search in a buffer, case-insensitive tests and substrings.
// Positions written "1-based" follow the convention of the callers that take them from text offsets.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kp {

enum TkpSearchOption : unsigned { soSearchDown = 1, soMatchCase = 2, soWholeWord = 4 };

// Searches buffer[0..length) for word. Down: from start + selectionLength forwards; otherwise from
// start - length(word) backwards. Without soMatchCase both sides are compared upper-cased (ANSI rules).
// With soWholeWord the characters around a match must not be 0-9, A-Z or a-z. The match's position, or
// nothing.
std::optional<int64_t> SearchBuffer(const char* buffer, int64_t length, int64_t start, int64_t selectionLength,
                                    std::string_view word, unsigned options);

// Case-insensitive (ANSI rules) containment; an empty part is never contained.
bool ContainsText(std::string_view text, std::string_view part);

struct TkpWordBefore {
    std::string Word;
    // 1-based index of the space, CR or LF that stopped the word; 0 when it reached the start of the text.
    int64_t DelimiterIndex;
};
// From the character before the 1-based position, skips spaces, CR and LF backwards, then collects the
// word back to the next space, CR or LF.
TkpWordBefore WordBefore(std::string_view text, int64_t position);
// count words before position, in the text's order, each preceded by one space for the delimiter that
// stopped it (a word that reached the start of the text has none).
std::string WordsBefore(std::string_view text, int64_t position, int count);

std::string LeftPart(std::string_view text, int64_t n);
std::string RightPart(std::string_view text, int64_t n);
// count characters from the 1-based start.
std::string MidPart(std::string_view text, int64_t start, int64_t count);
// 1-based position of the first occurrence of part at or after the 1-based offset; 0 when absent.
int64_t PosFrom(std::string_view part, std::string_view text, int64_t offset);
// Replaces every occurrence of oldText, comparing upper-cased texts.
std::string ReplaceTextIgnoreCase(std::string_view text, std::string_view oldText, std::string_view newText);
// Index of the first entry exactly equal (case-sensitive) to text, or -1.
int IndexOfText(const std::vector<std::string>& list, std::string_view text);

}  // namespace kp
