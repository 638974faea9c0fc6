// Raw stream data of TkpPDFStreamReader: the bytes between "stream" and "endstream".
#include "engine/syntax/StreamReader.h"

#include <algorithm>

#include "engine/syntax/SyntaxErrors.h"

namespace kp {

using namespace syntax;

std::unique_ptr<pw::TMemoryStream> TkpPDFStreamReader::ReadStreamData(int64_t length, int32_t objectNumber,
                                                                      int32_t generation) {
    SkipWhitespace();
    if (ReadChars(6) != "stream" || length < 0) throw EStreamReadError(std::string(msg::kStreamRead));
    auto data = std::make_unique<pw::TMemoryStream>();

    if (length == 0) {
        SkipWhitespace();
    } else {
        // The end of line after the keyword: spaces and TABs, then at most one CR and one LF.
        while (PeekByte() == ' ' || PeekByte() == '\t') ReadByte();
        if (PeekByte() == '\r') ReadByte();
        if (PeekByte() == '\n') ReadByte();

        if (length >= 2) {
            // The length is trusted; a short file leaves fewer bytes and fails at "endstream" below.
            const int64_t available = std::max<int64_t>(Size() - Position(), 0);
            const auto count = static_cast<size_t>(std::min(length, available));
            std::vector<uint8_t> bytes;
            if (memory_ != nullptr && count > 0) {
                // Copied straight out of the file's buffer, without filling a new one first.
                const uint8_t* start = memory_->Memory() + memory_->RawPosition();
                bytes.assign(start, start + count);
                Skip(static_cast<int64_t>(count));
            } else {
                bytes.resize(count);
                bytes.resize(static_cast<size_t>(std::max<int64_t>(Read(bytes.data(), static_cast<int64_t>(count)), 0)));
            }
            data = std::make_unique<pw::TMemoryStream>(std::move(bytes));
        } else if (PeekChars(9) != "endstream") {
            const int b = ReadByte();
            if (b != kEndOfData) {
                const auto byte = static_cast<uint8_t>(b);
                data->Write(&byte, 1);
            }
        }

        if (decryptor_ != nullptr) {
            if (objectNumber_ == -1 || generation_ == -1) throw EInvalidObjectNo(std::string(msg::kInvalidObjectNo));
            decryptor_->DecryptStreamData(*data, objectNumber, generation);
        }
        SkipWhitespace();
    }

    if (ReadChars(9) != "endstream") throw EEndStreamError(std::string(msg::kEndStream));
    data->SetPosition(0);
    return data;
}

}  // namespace kp
