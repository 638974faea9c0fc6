#include "engine/syntax/ByteSource.h"

#include <algorithm>
#include <climits>

#include "engine/syntax/SyntaxErrors.h"

namespace kp {

TkpReadOnlyFilter::TkpReadOnlyFilter(pw::TStream* source)
    : source_(source), memory_(dynamic_cast<pw::TMemoryStream*>(source)), initialSize_(0) {
    if (source == nullptr) throw syntax::EInvalidStream(std::string(syntax::msg::kNullStream));
    initialSize_ = static_cast<int32_t>(std::min<int64_t>(source->Size(), INT32_MAX));
}

int64_t TkpReadOnlyFilter::Write(const void*, int64_t) {
    throw syntax::EReadError(std::string(syntax::msg::kWriteOnlyFilter));
}

int64_t TkpReadOnlyFilter::Seek(int64_t offset, pw::TSeekOrigin origin) {
    if (offset == -1) return -1;
    return source_->Seek(offset, origin);
}

std::string TkpRandomAccessFilter::ReadChars(int64_t n) {
    std::string out;
    if (n <= 0) return out;
    const int64_t available = std::max<int64_t>(source_->Size() - source_->Position(), 0);
    out.resize(static_cast<size_t>(std::min(n, available)));
    const int64_t got = source_->Read(out.data(), static_cast<int64_t>(out.size()));
    out.resize(static_cast<size_t>(std::max<int64_t>(got, 0)));
    return out;
}

std::string TkpRandomAccessFilter::PeekChars(int64_t n) {
    std::string out = ReadChars(n);
    if (!out.empty()) source_->Seek(-static_cast<int64_t>(out.size()), pw::soCurrent);
    return out;
}

std::string TkpExtMemStream::ReadChars(int64_t n) {
    std::string out;
    if (n <= 0) return out;
    const int64_t available = std::max<int64_t>(Size() - Position(), 0);
    out.resize(static_cast<size_t>(std::min(n, available)));
    out.resize(static_cast<size_t>(Read(out.data(), static_cast<int64_t>(out.size()))));
    return out;
}

uint16_t TkpExtMemStream::ReadWord() {
    uint8_t b[2] = {0, 0};
    Read(b, 2);
    return static_cast<uint16_t>(b[0] << 8 | b[1]);
}

uint32_t TkpExtMemStream::ReadDWord() {
    uint8_t b[4] = {0, 0, 0, 0};
    Read(b, 4);
    return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 | b[3];
}

void TkpExtMemStream::WriteWord(uint16_t v) {
    const uint8_t b[2] = {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
    Write(b, 2);
}

void TkpExtMemStream::WriteDWord(uint32_t v) {
    const uint8_t b[4] = {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v)};
    Write(b, 4);
}

void TkpExtMemStream::SkipClamped(int64_t n) {
    const int64_t here = Position();
    const int64_t target = n > 0 ? (here > INT64_MAX - n ? INT64_MAX : here + n) : here + n;
    SetPosition(std::clamp<int64_t>(target, 0, Size()));
}

void TkpExtMemStream::PadTo4() {
    Seek(0, pw::soEnd);
    const int64_t rest = Size() % 4;
    PadCount = rest == 0 ? 0 : 4 - rest;
    static const uint8_t zeros[4] = {0, 0, 0, 0};
    Write(zeros, PadCount);
}

int ReadStreamByte(pw::TStream& stream) {
    uint8_t b = 0;
    return stream.Read(&b, 1) == 1 ? b : kEndOfData;
}

}  // namespace kp
