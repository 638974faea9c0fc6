#include <gtest/gtest.h>

#include "ReaderFixture.h"

namespace kp {
namespace {

TEST(Lexer, SkipWhitespaceSkipsCommentsButNotFormFeedOrNul) {
    test::ReaderOver r(" \t\r\n% comment\r% more\n  x");
    r.reader.SkipWhitespace();
    EXPECT_EQ(r.reader.PeekByte(), 'x');
    test::ReaderOver ff("\fx");
    ff.reader.SkipWhitespace();
    EXPECT_EQ(ff.reader.PeekByte(), '\f');
    test::ReaderOver comment("%to the end");
    comment.reader.SkipWhitespace();
    EXPECT_EQ(comment.reader.PeekByte(), kEndOfData);
}

TEST(Lexer, ReadTokenStopsAtDelimitersAndSkipsWhitespace) {
    struct Case { const char* input; const char* token; int next; };
    const Case cases[] = {
        {"123 456", "123", '4'},
        {"obj<<", "obj", '<'},
        {"endobj\n%c\n7", "endobj", '7'},
        {"/Name", "/Name", kEndOfData},          // a delimiter in the first position is taken
        {"[1", "[1", kEndOfData},
        {"a{b}%c\nd", "a{b}%c", 'd'},            // { } and % are not delimiters
        {std::string_view("ab\0c", 4).data(), "ab", 0},  // NUL ends a token
        {"R", "R", kEndOfData},
    };
    for (const auto& c : cases) {
        const std::string_view input = c.next == 0 ? std::string_view(c.input, 4) : std::string_view(c.input);
        test::ReaderOver r(input);
        EXPECT_EQ(r.reader.ReadToken(), c.token) << c.input;
        EXPECT_EQ(r.reader.PeekByte(), c.next) << c.input;
    }
    test::ReaderOver empty("");
    EXPECT_EQ(empty.reader.ReadToken(), "");
}

TEST(Lexer, PeekTokenKeepsThePositionAfterWhitespace) {
    test::ReaderOver r("  stream\r\ndata");
    EXPECT_EQ(r.reader.PeekToken(), "stream");
    EXPECT_EQ(r.reader.Position(), 2) << "the skipped whitespace stays consumed";
    EXPECT_EQ(r.reader.PeekToken(), "stream");
    test::ReaderOver delimiter("(x)");
    EXPECT_EQ(delimiter.reader.PeekToken(), "");
    EXPECT_EQ(delimiter.reader.Position(), 0);
}

}  // namespace
}  // namespace kp
