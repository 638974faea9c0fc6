// The plain-text byte scanner over one decoded content stream.
#include "engine/text/ExPDFDocument.h"
#include "engine/text/PageTextOutput.h"

#include <cstring>

#include "engine/syntax/NumberText.h"

namespace kp {

namespace {

// Marks "no y seen yet"; a vertical operand of exactly this value is never remembered.
constexpr double kNoY = -1.0;

// Where the lines go: a string list, or the bytes of a text file (every line followed by CR LF).
struct ListSink {
    void Line(const std::string& line) { lines.Add(line); }
    pw::TStringList lines;
};
struct TextSink {
    void Line(const std::string& line) {
        text.append(line);
        text.append("\r\n");
    }
    std::string& text;
};

template <typename Sink>
class ContentScanner {
public:
    ContentScanner(std::string_view data, Sink& sink) : d_(data), n_(data.size()), sink_(sink) {}

    void Run() {
        // The last byte never begins anything: every test looks at a pair of bytes.
        for (size_t i = 0; i + 1 < n_; ++i) {
            if (d_[i] == 'T') {
                const char next = d_[i + 1];
                if (next == '*' || next == 'd' || next == 'D') breakPending_ = true;
                if (next == 'd' || next == 'm' || next == 'D' || next == 'M') i = AfterVerticalOperand(i);
            }
            if (i < n_ && d_[i] == '(') i = CopyString(i);
        }
        if (!line_.empty()) sink_.Line(line_);
    }

private:
    // Reads the operand before the operator at i (for Td and TD their ty, for Tm the f), notes a change of
    // the vertical position, and returns the position the scan goes on from.
    size_t AfterVerticalOperand(size_t i) {
        // Only the space byte delimits the token: line ends and tabs belong to it.
        size_t last = i;  // one past the last byte of the token
        while (last > 0 && d_[last - 1] == ' ') --last;
        // Nothing but spaces before the operator: the token is empty, which is not a number either.
        if (last == 0) throw pw::EConvertError(pw::FillMessage(pw::msg::kInvalidFloat, std::string_view()));
        size_t start = last - 1;
        while (start > 0 && d_[start - 1] != ' ') --start;
        // The token runs forward from its start to the next space, which may lie past the operator.
        const void* space = std::memchr(d_.data() + start, ' ', n_ - start);
        const size_t tokenEnd = space ? static_cast<size_t>(static_cast<const char*>(space) - d_.data()) : n_;
        const double value = ParseNumber(d_.substr(start, tokenEnd - start));
        if (lastY_ == kNoY) {
            lastY_ = value;
        } else if (value != kNoY && value != lastY_) {
            breakPending_ = true;
            lastY_ = value;
        }
        // On to the third byte after the space that ended the token: with one space between operand and
        // operator, the byte just after the operator. With more spaces that target lies at or before the
        // operator, and going back would scan the same operator again forever: the scan never moves back.
        const size_t target = tokenEnd + 3;
        return target > i ? target : i;
    }

    // Copies the literal string opening at i into the current line and returns the position of its closing
    // ")" (the end of the data when it has none). A backslash is dropped and the byte after it copied as is.
    size_t CopyString(size_t i) {
        if (breakPending_) {
            sink_.Line(line_);
            line_.clear();
            breakPending_ = false;
        }
        size_t p = i + 1;
        while (p < n_) {
            size_t stop = p;
            while (stop < n_ && d_[stop] != ')' && d_[stop] != '\\') ++stop;
            line_.append(d_.data() + p, stop - p);
            if (stop >= n_) return n_;
            if (d_[stop] == ')') return stop;
            if (stop + 1 < n_) line_ += d_[stop + 1];
            p = stop + 2;
        }
        return n_;
    }

    std::string_view d_;
    size_t n_;
    Sink& sink_;
    std::string line_;
    bool breakPending_ = false;
    double lastY_ = kNoY;
};

}  // namespace

pw::TStringList ScanContentBytes(std::string_view content) {
    ListSink sink;
    ContentScanner<ListSink>(content, sink).Run();
    return std::move(sink.lines);
}

void ScanContentBytesInto(std::string_view content, std::string& text) {
    TextSink sink{text};
    ContentScanner<TextSink>(content, sink).Run();
}

}  // namespace kp
