#pragma once
// Seekable byte streams: the abstract stream, an in-memory stream and a file stream.
// Positions and sizes are 64-bit. Seeking past the end is allowed; reads there return 0 bytes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes into buffer; returns the number read (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes count bytes; returns the number written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position; returns the new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    // Copies the whole remaining content of source (from its position) to this stream.
    int64_t CopyFrom(TStream& source);
};

// A growable byte buffer with a position. ReadByteInline and PeekByteInline are not virtual, so the byte
// source reads memory without a call per byte.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    explicit TMemoryStream(std::string_view bytes) : bytes_(bytes.begin(), bytes.end()) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }

    // Inline byte access for the lexer's hot path; -1 at the end of the data.
    int ReadByteInline() { return pos_ < bytes_.size() ? bytes_[pos_++] : -1; }
    int PeekByteInline() const { return pos_ < bytes_.size() ? bytes_[pos_] : -1; }
    void StepBackInline() { pos_ -= pos_ > 0; }
    uint64_t RawPosition() const { return pos_; }

    const uint8_t* Memory() const { return bytes_.data(); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t>& Bytes() { return bytes_; }
    std::string_view View() const {
        return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()};
    }
    std::string ToString() const { return std::string(View()); }
    void SetSize(int64_t size);
    void Clear() { bytes_.clear(); pos_ = 0; }
    // Replaces the content with the whole file; raises EFOpenError when it cannot be read.
    void LoadFromFile(const std::string& fileName);
    // Replaces the content with everything source holds from its position on, in one allocation.
    void LoadFromStream(TStream& source);

private:
    std::vector<uint8_t> bytes_;
    uint64_t pos_ = 0;
};

enum TFileMode { fmOpenRead, fmCreate };

// A file on disk. Opened for reading it shares the file with every other reader and writer.
// Each Read is a system call: readers that go byte by byte should load the file into a TMemoryStream.
class TFileStream final : public TStream {
public:
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;

private:
    int fd_ = -1;
};

}  // namespace pw
