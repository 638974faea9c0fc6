#include "engine/filters/RLEFilter.h"

#include <algorithm>

#include "engine/filters/FilterErrors.h"

namespace kp {

namespace {

constexpr uint8_t kEndOfData = 128;
constexpr size_t kMaxRun = 128;

[[noreturn]] void Fail(std::string_view message) { throw pw::Exception(std::string(message)); }

void CheckRoom(const std::vector<uint8_t>& out, size_t count, uint64_t maxSize) {
    if (out.size() > maxSize || maxSize - out.size() < count) filters::RaiseDecodedSizeLimit(maxSize);
}

std::string RunLengthEncode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / kMaxRun + 2);
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        size_t j = i + 1;
        while (j < n && j - i < kMaxRun && bytes[j] == bytes[i]) ++j;
        if (j - i >= 2) {
            out.push_back(static_cast<char>(257 - (j - i)));
            out.push_back(bytes[i]);
            i = j;
            continue;
        }
        // A literal run stops where two equal bytes begin a repeat run.
        const size_t start = i++;
        while (i < n && i - start < kMaxRun && !(i + 1 < n && bytes[i] == bytes[i + 1])) ++i;
        out.push_back(static_cast<char>(i - start - 1));
        out.append(bytes.substr(start, i - start));
    }
    out.push_back(static_cast<char>(kEndOfData));
    return out;
}

}  // namespace

std::vector<uint8_t> TkpRLEFilter::Decode(std::string_view input, uint64_t maxSize) {
    if (input.empty() || static_cast<uint8_t>(input.back()) != kEndOfData) {
        Fail(filters::msg::kRunLengthEndOfDataMarker);
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(input.data());
    const size_t end = input.size() - 1;
    std::vector<uint8_t> out;
    out.reserve(std::min<uint64_t>(end, maxSize));
    size_t p = 0;
    while (p < end) {
        const uint8_t length = bytes[p];
        if (length < kEndOfData) {
            const size_t count = size_t{length} + 1;
            if (count > end - p - 1) Fail(filters::msg::kUnexpectedEndOfFile);
            CheckRoom(out, count, maxSize);
            out.insert(out.end(), bytes + p + 1, bytes + p + 1 + count);
            p += count + 1;
        } else if (length == kEndOfData) {
            Fail(filters::msg::kPrematureEndOfData);
        } else {
            if (p + 1 >= end) Fail(filters::msg::kUnexpectedEndOfFile);
            const size_t count = 257 - size_t{length};
            CheckRoom(out, count, maxSize);
            out.insert(out.end(), count, bytes[p + 1]);
            p += 2;
        }
    }
    return out;
}

std::string TkpRLEFilter::DecodeString(std::string_view text) const {
    const std::vector<uint8_t> bytes = Decode(text);
    return std::string(bytes.begin(), bytes.end());
}

std::unique_ptr<pw::TMemoryStream> TkpRLEFilter::DecodeStream(const pw::TMemoryStream& data) const {
    return std::make_unique<pw::TMemoryStream>(Decode(data.View()));
}

std::string TkpRLEFilter::EncodeString(std::string_view text) const { return RunLengthEncode(text); }

std::unique_ptr<pw::TMemoryStream> TkpRLEFilter::EncodeStream(const pw::TMemoryStream& data) const {
    return std::make_unique<pw::TMemoryStream>(std::string_view(RunLengthEncode(data.View())));
}

}  // namespace kp
