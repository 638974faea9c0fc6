// The tokenizer of TkpPDFStreamReader: whitespace and comments, bare tokens.
#include "engine/syntax/StreamReader.h"

#include "engine/syntax/CharClasses.h"

namespace kp {

TkpPDFStreamReader::TkpPDFStreamReader(int32_t documentSerial, pw::TStream* source)
    : TkpRandomAccessFilter(source), documentSerial_(documentSerial) {}

void TkpPDFStreamReader::SkipWhitespace() {
    for (;;) {
        const int c = PeekByte();
        if (IsPDFWhitespace(c)) {
            ReadByte();
        } else if (c == '%') {
            // A comment runs to, not including, the next CR or LF.
            ReadByte();
            for (int d = PeekByte(); d != kEndOfData && d != '\r' && d != '\n'; d = PeekByte()) ReadByte();
        } else {
            return;
        }
    }
}

std::string TkpPDFStreamReader::ReadToken() {
    std::string token;
    const int first = ReadByte();
    if (first == kEndOfData) return token;
    token.push_back(static_cast<char>(first));
    for (;;) {
        const int c = ReadByte();
        if (c == kEndOfData) break;
        if (IsTokenDelimiter(c)) {
            StepBack();
            break;
        }
        token.push_back(static_cast<char>(c));
    }
    SkipWhitespace();
    return token;
}

std::string TkpPDFStreamReader::PeekToken() {
    SkipWhitespace();
    const int64_t start = Position();
    std::string token;
    for (int c = ReadByte(); c != kEndOfData && !IsNameDelimiter(c); c = ReadByte()) token.push_back(static_cast<char>(c));
    source_->Seek(start, pw::soBeginning);
    return token;
}

}  // namespace kp
