#include "engine/filters/Ascii85Filter.h"

#include <algorithm>

#include "engine/filters/FilterErrors.h"

namespace kp {

namespace {

constexpr std::string_view kEndMarker = "~>";
constexpr uint64_t kMaxGroupValue = 0xFFFFFFFFu;
// 85^(5 - k) for k digits given: the missing digits count as 0.
constexpr uint64_t kScaleForDigits[6] = {0, 52200625, 614125, 7225, 85, 1};

[[noreturn]] void Fail(std::string_view message) { throw pw::Exception(std::string(message)); }

void Append(std::vector<uint8_t>& out, uint32_t value, int count, uint64_t maxSize) {
    if (maxSize - std::min<uint64_t>(out.size(), maxSize) < static_cast<uint64_t>(count)) {
        filters::RaiseDecodedSizeLimit(maxSize);
    }
    for (int i = 0; i < count; ++i) out.push_back(static_cast<uint8_t>(value >> (24 - 8 * i)));
}

// A final group of k = 2..4 digits stands for k - 1 bytes: the top bytes of its zero-padded value, rounded
// up when the dropped bytes are not all zero.
void AppendFinalGroup(std::vector<uint8_t>& out, uint64_t digitsValue, int k, uint64_t maxSize) {
    const uint64_t value = digitsValue * kScaleForDigits[k];
    if (value > kMaxGroupValue) Fail(filters::msg::kAscii85GroupTooLarge);
    const int droppedBits = 8 * (5 - k);
    uint64_t kept = value >> droppedBits;
    if ((value & ((uint64_t{1} << droppedBits) - 1)) != 0) ++kept;
    if (kept >> (8 * (k - 1)) != 0) Fail(filters::msg::kAscii85GroupTooLarge);
    Append(out, static_cast<uint32_t>(kept << droppedBits), k - 1, maxSize);
}

std::string Ascii85Encode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 4 * 5 + 7);
    size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4) {
        uint32_t value = 0;
        for (size_t j = 0; j < 4; ++j) value = value << 8 | static_cast<uint8_t>(bytes[i + j]);
        if (value == 0) {
            out.push_back('z');
            continue;
        }
        char digits[5];
        for (int j = 4; j >= 0; --j, value /= 85) digits[j] = static_cast<char>('!' + value % 85);
        out.append(digits, 5);
    }
    if (const size_t rest = bytes.size() - i; rest > 0) {
        uint32_t value = 0;
        for (size_t j = 0; j < 4; ++j) value = value << 8 | (j < rest ? static_cast<uint8_t>(bytes[i + j]) : 0);
        char digits[5];
        for (int j = 4; j >= 0; --j, value /= 85) digits[j] = static_cast<char>('!' + value % 85);
        out.append(digits, rest + 1);
    }
    out.append(kEndMarker);
    return out;
}

}  // namespace

std::vector<uint8_t> TkpAscii85Filter::Decode(std::string_view input, uint64_t maxSize) {
    if (!input.ends_with(kEndMarker)) Fail(filters::msg::kEndOfDataMarker);
    const std::string_view body = input.substr(0, input.size() - kEndMarker.size());
    std::vector<uint8_t> out;
    out.reserve(std::min<uint64_t>(body.size(), maxSize));
    uint64_t value = 0;
    int k = 0;
    for (const char ch : body) {
        const auto c = static_cast<uint8_t>(ch);
        if (c >= '!' && c <= 'u') {
            value = value * 85 + (c - '!');
            if (++k == 5) {
                if (value > kMaxGroupValue) Fail(filters::msg::kAscii85GroupTooLarge);
                Append(out, static_cast<uint32_t>(value), 4, maxSize);
                value = 0;
                k = 0;
            }
        } else if (c == 'z') {
            if (k != 0) Fail(filters::msg::kMisplacedZ);
            Append(out, 0, 4, maxSize);
        } else if (c != ' ' && c != '\n' && c != '\r' && c != '\t') {
            Fail(filters::msg::kIllegalCharacter);
        }
    }
    if (k == 1) Fail(filters::msg::kSingleFinalCharacter);
    if (k > 1) AppendFinalGroup(out, value, k, maxSize);
    return out;
}

std::unique_ptr<pw::TMemoryStream> TkpAscii85Filter::DecodeStream(const pw::TMemoryStream& data) const {
    auto result = std::make_unique<pw::TMemoryStream>(Decode(data.View()));
    result->Seek(0, pw::soEnd);
    return result;
}

std::string TkpAscii85Filter::DecodeString(std::string_view text) const {
    return ThroughStream(text, [this](const pw::TMemoryStream& input) { return DecodeStream(input); });
}

std::unique_ptr<pw::TMemoryStream> TkpAscii85Filter::EncodeStream(const pw::TMemoryStream& data) const {
    return std::make_unique<pw::TMemoryStream>(std::string_view(Ascii85Encode(data.View())));
}

std::string TkpAscii85Filter::EncodeString(std::string_view text) const {
    return ThroughStream(text, [this](const pw::TMemoryStream& input) { return EncodeStream(input); });
}

}  // namespace kp
