#include "engine/document/FileFrame.h"

#include "engine/document/DocumentErrors.h"
#include "engine/syntax/CharClasses.h"
#include "engine/syntax/NumberText.h"
#include "engine/syntax/TextSearch.h"
#include "platform/Numbers.h"

namespace kp {

using namespace document;

TkpPDFVersion ReadHeader(TkpPDFStreamReader& reader) {
    // The header must start at byte 0; "%" is not a delimiter here, so "%PDF-1.4" is one token.
    reader.SetPosition(0);
    std::string token;
    for (int c = reader.ReadByte(); c != kEndOfData; c = reader.ReadByte()) {
        if (!token.empty() && IsTokenDelimiter(c)) break;
        token.push_back(static_cast<char>(c));
    }
    if (token.substr(0, 7) != "%PDF-1.") throw EInvalidHeader(pw::FillMessage(msg::kInvalidHeader, token.substr(0, 7)));
    const int32_t version = pw::StrToInt(token.substr(7, 1));
    if (version < 0 || version > 6) throw EUnsupportedVersion(pw::FillMessage(msg::kUnsupportedVersion, token));
    return static_cast<TkpPDFVersion>(version);
}

int32_t FindStartXRef(TkpPDFStreamReader& reader) {
    // The whole file is held in memory by the document, so the search runs over the buffer in place.
    const auto* memory = dynamic_cast<pw::TMemoryStream*>(reader.Source());
    if (memory == nullptr) throw pw::Exception(std::string(msg::kUnexpectedStreamType));
    const std::string_view data = memory->View();
    const auto size = static_cast<int64_t>(data.size());
    const auto match = SearchBuffer(data.data(), size, size, 0, "startxref", soWholeWord);
    if (!match) throw EOffsetError(std::string(msg::kOffset));
    size_t i = static_cast<size_t>(*match);
    while (i < data.size() && (data[i] < '0' || data[i] > '9')) ++i;
    const size_t start = i;
    while (i < data.size() && data[i] >= '0' && data[i] <= '9') ++i;
    int32_t offset = 0;
    if (i == start || !TryParseInteger(data.substr(start, i - start), offset)) throw EOffsetError(std::string(msg::kOffset));
    return offset;
}

std::unique_ptr<TkpPDFDictObject> ReadTrailer(TkpPDFStreamReader& reader) {
    for (;;) {
        const int c = reader.ReadByte();
        if (c == kEndOfData) throw ETrailerError(std::string(msg::kTrailer));
        if (c == 't') break;
    }
    if (reader.ReadChars(6) != "railer") throw ETrailerError(std::string(msg::kTrailer));
    TkpPDFObjectPtr object = reader.ReadObject();
    if (object == nullptr || !object->IsDictionary()) throw pw::EInvalidCast();
    return std::unique_ptr<TkpPDFDictObject>(static_cast<TkpPDFDictObject*>(object.release()));
}

}  // namespace kp
