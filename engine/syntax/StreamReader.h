#pragma once
// TkpPDFStreamReader: the tokenizer and recursive-descent parser that turn PDF bytes into objects.
//
// The reader is a byte source over a stream it does not own (the open file, or a decoded object stream).
// Objects returned by the Read operations belong to the caller. While a decryptor is attached, strings and
// stream data are decrypted as they are read, keyed by the last indirect-object header parsed.
// The tokenizer lives in Lexer.cpp, the object parser in ObjectParser.cpp, stream data in StreamData.cpp.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/syntax/ByteSource.h"
#include "engine/syntax/Decryptor.h"
#include "engine/syntax/PDFObjects.h"

namespace kp {

// Arrays, dictionaries and indirect-object bodies nested deeper than this are refused: no real document
// comes near it, and it keeps hostile input from exhausting the stack.
inline constexpr int kMaxObjectNesting = 256;

class TkpPDFStreamReader : public TkpRandomAccessFilter {
public:
    TkpPDFStreamReader(int32_t documentSerial, pw::TStream* source);

    int32_t DocumentSerial() const { return documentSerial_; }
    IkpPDFDecryptor* Decryptor() const { return decryptor_; }
    void SetDecryptor(IkpPDFDecryptor* decryptor) { decryptor_ = decryptor; }
    // Numbers of the last indirect-object header parsed (0 at construction).
    int32_t ObjectNumber() const { return objectNumber_; }
    int32_t Generation() const { return generation_; }
    void SetObjectNumber(int32_t objectNumber, int32_t generation) {
        objectNumber_ = objectNumber;
        generation_ = generation;
    }

    // Advances over whitespace (TAB, LF, CR, space) and comments.
    void SkipWhitespace();
    // A bare token: the first byte always, then bytes up to a delimiter, then whitespace is skipped.
    // Empty only at the end of the data.
    std::string ReadToken();
    // Skips whitespace, then the bytes up to the next name delimiter; the position stays before them.
    std::string PeekToken();

    // The object at the current position, or nullptr at ) > ] } and at the end of the data.
    TkpPDFObjectPtr ReadObject();
    std::unique_ptr<TkpPDFStringObject> ReadPDFString();
    std::unique_ptr<TkpPDFArrayObject> ReadPDFArray();
    std::unique_ptr<TkpPDFNameObject> ReadPDFName();
    std::unique_ptr<TkpPDFDictObject> ReadPDFDictionary();
    // The raw bytes between "stream" and "endstream"; length is trusted. The buffer is positioned at 0.
    std::unique_ptr<pw::TMemoryStream> ReadStreamData(int64_t length, int32_t objectNumber, int32_t generation);

private:
    TkpPDFObjectPtr ReadNumericObject();
    TkpPDFObjectPtr ReadKeyword(std::string_view word, TkpPDFObjectPtr result);

    // Counts one level of nesting for the lifetime of the guard.
    class NestingGuard {
    public:
        explicit NestingGuard(int& depth) : depth_(depth) { ++depth_; }
        ~NestingGuard() { --depth_; }
        bool TooDeep() const { return depth_ > kMaxObjectNesting; }

    private:
        int& depth_;
    };

    int32_t documentSerial_;
    IkpPDFDecryptor* decryptor_ = nullptr;
    int32_t objectNumber_ = 0;
    int32_t generation_ = 0;
    int nesting_ = 0;
};

}  // namespace kp
