#include "platform/Streams.h"

#include <cerrno>
#include <algorithm>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Exception.h"

namespace pw {

int64_t TStream::Size() {
    const int64_t here = Position();
    const int64_t end = Seek(0, soEnd);
    Seek(here, soBeginning);
    return end;
}

int64_t TStream::CopyFrom(TStream& source) {
    uint8_t chunk[65536];
    int64_t total = 0;
    for (;;) {
        const int64_t n = source.Read(chunk, sizeof chunk);
        if (n <= 0) break;
        Write(chunk, n);
        total += n;
    }
    return total;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || pos_ >= bytes_.size()) return 0;
    const uint64_t n = std::min<uint64_t>(static_cast<uint64_t>(count), bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return static_cast<int64_t>(n);
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const uint64_t end = pos_ + static_cast<uint64_t>(count);
    if (end > bytes_.size()) bytes_.resize(end);
    std::memcpy(bytes_.data() + pos_, buffer, static_cast<size_t>(count));
    pos_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == soCurrent) base = static_cast<int64_t>(pos_);
    if (origin == soEnd) base = static_cast<int64_t>(bytes_.size());
    int64_t target = 0;
    if (__builtin_add_overflow(base, offset, &target)) target = offset > 0 ? INT64_MAX : 0;
    if (target < 0) target = 0;
    pos_ = static_cast<uint64_t>(target);
    return target;
}

void TMemoryStream::SetSize(int64_t size) {
    bytes_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    if (pos_ > bytes_.size()) pos_ = bytes_.size();
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::LoadFromStream(TStream& source) {
    const int64_t size = std::max<int64_t>(source.Size() - source.Position(), 0);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    int64_t done = 0;
    while (done < size) {
        const int64_t n = source.Read(bytes.data() + done, size - done);
        if (n <= 0) break;
        done += n;
    }
    bytes.resize(static_cast<size_t>(done));
    bytes_ = std::move(bytes);
    pos_ = 0;
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) {
    const int flags = mode == fmCreate ? (O_RDWR | O_CREAT | O_TRUNC) : O_RDONLY;
    fd_ = ::open(fileName.c_str(), flags | O_CLOEXEC, 0666);
    if (fd_ < 0) throw EFOpenError(fileName, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        throw EFOpenError(fileName, std::strerror(EISDIR));
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    if (count <= 0) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(count));
        if (n >= 0) return n;
        if (errno != EINTR) return 0;
    }
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t done = 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(fd_, bytes + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t result = ::lseek(fd_, offset, whence);
    return result < 0 ? ::lseek(fd_, 0, SEEK_CUR) : result;
}

int64_t TFileStream::Size() {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? st.st_size : 0;
}

}  // namespace pw
