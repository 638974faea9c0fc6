#include "engine/filters/AsciiHexFilter.h"

#include <array>

#include "engine/filters/FilterErrors.h"

namespace kp {

namespace {

constexpr uint8_t kSkip = 16;     // space, LF, CR, TAB
constexpr uint8_t kEnd = 17;      // ">"
constexpr uint8_t kIllegal = 18;  // everything else

// The class of every byte: its digit value for 0-9, A-F and a-f (lower case counts as upper case).
constexpr std::array<uint8_t, 256> MakeHexClasses() {
    std::array<uint8_t, 256> table{};
    for (auto& entry : table) entry = kIllegal;
    for (int c = '0'; c <= '9'; ++c) table[c] = static_cast<uint8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) table[c] = table[c + ('a' - 'A')] = static_cast<uint8_t>(c - 'A' + 10);
    table[' '] = table['\n'] = table['\r'] = table['\t'] = kSkip;
    table['>'] = kEnd;
    return table;
}
constexpr std::array<uint8_t, 256> kHexClasses = MakeHexClasses();

constexpr char kUpperDigits[] = "0123456789ABCDEF";

std::string HexEncode(std::string_view bytes) {
    std::string out(bytes.size() * 2 + 1, '>');
    char* p = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        *p++ = kUpperDigits[b >> 4];
        *p++ = kUpperDigits[b & 15];
    }
    return out;
}

}  // namespace

std::vector<uint8_t> TkpAsciiHexFilter::DecodeDigits(std::string_view digits, uint64_t maxSize) {
    // Two digits make one byte, so the output never passes half the input (plus a lone final digit).
    std::vector<uint8_t> out(digits.size() / 2 + 1);
    size_t count = 0;
    int high = -1;
    for (const char c : digits) {
        const uint8_t cls = kHexClasses[static_cast<uint8_t>(c)];
        if (cls < 16) {
            if (high < 0) {
                high = cls;
            } else {
                out[count++] = static_cast<uint8_t>(high << 4 | cls);
                high = -1;
            }
        } else if (cls == kEnd) {
            break;
        } else if (cls == kIllegal) {
            throw pw::Exception(std::string(filters::msg::kIllegalCharacter));
        }
    }
    if (high >= 0) out[count++] = static_cast<uint8_t>(high << 4);
    if (count > maxSize) filters::RaiseDecodedSizeLimit(maxSize);
    out.resize(count);
    return out;
}

std::vector<uint8_t> TkpAsciiHexFilter::Decode(std::string_view input, uint64_t maxSize) {
    if (input.empty() || input.back() != '>') throw pw::Exception(std::string(filters::msg::kEndOfDataMarker));
    return DecodeDigits(input.substr(0, input.size() - 1), maxSize);
}

std::unique_ptr<pw::TMemoryStream> TkpAsciiHexFilter::DecodeStream(const pw::TMemoryStream& data) const {
    auto result = std::make_unique<pw::TMemoryStream>(Decode(data.View()));
    result->Seek(0, pw::soEnd);
    return result;
}

std::string TkpAsciiHexFilter::DecodeString(std::string_view text) const {
    return ThroughStream(text, [this](const pw::TMemoryStream& input) { return DecodeStream(input); });
}

std::unique_ptr<pw::TMemoryStream> TkpAsciiHexFilter::EncodeStream(const pw::TMemoryStream& data) const {
    return std::make_unique<pw::TMemoryStream>(std::string_view(HexEncode(data.View())));
}

std::string TkpAsciiHexFilter::EncodeString(std::string_view text) const { return HexEncode(text); }

}  // namespace kp
