#pragma once
// Read-only byte access over a seekable stream for the lexer, a big-endian working buffer for the ASCII
// filters, and a one-byte read helper.
//
// The filter keeps no state besides the source: peeking is a read followed by a step back. When the source
// is an in-memory stream, bytes are taken from its buffer directly instead of through a virtual Read.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/Streams.h"

namespace kp {

// What ReadByte and PeekByte return when no byte is left.
inline constexpr int kEndOfData = -1;

class TkpReadOnlyFilter : public pw::TStream {
public:
    // source is not owned and must outlive the filter; nullptr raises EInvalidStream.
    explicit TkpReadOnlyFilter(pw::TStream* source);

    int64_t Read(void* buffer, int64_t count) override { return source_->Read(buffer, count); }
    // Always raises EReadError "A write-only filter cannot read".
    int64_t Write(const void* buffer, int64_t count) override;
    // Forwards to the source, except that an offset of -1 returns -1 without moving.
    int64_t Seek(int64_t offset, pw::TSeekOrigin origin) override;
    int64_t Size() override { return source_->Size(); }

    pw::TStream* Source() const { return source_; }
    // The source's size when the filter was made (informational).
    int32_t InitialSize() const { return initialSize_; }

protected:
    pw::TStream* source_;
    pw::TMemoryStream* memory_;  // the source itself when it is an in-memory stream, else nullptr
    int32_t initialSize_;
};

class TkpRandomAccessFilter : public TkpReadOnlyFilter {
public:
    using TkpReadOnlyFilter::TkpReadOnlyFilter;

    // The next byte (0..255), advancing by one; kEndOfData at the end, without moving.
    int ReadByte() {
        if (memory_) return memory_->ReadByteInline();
        uint8_t b = 0;
        return source_->Read(&b, 1) == 1 ? b : kEndOfData;
    }
    // The next byte without moving; kEndOfData at the end.
    int PeekByte() {
        if (memory_) return memory_->PeekByteInline();
        const int b = ReadByte();
        if (b != kEndOfData) source_->Seek(-1, pw::soCurrent);
        return b;
    }
    // Up to n bytes, advancing past the bytes actually read.
    std::string ReadChars(int64_t n);
    // Up to n bytes; the position is unchanged.
    std::string PeekChars(int64_t n);
    void StepBack() {
        if (memory_) memory_->StepBackInline();
        else source_->Seek(-1, pw::soCurrent);
    }
    // Moves by n bytes (n may be negative).
    void Skip(int64_t n) { source_->Seek(n, pw::soCurrent); }
};

// An in-memory stream with big-endian reads and writes, used as a working buffer by the ASCII filters.
class TkpExtMemStream : public pw::TMemoryStream {
public:
    std::string ReadChars(int64_t n);
    uint16_t ReadWord();
    uint32_t ReadDWord();
    void WriteByte(uint8_t b) { Write(&b, 1); }
    void WriteBytes(std::span<const uint8_t> bytes) { Write(bytes.data(), static_cast<int64_t>(bytes.size())); }
    void WriteString(std::string_view text) { Write(text.data(), static_cast<int64_t>(text.size())); }
    void WriteWord(uint16_t v);
    void WriteDWord(uint32_t v);
    // Moves the position by n, clamped to 0..Size.
    void SkipClamped(int64_t n);
    // Moves to the end and pads with zero bytes to a multiple of 4; PadCount is the number added.
    void PadTo4();
    int64_t PadCount = 0;
};

// Reads one byte from any stream; kEndOfData at the end.
int ReadStreamByte(pw::TStream& stream);

}  // namespace kp
