#include "engine/syntax/TextSearch.h"

#include <algorithm>

#include "platform/Ansi.h"

namespace kp {
namespace {

bool IsWordChar(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsBreak(char c) { return c == ' ' || c == '\r' || c == '\n'; }

}  // namespace

std::optional<int64_t> SearchBuffer(const char* buffer, int64_t length, int64_t start, int64_t selectionLength,
                                    std::string_view word, unsigned options) {
    const auto wordLength = static_cast<int64_t>(word.size());
    if (buffer == nullptr || wordLength == 0 || length < wordLength) return std::nullopt;
    const bool matchCase = options & soMatchCase;
    const bool wholeWord = options & soWholeWord;
    const std::string key = matchCase ? std::string(word) : pw::AnsiUpperCase(word);

    auto matchesAt = [&](int64_t p) {
        for (int64_t k = 0; k < wordLength; ++k) {
            auto c = static_cast<unsigned char>(buffer[p + k]);
            if (!matchCase) c = pw::AnsiUpperChar(c);
            if (c != static_cast<unsigned char>(key[static_cast<size_t>(k)])) return false;
        }
        if (!wholeWord) return true;
        if (p > 0 && IsWordChar(static_cast<unsigned char>(buffer[p - 1]))) return false;
        if (p + wordLength < length && IsWordChar(static_cast<unsigned char>(buffer[p + wordLength]))) return false;
        return true;
    };

    const int64_t last = length - wordLength;
    if (options & soSearchDown) {
        for (int64_t p = std::max<int64_t>(start + selectionLength, 0); p <= last; ++p) {
            if (matchesAt(p)) return p;
        }
    } else {
        for (int64_t p = std::min(start - wordLength, last); p >= 0; --p) {
            if (matchesAt(p)) return p;
        }
    }
    return std::nullopt;
}

bool ContainsText(std::string_view text, std::string_view part) {
    if (part.empty()) return false;
    return pw::AnsiUpperCase(text).find(pw::AnsiUpperCase(part)) != std::string::npos;
}

TkpWordBefore WordBefore(std::string_view text, int64_t position) {
    // i is the 0-based index of the character before the 1-based position.
    int64_t i = std::min<int64_t>(position - 2, static_cast<int64_t>(text.size()) - 1);
    while (i >= 0 && IsBreak(text[static_cast<size_t>(i)])) --i;
    const int64_t end = i;
    while (i >= 0 && !IsBreak(text[static_cast<size_t>(i)])) --i;
    TkpWordBefore result;
    result.Word = std::string(text.substr(static_cast<size_t>(i + 1), static_cast<size_t>(end - i)));
    result.DelimiterIndex = i + 1;  // the delimiter's 1-based index, 0 at the start of the text
    return result;
}

std::string WordsBefore(std::string_view text, int64_t position, int count) {
    std::string result;
    for (int n = 0; n < count; ++n) {
        const TkpWordBefore item = WordBefore(text, position);
        result = (item.DelimiterIndex == 0 ? "" : " ") + item.Word + result;
        if (item.DelimiterIndex == 0) break;
        position = item.DelimiterIndex;
    }
    return result;
}

std::string LeftPart(std::string_view text, int64_t n) {
    return std::string(text.substr(0, static_cast<size_t>(std::max<int64_t>(n, 0))));
}

std::string RightPart(std::string_view text, int64_t n) {
    const auto size = static_cast<int64_t>(text.size());
    n = std::clamp<int64_t>(n, 0, size);
    return std::string(text.substr(static_cast<size_t>(size - n)));
}

std::string MidPart(std::string_view text, int64_t start, int64_t count) {
    const auto size = static_cast<int64_t>(text.size());
    if (start < 1) start = 1;
    if (start > size || count <= 0) return std::string();
    return std::string(text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

int64_t PosFrom(std::string_view part, std::string_view text, int64_t offset) {
    if (part.empty() || offset < 1 || offset > static_cast<int64_t>(text.size())) return 0;
    const size_t found = text.find(part, static_cast<size_t>(offset - 1));
    return found == std::string_view::npos ? 0 : static_cast<int64_t>(found) + 1;
}

std::string ReplaceTextIgnoreCase(std::string_view text, std::string_view oldText, std::string_view newText) {
    if (oldText.empty()) return std::string(text);
    const std::string upperText = pw::AnsiUpperCase(text);
    const std::string upperOld = pw::AnsiUpperCase(oldText);
    std::string out;
    size_t from = 0;
    for (size_t found; (found = upperText.find(upperOld, from)) != std::string::npos; from = found + oldText.size()) {
        out.append(text.substr(from, found - from));
        out.append(newText);
    }
    out.append(text.substr(from));
    return out;
}

int IndexOfText(const std::vector<std::string>& list, std::string_view text) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace kp
