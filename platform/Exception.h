#pragma once
// The general exception of the platform and the platform's own error classes.
// what() is exactly the message text; callers and tests compare whole texts.

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

namespace pw {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// Fills the "%s" and "%d" placeholders of a message pattern, left to right, with the given texts in one
// pass (a fill that itself contains "%s" is not filled again). Bytes of a fill are copied unchanged: a NUL
// byte found in a file stays a NUL byte.
std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> fills);
inline std::string FillMessage(std::string_view pattern, std::string_view fill) { return FillMessage(pattern, {fill}); }
std::string FillMessage(std::string_view pattern, int64_t fill);

namespace msg {
inline constexpr std::string_view kInvalidInteger = "'%s' is not a valid integer value";
inline constexpr std::string_view kInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr std::string_view kListIndexOutOfBounds = "List index out of bounds (%d)";
inline constexpr std::string_view kInvalidCast = "Invalid class typecast";
inline constexpr std::string_view kCannotOpenFile = "Cannot open file \"%s\". %s";
}  // namespace msg

// Declares an exception class that only carries its message: PW_MESSAGE_EXCEPTION(EMyError, pw::Exception);
#define PW_MESSAGE_EXCEPTION(Name, Base)                                 \
    class Name : public Base {                                           \
    public:                                                              \
        explicit Name(std::string message) : Base(std::move(message)) {} \
    }

// Conversion of text to numbers failed.
class EConvertError : public Exception {
    using Exception::Exception;
};

// Index outside a list.
class EListError : public Exception {
    using Exception::Exception;
};

// An object was not of the class an operation required.
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception(std::string(msg::kInvalidCast)) {}
};

// A file could not be opened; the second part of the message is the system's error text.
class EFOpenError : public Exception {
public:
    EFOpenError(std::string_view fileName, std::string_view systemText);
};

}  // namespace pw
