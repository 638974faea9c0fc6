#include "engine/syntax/TextSearch.h"

#include <gtest/gtest.h>

namespace kp {
namespace {

std::optional<int64_t> Search(std::string_view buffer, int64_t start, std::string_view word, unsigned options) {
    return SearchBuffer(buffer.data(), static_cast<int64_t>(buffer.size()), start, 0, word, options);
}

TEST(SearchBuffer, BackwardsWholeWordCaseInsensitive) {
    const std::string tail = "startxref 1 startxref\n123\n%%EOF";
    const auto n = static_cast<int64_t>(tail.size());
    EXPECT_EQ(Search(tail, n, "startxref", soWholeWord), 12);
    EXPECT_EQ(Search("STARTXREF 9", 11, "startxref", soWholeWord), 0);
    EXPECT_EQ(Search("STARTXREF 9", 11, "startxref", soWholeWord | soMatchCase), std::nullopt);
    EXPECT_EQ(Search("xstartxref 9", 12, "startxref", soWholeWord), std::nullopt) << "must start a word";
    EXPECT_EQ(Search("startxrefs", 10, "startxref", soWholeWord), std::nullopt) << "must end a word";
    EXPECT_EQ(Search("startxref1", 10, "startxref", soWholeWord), std::nullopt);
    EXPECT_EQ(Search("%startxref_", 11, "startxref", soWholeWord), 1) << "only letters and digits join words";
    EXPECT_EQ(Search("xstartxref", 10, "startxref", 0), 1) << "without whole word any match counts";
    EXPECT_EQ(Search("ab", 2, "abc", 0), std::nullopt);
    EXPECT_EQ(Search("abc", 3, "", 0), std::nullopt);
}

TEST(SearchBuffer, ForwardsFromAfterTheSelection) {
    const std::string text = "obj obj obj";
    EXPECT_EQ(SearchBuffer(text.data(), 11, 0, 0, "obj", soSearchDown), 0);
    EXPECT_EQ(SearchBuffer(text.data(), 11, 0, 1, "obj", soSearchDown), 4);
    EXPECT_EQ(SearchBuffer(text.data(), 11, 5, 3, "OBJ", soSearchDown), 8);
    EXPECT_EQ(SearchBuffer(text.data(), 11, 5, 3, "Obj", soSearchDown | soMatchCase), std::nullopt);
    EXPECT_EQ(SearchBuffer(text.data(), 11, 4, 0, "OBJ", soSearchDown), 4);
    EXPECT_EQ(SearchBuffer(text.data(), 11, 4, 1000, "obj", soSearchDown), std::nullopt);
    EXPECT_EQ(SearchBuffer("caf\xE9", 4, 4, 0, "\xC9", 0), 3) << "upper case through the ANSI rules";
}

TEST(TextUtilities, ContainsWordsAndSubstrings) {
    EXPECT_TRUE(ContainsText("Arial,BoldItalic", "italic"));
    EXPECT_FALSE(ContainsText("Arial", "Bold"));
    EXPECT_FALSE(ContainsText("Arial", ""));

    const std::string text = "one two\r\nthree  ";
    const auto before = WordBefore(text, static_cast<int64_t>(text.size()) + 1);
    EXPECT_EQ(before.Word, "three");
    EXPECT_EQ(before.DelimiterIndex, 9) << "the LF at 1-based index 9";
    EXPECT_EQ(WordBefore(text, 4).Word, "one");
    EXPECT_EQ(WordBefore(text, 4).DelimiterIndex, 0);
    EXPECT_EQ(WordsBefore(text, static_cast<int64_t>(text.size()) + 1, 2), " two three");
    EXPECT_EQ(WordsBefore(text, static_cast<int64_t>(text.size()) + 1, 5), "one two three");

    EXPECT_EQ(LeftPart("abcdef", 2), "ab");
    EXPECT_EQ(LeftPart("ab", 5), "ab");
    EXPECT_EQ(RightPart("abcdef", 2), "ef");
    EXPECT_EQ(RightPart("ab", 5), "ab");
    EXPECT_EQ(MidPart("abcdef", 2, 3), "bcd");
    EXPECT_EQ(MidPart("abcdef", 7, 3), "");
    EXPECT_EQ(PosFrom("b", "abcabc", 1), 2);
    EXPECT_EQ(PosFrom("b", "abcabc", 3), 5);
    EXPECT_EQ(PosFrom("x", "abcabc", 1), 0);
    EXPECT_EQ(PosFrom("b", "abcabc", 0), 0);
    EXPECT_EQ(ReplaceTextIgnoreCase("Red red RED", "red", "blue"), "blue blue blue");
    EXPECT_EQ(ReplaceTextIgnoreCase("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(IndexOfText({"/UseNone", "/UseOutlines"}, "/UseOutlines"), 1);
    EXPECT_EQ(IndexOfText({"/UseNone"}, "/usenone"), -1);
}

}  // namespace
}  // namespace kp
