#include <gtest/gtest.h>

#include "engine/text/ExPDFDocument.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

using Lines = std::vector<std::string>;

Lines Scan(std::string_view content) {
    const pw::TStringList list = ScanContentBytes(content);
    Lines lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
    return lines;
}

struct ScanCase {
    const char* why;
    std::string content;
    Lines lines;
};

TEST(ContentScanner, Cases) {
    const ScanCase cases[] = {
        {"Td always breaks, so the first line is empty", "BT /F1 12 Tf 72 712 Td (Hello World) Tj ET", {"", "Hello World"}},
        {"Tm breaks when its f operand changes", "BT 1 0 0 1 72 700 Tm (A) Tj ET BT 1 0 0 1 72 686 Tm (B) Tj ET", {"A", "B"}},
        {"an unchanged f operand joins", "BT 1 0 0 1 72 700 Tm (A) Tj ET BT 1 0 0 1 80 700 Tm (B) Tj ET", {"AB"}},
        {"kerning numbers in TJ are ignored", "[(Hel) -250 (lo)] TJ", {"Hello"}},
        {"strings join without a line-moving operator", "(Hello) Tj (World) Tj", {"HelloWorld"}},
        {"T* breaks", "(A) Tj T* (B) Tj", {"A", "B"}},
        {"several moves give one line", "0 -14 Td 0 -14 Td (A) Tj", {"", "A"}},
        {"an empty string flushes an empty line", "(A) Tj 0 -14 Td () Tj 0 -14 Td (B) Tj", {"A", "", "B"}},
        {"escaped parenthesis", "(a\\)b) Tj", {"a)b"}},
        {"escaped backslash", "(x\\\\y) Tj", {"x\\y"}},
        {"octal escapes are not decoded", "(\\101) Tj", {"101"}},
        {"\\n gives n", "(a\\nb) Tj", {"anb"}},
        {"parentheses are not counted", "(a(b)c) Tj", {"a(b"}},
        {"hex strings add nothing", "<48656C6C6F> Tj", {}},
        {"strings in property lists are copied", "/Span <</ActualText (x)>> BDC (y) Tj EMC", {"xy"}},
        {"' and \" do not break", "(A) Tj (B) ' 1 2 (C) \"", {"ABC"}},
        {"TD and TM count", "10 20 TD (A) Tj 1 0 0 1 0 20 TM (B) Tj 1 0 0 1 0 30 TM (C) Tj", {"", "AB", "C"}},
        {"-1 is never remembered", "1 0 0 1 0 -1 Tm (A) Tj 1 0 0 1 0 5 Tm (B) Tj 1 0 0 1 0 -1 Tm (C) Tj",
         {"ABC"}},
        {"line ends and zero bytes inside strings are kept", std::string("(a\r\nb\0c) Tj", 12), {std::string("a\r\nb\0c", 6)}},
        {"a backslash before a line end keeps the line end", "(a\\\nb) Tj", {"a\nb"}},
        {"bytes above 127 unchanged", "(caf\xE9) Tj", {"caf\xE9"}},
        {"break pending at the end adds nothing", "(A) Tj 0 -14 Td", {"A"}},
        {"the byte after the operator is only tested for a string", "72 712 Td(Hi) Tj", {"", "Hi"}},
        {"two spaces before the operator", "(A) Tj 0 -14  Td (B) Tj", {"A", "B"}},
        {"three spaces before the operator", "(A) Tj 0 -14   Td (B) Tj", {"A", "B"}},
        // With four or more blanks the move would go back before the operator; the scan stays and ends.
        {"four spaces before the operator", "(A) Tj 0 -14    Td (B) Tj", {"A", "B"}},
        {"many spaces before Tm", "1 0 0 1 0 5          Tm (A) Tj 1 0 0 1 0 6              Tm (B) Tj", {"A", "B"}},
        {"a string without its closing parenthesis runs to the end", "(abc", {"abc"}},
        {"a backslash as the last byte", "(ab\\", {"ab"}},
        {"the last byte begins nothing", "(A) Tj (", {"A"}},
        {"the operand may end the data", "5 Td", {}},
        {"empty data", "", {}},
    };
    for (const ScanCase& c : cases) EXPECT_EQ(Scan(c.content), c.lines) << c.why;
}

TEST(ContentScanner, OperandThatIsNotANumberFails) {
    EXPECT_ERROR(Scan("/TD0 gs (A) Tj"), pw::EConvertError, "'/TD0' is not a valid floating point value");
    EXPECT_ERROR(Scan("72 700\nTd (A) Tj"), pw::EConvertError, "'700\nTd' is not a valid floating point value");
    EXPECT_ERROR(Scan("72 700Td (A) Tj"), pw::EConvertError, "'700Td' is not a valid floating point value");
    EXPECT_ERROR(Scan("  Td (A)"), pw::EConvertError, "'' is not a valid floating point value");
    EXPECT_ERROR(Scan("Tm"), pw::EConvertError, "'' is not a valid floating point value");
}

}  // namespace
}  // namespace kp
