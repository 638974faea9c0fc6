#pragma once
// Helpers of the security tests: objects from PDF text, hexadecimal bytes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "engine/syntax/HexText.h"
#include "syntax/ReaderFixture.h"

namespace kp::test {

// Parses one object of type T from PDF text; fails the test when the text holds another kind.
template <typename T>
std::unique_ptr<T> Parse(std::string_view text) {
    ReaderOver r(text);
    TkpPDFObjectPtr object = r.reader.ReadObject();
    if (As<T>(object.get()) == nullptr) {
        ADD_FAILURE() << "not the expected kind of object: " << text;
        return std::make_unique<T>();
    }
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

inline std::string Hex(std::string_view digits) {
    return HexToBytes(digits);
}

template <typename Bytes>
std::string ToHex(const Bytes& bytes) {
    return BytesToHex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The first n bytes of bytes as upper-case hexadecimal.
template <typename Bytes>
std::string ToHex(const Bytes& bytes, size_t n) {
    return BytesToHex(std::string_view(reinterpret_cast<const char*>(bytes.data()), n));
}

}  // namespace kp::test
