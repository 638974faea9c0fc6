#pragma once
// Exceptions of the standard security handler and their message texts.
// Most conditions raise the general exception (pw::Exception) with one of these texts; a /P of the wrong
// kind and an encryption method this handler cannot decrypt have classes of their own.

#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace kp::security {

namespace msg {
inline constexpr std::string_view kInvalidFileId = "Invalid FileId.";
inline constexpr std::string_view kInvalidOwnerKey = "Invalid Owner Key.";
inline constexpr std::string_view kInvalidUserKey = "Invalid User Key.";
inline constexpr std::string_view kInvalidPermission = "Invalid permission in encryption dictionary";
inline constexpr std::string_view kSettingsLocked = "User cannot change encryption settings";
inline constexpr std::string_view kRC4KeyLength = "RC4: Invalid key length";
// AES-encrypted documents are refused before any password is tried; the fill names the method
// ("AES-128" or "AES-256").
inline constexpr std::string_view kUnsupportedMethod = "Unsupported encryption method: %s";
inline constexpr std::string_view kAES128 = "AES-128";
inline constexpr std::string_view kAES256 = "AES-256";
}  // namespace msg

// /P is neither an integer nor a 64-bit integer object.
class EInvalidPermission : public pw::Exception {
public:
    EInvalidPermission() : pw::Exception(std::string(msg::kInvalidPermission)) {}
};

// The /Encrypt dictionary asks for a method other than RC4 (AES).
class EUnsupportedEncryption : public pw::Exception {
public:
    explicit EUnsupportedEncryption(std::string_view method)
        : pw::Exception(pw::FillMessage(msg::kUnsupportedMethod, method)) {}
};

}  // namespace kp::security
