// The object parser of TkpPDFStreamReader: numbers, references, indirect objects, strings, names, arrays
// and dictionaries.
#include "engine/syntax/StreamReader.h"

#include <algorithm>

#include "engine/syntax/CharClasses.h"
#include "engine/syntax/HexText.h"
#include "engine/syntax/LiteralStrings.h"
#include "engine/syntax/SyntaxErrors.h"
#include "platform/Numbers.h"

namespace kp {

using namespace syntax;

namespace {

// The placeholder fill of a read error: the byte found, or a note that the data ended.
std::string FoundByte(int c) {
    return c == kEndOfData ? std::string(msg::kEndOfData) : std::string(1, static_cast<char>(c));
}

template <typename Error>
[[noreturn]] void Fail(std::string_view pattern, std::string_view fill) {
    throw Error(pw::FillMessage(pattern, fill));
}

// Integers of reference and object headers: decimal with an optional sign, else the conversion error.
int32_t HeaderInteger(const std::string& token) {
    int32_t value = 0;
    if (!pw::TryDecimalToInt32(token, value)) throw pw::EConvertError(pw::FillMessage(pw::msg::kInvalidInteger, token));
    return value;
}

bool IsObjKeyword(const std::string& token) {
    return token.size() == 3 && (token[0] | 0x20) == 'o' && (token[1] | 0x20) == 'b' && (token[2] | 0x20) == 'j';
}

}  // namespace

TkpPDFObjectPtr TkpPDFStreamReader::ReadObject() {
    SkipWhitespace();
    const int c = PeekByte();
    switch (c) {
        case kEndOfData:
        case ')': case '>': case ']': case '}':
            return nullptr;
        case '[': return ReadPDFArray();
        case '/': return ReadPDFName();
        case '(': return ReadPDFString();
        case '<':
            if (PeekChars(2) == "<<") return ReadPDFDictionary();
            return ReadPDFString();
        case 't': return ReadKeyword("true", std::make_unique<TkpPDFBooleanObject>(true));
        case 'f': return ReadKeyword("false", std::make_unique<TkpPDFBooleanObject>(false));
        case 'n': return ReadKeyword("null", std::make_unique<TkpPDFNullObject>());
        default: return ReadNumericObject();
    }
}

TkpPDFObjectPtr TkpPDFStreamReader::ReadKeyword(std::string_view word, TkpPDFObjectPtr result) {
    if (ReadChars(static_cast<int64_t>(word.size())) == word) return result;
    if (word == "null") throw ENullObjectError(std::string(msg::kNullObject));
    Fail<EBooleanError>(msg::kBoolean, word);
}

TkpPDFObjectPtr TkpPDFStreamReader::ReadNumericObject() {
    // Three tokens ahead decide between a number, a reference (n g R) and an indirect object (n g obj).
    SkipWhitespace();
    const std::string first = ReadToken();
    const int64_t afterFirst = Position();
    const std::string second = ReadToken();
    const std::string third = ReadToken();

    if (third == "R") {
        const int32_t number = HeaderInteger(first);
        const auto generation = static_cast<uint16_t>(HeaderInteger(second));
        return std::make_unique<TkpPDFIndirectReference>(documentSerial_, number, generation);
    }

    if (IsObjKeyword(third)) {
        const int32_t number = HeaderInteger(first);
        const int32_t generation = HeaderInteger(second);
        NestingGuard guard(nesting_);
        if (guard.TooDeep()) throw pw::Exception(std::string(msg::kObjectNestingTooDeep));
        objectNumber_ = number;
        generation_ = generation;
        TkpPDFObjectPtr body = ReadObject();
        if (PeekToken() == "stream") {
            // The stream's data are read by the caller (ReadStreamData) once /Length is known.
            if (body == nullptr || !body->IsDictionary()) throw pw::EInvalidCast();
            std::unique_ptr<TkpPDFDictObject> dict(static_cast<TkpPDFDictObject*>(body.release()));
            body = std::make_unique<TkpPDFStreamObject>(std::move(dict));
        }
        return std::make_unique<TkpPDFIndirectObject>(documentSerial_, number, static_cast<uint16_t>(generation),
                                                      std::move(body));
    }

    // A plain number: the second and third tokens are read again by whoever comes next.
    source_->Seek(afterFirst, pw::soBeginning);
    if (first.find('.') != std::string::npos) {
        double value = 0;
        if (pw::TryStrToFloat(first, value)) return std::make_unique<TkpPDFRealObject>(value);
        return std::make_unique<TkpPDFStringObject>(first);
    }
    int32_t small = 0;
    if (pw::TryDecimalToInt32(first, small)) return std::make_unique<TkpPDFIntegerObject>(small);
    int64_t large = 0;
    if (pw::TryDecimalToInt64(first, large)) return std::make_unique<TkpPDFInt64Object>(large);
    throw pw::Exception(pw::FillMessage(pw::msg::kInvalidInteger, first));
}

std::unique_ptr<TkpPDFNameObject> TkpPDFStreamReader::ReadPDFName() {
    const int slash = ReadByte();
    if (slash != '/') Fail<ENameReadError>(msg::kNameRead, FoundByte(slash));
    std::string text = "/";
    for (;;) {
        const int c = ReadByte();
        if (c == kEndOfData) break;
        if (IsNameDelimiter(c)) {
            // Whitespace ends the name and is consumed; any other delimiter starts the next object.
            if (!IsPDFWhitespace(c)) StepBack();
            break;
        }
        text.push_back(static_cast<char>(c));
    }
    return std::make_unique<TkpPDFNameObject>(std::move(text));
}

std::unique_ptr<TkpPDFStringObject> TkpPDFStreamReader::ReadPDFString() {
    const int open = ReadByte();
    if (open != '(' && open != '<') Fail<EStringReadError>(msg::kStringRead, FoundByte(open));
    const char close = open == '(' ? ')' : '>';
    std::string text;
    int depth = 1;
    while (depth > 0) {
        const int c = ReadByte();
        if (c == kEndOfData) Fail<EStringReadError>(msg::kStringRead, msg::kEndOfData);
        if (c == '\\') {
            const int next = ReadByte();
            if (next == kEndOfData) Fail<EStringReadError>(msg::kStringRead, msg::kEndOfData);
            if (next == '\r' || next == '\n') {
                // A line continuation: the backslash and the end of line vanish (CR LF counts as one).
                if (next == '\r' && PeekByte() == '\n') ReadByte();
                continue;
            }
            text.push_back('\\');
            text.push_back(static_cast<char>(next));
            continue;
        }
        if (c == open) {
            ++depth;
        } else if (c == close) {
            if (--depth == 0) break;
        }
        text.push_back(static_cast<char>(c));
    }

    bool hex = open == '<';
    if (!hex) text = UnescapeLiteral(text);
    if (decryptor_ != nullptr) {
        if (objectNumber_ == -1 && generation_ == -1) Fail<EInvalidObjectNo>(msg::kInvalidObjectNo, "");
        if (!text.empty()) {
            if (hex) {
                text = HexToBytes(text);
                hex = false;
            }
            decryptor_->DecryptString(text, objectNumber_, generation_);
        }
    }
    auto result = hex ? std::make_unique<TkpPDFStringObject>("<" + text + ">")
                      : std::make_unique<TkpPDFStringObject>("(" + text + ")");
    result->IsHex = hex;
    return result;
}

std::unique_ptr<TkpPDFArrayObject> TkpPDFStreamReader::ReadPDFArray() {
    const int open = ReadByte();
    if (open != '[') Fail<EArrayReadError>(msg::kArrayRead, FoundByte(open));
    NestingGuard guard(nesting_);
    if (guard.TooDeep()) Fail<EArrayReadError>(msg::kArrayRead, msg::kNestingTooDeep);
    auto array = std::make_unique<TkpPDFArrayObject>();
    SkipWhitespace();
    for (;;) {
        TkpPDFObjectPtr element = ReadObject();
        if (element == nullptr) break;
        array->Add(std::move(element));
        SkipWhitespace();
        if (PeekByte() == ']') break;
    }
    // The "]", or the ")", ">" or "}" at which no element could start.
    if (ReadByte() == kEndOfData) Fail<EArrayReadError>(msg::kArrayRead, msg::kEndOfData);
    return array;
}

std::unique_ptr<TkpPDFDictObject> TkpPDFStreamReader::ReadPDFDictionary() {
    for (int i = 0; i < 2; ++i) {
        const int c = ReadByte();
        if (c != '<') Fail<EDictionaryReadError>(msg::kDictionaryRead, FoundByte(c));
    }
    NestingGuard guard(nesting_);
    if (guard.TooDeep()) Fail<EDictionaryReadError>(msg::kDictionaryRead, msg::kNestingTooDeep);
    auto dict = std::make_unique<TkpPDFDictObject>();
    for (;;) {
        SkipWhitespace();
        const int c = PeekByte();
        if (c == kEndOfData) Fail<EDictionaryReadError>(msg::kDictionaryRead, msg::kEndOfData);
        if (c == '>') {
            ReadChars(2);
            break;
        }
        std::unique_ptr<TkpPDFNameObject> key = ReadPDFName();
        TkpPDFObjectPtr value = ReadObject();  // absent for << /A >>
        dict->Add(std::move(key), std::move(value));
    }
    return dict;
}

}  // namespace kp
